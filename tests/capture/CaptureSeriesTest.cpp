// A series captured from the software card's ramp camera at its full rate and
// written as RAW files by glintrail-capture, which runs the capture engine with
// the real writers: every frame that reached the capture is there once, in order,
// and each one the files skip is a frame the card reported lost (a busy machine
// may delay the delivery thread).
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>

#include <QJsonDocument>
#include <QJsonObject>

#include "ImageFiles.h"
#include "SimMachine.h"
#include "TempFolder.h"

namespace fs = std::filesystem;

namespace {

constexpr uint32_t kWidth = 64, kHeight = 32, kFrames = 500;

struct Output {
    int exitStatus = -1;
    std::string text;
};

Output RunCommand(const std::string& arguments) {
    Output out;
    FILE* pipe = popen((std::string(GLINTRAIL_CAPTURE) + " " + arguments + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return out;
    char buffer[512];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
        out.text.append(buffer, n);
    const int status = pclose(pipe);
    out.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
}

// Captures kFrames through the headless recorder, with a camera file of the geometry.
void CaptureWithTheCommand(const fs::path& base, bool buffered) {
    const fs::path cameraFile = base.parent_path() / "ramp.cxf";
    CameraFileRecord record{};
    record.camera.config = simtest::configFor(kWidth, kHeight, 8);
    EXPECT_EQ(SaveCameraFile(cameraFile.c_str(), &record), 0u);
    const Output out = RunCommand("--camera-file " + cameraFile.string() + " --mode series --output " +
                                  base.string() + " --format raw --numbering 4 --frames " +
                                  std::to_string(kFrames) + (buffered ? " --buffer" : "") + " --json");
    EXPECT_EQ(std::count(out.text.begin(), out.text.end(), '\n'), 1) << "the summary alone: " << out.text;
    const QJsonObject summary = QJsonDocument::fromJson(QByteArray::fromStdString(out.text)).object();
    const QJsonObject lost = summary["lost"].toObject();
    EXPECT_EQ(summary["grabbed"].toInt(), int(kFrames)) << out.text;
    EXPECT_EQ(summary["written"].toInt(), int(kFrames)) << out.text;
    EXPECT_EQ(lost["disk"].toInt() + lost["queue"].toInt(), 0) << out.text;
    const int lostAtCard = lost["card"].toInt() + lost["delivery"].toInt();
    // Any frame the card lost makes the run a failure, and only that.
    EXPECT_EQ(out.exitStatus, lostAtCard == 0 ? 0 : 1) << out.text;
}

// Written as the frames come, or all of them after the stop.
class CaptureSeries : public testing::TestWithParam<bool> {};

TEST_P(CaptureSeries, RampFramesAreWrittenContiguously) {
    simtest::SimMachine machine(simtest::oneCamera(R"("source": "ramp", "framePeriodUs": 1000,
        "width": {"valid": 64, "post": 0}, "height": {"valid": 32, "post": 0})"));
    const TempFolder temp;
    const fs::path& folder = temp.path;
    CaptureWithTheCommand(folder / "run", GetParam());

    // The ramp's value at (x, y) of camera frame k is (x + 3y + k) mod 256.
    const std::vector<uint8_t> first = imagefiles::readAll(folder / "run" / "0000.raw");
    ASSERT_EQ(first.size(), kWidth * kHeight);
    const uint32_t k0 = first[0];
    for (uint32_t i = 0; i < kFrames; ++i) {
        char name[16];
        snprintf(name, sizeof name, "%04u.raw", i);
        const std::vector<uint8_t> bytes = imagefiles::readAll(folder / "run" / name);
        ASSERT_EQ(bytes.size(), kWidth * kHeight) << name;
        for (uint32_t y = 0; y < kHeight; ++y)
            for (uint32_t x = 0; x < kWidth; ++x)
                ASSERT_EQ(bytes[y * kWidth + x], uint8_t(x + 3 * y + k0 + i))
                    << name << " at " << x << "," << y;
    }
    EXPECT_FALSE(fs::exists(folder / "run" / "0500.raw"));
}

INSTANTIATE_TEST_SUITE_P(Capture, CaptureSeries, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "Buffered" : "Streamed";
                         });

TEST(CaptureCommand, BadOptionsExitWith2AndAMissingCardOrFileWith1) {
    simtest::SimMachine machine(simtest::oneCamera(R"("source": "ramp")"));
    const struct {
        const char* arguments;
        int exitStatus;
    } rows[] = {
        {"--mode series", 2},                              // no output
        {"--mode film --output /tmp/x", 2},                // no such mode
        {"--mode series --output /tmp/x --channel 3", 2},  // channels are 1 and 2
        {"--mode series --output /tmp/x --channel 0", 2},
        {"--mode series --output /tmp/x --frames 0", 2},
        {"--mode series --output /tmp/x --event-frames 5", 2},  // needs --every
        {"--mode single --output /tmp/x --every 1", 2},         // events are for series
        {"--mode series --output /tmp/x --jpeg-quality 5", 2},
        {"--mode series --output /tmp/x --jpeg-quality 101", 2},
        {"--mode series --output /tmp/x --stamp-position middle", 2},
        {"--mode series --output /tmp/x stray", 2},
        {"--mode series --output /tmp/x --fps 30", 2},  // clips only
        {"--mode avi --output /tmp/x --fps 0", 2},
        {"--mode avi --output /tmp/x --fps 10000.01", 2},
        {"--mode avi --output /tmp/x.avi --frames 1 --fps 10000 --compressor MJPEG", 1},  // not a listed name
        {"--help", 0},
        {"--version", 0},
        {"--mode series --output /tmp/x --card 7", 1},
        {"--mode series --output /tmp/x --camera-file /nonexistent.cxf", 1},
        {"--mode series --output /tmp/x --lut /nonexistent.lut", 1},
    };
    for (const auto& row : rows)
        EXPECT_EQ(RunCommand(row.arguments).exitStatus, row.exitStatus) << row.arguments;
}

}  // namespace
