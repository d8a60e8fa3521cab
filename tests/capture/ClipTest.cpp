// The clip path of the capture: frame numbers and times across their wraps, the
// bitmap rows, the error texts, and clips captured from the software card's ramp
// camera by the headless recorder, read back with FFmpeg.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "ClipReader.h"
#include "SimMachine.h"
#include "TempFolder.h"
#include "capture/CAVIWriter.h"
#include "capture/ClipFrames.h"
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

// Setting the writer up anew (the channel configured again) while a clip is
// written leaves that clip its geometry until it ends; the next one takes the new.
TEST(ClipFrames, AClipKeepsItsInstanceWhenTheWriterIsSetUpAnew) {
    const TempFolder temp;
    CAVIWriter writer;
    ASSERT_EQ(writer.Init(64, -32, 25, KVX_OPTION_MONOCHROME), 0);
    CaptureOptionsRecord record{};
    SetText(record.CompressorName, QStringLiteral("Uncompressed"));
    const std::vector<uint8_t> small(64 * 32, 9), large(128 * 64, 9);
    for (const char* name : {"first.avi", "second.avi"}) {
        SetText(record.FileName, QString::fromStdString((temp.path / name).string()));
        ASSERT_EQ(writer.Start(record), 0);
        const std::vector<uint8_t>& frame = name[0] == 'f' ? small : large;
        EXPECT_EQ(writer.AddFrame(frame.data(), uint32_t(frame.size()), 0, 0), 0) << name;
        EXPECT_EQ(writer.Init(128, -64, 25, KVX_OPTION_MONOCHROME), 0);
        EXPECT_EQ(writer.AddFrame(frame.data(), uint32_t(frame.size()), 40000, 1), 0) << name;
        EXPECT_EQ(writer.Stop(), 0);
        const ClipInfo info = ReadClip((temp.path / name).string(), true);
        EXPECT_EQ(info.pts.size(), 2u) << name;
        EXPECT_EQ(info.width, name[0] == 'f' ? 64 : 128) << name;
    }
}

TEST(ClipFrames, ErrorTexts) {
    EXPECT_EQ(AviErrorText(-1234), "AVI Writer timeout");
    EXPECT_EQ(AviErrorText(-28), "0xFFFFFFE4: No space left on device");
    EXPECT_EQ(AviErrorText(int32_t(0x80001234)), "Unknown Error: 0x80001234");
}

namespace {

// Runs glintrail-capture; answers its exit status, with its output in text.
int RunCommand(const std::string& arguments, std::string& text) {
    FILE* pipe = popen((std::string(GLINTRAIL_CAPTURE) + " " + arguments + " 2>&1").c_str(), "r");
    char buffer[512];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
        text.append(buffer, n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

// The headless recorder on the capture engine: its compressors one a line, and a
// clip of the ramp camera bit-exact and in order.
TEST(ClipCommand, ListsCompressorsAndRecordsAClip) {
    simtest::SimMachine machine(simtest::oneCamera(R"("source": "ramp", "framePeriodUs": 2000,
        "width": {"valid": 64, "post": 0}, "height": {"valid": 32, "post": 0})"));
    std::string listed;
    EXPECT_EQ(RunCommand("--list-compressors", listed), 0);
    EXPECT_EQ(listed.rfind("Uncompressed\nMotion JPEG\nFFV1 lossless\n", 0), 0u) << listed;

    const TempFolder temp;
    const fs::path cameraFile = temp.path / "ramp.cxf", clip = temp.path / "clip.avi";
    CameraFileRecord record{};
    record.camera.config = simtest::configFor(64, 32, 8);
    ASSERT_EQ(SaveCameraFile(cameraFile.c_str(), &record), 0u);
    const std::string options =
        "--camera-file " + cameraFile.string() + " --mode avi --frames 20 --fps 500 --output ";
    std::string summary;
    const int status = RunCommand(options + clip.string() + " --compressor 'FFV1 lossless'", summary);
    // As for images: a frame the card lost makes the run a failure, and only that.
    const bool cardLost = summary.find("Lost at the card: 0, at delivery: 0") == std::string::npos;
    EXPECT_EQ(status, cardLost ? 1 : 0) << summary;
    std::vector<std::vector<uint8_t>> frames;
    const ClipInfo info =
        ReadClip(clip.string(), true, [&](const auto& pixels) { frames.push_back(pixels); });
    ASSERT_EQ(info.pts.size(), 20u);
    for (size_t i = 0; i < frames.size(); ++i) {
        // Each at a later place than the one before; one the card lost leaves its place empty.
        EXPECT_TRUE(i == 0 || info.pts[i] > info.pts[i - 1]) << "frame " << i;
        for (uint32_t y = 0; y < 32; ++y)
            for (uint32_t x = 0; x < 64; ++x)
                ASSERT_EQ(frames[i][y * 64 + x], uint8_t(x + 3 * y + frames[0][0] + i)) << "frame " << i;
    }
}

// A disk that fills up stops the capture with the reason, and the clip plays
// every frame that was written. The small file system is the child's own.
TEST(ClipCommand, AFullDiskStopsTheCaptureAndLeavesAClipThatPlays) {
    simtest::SimMachine machine(simtest::oneCamera(R"("source": "ramp", "framePeriodUs": 2000,
        "width": {"valid": 256, "post": 0}, "height": {"valid": 256, "post": 0})"));
    const TempFolder temp;
    const fs::path cameraFile = temp.path / "ramp.cxf", small = temp.path / "small";
    CameraFileRecord record{};
    record.camera.config = simtest::configFor(256, 256, 8);
    ASSERT_EQ(SaveCameraFile(cameraFile.c_str(), &record), 0u);
    fs::create_directory(small);
    const pid_t child = fork();
    if (child == 0) {
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("none", small.c_str(), "tmpfs", 0, "size=2m") != 0)
            _exit(77);
        std::string summary;
        const int status =
            RunCommand("--camera-file " + cameraFile.string() + " --mode avi --frames 500 --output " +
                           (small / "clip.avi").string(),
                       summary);
        const size_t at = summary.find("written: ");
        const size_t written = at == std::string::npos ? 0 : std::stoul(summary.substr(at + 9));
        const bool told = summary.find("No space left on device") != std::string::npos;
        _exit(status == 1 && told && written > 4 &&
                      ReadClip((small / "clip.avi").string(), true).pts.size() == written
                  ? 0
                  : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "no private mount of a small file system here";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}
