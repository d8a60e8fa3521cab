// The terminal's text rules, without a window: the escaped form of byte
// sequences (printable bytes as themselves, others as a backslash and two
// upper-case hex digits), the hex text of the send box, what a send puts on the
// wire, and the log of the last exchanges with its block rendering.
#pragma once

#include <QByteArray>
#include <QString>
#include <deque>
#include <mutex>
#include <vector>

namespace terminal {

enum Mode { kAscii = 0, kHex = 1 };

// Append flags of the send group, and their bytes.
enum Append : unsigned { kAppendOther = 1, kAppendNull = 2, kAppendLf = 4, kAppendCr = 8 };
inline constexpr unsigned char kDefaultOtherByte = 0x3B;

// Printable bytes (0x20..0x7E) stand for themselves, every other one is "\XX".
QString Escape(const QByteArray& bytes);

// The byte of a pair of hex digits; a character that is no digit counts 0, and a
// pair with fewer than two characters is 0xFF.
unsigned char ByteOfPair(QStringView pair);

// Hex text as the send box holds it ("1B 41 42 "): every group of three
// characters is a pair and its separator. Answers the escaped text.
QString HexToEscaped(QStringView hex);

// The bytes of escaped text: "\XX" with two hex digits is that byte, any other
// character its own code (characters beyond one byte go as UTF-8).
QByteArray Unescape(QStringView escaped);

// Every byte as "%02X ".
QString RenderHex(QStringView escaped);
// Line ends ("\0D\0A", "\0A", "\0a", "\0D", "\0d") as CR LF; other escapes stay.
QString RenderAscii(QStringView escaped);

// The escaped text a send puts on the wire: in hex mode the pairs of the box; in
// ASCII mode the text as typed followed by the ticked append bytes in the order
// CR, LF, NULL, Other.
QString ComposeSend(const QString& box, Mode sendMode, unsigned appendFlags, unsigned char otherByte);

// The last exchanges, oldest first, and the text the log box shows.
class TerminalLog {
public:
    static constexpr size_t kMaxEntries = 30;
    enum Direction { kSent, kReceived };
    struct Entry {
        Direction direction;
        QString text;  // escaped
    };

    // Adds an entry; the oldest go while more than kMaxEntries are held.
    void Add(Direction direction, QString escaped);
    void Clear() { entries_.clear(); }
    const std::deque<Entry>& entries() const { return entries_; }

    // Blocks: each sent entry starts one ("\r\n>" after the first); a received
    // entry starts one ("<") after a sent entry, else joins the block before it.
    // Each block is rendered in the mode of its direction.
    QString Render(Mode sendMode, Mode receiveMode) const;

private:
    std::deque<Entry> entries_;
};

// Chunks another thread hands over, taken all at once by the user-interface
// thread: however fast they come, one wake-up per take.
class ChunkInbox {
public:
    // True when the inbox was empty: the taker must be woken.
    bool Put(QByteArray chunk);
    std::vector<QByteArray> Take();

private:
    std::mutex mutex_;
    std::vector<QByteArray> chunks_;
};

}  // namespace terminal
