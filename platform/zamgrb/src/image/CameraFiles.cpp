// LoadCameraFile / SaveCameraFile: .cxf as XML, the older .cam text form read only.
// A load parses the whole file into a staging copy and touches the caller's
// record only when every field was read.
#include <pugixml.hpp>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "CameraFileFields.h"
#include "TemporaryFile.h"
#include "zamgrb.h"

using namespace zamgrb::image;

namespace {

constexpr size_t kMaxFileBytes = 1 << 20;
constexpr const char* kRoot = "CameraFile";
constexpr std::string_view kCamSignature = "[Glintrail Camera]";

bool hasCamExtension(std::string_view path) {
    if (path.size() < 4)
        return false;
    std::string ext(path.substr(path.size() - 4));
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return ext == ".cam";
}

std::optional<std::string> readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::string bytes;
    char chunk[16384];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.append(chunk, size_t(in.gcount()));
        if (bytes.size() > kMaxFileBytes)
            return {};
    }
    if (in.bad())
        return {};
    return bytes;
}

bool parseXml(const std::string& bytes, CameraFileContent& content) {
    pugi::xml_document doc;
    // Keep texts exactly: no line-end folding, whitespace-only texts kept.
    const unsigned options = (pugi::parse_default & ~pugi::parse_eol) | pugi::parse_ws_pcdata;
    if (!doc.load_buffer(bytes.data(), bytes.size(), options, pugi::encoding_utf8))
        return false;
    const pugi::xml_node root = doc.child(kRoot);
    if (!root)
        return false;
    for (size_t i = 0; i < kTextNames.size(); ++i) {
        const pugi::xml_node node = root.child(kTextNames[i]);
        if (!node)
            return false;
        auto text = fromUtf8(node.child_value());
        if (!text)
            return false;
        content.texts[i] = std::move(*text);
    }
    for (const FieldInfo& field : cameraFileFields()) {
        const pugi::xml_node node = root.child(field.name);
        if (!node || !parseField(field, node.child_value(), content.record))
            return false;
    }
    return true;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// Texts in the .cam form escape backslash, line feed, carriage return and tab.
std::optional<std::string> unescape(std::string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        if (++i == s.size())
            return {};
        switch (s[i]) {
            case '\\':
                out += '\\';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            default:
                return {};
        }
    }
    return out;
}

bool parseCam(std::string_view bytes, CameraFileContent& content) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    std::map<std::string, std::string, std::less<>> values;
    bool signature = false;
    while (!bytes.empty()) {
        const size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::string_view bare = trim(line);
        if (bare.empty() || bare.front() == '#' || bare.front() == ';')
            continue;
        if (!signature) {
            if (bare != kCamSignature)
                return false;
            signature = true;
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return false;
        const std::string key(trim(line.substr(0, equals)));
        if (!values.emplace(key, std::string(line.substr(equals + 1))).second)
            return false;
    }
    if (!signature)
        return false;
    for (size_t i = 0; i < kTextNames.size(); ++i) {
        const auto it = values.find(kTextNames[i]);
        if (it == values.end())
            continue;  // an absent text is empty
        const auto raw = unescape(trim(it->second));
        const auto text = raw ? fromUtf8(*raw) : std::nullopt;
        if (!text)
            return false;
        content.texts[i] = *text;
        values.erase(it);
    }
    for (const FieldInfo& field : cameraFileFields()) {
        const auto it = values.find(field.name);
        if (it == values.end() || !parseField(field, trim(it->second), content.record))
            return false;
        values.erase(it);
    }
    return values.empty();  // an unknown key is an error, not something to skip silently
}

std::string toXml(const CameraFileRecord& record) {
    pugi::xml_document doc;
    auto declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node root = doc.append_child(kRoot);
    root.append_attribute("version") = 1;
    const std::array<CameraFileText, 4> slots = {record.manufacturer, record.model, record.description,
                                                 record.alias};
    for (size_t i = 0; i < slots.size(); ++i)
        root.append_child(kTextNames[i]).text().set(toUtf8(textOf(slots[i])).c_str());
    for (const FieldInfo& field : cameraFileFields())
        root.append_child(field.name).text().set(formatField(field, record).c_str());
    std::ostringstream out;
    doc.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

}  // namespace

uint32_t LoadCameraFile(const char* path, CameraFileRecord* record) {
    if (!path || !record)
        return ZAMGRB_INVALID_ARGUMENT;
    try {
        const auto bytes = readFile(path);
        if (!bytes)
            return ZAMGRB_FAILED;
        CameraFileContent content{*record, {}};
        if (!(hasCamExtension(path) ? parseCam(*bytes, content) : parseXml(*bytes, content)))
            return ZAMGRB_FAILED;
        deliver(content, *record);
    } catch (const std::bad_alloc&) {
        return ZAMGRB_NO_BUFFERS;
    }
    return ZAMGRB_OK;
}

uint32_t SaveCameraFile(const char* path, const CameraFileRecord* record) {
    if (!path || !record || hasCamExtension(path))
        return ZAMGRB_INVALID_ARGUMENT;
    try {
        const std::string xml = toXml(*record);
        auto out = TemporaryFile::create(path);
        if (!out || !out->write(xml.data(), xml.size()) || !out->commit())
            return ZAMGRB_FAILED;
    } catch (const std::bad_alloc&) {
        return ZAMGRB_NO_BUFFERS;
    }
    return ZAMGRB_OK;
}
