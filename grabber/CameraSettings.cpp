#include "grabber/CameraSettings.h"

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

}  // namespace

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
