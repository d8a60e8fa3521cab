#include "res/Icons.h"

#include <QHash>

#include "res/ResourceIds.h"

// The icons are SVG files in the library's resource file; a static library's
// resources are registered by hand, once, before the first icon is made.
static void RegisterIconResources() {
    Q_INIT_RESOURCE(Icons);
}

namespace res {
namespace {

QIcon resourceIcon(const char* name) {
    static const bool registered = (RegisterIconResources(), true);
    (void)registered;
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

struct CommandIcon {
    const char* themeName;  // a freedesktop icon name, or null for our own only
    const char* ownName;
};

// Common actions follow the desktop's icon theme where it has them; the tools,
// which no theme knows, have our own drawings in one style.
const QHash<int, CommandIcon>& commandIcons() {
    static const QHash<int, CommandIcon> table = {
        {ID_CARD_SELECTOR, {nullptr, "card-selector"}},
        {ID_CHANNEL_1, {nullptr, "channel-1"}},
        {ID_CHANNEL_2, {nullptr, "channel-2"}},
        {ID_GRAB_SEQUENCE, {"media-playback-start", "grab"}},
        {ID_SNAP_IMAGE, {"camera-photo", "snap"}},
        {ID_CAPTURE_START_STOP, {"media-record", "record"}},
        {ID_CAMERA_PARAMETERS, {nullptr, "camera-parameters"}},
        {ID_CC_CONTROL, {nullptr, "cc-control"}},
        {ID_PLC, {nullptr, "plc"}},
        {ID_RGB_CONTROL, {nullptr, "rgb"}},
        {ID_CAPTURE_SETTINGS, {nullptr, "capture-settings"}},
        {ID_TERMINAL, {nullptr, "terminal"}},
        {ID_STATISTICS, {nullptr, "statistics"}},
        {ID_HEX_DUMP, {nullptr, "hex-dump"}},
        {ID_TOGGLE_LUT, {nullptr, "lut"}},
        {ID_LOOKUP_TABLE, {nullptr, "lut"}},
        {ID_HISTOGRAM, {nullptr, "histogram"}},
        {ID_POCL, {nullptr, "pocl"}},
        {ID_GRID, {nullptr, "grid"}},
        {ID_ZOOM_IN, {"zoom-in", "zoom-in"}},
        {ID_ZOOM_OUT, {"zoom-out", "zoom-out"}},
        {ID_ZOOM_FIT, {"zoom-fit-best", "zoom-fit"}},
        {ID_ZOOM_100, {"zoom-original", "zoom-original"}},
        {ID_FULL_SCREEN, {"view-fullscreen", "full-screen"}},
        {ID_APP_ABOUT, {"help-about", "help"}},
        {ID_HELP_MANUAL, {"help-contents", "help"}},
    };
    return table;
}

}  // namespace

QIcon applicationIcon() {
    return resourceIcon("app");
}

QPixmap overrunIcon() {
    return resourceIcon("overrun").pixmap(16, 16);
}

QIcon commandIcon(int commandId) {
    const auto it = commandIcons().find(commandId);
    if (it == commandIcons().end())
        return {};
    const QIcon own = resourceIcon(it->ownName);
    return it->themeName ? QIcon::fromTheme(QLatin1String(it->themeName), own) : own;
}

}  // namespace res
