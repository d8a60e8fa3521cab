#include <gtest/gtest.h>

#include <thread>

#include "camera/TerminalText.h"

using namespace terminal;

namespace {

TEST(TerminalText, WhatASendPutsOnTheWire) {
    struct Case {
        const char* box;
        Mode mode;
        unsigned append;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"abc", kAscii, kAppendCr, "abc\r"},
        {"\\1B", kAscii, 0, "\x1B"},
        {"\\zz\\4", kAscii, 0, "\\zz\\4"},  // no escape without two digits
        {"a", kAscii, kAppendCr | kAppendLf | kAppendNull | kAppendOther, QByteArray("a\r\n\0\x3B", 5)},
        {"1B 41 42 ", kHex, kAppendCr, "\x1B\x41\x42"},
        {"0a G1 4", kHex, 0, "\x0A\x01\xFF"},  // a non-digit counts 0, a lone digit is FF
        {"\u00E9\u20AC", kAscii, 0, "\xE9\xE2\x82\xAC"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Unescape(ComposeSend(QString::fromUtf8(c.box), c.mode, c.append, 0x3B)), c.bytes) << c.box;
    EXPECT_EQ(Escape("a\\\x7F\x20\x7E\x1F"), QStringLiteral("a\\\\7F ~\\1F"));
}

TEST(TerminalText, LogBlocksAndRenderings) {
    using E = std::pair<TerminalLog::Direction, const char*>;
    constexpr auto S = TerminalLog::kSent;
    constexpr auto R = TerminalLog::kReceived;
    struct Case {
        std::vector<E> entries;
        Mode send, receive;
        const char* text;
    };
    const Case cases[] = {
        {{{S, "abc\\0D"}}, kAscii, kAscii, ">abc\r\n"},
        {{{S, "\\1BAB"}}, kHex, kAscii, ">1B 41 42 "},
        {{{R, "a"}, {R, "b"}, {R, "c"}}, kAscii, kAscii, "<abc"},
        {{{R, "a"}, {S, "x"}, {R, "b"}, {R, "c"}}, kAscii, kHex, "<61 \r\n>x\r\n<62 63 "},
        {{{S, "x"}, {S, "y"}}, kAscii, kAscii, ">x\r\n>y"},
        {{{R, "x\\0D"}, {R, "\\0Ay\\0a\\0d\\1B"}}, kAscii, kAscii, "<x\r\ny\r\n\r\n\\1B"},
    };
    for (const Case& c : cases) {
        TerminalLog log;
        for (const auto& [direction, text] : c.entries)
            log.Add(direction, QString::fromLatin1(text));
        EXPECT_EQ(log.Render(c.send, c.receive), QString::fromLatin1(c.text)) << c.text;
    }
    TerminalLog log;
    for (int i = 0; i <= 30; ++i)
        log.Add(R, QString::number(i));
    ASSERT_EQ(log.entries().size(), 30u);
    EXPECT_EQ(log.entries().front().text, QStringLiteral("1"));
}

// Taken while another thread puts: each chunk once, in order; one wake-up per take.
TEST(TerminalText, InboxBetweenThreads) {
    ChunkInbox inbox;
    constexpr int kChunks = 2000;
    std::atomic<int> wakes{0};
    std::thread reader([&] {
        for (int i = 0; i < kChunks; ++i)
            wakes += inbox.Put(QByteArray::number(i)) ? 1 : 0;
    });
    int next = 0, takes = 0;
    while (next < kChunks) {
        const std::vector<QByteArray> chunks = inbox.Take();
        takes += chunks.empty() ? 0 : 1;
        for (const QByteArray& chunk : chunks)
            ASSERT_EQ(chunk.toInt(), next++);
    }
    reader.join();
    EXPECT_EQ(wakes.load(), takes);
}

}  // namespace
