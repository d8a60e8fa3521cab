// The clip path of the capture: frame numbers and times across their wraps, the
// bitmap rows, the error texts, and clips captured from the software card's ramp
// camera through the engine, read back with FFmpeg.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <condition_variable>
#include <filesystem>
#include <mutex>

#include "ClipReader.h"
#include "SimMachine.h"
#include "TempFolder.h"
#include "capture/CAVIWriter.h"
#include "capture/CaptureJob.h"
#include "capture/ClipFrames.h"
#include "capture/ImageSaver.h"
#include "kvxmoviemaker.h"

using namespace capture;
namespace fs = std::filesystem;

TEST(ClipClock, WrapsOnlyOnALargeBackwardStep) {
    const struct {
        uint32_t lastNumber, number;
        int64_t clipNumber;
        uint32_t lastTime, time;
        int64_t clipTime;
    } rows[] = {
        {65535, 0, 65536, 0xFFFFFFF0u, 0x10, ((int64_t(1) << 32) + 0x10) * 10},
        {100, 90, 90, 100, 90, 900},              // a small step back is passed as is
        {40000, 7233, 7233, 0x80000000u, 1, 10},  // 32767 back, 0x7FFFFFFF back
        {40000, 7232, 65536 + 7232, 0x80000001u, 1, ((int64_t(1) << 32) + 1) * 10},  // one more
    };
    for (const auto& r : rows) {
        ClipClock clock;
        const ClipClock::Tick first = clock.Next(r.lastTime, r.lastNumber);
        EXPECT_EQ(first.number, r.lastNumber);
        EXPECT_EQ(first.time, int64_t(r.lastTime) * 10);
        const ClipClock::Tick next = clock.Next(r.time, r.number);
        EXPECT_EQ(next.number, r.clipNumber) << r.lastNumber << " -> " << r.number;
        EXPECT_EQ(next.numberWrapped, r.clipNumber > 65535);
        EXPECT_EQ(next.time, r.clipTime) << r.lastTime << " -> " << r.time;
        EXPECT_EQ(next.timeWrapped, r.clipTime >= (int64_t(1) << 32) * 10);
    }
}

TEST(ClipFrames, BitmapRowsAndQueueLimit) {
    EXPECT_EQ(ClipRowStride(642, 24), 1928u);
    EXPECT_EQ(ClipRowStride(642, 8), 644u);
    const struct { uint32_t convertedDepth, writerDepth, stride; } rows[] = {{8, 8, 644}, {32, 24, 1928}};
    for (const auto& r : rows) {
        const uint32_t bytes = r.convertedDepth / 8;
        std::vector<uint8_t> converted(642 * 2 * bytes);
        for (size_t i = 0; i < converted.size(); ++i)
            converted[i] = uint8_t(i % 251);
        PreparedImage image;
        image.pixels = converted.data();
        image.convertedDepth = r.convertedDepth;
        image.description.config.widthValid = 642;
        image.description.config.heightValid = 2;
        image.description.config.bitDepth = r.writerDepth;
        std::vector<uint8_t> bitmap;
        ASSERT_TRUE(FillClipBitmap(image, bitmap));
        ASSERT_EQ(bitmap.size(), 2u * r.stride);
        // The last pixel of the second row, its fourth byte dropped.
        const size_t in = (2 * 642 - 1) * bytes, out = r.stride + 641 * (r.writerDepth / 8);
        EXPECT_EQ(bitmap[out], converted[in]);
        EXPECT_EQ(bitmap[out + r.writerDepth / 8 - 1], converted[in + r.writerDepth / 8 - 1]);
    }
    CameraDescription d{};
    d.config.widthValid = d.config.heightValid = 1024;
    d.config.bitDepth = 8;
    EXPECT_EQ(ClipQueueLimit(d), 1048u);
    d.config.bitDepth = 12;
    EXPECT_EQ(ClipQueueLimit(d), 524u);
}

TEST(ClipFrames, ErrorTexts) {
    EXPECT_EQ(AviErrorText(-1234), "AVI Writer timeout");
    EXPECT_EQ(AviErrorText(-28), "0xFFFFFFE4: No space left on device");
    EXPECT_EQ(AviErrorText(int32_t(0x80001234)), "Unknown Error: 0x80001234");
}

namespace {

struct Captured {
    CaptureCounts counts;
    std::vector<FrameSaver::Result> failures;
};

// Captures `frames` frames of the 64 x 32 ramp camera into a clip at path.
Captured CaptureClip(const fs::path& path, uint32_t frames, double fps) {
    simtest::OwnedChannel channel;
    const CameraConfig config = simtest::configFor(64, 32, 8);
    EXPECT_EQ(ConfigureChannel(channel.card, 0, &config), 0u);
    CaptureSettings settings(QString::fromStdString(path.parent_path().string()));
    settings.SetSaveType(kSaveAvi);
    SetText(settings.avi.FileName, QString::fromStdString(path.string()));
    SetText(settings.avi.CompressorName, QStringLiteral("Uncompressed"));
    settings.avi.TotalLimitDisk = frames;
    auto job = std::make_shared<const CaptureJob>(JobFrom(settings));
    CAVIWriter writer;
    EXPECT_EQ(writer.Init(64, -32, fps, KVX_OPTION_MONOCHROME), 0);

    std::mutex mutex;
    std::condition_variable stopped;
    bool stoppedItself = false;
    Captured captured;
    CaptureEngine::Hooks hooks;
    hooks.stoppedItself = [&](CaptureEngine::StopReason) {
        std::lock_guard lock(mutex);
        stoppedItself = true;
        stopped.notify_all();
    };
    hooks.fileFailed = [&](const FrameSaver::Result& result, bool) {
        std::lock_guard lock(mutex);
        captured.failures.push_back(result);
    };
    ImageSaver saver(nullptr, &writer);
    CTimerQueue timers;
    CaptureEngine engine(saver, timers, hooks);
    CameraDescription description{};
    description.config = config;
    engine.setDescription(description, nullptr);
    engine.start(PlanFor(*job), job);
    auto deliver = [](void* context, const FrameInfo* frame) {
        static_cast<CaptureEngine*>(context)->EnqueueCapturedFrame(*frame);
    };
    EXPECT_EQ(StartGrab(channel.card, 0, 1, deliver, &engine), 0u);
    {
        std::unique_lock lock(mutex);
        stopped.wait(lock, [&] { return stoppedItself; });
    }
    EXPECT_EQ(StopGrab(channel.card, 0), 0u);
    engine.stop();
    engine.waitUntilSaved();
    captured.counts = engine.counts();
    return captured;
}

}  // namespace

