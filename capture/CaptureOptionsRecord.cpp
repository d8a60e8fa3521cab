#include "capture/CaptureOptionsRecord.h"

#include <algorithm>

namespace capture {

QString GetText(const RecordText& field) {
    const auto end = std::find(std::begin(field), std::end(field), u'\0');
    return QString::fromUtf16(field, end - std::begin(field));
}

bool SetText(RecordText& field, QStringView text) {
    if (size_t(text.size()) >= kRecordTextChars)
        return false;
    const auto end = std::copy(text.utf16(), text.utf16() + text.size(), std::begin(field));
    std::fill(end, std::end(field), u'\0');
    return true;
}

}  // namespace capture
