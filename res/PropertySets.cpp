#include "res/PropertySets.h"

#include "res/ResourceIds.h"

namespace res {
namespace {

// The custom tap configuration grid. The keys are the TapConfig field names.
constexpr char kTapPropertySet[] =
    "\xEF\xBB\xBF"
    "COL \"Parameter\"\r\n"
    "COL \"Value\"\r\n"
    "ROW channels \"# of Channels\" LIST_INT (1 2)\r\n"
    "ROW channelOrder \"Interline channel order\" LIST (\"Normal\" \"Reverse\")\r\n"
    "ROW channelOutput \"Channel interlace\" LIST (\"Segmented\" \"Interlaced\")\r\n"
    "ROW channelDirection0 \"Channel 1 direction\" LIST (\"Top-Down\" \"Bottom-Up\")\r\n"
    "ROW channelDirection1 \"Channel 2 direction\" LIST (\"Top-Down\" \"Bottom-Up\")\r\n"
    "ROW taps \"# of Segment per Line (taps)\" LIST_INT (1 2 3 4 8 10)\r\n"
    ";ROW tapOrder \"Tap order\" LIST (\"Normal\" \"Reverse\")\r\n"
    "ROW tapOutput \"Taps geometry\" LIST (\"Segmented\" \"Alternate\" \"Interleaved\")\r\n"
    "ROW tapDirection0 \"Tap 1 direction\" LIST (\"Left-Right\" \"Right-Left\")\r\n"
    "ROW tapDirection1 \"Tap 2 direction\" LIST (\"Left-Right\" \"Right-Left\")\r\n"
    "ROW tapDirection2 \"Tap 3 direction\" LIST (\"Left-Right\" \"Right-Left\")\r\n"
    "ROW tapDirection3 \"Tap 4 direction\" LIST (\"Left-Right\" \"Right-Left\")\r\n";

}  // namespace

std::optional<QByteArray> LoadPropertySetText(int id) {
    if (id == IDR_TAP_PROPERTY_SET)
        return QByteArray(kTapPropertySet, int(sizeof(kTapPropertySet) - 1));
    return std::nullopt;
}

}  // namespace res
