#include <gtest/gtest.h>
#include <unistd.h>

#include <QRegularExpression>
#include <array>
#include <atomic>
#include <fstream>
#include <thread>

#include "LogTestSupport.h"
#include "kit/Profile.h"
#include "log/LogEngine.h"
#include "log/LogErrors.h"
#include "log/LogSites.h"
#include "log/LogStartup.h"
#include "log/LogText.h"

using namespace logengine;
using logtest::ReadLogFile;
using logtest::TempDir;

namespace {

class LogEngineTest : public ::testing::Test {
protected:
    void TearDown() override {
        while (IsEnabled(0, kEngineRecord))
            Close(0);
        SetErrorHook({});
    }

    static LogRecord Record(uint32_t severity, const std::string& message) {
        LogRecord r;
        r.timeText = MakeTimeText(r), r.processId = uint32_t(getpid());
        r.severity = severity, r.code = 0, r.message = message;
        return r;
    }

    // Every value of the section: the profile outlives a single test.
    static void WriteLogSection(const std::map<QString, QVariant>& changes) {
        std::map<QString, QVariant> values = {
            {"SysOutDetail", 0},      {"FileOutDetail", 0},    {"IdeOutDetail", 0},  {"SysSeverityThrsh", 7},
            {"FileSeverityThrsh", 7}, {"IdeSeverityThrsh", 7}, {"LogDir", QString()}};
        for (const auto& [name, value] : changes)
            values[name] = value;
        for (const auto& [name, value] : values) {
            if (value.typeId() == QMetaType::QString)
                appkit::Profile::WriteString("Log", name, value.toString());
            else
                appkit::Profile::WriteInt("Log", name, value.toInt());
        }
    }

    TempDir dir_;
};

TEST_F(LogEngineTest, AllDetailLevelsZeroWriteNothing) {
    std::vector<std::string> errors;
    SetErrorHook([&](const std::string& caption, const std::string& text) {
        errors.push_back(caption + ": " + text);
    });
    WriteLogSection({{"LogDir", QString::fromStdString(dir_.path().string())}});
    ConfigureLoggingAtStartup();
    for (uint32_t severity = 0; severity <= 7; ++severity)
        EXPECT_FALSE(IsEnabled(0, severity)) << severity;
    EXPECT_EQ(Log(0, Record(kMandatory, "lost")), -1);
    LogIncorrectSaveType(3);
    EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));
    EXPECT_EQ(errors,
              std::vector<std::string>{"The Log Engine isn't initialized: Output Channels are not opened"});
}

TEST_F(LogEngineTest, DefaultFileThresholdLetsOnlyErrorAndMandatoryThrough) {
    WriteLogSection({{"FileOutDetail", 3}, {"LogDir", QString::fromStdString(dir_.path().string())}});
    ConfigureLoggingAtStartup();
    EXPECT_FALSE(IsEnabled(0, kWarning));
    EXPECT_TRUE(IsEnabled(0, kError));
    for (uint32_t severity = kDebug; severity <= kMandatory; ++severity)
        EXPECT_EQ(Log(0, Record(severity, "record " + std::to_string(severity))), 0);
    const std::string fileName = LogFileName(0);
    EXPECT_EQ(fileName, dir_.slash() + "ZAMGRB3.txt");
    Close(0);

    const auto file = ReadLogFile(fileName);
    EXPECT_TRUE(file.startsWithMark);
    EXPECT_EQ(file.byteOrderMarks, 1);
    ASSERT_EQ(file.lines.size(), 4);
    EXPECT_TRUE(
        file.lines[0].startsWith("F=LogEngine,LogEngine::Initialize,107; SV=MANDATORY; CD=0; MSG=   "
                                 ">>>>>>>>>>>>>>>>> Open the log channels: "
                                 "File_Output for: "))
        << file.lines[0].toStdString();
    EXPECT_EQ(file.lines[1], "F=,undefined,0; SV=ERROR; CD=0; MSG=record 4");
    EXPECT_EQ(file.lines[2], "F=,undefined,0; SV=MANDATORY; CD=0; MSG=record 5");
    EXPECT_TRUE(
        file.lines[3].startsWith("F=LogEngine,LogEngine::Close,47; SV=MANDATORY; CD=0; MSG=   "
                                 "<<<<<<<<<<<<<<<<< Close the log channels: "))
        << file.lines[3].toStdString();
}

