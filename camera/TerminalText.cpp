#include "camera/TerminalText.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace terminal {

namespace {

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

bool isEscapeAt(QStringView text, qsizetype i) {
    return text[i] == u'\\' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
           hexDigit(text[i + 2]) >= 0;
}

QString escapeByte(unsigned char b) {
    if (b >= 0x20 && b <= 0x7E)
        return QString(QChar(b));
    return QStringLiteral("\\%1").arg(unsigned(b), 2, 16, QChar(u'0')).toUpper();
}

}  // namespace

QString Escape(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes)
        text += escapeByte(static_cast<unsigned char>(c));
    return text;
}

unsigned char ByteOfPair(QStringView pair) {
    if (pair.size() < 2)
        return 0xFF;
    return static_cast<unsigned char>(std::max(hexDigit(pair[0]), 0) * 16 + std::max(hexDigit(pair[1]), 0));
}

QString HexToEscaped(QStringView hex) {
    QString escaped;
    for (qsizetype i = 0; i < hex.size(); i += 3)
        escaped += escapeByte(ByteOfPair(hex.mid(i, std::min<qsizetype>(2, hex.size() - i))));
    return escaped;
}

QByteArray Unescape(QStringView escaped) {
    QByteArray bytes;
    bytes.reserve(escaped.size());
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        if (isEscapeAt(escaped, i)) {
            bytes += char(hexDigit(escaped[i + 1]) * 16 + hexDigit(escaped[i + 2]));
            i += 2;
        } else if (escaped[i].unicode() <= 0xFF) {
            bytes += char(escaped[i].unicode());
        } else {
            // A character no single byte holds goes whole rather than cut.
            qsizetype n = escaped[i].isHighSurrogate() && i + 1 < escaped.size() ? 2 : 1;
            bytes += escaped.mid(i, n).toUtf8();
            i += n - 1;
        }
    }
    return bytes;
}

QString RenderHex(QStringView escaped) {
    const QByteArray bytes = Unescape(escaped);
    QString text;
    text.reserve(bytes.size() * 3);
    for (char c : bytes)
        text +=
            QStringLiteral("%1 ").arg(unsigned(static_cast<unsigned char>(c)), 2, 16, QChar(u'0')).toUpper();
    return text;
}

QString RenderAscii(QStringView escaped) {
    QString text = escaped.toString();
    for (const char* lineEnd : {"\\0D\\0A", "\\0A", "\\0a", "\\0D", "\\0d"})
        text.replace(QLatin1StringView(lineEnd), QStringLiteral("\r\n"));
    return text;
}

QString ComposeSend(const QString& box, Mode sendMode, unsigned appendFlags, unsigned char otherByte) {
    if (sendMode == kHex)
        return HexToEscaped(box);
    QString escaped = box;
    const std::pair<unsigned, unsigned char> appends[] = {
        {kAppendCr, 0x0D}, {kAppendLf, 0x0A}, {kAppendNull, 0x00}, {kAppendOther, otherByte}};
    for (const auto& [flag, byte] : appends)
        if (appendFlags & flag)
            escaped += escapeByte(byte);
    return escaped;
}

void TerminalLog::Add(Direction direction, QString escaped) {
    entries_.push_back({direction, std::move(escaped)});
    while (entries_.size() > kMaxEntries)
        entries_.pop_front();
}

QString TerminalLog::Render(Mode sendMode, Mode receiveMode) const {
    struct Block {
        Direction direction;
        QString content;
    };
    std::vector<Block> blocks;
    for (const Entry& e : entries_) {
        if (e.direction == kSent || blocks.empty() || blocks.back().direction == kSent)
            blocks.push_back({e.direction, {}});
        blocks.back().content += e.text;
    }
    QString text;
    for (const Block& b : blocks) {
        if (!text.isEmpty())
            text += QStringLiteral("\r\n");
        const Mode mode = b.direction == kSent ? sendMode : receiveMode;
        text += b.direction == kSent ? u'>' : u'<';
        text += mode == kHex ? RenderHex(b.content) : RenderAscii(b.content);
    }
    return text;
}

bool ChunkInbox::Put(QByteArray chunk) {
    std::lock_guard lock(mutex_);
    chunks_.push_back(std::move(chunk));
    return chunks_.size() == 1;
}

std::vector<QByteArray> ChunkInbox::Take() {
    std::lock_guard lock(mutex_);
    return std::exchange(chunks_, {});
}

}  // namespace terminal
