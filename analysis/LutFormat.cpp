#include "analysis/LutFormat.h"

#include <strings.h>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <string_view>

namespace lut {
namespace {

enum class Section { None, Header, Options, Red, Green, Blue, Table, Unknown };

bool GetLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

bool IsComment(std::string_view line) {
    return line.substr(0, 2) == "--";
}

bool IsBlank(std::string_view line) {
    for (const char c : line)
        if (!std::isspace(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// ":Table_R" before ":Table", which it contains.
Section SectionOf(std::string_view line) {
    const std::pair<const char*, Section> names[] = {
        {":Header", Section::Header}, {":Options", Section::Options}, {":Table_R", Section::Red},
        {":Table_G", Section::Green}, {":Table_B", Section::Blue},    {":Table", Section::Table}};
    for (const auto& [name, section] : names)
        if (line.find(name) != std::string_view::npos)
            return section;
    return Section::Unknown;
}

// A signed number with automatic base, as "%i" reads it: blanks, sign, digits.
// Answers the position after it, or null when there is no number. Values beyond
// 64 bits saturate, which the range check then rejects.
const char* ReadInteger(const char* text, int64_t& value) {
    char* end = nullptr;
    const long long number = std::strtoll(text, &end, 0);
    if (end == text)
        return nullptr;
    value = number;
    return end;
}

// "level,value": false when the line does not hold both numbers.
bool ReadEntry(const std::string& line, int64_t& level, int64_t& value) {
    const char* p = ReadInteger(line.c_str(), level);
    if (p == nullptr || *p != ',')
        return false;
    return ReadInteger(p + 1, value) != nullptr;
}

// One options line: only "depth" counts. False for a depth the program cannot use.
bool ApplyOption(const std::string& line, int& depth) {
    const size_t equals = line.find('=');
    const std::string key = line.substr(0, equals);
    if (strcasecmp(key.c_str(), "depth") != 0)
        return true;
    unsigned long long number = 1;
    if (equals != std::string::npos) {
        const std::string valueText = line.substr(equals + 1, line.find('=', equals + 1) - equals - 1);
        number = std::strtoull(valueText.c_str(), nullptr, 0);
    }
    for (const int allowed : kDepths) {
        if (number == static_cast<unsigned long long>(allowed)) {
            depth = allowed;
            return true;
        }
    }
    return false;
}

}  // namespace

LutParseResult ParseLut(std::istream& in) {
    ParsedLut lut;
    Section section = Section::None;
    std::string line;
    while (GetLine(in, line)) {
        if (IsComment(line))
            continue;
        if (!line.empty() && line[0] == ':') {
            section = SectionOf(line);
            continue;
        }
        if (section == Section::Options) {
            if (IsBlank(line))
                continue;
            if (!ApplyOption(line, lut.depth))
                return {std::nullopt, "Invalid Depth option"};
            continue;
        }
        if (section != Section::Red && section != Section::Green && section != Section::Blue &&
            section != Section::Table)
            continue;
        if (IsBlank(line))
            continue;
        int64_t level = 0, value = 0;
        const int64_t size = int64_t(1) << lut.depth;
        // Negative numbers pass the range check, but must fit the 32-bit tables.
        if (!ReadEntry(line, level, value) || level > size - 1 || value > size - 1 || level < INT32_MIN ||
            value < INT32_MIN)
            return {std::nullopt, "Invalid LUT entry:\n" + line};
        lut.entries.try_emplace(level, value);
        if (section == Section::Green) {
            lut.rgb = true;
            lut.entries.try_emplace(level + size, value);
        } else if (section == Section::Blue) {
            lut.entries.try_emplace(level + 2 * size, value);
        }
    }
    if (in.bad())
        return {std::nullopt, {}};
    const int64_t expected = (lut.rgb ? 3 : 1) * (int64_t(1) << lut.depth);
    const int64_t found = int64_t(lut.entries.size());
    if (found != expected)
        return {std::nullopt, "Lookup table size is incorrect\nExpected " + std::to_string(expected) +
                                  ", found " + std::to_string(found) + ": "};
    return {std::move(lut), {}};
}

std::string ReadLutHeader(std::istream& in) {
    std::string line;
    while (GetLine(in, line))
        if (line.find(":Header") != std::string::npos)
            break;
    std::string header;
    bool first = true;
    while (GetLine(in, line)) {
        if (!line.empty() && line[0] == ':')
            break;
        if (IsComment(line))
            continue;
        if (!first)
            header += "\r\n";
        first = false;
        header += line;
        if (!header.empty() && header.back() == ',')
            header.pop_back();
    }
    return header;
}

}  // namespace lut
