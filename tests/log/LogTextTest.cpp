#include <gtest/gtest.h>

#include <regex>

#include "log/LogText.h"

using namespace logengine;

namespace {

LogRecord FixedRecord() {
    LogRecord r;
    r.processId = 1234;
    r.threadId = 0x56;
    r.timeText = "05.03.2024 07:08:09.5";
    r.moduleName = "MainFrame";
    r.componentTag = "ZAMGRB3";
    r.sourceFile = "src/MainFrm.cpp";
    r.functionName = "CMainFrame::SavingThread";
    r.line = 812;
    r.severity = kError;
    r.code = 0;
    r.message = "Incorrect SaveType, 7";
    return r;
}

TEST(LogText, FiveLineLayoutsOfOneRecord) {
    const LineContext context{(uint64_t(0x56) << 44) + 0x2A, 0};
    const struct {
        uint32_t level;
        const char* line;
    } cases[] = {
        {1, "ERROR: 0; Incorrect SaveType, 7"},
        {2, "SV=ERROR; CD=0; MSG=Incorrect SaveType, 7"},
        {3, "F=src/MainFrm.cpp,CMainFrame::SavingThread,812; SV=ERROR; CD=0; MSG=Incorrect SaveType, 7"},
        {4,
         "{560000000002A}; ML=21; PT=1234:86; TM=05.03.2024 07:08:09.5; "
         "F=src/MainFrm.cpp,CMainFrame::SavingThread,812; SV=ERROR; CD=0; MSG=Incorrect SaveType, 7"},
        {5,
         "{560000000002A}; ML=21; PT=1234:86; NL=0; TM=05.03.2024 07:08:09.5; MN=MainFrame,ZAMGRB3; "
         "F=src/MainFrm.cpp,CMainFrame::SavingThread,812; SV=ERROR; CD=0; MSG=Incorrect SaveType, 7"},
        {0, ""},
        {6, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatLine(c.level, FixedRecord(), context), c.line) << c.level;
}

TEST(LogText, MessageLengthCountsUtf16Characters) {
    LogRecord r = FixedRecord();
    r.message = "\xC3\xA4\xF0\x9F\x98\x80";  // a-umlaut and one character outside the BMP
    EXPECT_NE(FormatLine(4, r, {}).find("ML=3;"), std::string::npos);
}

TEST(LogText, SeverityNames) {
    const char* expected[] = {"DEBUG", "TRACE",     "NOTICE",    "WARNING",
                              "ERROR", "MANDATORY", "MANDATORY", "bad severity"};
    for (uint32_t s = 0; s < 8; ++s)
        EXPECT_STREQ(SeverityName(s), expected[s]);
    EXPECT_STREQ(SeverityName(0xFFFFFFFF), "bad severity");
}

TEST(LogText, SourceFileKeepsLastFolderAndName) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\work\\viewer\\MainFrm.cpp", "viewer\\MainFrm.cpp"},
        {"/home/dev/glintrail/capture/Saving.cpp", "capture/Saving.cpp"},
        {"capture/Saving.cpp", "capture/Saving.cpp"},
        {"MainFrm.cpp", "MainFrm.cpp"},
        {"", ""},
        {"/top.cpp", "/top.cpp"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(ShortenSourceFile(in), out) << in;
}

TEST(LogText, TimeTextAndDate) {
    LogRecord r;
    const std::string text = MakeTimeText(r);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(text, m, std::regex(R"((\d\d)\.(\d\d)\.(\d{4}) \d\d:\d\d:\d\d\.(\d{1,3}))")))
        << text;
    EXPECT_EQ(std::stoul(m[1]), r.day);
    EXPECT_EQ(std::stoul(m[2]), r.month);
    EXPECT_EQ(std::stoul(m[3]), r.year);
    // Milliseconds are not padded: "5", never "005".
    EXPECT_TRUE(m[4].length() == 1 || m[4].str()[0] != '0') << text;
}

TEST(LogText, MessagesAreCutAt511Characters) {
    EXPECT_EQ(FormatMessage("Frame #%i, ts=%i added ", 3, -7), "Frame #3, ts=-7 added ");
    const std::string longText(600, 'x');
    EXPECT_EQ(FormatMessage("%s", longText.c_str()).size(), 511u);
    // A character outside the BMP is never cut in half.
    std::string emoji;
    for (int i = 0; i < 300; ++i)
        emoji += "\xF0\x9F\x98\x80";
    const std::string cut = FormatMessage("%s", emoji.c_str());
    EXPECT_EQ(Utf16Length(cut), 510);
    EXPECT_EQ(cut.size() % 4, 0u);
}

}  // namespace
