// A series captured from the software card's ramp camera at its full rate and
// written as RAW files: every frame the camera sent is there once, in order.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>

#include "SimMachine.h"
#include "capture/CaptureJob.h"
#include "capture/ImageSaver.h"

using namespace capture;
namespace fs = std::filesystem;

namespace {

constexpr uint32_t kWidth = 64, kHeight = 32, kFrames = 500;

std::vector<uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class CaptureSeries : public testing::TestWithParam<bool> {};

TEST_P(CaptureSeries, RampFramesAreWrittenContiguously) {
    simtest::SimMachine machine(simtest::oneCamera(R"("source": "ramp", "framePeriodUs": 1000,
        "width": {"valid": 64, "post": 0}, "height": {"valid": 32, "post": 0})"));
    simtest::OwnedChannel channel;
    ASSERT_EQ(channel.openStatus, 0u);
    const CameraConfig config = simtest::configFor(kWidth, kHeight, 8);
    ASSERT_EQ(ConfigureChannel(channel.card, 0, &config), 0u);

    std::string pattern = (fs::temp_directory_path() / "capture-series-XXXXXX").string();
    const fs::path folder = mkdtemp(pattern.data());
    CaptureSettings settings(QString::fromStdString(folder.string()));
    settings.SetSaveType(kSaveSeries);
    settings.SetImageType(kImageRaw);
    SetText(settings.series.FileName, QString::fromStdString((folder / "run").string()));
    settings.series.AppendFileName = kAppendDigits4;
    settings.series.Event = kEventContinuous;
    settings.series.TotalLimitDisk = kFrames;
    settings.series.BufferFrames = GetParam() ? 1 : 0;
    auto job = std::make_shared<const CaptureJob>(JobFrom(settings));

    std::mutex mutex;
    std::condition_variable stopped;
    bool stoppedItself = false;
    CaptureEngine::Hooks hooks;
    hooks.stoppedItself = [&](CaptureEngine::StopReason) {
        std::lock_guard lock(mutex);
        stoppedItself = true;
        stopped.notify_all();
    };
    ImageSaver saver(nullptr);
    CTimerQueue timers;
    CaptureEngine engine(saver, timers, hooks);
    CameraDescription description{};
    description.config = config;
    engine.setDescription(description, nullptr);
    engine.start(PlanFor(*job), job);

    auto deliver = [](void* context, const FrameInfo* frame) {
        static_cast<CaptureEngine*>(context)->EnqueueCapturedFrame(*frame);
    };
    ASSERT_EQ(StartGrab(channel.card, 0, 1, deliver, &engine), 0u);
    {
        std::unique_lock lock(mutex);
        stopped.wait(lock, [&] { return stoppedItself; });
    }
    ASSERT_EQ(StopGrab(channel.card, 0), 0u);
    GrabStatistics statistics{};
    ASSERT_EQ(GetStatistics(channel.card, 0, &statistics), 0u);
    engine.stop();
    engine.waitUntilSaved();

    const CaptureCounts counts = engine.counts();
    EXPECT_EQ(counts.written, kFrames);
    EXPECT_EQ(counts.lostQueue + counts.lostDisk, 0u);
    EXPECT_EQ(statistics.dropCount + statistics.overrunCount, 0u);
    // The ramp's value at (x, y) of camera frame k is (x + 3y + k) mod 256.
    const std::vector<uint8_t> first = ReadAll(folder / "run" / "0000.raw");
    ASSERT_EQ(first.size(), kWidth * kHeight);
    const uint32_t k0 = first[0];
    for (uint32_t i = 0; i < kFrames; ++i) {
        char name[16];
        snprintf(name, sizeof name, "%04u.raw", i);
        const std::vector<uint8_t> bytes = ReadAll(folder / "run" / name);
        ASSERT_EQ(bytes.size(), kWidth * kHeight) << name;
        for (uint32_t y = 0; y < kHeight; ++y)
            for (uint32_t x = 0; x < kWidth; ++x)
                ASSERT_EQ(bytes[y * kWidth + x], uint8_t(x + 3 * y + k0 + i))
                    << name << " at " << x << "," << y;
    }
    EXPECT_FALSE(fs::exists(folder / "run" / "0500.raw"));
    fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Capture, CaptureSeries, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "Buffered" : "WrittenAsTheyCome";
                         });

}  // namespace