TEST_F(LogEngineTest, ThresholdsAndLayoutPerChannel) {
    ASSERT_EQ(Initialize(0, "Levels", dir_.path().string(), false, false, {1, 1, 0}), 0);
    EXPECT_EQ(SetThreshold(0, kWarning, kFileChannel), 0);
    EXPECT_EQ(SetThreshold(0, 9, kSystemChannel), 0);  // stored as 4
    EXPECT_FALSE(IsEnabled(0, kNotice));
    EXPECT_TRUE(IsEnabled(0, kWarning));
    LogFrameNumberOverlap(7, 7);
    LogFrameAdded(1, 2);  // TRACE: below every threshold
    Close(0);
    const auto file = ReadLogFile(dir_.path() / "Levels.txt");
    ASSERT_EQ(file.lines.size(), 3);
    EXPECT_EQ(file.lines[1], "WARNING: 0; Framenum overlap!!!, fn_prev=7, fn=7");
    EXPECT_TRUE(file.endsWithLineEnd);
}

TEST_F(LogEngineTest, MissingLogDirectoryFallsBackToCurrentDirectory) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
    WriteLogSection({{"FileOutDetail", 1}, {"LogDir", QStringLiteral("/no/such/folder/for/logs")}});
    ConfigureLoggingAtStartup();
    LogIncorrectSaveType(9);
    Close(0);
    std::filesystem::current_path(previous);
    EXPECT_FALSE(std::filesystem::exists("/no/such/folder/for/logs"));
    const auto file = ReadLogFile(dir_.path() / "ZAMGRB3.txt");
    ASSERT_EQ(file.lines.size(), 3);
    EXPECT_EQ(file.lines[1], "ERROR: 0; Incorrect SaveType, 9");
}

TEST_F(LogEngineTest, ExistingFileKeepsItsStartAndGetsRecordsAppended) {
    const auto path = dir_.path() / "Keep.txt";
    const std::string earlier(
        "\xFF\xFE"
        "e\0a\0r\0l\0y\0\r\0\n\0",
        16);
    std::ofstream(path, std::ios::binary) << earlier;
    ASSERT_EQ(Initialize(0, "Keep", dir_.path().string(), false, false, {0, 2, 0}), 0);
    ASSERT_EQ(Log(0, Record(kMandatory, "later")), 0);
    Close(0);
    EXPECT_EQ(logtest::ReadBytes(path).substr(0, earlier.size()), earlier);
    const auto file = ReadLogFile(path);
    EXPECT_EQ(file.byteOrderMarks, 1);
    ASSERT_EQ(file.lines.size(), 4);
    EXPECT_EQ(file.lines[0], "early");
    EXPECT_EQ(file.lines[2], "SV=MANDATORY; CD=0; MSG=later");
}

TEST_F(LogEngineTest, RecordOfAnotherDateSwitchesTheDatedFile) {
    ASSERT_EQ(Initialize(0, "Dated", dir_.path().string(), false, true, {0, 1, 0}), 0);
    LogRecord r = Record(kError, "from the past");
    r.day = 2, r.month = 1, r.year = 2001;
    ASSERT_EQ(Log(0, r), 0);
    EXPECT_EQ(LogFileName(0), dir_.slash() + "Dated_02_01_2001.txt");
    Close(0);
    const auto file = ReadLogFile(dir_.path() / "Dated_02_01_2001.txt");
    ASSERT_GE(file.lines.size(), 1);
    EXPECT_EQ(file.byteOrderMarks, 1);
    EXPECT_EQ(file.lines[0], "ERROR: 0; from the past");
}

TEST_F(LogEngineTest, ReferenceCountingAndUnknownHandles) {
    std::vector<std::string> errors;
    SetErrorHook([&](const std::string&, const std::string& text) { errors.push_back(text); });
    EXPECT_EQ(Initialize(5, "Other", dir_.path().string(), false, false, {1, 0, 0}), -1);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("Can't find Log Engine for log handle: 5 (", 0), 0u);
    EXPECT_EQ(SetThreshold(0, 1, kFileChannel), -1);

    ASSERT_EQ(Initialize(0, "Shared", dir_.path().string(), false, false, {1, 0, 0}), 0);
    ASSERT_EQ(Initialize(kDefaultHandle, "Shared", dir_.path().string(), false, false, {1, 0, 0}), 0);
    Close(0);
    EXPECT_TRUE(IsEnabled(0, kEngineRecord));  // one reference left
    Close(0);
    EXPECT_FALSE(IsEnabled(0, kEngineRecord));
}

TEST_F(LogEngineTest, RecordIdAndNestingLevelAtDetailFive) {
    ASSERT_EQ(Initialize(0, "Five", dir_.path().string(), false, false, {0, 5, 0}), 0);
    LogRecord r = Record(kError, "five");
    r.threadId = 3;
    ASSERT_EQ(Log(0, r), 0);
    ASSERT_EQ(Log(0, r), 0);
    Close(0);
    const auto file = ReadLogFile(dir_.path() / "Five.txt");
    ASSERT_EQ(file.lines.size(), 4);
    for (int i : {1, 2}) {
        EXPECT_TRUE(file.lines[i].startsWith("{3000000")) << file.lines[i].toStdString();
        EXPECT_TRUE(file.lines[i].contains("; ML=4; PT=" + QString::number(getpid()) + ":3; NL=0; TM="));
        EXPECT_TRUE(
            file.lines[i].endsWith("MN=undefined,undefined; F=,undefined,0; SV=ERROR; CD=0; MSG=five"));
    }
}