// Every frame reaches the clip bit-exact and in order, each at a later place
// than the one before (a frame the card lost leaves its place empty).
TEST(ClipCapture, RampFramesReachTheClipInOrder) {
    simtest::SimMachine machine(simtest::oneCamera(R"("source": "ramp", "framePeriodUs": 2000,
        "width": {"valid": 64, "post": 0}, "height": {"valid": 32, "post": 0})"));
    const TempFolder temp;
    const fs::path path = temp.path / "clip.avi";
    const Captured captured = CaptureClip(path, 50, 500);
    EXPECT_EQ(captured.counts.written, 50u);
    EXPECT_TRUE(captured.failures.empty());
    std::vector<std::vector<uint8_t>> frames;
    const ClipInfo info =
        ReadClip(path.string(), true, [&](const auto& pixels) { frames.push_back(pixels); });
    ASSERT_EQ(info.pts.size(), 50u);
    for (size_t i = 0; i < frames.size(); ++i) {
        EXPECT_TRUE(i == 0 || info.pts[i] > info.pts[i - 1]) << "frame " << i;
        for (uint32_t y = 0; y < 32; ++y)
            for (uint32_t x = 0; x < 64; ++x)
                ASSERT_EQ(frames[i][y * 64 + x], uint8_t(x + 3 * y + frames[0][0] + i)) << "frame " << i;
    }
}

// A clip that cannot be opened stops the capture at its first frame with the
// library's text, and the frames queued behind it are dropped.
TEST(ClipCapture, AClipThatCannotStartStopsTheCapture) {
    simtest::SimMachine machine(simtest::oneCamera(R"("source": "ramp", "framePeriodUs": 2000,
        "width": {"valid": 64, "post": 0}, "height": {"valid": 32, "post": 0})"));
    const TempFolder temp;
    const fs::path path = temp.path / "taken.avi";
    fs::create_directory(path);  // a folder where the clip would go
    const Captured captured = CaptureClip(path, 50, 500);
    ASSERT_EQ(captured.failures.size(), 1u);
    EXPECT_EQ(captured.failures[0].clipResult, -21);
    EXPECT_EQ(captured.failures[0].reason, "0xFFFFFFEB: Is a directory");
    EXPECT_EQ(captured.counts.written, 0u);
    EXPECT_EQ(captured.counts.lostDisk, captured.counts.queued);
}

// The headless recorder lists what the library lists and records a clip.
TEST(ClipCommand, ListsTheCompressorsAndRecordsAClip) {
    simtest::SimMachine machine(simtest::oneCamera(R"("source": "ramp", "framePeriodUs": 2000,
        "width": {"valid": 64, "post": 0}, "height": {"valid": 32, "post": 0})"));
    const auto run = [](const std::string& arguments, std::string& text) {
        FILE* pipe = popen((std::string(GLINTRAIL_CAPTURE) + " " + arguments + " 2>/dev/null").c_str(), "r");
        char buffer[512];
        while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
            text.append(buffer, n);
        const int status = pclose(pipe);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    CAVIWriter writer;
    QStringList names;
    ASSERT_EQ(writer.Init(640, -480, 30, 0), 0);
    ASSERT_EQ(writer.GetCompressors(names), 0);
    std::string listed;
    EXPECT_EQ(run("--list-compressors", listed), 0);
    EXPECT_EQ(listed, (names.join(u'\n') + u'\n').toStdString());

    const TempFolder temp;
    const fs::path cameraFile = temp.path / "ramp.cxf", clip = temp.path / "clip.avi";
    CameraFileRecord record{};
    record.camera.config = simtest::configFor(64, 32, 8);
    ASSERT_EQ(SaveCameraFile(cameraFile.c_str(), &record), 0u);
    std::string summary;
    const int status = run("--camera-file " + cameraFile.string() + " --mode avi --output " + clip.string() +
                               " --compressor 'FFV1 lossless' --fps 500 --frames 20",
                           summary);
    // As for images: a frame the card lost makes the run a failure, and only that.
    const bool cardLost = summary.find("Lost at the card: 0, at delivery: 0") == std::string::npos;
    EXPECT_EQ(status, cardLost ? 1 : 0) << summary;
    std::vector<std::vector<uint8_t>> frames;
    EXPECT_EQ(ReadClip(clip.string(), true, [&](const auto& pixels) { frames.push_back(pixels); }).pts.size(),
              20u);
    for (size_t i = 0; i < frames.size(); ++i)
        EXPECT_EQ(frames[i][64 + 1], uint8_t(1 + 3 + frames[0][0] + i)) << i;
}
