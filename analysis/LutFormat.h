// The lookup-table text format: sections, the depth option, entries, the header.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <unordered_map>

namespace lut {

// Bit depths a file may declare and the program resamples to.
inline constexpr int kDepths[] = {8, 10, 12, 14, 16, 24, 48};
inline constexpr int kDefaultFileDepth = 12;

struct ParsedLut {
    int depth = kDefaultFileDepth;  // d: bits of the file's levels and values
    bool rgb = false;               // a ":Table_G" entry was read
    // Key -> value, first insertion wins. Green keys are offset by 2^d, blue by 2 x 2^d.
    std::unordered_map<int64_t, int64_t> entries;
};

struct LutParseResult {
    std::optional<ParsedLut> lut;
    std::string error;  // the message when `lut` is empty
};

// Parses a whole file, stopping at the first error. Lines end at '\n'; a '\r' before
// it is part of the line end.
LutParseResult ParseLut(std::istream& in);

// The header as the settings dialog shows it: the lines after the first line holding
// ":Header" up to the next ':' line, comments left out, joined with "\r\n", a ','
// ending the text removed after each line.
std::string ReadLutHeader(std::istream& in);

}  // namespace lut
