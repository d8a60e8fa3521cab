// The JSON description of the emulated machine (schema in README.md).
#include <cstdio>
#include <nlohmann/json.hpp>
#include <set>
#include <stdexcept>
#include <string_view>

#include "TapGeometry.h"
#include "machine.h"

namespace zamgrb {

namespace {

using nlohmann::json;

// A fault in the description, with the JSON pointer of the value at fault.
struct SchemaError : std::runtime_error {
    std::string where;
    SchemaError(std::string w, const std::string& reason) : std::runtime_error(reason), where(std::move(w)) {}
};

// Reads the members of one JSON object; every member must be known.
class Reader {
public:
    Reader(const json& node, std::string path) : node_(node), path_(std::move(path)) {
        if (!node_.is_object())
            fail("expected an object");
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    // Rejects members that no reader asked for (usually a misspelling); called once
    // every member has been read.
    void finish() const {
        for (auto it = node_.begin(); it != node_.end(); ++it)
            if (!seen_.contains(it.key()))
                throw SchemaError(path_ + "/" + it.key(), "unknown member");
    }

    const json* find(const std::string& key) {
        seen_.insert(key);
        auto it = node_.find(key);
        return it == node_.end() || it->is_null() ? nullptr : &*it;
    }
    std::string at(const std::string& key) const { return path_ + "/" + key; }
    [[noreturn]] void fail(const std::string& reason) const { throw SchemaError(path_, reason); }

    void boolean(const std::string& key, bool& out) {
        if (const json* v = find(key)) {
            if (!v->is_boolean())
                throw SchemaError(at(key), "expected true or false");
            out = v->get<bool>();
        }
    }
    template <typename T>
    void unsignedNumber(const std::string& key, T& out, uint64_t min, uint64_t max) {
        if (const json* v = find(key))
            out = static_cast<T>(readUnsigned(*v, at(key), min, max));
    }
    void number(const std::string& key, double& out, double min, double max) {
        if (const json* v = find(key)) {
            if (!v->is_number() || v->get<double>() < min || v->get<double>() > max)
                throw SchemaError(
                    at(key), "expected a number from " + std::to_string(min) + " to " + std::to_string(max));
            out = v->get<double>();
        }
    }
    void text(const std::string& key, std::string& out) {
        if (const json* v = find(key)) {
            if (!v->is_string())
                throw SchemaError(at(key), "expected a string");
            out = v->get<std::string>();
        }
    }

    static uint64_t readUnsigned(const json& v, const std::string& where, uint64_t min, uint64_t max) {
        uint64_t value = 0;
        if (v.is_number_unsigned()) {
            value = v.get<uint64_t>();
        } else if (v.is_string()) {  // large ids read better in hexadecimal: "0x..."
            const std::string s = v.get<std::string>();
            size_t used = 0;
            try {
                // stoull takes blanks and a sign, and wraps "-1" to the largest value.
                if (!s.empty() && s[0] >= '0' && s[0] <= '9')
                    value = std::stoull(s, &used, 0);
            } catch (const std::exception&) {
                used = 0;
            }
            if (used == 0 || used != s.size())
                throw SchemaError(where, "expected an unsigned number");
        } else {
            throw SchemaError(where, "expected an unsigned number");
        }
        if (value < min || value > max)
            throw SchemaError(where,
                              "expected a value from " + std::to_string(min) + " to " + std::to_string(max));
        return value;
    }

private:
    const json& node_;
    std::string path_;
    std::set<std::string> seen_;
};

Extent readExtent(const json& node, const std::string& path, Extent e) {
    Reader r(node, path);
    r.unsignedNumber("pre", e.pre, 0, 65535);
    r.unsignedNumber("valid", e.valid, 1, 65535);
    r.unsignedNumber("post", e.post, 0, 65535);
    r.finish();
    return e;
}

TapConfig readTapConfig(const json& node, const std::string& path) {
    Reader r(node, path);
    TapConfig t{};
    r.unsignedNumber("channels", t.channels, 1, 2);
    r.unsignedNumber("channelOrder", t.channelOrder, 0, 1);
    r.unsignedNumber("channelOutput", t.channelOutput, 0, 1);
    r.unsignedNumber("channelDirection0", t.channelDirection0, 0, 1);
    r.unsignedNumber("channelDirection1", t.channelDirection1, 0, 1);
    r.unsignedNumber("taps", t.taps, 1, 10);
    r.unsignedNumber("tapOutput", t.tapOutput, 0, 2);
    r.unsignedNumber("tapDirection0", t.tapDirection0, 0, 1);
    r.unsignedNumber("tapDirection1", t.tapDirection1, 0, 1);
    r.unsignedNumber("tapDirection2", t.tapDirection2, 0, 1);
    r.unsignedNumber("tapDirection3", t.tapDirection3, 0, 1);
    r.finish();
    if (t.channels == 0)
        t.channels = 1;
    if (t.taps == 0)
        t.taps = 1;
    return t;
}

PictureSource readSource(const json& v, const std::string& path) {
    if (!v.is_string())
        throw SchemaError(path, "expected \"moving\", \"ramp\" or \"image:<path>\"");
    const std::string s = v.get<std::string>();
    if (s == "moving")
        return {PictureSource::Kind::Moving, {}};
    if (s == "ramp")
        return {PictureSource::Kind::Ramp, {}};
    if (s.rfind("image:", 0) == 0 && s.size() > 6)
        return {PictureSource::Kind::Image, s.substr(6)};
    throw SchemaError(path, "expected \"moving\", \"ramp\" or \"image:<path>\"");
}

SimCamera readCamera(const json& node, const std::string& path) {
    Reader r(node, path);
    SimCamera c;
    r.text("model", c.model);
    if (const json* v = r.find("width"))
        c.width = readExtent(*v, r.at("width"), c.width);
    if (const json* v = r.find("height"))
        c.height = readExtent(*v, r.at("height"), c.height);
    r.unsignedNumber("bitDepth", c.bitDepth, 1, 36);
    const json* format = r.find("tapFormat");
    const json* custom = r.find("tapConfig");
    if (format && custom)
        r.fail("give either tapFormat or tapConfig");
    if (format)
        SetTapFormat(uint32_t(Reader::readUnsigned(*format, r.at("tapFormat"), 1, 18)), &c.tapConfig);
    if (custom)
        c.tapConfig = readTapConfig(*custom, r.at("tapConfig"));
    if (const json* v = r.find("color")) {
        const std::string s = v->is_string() ? v->get<std::string>() : "";
        if (s == "mono")
            c.color = ColorKind::Mono;
        else if (s == "bayer")
            c.color = ColorKind::Bayer;
        else if (s == "truesense")
            c.color = ColorKind::TrueSense;
        else if (s == "rgb")
            c.color = ColorKind::Rgb;
        else
            throw SchemaError(r.at("color"), "expected \"mono\", \"bayer\", \"truesense\" or \"rgb\"");
    }
    r.unsignedNumber("patternStart", c.patternStart, 0, c.color == ColorKind::TrueSense ? 15 : 3);
    r.number("pixelClockMHz", c.pixelClockMHz, 1.0, 1000.0);
    r.unsignedNumber("framePeriodUs", c.framePeriodUs, 0, 100'000'000);
    r.boolean("trigger", c.triggerMode);
    if (const json* v = r.find("source"))
        c.source = readSource(*v, r.at("source"));
    r.unsignedNumber("exposure", c.exposure, 0, 100);
    if (const json* v = r.find("badFrames")) {
        if (!v->is_array())
            throw SchemaError(r.at("badFrames"), "expected an array of frame indexes");
        for (size_t i = 0; i < v->size(); ++i)
            c.badFrames.push_back(
                Reader::readUnsigned((*v)[i], r.at("badFrames") + "/" + std::to_string(i), 0, UINT64_MAX));
    }
    if (const json* v = r.find("unplugAfterFrames"))
        c.unplugAfterFrames = Reader::readUnsigned(*v, r.at("unplugAfterFrames"), 0, UINT64_MAX);

    const bool rgb = c.color == ColorKind::Rgb;
    if (rgb != (c.bitDepth > 16))
        r.fail("RGB cameras have 24, 30 or 36 bits, the others 16 or fewer");
    if (rgb && c.bitDepth % 3)
        r.fail("an RGB bit depth must be three times the bits per colour");
    const TapConfig& t = c.tapConfig;
    if (c.width.pre % t.taps || c.width.valid % t.taps || c.width.post % t.taps)
        r.fail("the widths must be multiples of the taps");
    if (!TapGeometry::create(t, c.width.valid, c.height.valid))
        r.fail("the tap geometry does not fit the camera");
    if (c.height.pre % t.channels || c.height.valid % t.channels || c.height.post % t.channels)
        r.fail("the heights must be multiples of the channels");
    r.finish();
    return c;
}

SimCard readCard(const json& node, const std::string& path, size_t index) {
    Reader r(node, path);
    SimCard card;
    card.id = 0x4B56'0001'0000'0001ull + index;
    card.location = "PCI bus " + std::to_string(2 + index) + ", device 0, function 0";
    r.unsignedNumber("id", card.id, 1, UINT64_MAX);
    r.text("location", card.location);
    if (const json* v = r.find("firmware")) {
        unsigned a, b, c, d;
        char end;
        if (!v->is_string() ||
            std::sscanf(v->get<std::string>().c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &end) != 4 ||
            a > 255 || b > 255 || c > 255 || d > 255)
            throw SchemaError(r.at("firmware"), "expected four numbers 0..255 such as \"0.2.1.0\"");
        card.firmware = (a << 24) | (b << 16) | (c << 8) | d;
    }
    if (const json* v = r.find("firmwareImage")) {
        const std::string s = v->is_string() ? v->get<std::string>() : "";
        if (s == "application")
            card.firmwareImage = ZAMGRB_IMAGE_APPLICATION;
        else if (s == "factory")
            card.firmwareImage = ZAMGRB_IMAGE_FACTORY;
        else
            throw SchemaError(r.at("firmwareImage"), "expected \"application\" or \"factory\"");
    }
    if (const json* v = r.find("link")) {
        Reader link(*v, r.at("link"));
        link.unsignedNumber("lanes", card.lanes, 1, 16);
        link.unsignedNumber("speedCode", card.speedCode, 1, 4);
        link.unsignedNumber("maxPayloadRequested", card.maxPayloadRequested, 128, 4096);
        link.unsignedNumber("maxPayload", card.maxPayload, 128, 4096);
        link.number("payloadEfficiency", card.payloadEfficiency, 0.01, 1.0);
        link.finish();
    }
    r.boolean("fullDeca", card.fullDeca);
    r.boolean("openable", card.openable);
    r.boolean("measuresSignal", card.measuresSignal);
    r.unsignedNumber("bufferMemory", card.bufferMemory, 0, UINT64_MAX);
    if (const json* v = r.find("channels")) {
        if (!v->is_array() || v->size() > 2)
            throw SchemaError(r.at("channels"), "expected an array of two channels");
        for (size_t i = 0; i < 2; ++i)
            card.channels[i] = {};
        for (size_t i = 0; i < v->size(); ++i) {
            Reader ch((*v)[i], r.at("channels") + "/" + std::to_string(i));
            ch.boolean("ownedByOtherProgram", card.channels[i].ownedByOtherProgram);
            if (const json* cam = ch.find("camera"))
                card.channels[i].camera = readCamera(*cam, ch.at("camera"));
            ch.finish();
        }
    }
    r.finish();
    return card;
}

// Where and why a text stops being JSON. The exception of a parse keeps the position
// only for syntax errors, not for a number beyond the range of a double (1e400).
class SyntaxLocator : public nlohmann::json_sax<json> {
public:
    size_t byte = 0;
    std::string reason;

    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override { return true; }
    bool key(string_t&) override { return true; }
    bool end_object() override { return true; }
    bool start_array(std::size_t) override { return true; }
    bool end_array() override { return true; }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& e) override {
        byte = position;
        // Keep the reason only: drop "[json.exception...] " and "parse error at line L, column C: ".
        std::string_view text = e.what();
        if (size_t end = text.find("] "); end != std::string_view::npos)
            text.remove_prefix(end + 2);
        if (text.starts_with("parse error"))
            if (size_t colon = text.find(": "); colon != std::string_view::npos)
                text.remove_prefix(colon + 2);
        reason = text;
        return false;
    }
};

// "line L, column C" of a byte offset, for parse errors.
std::string lineAndColumn(const std::string& text, size_t byte) {
    size_t line = 1, column = 1;
    for (size_t i = 0; i < byte && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

}  // namespace

std::optional<Machine> parseMachine(const std::string& text, std::string& error) {
    const json root = json::parse(text, nullptr, /*allow_exceptions=*/false);
    if (root.is_discarded()) {
        SyntaxLocator where;
        json::sax_parse(text, &where);
        error = lineAndColumn(text, where.byte == 0 ? 0 : where.byte - 1) + ": " + where.reason;
        return std::nullopt;
    }
    try {
        Machine m;
        Reader r(root, "");
        const json* cards = r.find("cards");
        if (!cards || !cards->is_array())
            throw SchemaError("/cards", "expected an array of cards");
        r.finish();
        for (size_t i = 0; i < cards->size(); ++i)
            m.cards.push_back(readCard((*cards)[i], "/cards/" + std::to_string(i), i));
        for (size_t i = 0; i < m.cards.size(); ++i)
            for (size_t j = 0; j < i; ++j)
                if (m.cards[i].id == m.cards[j].id)
                    throw SchemaError("/cards/" + std::to_string(i) + "/id", "two cards have the same id");
        return m;
    } catch (const SchemaError& e) {
        error = "at " + (e.where.empty() ? std::string("/") : e.where) + ": " + e.what();
    } catch (const json::exception& e) {
        error = e.what();
    }
    return std::nullopt;
}

}  // namespace zamgrb
