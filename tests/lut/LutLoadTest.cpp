#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <sstream>

#include "LutCommands.h"

using namespace lut;
using luttest::Join;
using luttest::Table;

namespace {

const auto identity = [](int i) { return i; };
const auto inverted8 = [](int i) { return 255 - i; };

struct LoadCase {
    const char* name;
    std::vector<std::string> lines;
    std::string message;  // empty: none, and the file loads
};

std::vector<std::string> Ramp(const char* section, int last) {
    return Table(section, 0, last, identity);
}

std::vector<LoadCase> LoadCases() {
    const auto o8 = std::vector<std::string>{":Options", "depth=8"};
    const std::string size = "Lookup table size is incorrect\nExpected ", entry = "Invalid LUT entry:\n";
    return {
        {"mono 256", Join({o8, Ramp(":Table", 255)}), ""},
        {"mono 255", Join({o8, Ramp(":Table", 254)}), size + "256, found 255: "},
        {"rgb 768", Join({o8, Ramp(":Table_R", 255), Ramp(":Table_G", 255), Ramp(":Table_B", 255)}), ""},
        {"rgb without blue", Join({o8, Ramp(":Table_R", 255), Ramp(":Table_G", 255)}),
         size + "768, found 512: "},
        {"duplicate after every level", Join({o8, Ramp(":Table", 255), {"7,99"}}), ""},
        {"duplicate instead of one level", Join({o8, Ramp(":Table", 254), {"7,99"}}),
         size + "256, found 255: "},
        {"depth 9", {":Options", "depth=9"}, "Invalid Depth option"},
        {"Depth 10", Join({{":Options", "Depth=10"}, Ramp(":Table", 1023)}), ""},
        {"depth in hex", Join({{":Options", "DEPTH=0x8"}, Ramp(":Table", 255)}), ""},
        {"depth with blank key", {":Options", "depth =8"}, size + "4096, found 0: "},
        {"depth without value", {":Options", "depth"}, "Invalid Depth option"},
        {"comment looking like a section", Join({o8, {":Table"}, {"--:Table_G"}, Ramp("-- first half", 255)}),
         ""},
        {"entry above the depth", Join({o8, {":Table", "3,256"}}), entry + "3,256"},
        {"level above the depth", Join({o8, {":Table", "0x100,1"}}), entry + "0x100,1"},
        {"not two numbers", Join({o8, {":Table", "12;13"}}), entry + "12;13"},
        {"huge number", Join({o8, {":Table", "1,99999999999999999999999"}}),
         entry + "1,99999999999999999999999"},
        // Entries are checked against the depth in force when read: 12 bits here.
        {"options after the tables", Join({Table(":Table", 0, 255, [](int) { return 4095; }), o8}), ""},
        {"options after a bad table", Join({Table(":Table", 0, 255, [](int) { return 4096; }), o8}),
         entry + "0,4096"},
        {"blank lines and unknown sections",
         Join({{"anything before", ":Header", "9,9,9", ":Whatever", "x,y", ":Options", "", "  ", "depth=8",
                "colour=1"},
               Ramp(":Table", 255),
               {""}}),
         ""},
    };
}

using LutLoad = LutCommands;

TEST_F(LutLoad, FormatCases) {
    for (const auto& c : LoadCases()) {
        SCOPED_TRACE(c.name);
        messages_.clear();
        LutController controller = Make();
        EXPECT_EQ(controller.LoadLut(files_.Write("case.lut", c.lines)), c.message.empty());
        EXPECT_EQ(messages_,
                  c.message.empty() ? QStringList{} : QStringList{QString::fromStdString(c.message)});
        EXPECT_EQ(controller.tables() != nullptr, c.message.empty());
    }
}

TEST_F(LutLoad, MissingOrEmptyPathFailsSilently) {
    LutController controller = Make();
    EXPECT_FALSE(controller.LoadLut({}));
    EXPECT_FALSE(controller.LoadLut(files_.Missing()));
    EXPECT_TRUE(controller.fileName().isEmpty());  // an unknown path is not taken
    const QString folder = QFileInfo(files_.Missing()).path();
    EXPECT_FALSE(controller.LoadLut(folder));
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(LutLoad, ResamplesTwelveBitsToEveryDepth) {
    LutController controller = Make();
    ASSERT_TRUE(controller.LoadLut(files_.Write("ramp12.lut", Ramp(":Table", 4095))));
    const auto tables = controller.tables();
    for (const int depth : {8, 10, 12, 14, 16}) {
        SCOPED_TRACE(depth);
        const LutTable* t = tables->Find(depth);
        ASSERT_NE(t, nullptr);
        ASSERT_EQ(t->levels.size(), size_t(1) << depth);
        for (size_t i = 0; i < t->levels.size(); ++i) {
            ASSERT_EQ(t->levels[i], int32_t(i));
            // The identity stays the identity at every depth, with the low bits cut when growing.
            const int32_t expected = depth >= 12 ? int32_t(i >> (depth - 12) << (depth - 12)) : int32_t(i);
            ASSERT_EQ(t->values[i], expected) << i;
        }
    }
    for (const int depth : {24, 48}) {
        const LutTable* t = tables->Find(depth);
        ASSERT_EQ(t->levels.size(), 3u << (depth / 3));
        EXPECT_EQ(t->values[(1u << (depth / 3)) + 80], 80);  // green uses the same table
    }
}

TEST_F(LutLoad, TwelveToEightReadsEverySixteenthEntryTwelveToSixteenRepeats) {
    LutController controller = Make();
    ASSERT_TRUE(controller.LoadLut(
        files_.Write("inv12.lut", Table(":Table", 0, 4095, [](int i) { return 4095 - i; }))));
    const LutTable* t8 = controller.tables()->Find(8);
    // Key 16 i, value divided by 16.
    for (int i : {0, 1, 100, 255})
        EXPECT_EQ(t8->values[size_t(i)], (4095 - 16 * i) / 16) << i;
    const LutTable* t16 = controller.tables()->Find(16);
    for (int i : {0, 15, 16, 65535})
        EXPECT_EQ(t16->values[size_t(i)], (4095 - i / 16) * 16) << i;
}

TEST_F(LutLoad, RgbFileHasNoMonochromeTables) {
    LutController controller = Make();
    const auto triple = Join({{":Options", "depth=8"},
                              Ramp(":Table_R", 255),
                              Table(":Table_G", 0, 255, inverted8),
                              Table(":Table_B", 0, 255, [](int) { return 7; })});
    ASSERT_TRUE(controller.LoadLut(files_.Write("rgb.lut", triple)));
    // Held like a queued frame holds it: the toggle below loads the file again.
    const auto tables = controller.tables();
    for (const int depth : {8, 10, 12, 14, 16})
        EXPECT_TRUE(tables->Find(depth)->empty());
    const LutTable* t24 = tables->Find(24);
    ASSERT_EQ(t24->values.size(), 768u);
    EXPECT_EQ(t24->values[10], 10);
    EXPECT_EQ(t24->values[256 + 10], 245);
    EXPECT_EQ(t24->values[512 + 10], 7);
    const LutTable* t48 = tables->Find(48);
    EXPECT_EQ(t48->values[65536 + 256 * 10], 245 * 256);

    // A monochrome image gets nothing; a colour image gets the three channels.
    controller.OnToggleLut();
    ASSERT_TRUE(controller.useLut());
    EXPECT_EQ(levels(), nullptr);
    description_.config.bitDepth = 24;
    controller.AttachLut();
    EXPECT_EQ(values(), controller.tables()->Find(24)->values.data());
    EXPECT_EQ(values()[256 + 10], 245);
}

TEST_F(LutLoad, GreenBeforeRedGivesRedTheGreenValues) {
    LutController controller = Make();
    const auto swapped = Join({{":Options", "depth=8"},
                               Table(":Table_G", 0, 255, inverted8),
                               Ramp(":Table_R", 255),
                               Table(":Table_B", 0, 255, identity)});
    ASSERT_TRUE(controller.LoadLut(files_.Write("gr.lut", swapped)));
    const LutTable* t24 = controller.tables()->Find(24);
    EXPECT_EQ(t24->values[3], 252);
    EXPECT_EQ(t24->values[256 + 3], 252);
}

TEST_F(LutLoad, HeaderAsTheDialogShowsIt) {
    const std::pair<std::string, std::string> cases[] = {
        {"x\n:Header\nGamma 0.45,\n-- hidden\n12 bits,,\n:Options\nafter", "Gamma 0.45\r\n12 bits,"},
        {":Options\ndepth=8\n", ""},
        {"-- about\n:Header\r\none\r\n", "one"},
        {":Header\n\n,\nlast", "\r\n\r\nlast"},
    };
    for (const auto& [text, header] : cases) {
        std::istringstream in(text);
        EXPECT_EQ(ReadLutHeader(in), header) << text;
    }
}

TEST_F(LutLoad, ShippedGammaTableLoads) {
    const QString path = QStringLiteral(GLINTRAIL_BUILD_DIR "/LUT/gamma_45.LUT");
    EXPECT_EQ(LutController::DefaultFileName(QStringLiteral(GLINTRAIL_BUILD_DIR "/bin/glintrail-express")),
              path);
    LutController controller = Make();
    ASSERT_TRUE(controller.LoadLut(path));
    const LutTable* t12 = controller.tables()->Find(12);
    EXPECT_EQ(t12->values[0], 0);
    EXPECT_EQ(t12->values[4095], 4095);
    EXPECT_EQ(t12->values[2048], 2998);  // 4095 x (2048 / 4095)^0.45
    for (size_t i = 1; i < 4096; ++i)
        ASSERT_GE(t12->values[i], t12->values[i - 1]);
}

TEST(LutDefaultPath, FolderAboveTheProgramsFolder) {
    EXPECT_EQ(LutController::DefaultFileName("/opt/ge/bin/prog"), "/opt/ge/LUT/gamma_45.LUT");
    EXPECT_EQ(LutController::DefaultFileName("C:\\A\\B\\prog.exe"), "C:\\A\\LUT/gamma_45.LUT");
}

}  // namespace
