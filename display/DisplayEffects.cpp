#include "display/DisplayEffects.h"

#include <QString>

#include "kit/Profile.h"

namespace display {
namespace {

const QString kSection = QStringLiteral("HistoFrame");

struct Entry {
    const char* name;
    bool DisplayEffects::*flag;
    int DisplayEffects::*limit;
};
constexpr Entry kEntries[] = {
    {"bColor", &DisplayEffects::colorize, nullptr},  {"bAdjust", &DisplayEffects::stretch, nullptr},
    {"bMarkers", &DisplayEffects::markers, nullptr}, {"s_nLimB_0", nullptr, &DisplayEffects::limB0},
    {"s_nLimD_0", nullptr, &DisplayEffects::limD0},  {"s_nLimB_1", nullptr, &DisplayEffects::limB1},
    {"s_nLimD_1", nullptr, &DisplayEffects::limD1},
};

}  // namespace

DisplayEffects& Effects() {
    static DisplayEffects effects;
    return effects;
}

void LoadDisplayEffects() {
    DisplayEffects& e = Effects();
    for (const Entry& entry : kEntries) {
        const int value = appkit::Profile::GetInt(kSection, QString::fromLatin1(entry.name), 0);
        if (entry.flag)
            e.*entry.flag = value != 0;
        else
            e.*entry.limit = value;
    }
}

void SaveDisplayEffects() {
    const DisplayEffects& e = Effects();
    for (const Entry& entry : kEntries) {
        const int value = entry.flag ? int(e.*entry.flag) : e.*entry.limit;
        appkit::Profile::WriteInt(kSection, QString::fromLatin1(entry.name), value);
    }
}

}  // namespace display
