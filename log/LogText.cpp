#include "log/LogText.h"

#include <QString>
#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <new>

namespace logengine {

namespace {

std::string VFormat(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text(length > 0 ? size_t(length) : 0, '\0');
    if (length > 0)
        std::vsnprintf(text.data(), text.size() + 1, format, args);
    return text;
}

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = VFormat(format, args);
    va_end(args);
    return text;
}

}  // namespace

const char* SeverityName(uint32_t severity) {
    static constexpr const char* kNames[] = {"DEBUG", "TRACE",     "NOTICE",   "WARNING",
                                             "ERROR", "MANDATORY", "MANDATORY"};
    return severity <= kEngineRecord ? kNames[severity] : "bad severity";
}

std::string ShortenSourceFile(std::string_view path) {
    const size_t last = path.find_last_of("\\/");
    if (last == std::string_view::npos || last == 0)
        return std::string(path);
    const size_t previous = path.find_last_of("\\/", last - 1);
    if (previous == std::string_view::npos)
        return std::string(path);
    return std::string(path.substr(previous + 1));
}

std::string TruncateUtf16(std::string text, int maxChars) {
    QString wide = QString::fromUtf8(text.data(), qsizetype(text.size()));
    if (wide.size() <= maxChars)
        return text;
    wide.truncate(maxChars);
    if (!wide.isEmpty() && wide.back().isHighSurrogate())
        wide.chop(1);
    return wide.toStdString();
}

int Utf16Length(std::string_view text) {
    return int(QString::fromUtf8(text.data(), qsizetype(text.size())).size());
}

std::string FormatMessage(const char* format, ...) {
    try {
        va_list args;
        va_start(args, format);
        std::string text = VFormat(format, args);
        va_end(args);
        return TruncateUtf16(std::move(text), kMaxMessageChars);
    } catch (const std::bad_alloc&) {
        return "Can't prepare error message";
    }
}

std::string MakeTimeText(LogRecord& record) {
    timespec now{};
    tm local{};
    if (clock_gettime(CLOCK_REALTIME, &now) != 0 || localtime_r(&now.tv_sec, &local) == nullptr)
        return "error_data error_time";
    record.day = uint32_t(local.tm_mday);
    record.month = uint32_t(local.tm_mon + 1);
    record.year = uint32_t(local.tm_year + 1900);
    char text[64];
    std::snprintf(text, sizeof text, "%02d.%02d.%d %02d:%02d:%02d.%hu", local.tm_mday, local.tm_mon + 1,
                  local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<unsigned short>(now.tv_nsec / 1000000));
    return text;
}

std::string FormatLine(uint32_t detailLevel, const LogRecord& r, const LineContext& context) {
    const char* severity = SeverityName(r.severity);
    const char* file = r.sourceFile.c_str();
    const char* function = r.functionName.c_str();
    const char* message = r.message.c_str();
    const int line = int(r.line);
    std::string text;
    switch (detailLevel) {
        case 1:
            text = Printf("%s: %d; %s", severity, r.code, message);
            break;
        case 2:
            text = Printf("SV=%s; CD=%d; MSG=%s", severity, r.code, message);
            break;
        case 3:
            text =
                Printf("F=%s,%s,%d; SV=%s; CD=%d; MSG=%s", file, function, line, severity, r.code, message);
            break;
        case 4:
            text = Printf("{%" PRIX64 "}; ML=%d; PT=%d:%d; TM=%s; F=%s,%s,%d; SV=%s; CD=%d; MSG=%s",
                          context.recordId, Utf16Length(r.message), int(r.processId), int(r.threadId),
                          r.timeText.c_str(), file, function, line, severity, r.code, message);
            break;
        case 5:
            text = Printf("{%" PRIX64
                          "}; ML=%d; PT=%d:%d; NL=%d; TM=%s; MN=%s,%s; F=%s,%s,%d; SV=%s; CD=%d; MSG=%s",
                          context.recordId, Utf16Length(r.message), int(r.processId), int(r.threadId),
                          context.nestingLevel, r.timeText.c_str(), r.moduleName.c_str(),
                          r.componentTag.c_str(), file, function, line, severity, r.code, message);
            break;
        default:
            break;
    }
    return TruncateUtf16(std::move(text), kMaxLineChars);
}

}  // namespace logengine