TEST_F(LogEngineTest, DebuggerChannelWritesSitesToStandardError) {
    ASSERT_EQ(Initialize(0, "Ide", dir_.path().string(), false, false, {0, 0, 5}), 0);
    EXPECT_FALSE(IsEnabled(0, kWarning));  // the debugger channel starts at ERROR
    testing::internal::CaptureStderr();
    LogIncorrectSaveType(11);
    const std::string text = testing::internal::GetCapturedStderr();
    EXPECT_NE(text.find("; MN=MainFrame,ZAMGRB3; F=log/LogEngineTest.cpp,CMainFrame::SavingThread,"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("; SV=ERROR; CD=0; MSG=Incorrect SaveType, 11\n"), std::string::npos) << text;
    EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));
}

TEST_F(LogEngineTest, ThreadsOfOneProcessShareTheFile) {
    ASSERT_EQ(Initialize(0, "Threads", dir_.path().string(), false, false, {0, 2, 0}), 0);
    constexpr int kThreads = 4, kEach = 300;
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([t] {
                for (int i = 0; i < kEach; ++i) {
                    LogRecord r;
                    r.code = t, r.message = FormatMessage("thread %d record %d", t, i);
                    Log(0, r);
                }
            });
    }
    Close(0);
    const auto file = ReadLogFile(dir_.path() / "Threads.txt");
    EXPECT_EQ(file.byteOrderMarks, 1);
    ASSERT_EQ(file.lines.size(), kThreads * kEach + 2);
    std::vector<int> next(kThreads, 0);
    for (qsizetype i = 1; i + 1 < file.lines.size(); ++i) {
        const QStringList parts = file.lines[i].split(' ');
        ASSERT_EQ(parts.size(), 6) << file.lines[i].toStdString();
        const int t = parts[3].toInt();
        ASSERT_TRUE(t >= 0 && t < kThreads);
        EXPECT_EQ(parts[5].toInt(), next[size_t(t)]++);
    }
}

// Threads go on logging while the engine closes and opens again: every line that
// reaches the file is whole, and nothing writes into a closed channel. Each round
// waits until every thread wrote while the engine was open, however busy the machine.
TEST_F(LogEngineTest, LoggingWhileTheEngineClosesAndOpens) {
    constexpr int kThreads = 3, kRounds = 50;
    std::atomic<bool> stop{false};
    std::array<std::atomic<int>, kThreads> written{};
    std::vector<std::jthread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([t, &stop, &written] {
            for (int i = 0; !stop.load(); ++i) {
                LogRecord r;
                r.severity = kMandatory, r.code = t, r.message = FormatMessage("thread %d record %d", t, i);
                if (IsEnabled(0, kMandatory) && Log(0, r) == 0)
                    ++written[size_t(t)];
                std::this_thread::yield();
            }
        });
    for (int round = 0; round < kRounds; ++round) {
        ASSERT_EQ(Initialize(0, "Cycles", dir_.path().string(), false, false, {0, 2, 0}), 0);
        Initialize(0, "Cycles", dir_.path().string(), false, false, {0, 2, 0});  // a second user
        std::array<int, kThreads> before{};
        for (int t = 0; t < kThreads; ++t)
            before[size_t(t)] = written[size_t(t)].load();
        for (int t = 0; t < kThreads; ++t)
            while (written[size_t(t)].load() == before[size_t(t)])
                std::this_thread::yield();
        Close(0);
        EXPECT_TRUE(IsEnabled(0, kMandatory)) << "the second user keeps it open";
        Close(0);
    }
    stop = true;
    threads.clear();
    const auto file = ReadLogFile(dir_.path() / "Cycles.txt");
    EXPECT_EQ(file.byteOrderMarks, 1);
    const QRegularExpression whole(
        R"(^SV=MANDATORY; CD=\d; MSG=(thread \d record \d+|   [<>]{17} (Open|Close) the log channels: .*)$)");
    int records = 0;
    for (const QString& line : file.lines) {
        EXPECT_TRUE(whole.match(line).hasMatch()) << line.toStdString();
        records += line.contains(QStringLiteral(" record "));
    }
    int logged = 0;
    for (const auto& count : written)
        logged += count.load();
    // A record is reported as logged exactly when it reached the file, even when the
    // engine closed on another thread in between.
    EXPECT_GE(records, kThreads * kRounds);
    EXPECT_EQ(records, logged);
}

}  // namespace
