// The TapConfig fields as property-grid rows: field access by key, cell texts,
// and the rules for more than four taps.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "camera/PropertySet.h"
#include "zamgrb.h"

namespace tapconfig {

// Property keys of the eleven fields, in record order.
inline constexpr std::array<const char*, 11> kFieldKeys = {
    "channels",  "channelOrder",  "channelOutput", "channelDirection0", "channelDirection1", "taps",
    "tapOutput", "tapDirection0", "tapDirection1", "tapDirection2",     "tapDirection3"};

uint8_t& Field(TapConfig& config, size_t index);

// The cell text of a field value: the option of a list, the number otherwise;
// empty for a list value without an option.
QString CellText(const CPropertyObject& property, uint8_t value);
// The field value of a cell text: the index of the option equal to it (list) or
// the number it starts with, truncated to 8 bits; empty when it has neither.
std::optional<uint8_t> CellValue(const CPropertyObject& property, const QString& text);

// The message of the first rule for more than four taps that the configuration
// breaks; empty when it keeps them all.
std::optional<QString> BrokenTapRule(const TapConfig& config);

}  // namespace tapconfig
