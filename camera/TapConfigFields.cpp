#include "camera/TapConfigFields.h"

namespace tapconfig {

uint8_t& Field(TapConfig& config, size_t index) {
    uint8_t* const fields[kFieldKeys.size()] = {
        &config.channels,          &config.channelOrder,  &config.channelOutput, &config.channelDirection0,
        &config.channelDirection1, &config.taps,          &config.tapOutput,     &config.tapDirection0,
        &config.tapDirection1,     &config.tapDirection2, &config.tapDirection3};
    return *fields[index];
}

QString CellText(const CPropertyObject& property, uint8_t value) {
    if (property.type == PROPERTY_LIST) {
        const auto& options = static_cast<const CListProperty&>(property).options;
        return value < options.size() ? options[value] : QString();
    }
    return QString::number(value);
}

std::optional<uint8_t> CellValue(const CPropertyObject& property, const QString& text) {
    if (property.type == PROPERTY_LIST) {
        const qsizetype index = static_cast<const CListProperty&>(property).options.indexOf(text);
        if (index < 0)
            return std::nullopt;
        return uint8_t(index);
    }
    const auto number = propertyset::ReadInteger(text);
    if (!number)
        return std::nullopt;
    return uint8_t(*number);
}

std::optional<QString> BrokenTapRule(const TapConfig& c) {
    if (c.taps <= 4)
        return std::nullopt;
    if (c.channels > 1)
        return QStringLiteral("For number of taps greater then 4 number of channels must be 1");
    if (c.tapDirection0 || c.tapDirection1 || c.tapDirection2 || c.tapDirection3)
        return QStringLiteral("For number of taps greater then 4 all taps must be Left-to-Right");
    if (c.tapOutput != 0 && c.tapOutput != 2)
        return QStringLiteral(
            "For number of taps greater then 4 only Segmented or Interleaced outputs supported");
    return std::nullopt;
}

}  // namespace tapconfig
