#include "grabber/CameraSettings.h"

#include <QDir>
#include <QFileInfo>
#include <array>
#include <string>

#include "grabber/Grabber.h"

namespace grabber {
namespace {

constexpr uint32_t kTextCapacity = 260;

// A text slot over a string the caller keeps alive: its buffer and its length
// plus one for the terminating zero.
CameraFileText slotOf(std::u16string& text) {
    return {text.data(), uint32_t(text.size() + 1)};
}

using TextBuffer = std::array<char16_t, kTextCapacity>;

QString textOf(const TextBuffer& buffer) {
    size_t length = 0;
    while (length < buffer.size() && buffer[length] != u'\0')
        ++length;
    return QString::fromUtf16(buffer.data(), qsizetype(length));
}

QString failureMessage(const QString& verb, const QString& path, const QString& reason) {
    return QStringLiteral("The camera file \"%1\" could not be %2: %3.")
        .arg(QDir::toNativeSeparators(path), verb, reason);
}

QString otherReason(uint32_t status) {
    return status == ZAMGRB_NO_BUFFERS ? QStringLiteral("there is not enough memory")
                                       : QStringLiteral("the card library answered status %1").arg(status);
}

}  // namespace

QString LoadFailureMessage(const QString& path, uint32_t status) {
    QString reason = otherReason(status);
    if (status == ZAMGRB_FAILED)
        reason = QFileInfo::exists(path) ? QStringLiteral("it cannot be read or is not a camera file")
                                         : QStringLiteral("it does not exist");
    return failureMessage(QStringLiteral("loaded"), path, reason);
}

QString SaveFailureMessage(const QString& path, uint32_t status) {
    QString reason = otherReason(status);
    if (status == ZAMGRB_INVALID_ARGUMENT &&
        QFileInfo(path).suffix().compare(QLatin1String("cam"), Qt::CaseInsensitive) == 0)
        reason = QStringLiteral("older .cam files can be loaded but not written; save it as .cxf");
    if (status == ZAMGRB_FAILED)
        reason = QFileInfo(path).dir().exists()
                     ? QStringLiteral("it cannot be written there (a read-only folder or a full disk)")
                     : QStringLiteral("its folder does not exist");
    return failureMessage(QStringLiteral("saved"), path, reason);
}

uint32_t SaveCameraSettings(const QString& path, const ChannelSettings& settings,
                            const CameraDescription& description) {
    std::u16string manufacturer = settings.texts.manufacturer.toStdU16String();
    std::u16string model = settings.texts.model.toStdU16String();
    std::u16string text = settings.texts.description.toStdU16String();
    std::u16string alias = settings.texts.alias.toStdU16String();
    CameraFileRecord record{};
    record.manufacturer = slotOf(manufacturer);
    record.model = slotOf(model);
    record.description = slotOf(text);
    record.alias = slotOf(alias);
    record.camera = description;
    record.cameraControl = settings.cameraControl;
    record.pulseGenerator = settings.pulseGenerator;
    record.baudRate = settings.baudRate;
    return SaveCameraFile(path.toStdString(), record);
}

uint32_t LoadCameraSettings(const QString& path, ChannelSettings& settings, CameraDescription& description) {
    std::array<TextBuffer, 4> texts{};
    CameraFileRecord record{};
    record.manufacturer = {texts[0].data(), kTextCapacity};
    record.model = {texts[1].data(), kTextCapacity};
    record.description = {texts[2].data(), kTextCapacity};
    record.alias = {texts[3].data(), kTextCapacity};
    const uint32_t status = LoadCameraFile(path.toStdString(), record);
    // A missing or unreadable file (the first start of a channel) changes nothing:
    // its zero record would leave a description the card refuses.
    if (status != ZAMGRB_OK)
        return status;
    for (TextBuffer& t : texts)
        t.back() = u'\0';
    settings.texts = {textOf(texts[0]), textOf(texts[1]), textOf(texts[2]), textOf(texts[3])};
    description = record.camera;
    description.lutLevels = nullptr;
    description.lutValues = nullptr;
    settings.cameraControl = record.cameraControl;
    settings.pulseGenerator = record.pulseGenerator;
    settings.baudRate = record.baudRate;
    return status;
}

}  // namespace grabber
