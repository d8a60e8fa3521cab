// The fields of a camera file: one table of names shared by the XML form and
// the older text form, and their conversion to and from text.
#ifndef ZAMGRB_IMAGE_CAMERA_FILE_FIELDS_H
#define ZAMGRB_IMAGE_CAMERA_FILE_FIELDS_H

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "zamgrb.h"

namespace zamgrb::image {

// Names of the four texts, in record order.
constexpr std::array<const char*, 4> kTextNames = {"Manufacturer", "Model", "Description", "Alias"};

// A camera file's content before it is handed to the caller.
struct CameraFileContent {
    CameraFileRecord record;              // every value field; text slots and table slots untouched
    std::array<std::u16string, 4> texts;  // manufacturer, model, description, alias
};

struct FieldInfo {
    const char* name;
    enum Kind { Bytes8, U8, I8, U16, U32, F64 } kind;
    size_t offset;  // within CameraFileRecord
};

// Every value field of the record, in record order.
const std::array<FieldInfo, 46>& cameraFileFields();

std::string formatField(const FieldInfo& field, const CameraFileRecord& record);
// False when the text is not a whole, in-range value of the field's kind.
bool parseField(const FieldInfo& field, std::string_view text, CameraFileRecord& record);

// The text slot of a record as a string (up to its count or first zero).
std::u16string textOf(const CameraFileText& slot);
// Copies the content into the record handed to a load: the value fields, the
// texts into their buffers (cut to the buffer), lookup-table slots emptied.
void deliver(const CameraFileContent& content, CameraFileRecord& record);

// UTF-16 <-> UTF-8; unpaired surrogates become U+FFFD. Decoding answers empty
// for malformed UTF-8.
std::string toUtf8(const std::u16string& text);
std::optional<std::u16string> fromUtf8(std::string_view text);

}  // namespace zamgrb::image

#endif
