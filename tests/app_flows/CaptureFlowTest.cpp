// Capture from the main frame against the software card: the start/stop
// command, single frames with their advancing names, a close that writes every
// buffered frame, and a file that cannot be written.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "FlowsSupport.h"
#include "app/CMainFrame.h"
#include "capture/CCaptureSettingsDlg.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

namespace {

using flows::UseMachine;
using flows::WaitUntil;

constexpr const char* kRampCamera =
    R"({"cards": [{"channels": [{"camera": {"source": "ramp", "framePeriodUs": 5000}}]}]})";

capture::CaptureSettings& Settings(CMainFrame& frame) {
    return frame.captureSettings()->Settings();
}

void ToggleCapture(CMainFrame& frame) {
    frame.ExecuteCommand(res::ID_CAPTURE_START_STOP);
}

TEST(CaptureFlow, NothingIsTakenWithoutGrabbing) {
    UseMachine(kRampCamera);
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    RecordedMessages().clear();
    ToggleCapture(frame);
    EXPECT_EQ(RecordedMessages(), QStringList{res::LoadString(res::IDS_GRABBING_NEEDED)});
    EXPECT_FALSE(frame.captureSettings()->IsCaptureOn());
    EXPECT_EQ(frame.captureEngine().counts().queued, 0u);
}

TEST(CaptureFlow, SingleFramesGoToAdvancingNames) {
    UseMachine(kRampCamera);
    QTemporaryDir folder;
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate(true));
    Settings(frame).SetSaveType(capture::kSaveSingleFrame);
    Settings(frame).SetImageType(capture::kImageBmp);
    capture::SetText(Settings(frame).singleFrame.FileName, folder.filePath(QStringLiteral("glintrail.bmp")));
    for (const char* name : {"glintrail.bmp", "glintrail1.bmp"}) {
        ToggleCapture(frame);
        ASSERT_TRUE(WaitUntil([&] { return QFile::exists(folder.filePath(QString::fromLatin1(name))); }))
            << name;
        EXPECT_TRUE(WaitUntil([&] { return !frame.captureSettings()->IsCaptureOn(); }))
            << "one frame, then off";
    }
    EXPECT_EQ(capture::GetText(Settings(frame).singleFrame.FileName),
              folder.filePath(QStringLiteral("glintrail2.bmp")));
    QFile bmp(folder.filePath(QStringLiteral("glintrail.bmp")));
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    EXPECT_EQ(bmp.read(2), QByteArray("BM"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);
}

TEST(CaptureFlow, ClosingWritesEveryBufferedFrame) {
    UseMachine(kRampCamera);
    QTemporaryDir folder;
    auto frame = std::make_unique<CMainFrame>();
    ASSERT_TRUE(frame->OnCreate(true));
    Settings(*frame).SetSaveType(capture::kSaveSeries);
    Settings(*frame).SetImageType(capture::kImageRaw);
    capture::CaptureOptionsRecord& series = Settings(*frame).series;
    capture::SetText(series.FileName, folder.filePath(QStringLiteral("run")));
    series.AppendFileName = capture::kAppendDigits4;
    series.Event = capture::kEventContinuous;
    series.BufferFrames = 1;
    ToggleCapture(*frame);
    ASSERT_TRUE(WaitUntil([&] { return frame->captureEngine().queuedFrames() >= 20; }));
    frame->close();
    const uint64_t queued = frame->captureEngine().counts().queued;
    EXPECT_EQ(frame->captureEngine().counts().written, queued);
    frame.reset();
    EXPECT_EQ(uint64_t(QDir(folder.filePath(QStringLiteral("run"))).entryList(QDir::Files).size()), queued);
}

TEST(CaptureFlow, AFileThatCannotBeWrittenStopsTheCaptureWithAMessage) {
    UseMachine(kRampCamera);
    QTemporaryDir folder;
    QFile blocker(folder.filePath(QStringLiteral("run")));  // a file where the series folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate(true));
    Settings(frame).SetSaveType(capture::kSaveSeries);
    capture::SetText(Settings(frame).series.FileName, blocker.fileName());
    Settings(frame).series.Event = capture::kEventContinuous;
    Settings(frame).series.BufferFrames = 0;
    RecordedMessages().clear();
    ToggleCapture(frame);
    ASSERT_TRUE(WaitUntil([&] { return !RecordedMessages().isEmpty(); }));
    EXPECT_TRUE(RecordedMessages().first().contains(QStringLiteral("could not be written")))
        << RecordedMessages().first().toStdString();
    EXPECT_FALSE(frame.captureSettings()->IsCaptureOn());
    EXPECT_EQ(frame.captureEngine().counts().written, 0u);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 1)
        << "no partial file";
}

// Clips from the main frame: one written with the compressor of the options, its
// name moving on; one that cannot start, and a compressor the movie maker does not
// list, each in the "AVI Error!" box.
TEST(CaptureFlow, ClipsAndTheirErrors) {
    UseMachine(kRampCamera);
    const struct {
        const char* fileName;
        const char* compressor;
        QString message;
        uint64_t written;
    } cases[] = {{"glintrail.avi", "Uncompressed", {}, 10},
                 {"taken.avi", "Uncompressed", "0xFFFFFFEB: Is a directory", 0},
                 {"glintrail.avi", "DivX", "0xBCB1BA08: Encoder not found", 10}};
    for (const auto& c : cases) {
        QTemporaryDir folder;
        QDir(folder.path()).mkdir(QStringLiteral("taken.avi"));
        CMainFrame frame;
        ASSERT_TRUE(frame.OnCreate(true));
        Settings(frame).SetSaveType(capture::kSaveAvi);
        capture::CaptureOptionsRecord& avi = Settings(frame).avi;
        capture::SetText(avi.FileName, folder.filePath(QString::fromLatin1(c.fileName)));
        capture::SetText(avi.CompressorName, QString::fromLatin1(c.compressor));
        avi.TotalLimitDisk = 10;
        RecordedMessages().clear();
        frame.OnNotify(res::IDD_CAPTURE_SETTINGS, CCaptureSettingsDlg::kOptionsAccepted);
        capture::SetText(avi.CompressorName, QStringLiteral("Uncompressed"));
        ToggleCapture(frame);
        ASSERT_TRUE(WaitUntil([&] {
            const capture::CaptureCounts counts = frame.captureEngine().counts();
            return !frame.captureSettings()->IsCaptureOn() && counts.queued != 0 &&
                   counts.written + counts.lostDisk == counts.queued;
        })) << c.fileName;
        EXPECT_EQ(frame.captureEngine().counts().written, c.written) << c.fileName;
        EXPECT_TRUE(WaitUntil([&] { return RecordedMessages().size() == (c.message.isEmpty() ? 0 : 1); }));
        EXPECT_EQ(RecordedMessages(), c.message.isEmpty() ? QStringList() : QStringList{c.message})
            << c.compressor;
        // The next clip does not overwrite this one (nor reuse the name that failed).
        EXPECT_EQ(capture::GetText(avi.FileName),
                  folder.filePath(QString::fromLatin1(c.fileName)).replace(".avi", "1.avi"));
    }
}

}  // namespace
