#include "app/AboutTexts.h"

#include "AppVersion.h"

namespace app {

QString FormatVersionPair(uint32_t ms, uint32_t ls) {
    return QString::asprintf("%d.%d.%d (build %d)", int(ms >> 16), int(ms & 0xFFFF), int(ls >> 16),
                             int(ls & 0xFFFF));
}

QString FormatFirmware(uint32_t f) {
    return QString::asprintf("%d.%d.%d.%d", int(f >> 24), int((f >> 16) & 0xFF), int((f >> 8) & 0xFF),
                             int(f & 0xFF));
}

QString FormatFirmwareImage(uint32_t image) {
    switch (image) {
        case 10:
            return QStringLiteral("Application");
        case 15:
            return QStringLiteral("Factory");
        default:
            return QString::asprintf("%X", image);
    }
}

uint32_t ProductVersionMS() {
    return (uint32_t(kVersionMajor) << 16) | kVersionMinor;
}
uint32_t ProductVersionLS() {
    return (uint32_t(kVersionPatch) << 16) | kVersionBuild;
}

}  // namespace app
