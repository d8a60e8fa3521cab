#include "LogTestSupport.h"

#include <QStringDecoder>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace logtest {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "logtest-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

LogFile ReadLogFile(const std::filesystem::path& file) {
    const std::string bytes = ReadBytes(file);
    LogFile result;
    result.evenSize = bytes.size() % 2 == 0;
    result.startsWithMark = bytes.rfind("\xFF\xFE", 0) == 0;
    // Told to keep the first mark, the decoder shows every mark as U+FEFF.
    QStringDecoder decoder(QStringDecoder::Utf16LE, QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decoder(QByteArray(bytes.data(), qsizetype(bytes.size())));
    result.byteOrderMarks = int(text.count(QChar(0xFEFF)));
    QString body = text;
    body.remove(QChar(0xFEFF));
    result.endsWithLineEnd = body.endsWith(QStringLiteral("\r\n"));
    result.lines = body.split(QStringLiteral("\r\n"));
    if (!result.lines.isEmpty() && result.lines.back().isEmpty())
        result.lines.removeLast();
    return result;
}

}  // namespace logtest
