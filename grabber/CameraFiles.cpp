#include "grabber/CameraFiles.h"

#include <QDir>
#include <QStandardPaths>
#include <array>

#include "grabber/Grabber.h"

namespace grabber {

QString DataFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(folder);
    return folder;
}

QString AutomaticChannelFile(uint8_t channel, const QString& extension) {
    return DataFolder() + QStringLiteral("/channel%1").arg(int(int8_t(channel))) + extension;
}

QString StoredCameraAlias(uint8_t channel) {
    std::array<char16_t, 260> alias{};
    CameraFileRecord record{};
    record.alias.text = alias.data();
    record.alias.count = uint32_t(alias.size());
    if (LoadCameraFile(AutomaticChannelFile(channel).toStdString(), record) != ZAMGRB_OK)
        return {};
    alias.back() = u'\0';
    return QString::fromUtf16(alias.data());
}

}  // namespace grabber
