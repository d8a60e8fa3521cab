#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ClipReader.h"
#include "TempFolder.h"
#include "kvxmoviemaker.h"

namespace {

std::u16string U16(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

uint32_t Stride(uint32_t width, uint32_t bits) {
    return (width * bits + 31) / 32 * 4;
}

// Frame k of the ramp: (x + 3y + k) mod 256 in every channel used, 24-bit pixels
// shifted per channel so B, G and R differ.
std::vector<uint8_t> Ramp(uint32_t w, uint32_t h, uint32_t bits, uint32_t k) {
    std::vector<uint8_t> bitmap(size_t(Stride(w, bits)) * h, 0xEE);  // padding must not matter
    const uint32_t channels = bits / 8;
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x)
            for (uint32_t c = 0; c < channels; ++c)
                bitmap[size_t(y) * Stride(w, bits) + x * channels + c] = uint8_t(x + 3 * y + k + 40 * c);
    return bitmap;
}

// An instance with a clip open at path.
struct Recorder {
    uint32_t handle = 0;
    int32_t started = -1;
    Recorder(const std::string& path, const std::string& compressor, uint32_t w, uint32_t h, double fps,
             uint32_t option) {
        EXPECT_EQ(KvxMovieMakerInitEx(w, -int32_t(h), fps, &option, &handle), 0);
        KvxMovieRecord record{};
        const std::u16string file = U16(path), name = U16(compressor);
        std::copy(file.begin(), file.end(), record.FileName);
        std::copy(name.begin(), name.end(), record.CompressorName);
        record.CompressorQuality = 100;
        started = KvxMovieMakerStartMovieRecord(handle, &record);
    }
    int32_t Add(const std::vector<uint8_t>& bitmap, int64_t time, int64_t number) {
        return KvxMovieMakerAddMovieFrame2(handle, bitmap.data(), uint32_t(bitmap.size()), time, number);
    }
    ~Recorder() { KvxMovieMakerRelease(handle); }
};

std::vector<std::string> Listed() {
    uint32_t handle = 0;
    const uint32_t option = 0;
    KvxMovieMakerInitEx(640, -480, 30, &option, &handle);
    int32_t count = 0, longest = 0;
    EXPECT_EQ(KvxMovieMakerGetCompressors(handle, nullptr, &count, &longest), 0);
    const std::vector<uint16_t> blank(size_t(longest), 0);
    std::vector<std::vector<uint16_t>> buffers(size_t(count), blank);
    std::vector<uint16_t*> names;
    for (auto& b : buffers)
        names.push_back(b.data());
    EXPECT_EQ(KvxMovieMakerGetCompressors(handle, names.data(), &count, &longest), 0);
    std::vector<std::string> listed;
    for (auto& b : buffers)
        listed.emplace_back(b.begin(), std::find(b.begin(), b.end(), 0));
    KvxMovieMakerRelease(handle);
    return listed;
}

bool HasH264() {
    return avcodec_find_encoder_by_name("libx264") != nullptr;
}

}  // namespace

TEST(MovieMaker, ListsTheInstalledCompressorsByTheirNamesAndRefusesOthers) {
    std::vector<std::string> expected{"Uncompressed", "Motion JPEG", "FFV1 lossless"};
    if (HasH264())
        expected.push_back("H.264");
    EXPECT_EQ(Listed(), expected);
    uint32_t handle = 0;
    ASSERT_EQ(KvxMovieMakerInitEx(642, -10, 25, nullptr, &handle), 0);
    const struct {
        const char* name;
        int32_t result;
        int32_t hasOptions;
    } cases[] = {{"Uncompressed", 0, 0},
                 {"FFV1 lossless", 0, 0},
                 {"Motion JPEG", 0, 1},
                 {"MJPEG", AVERROR_ENCODER_NOT_FOUND, -1},
                 {"uncompressed", AVERROR_ENCODER_NOT_FOUND, -1}};
    for (const auto& c : cases) {
        const std::u16string name = U16(c.name);
        std::vector<uint16_t> text(name.begin(), name.end());
        text.push_back(0);
        int32_t hasOptions = -1;
        EXPECT_EQ(KvxMovieMakerSetCompressor(handle, text.data(), &hasOptions), c.result) << c.name;
        EXPECT_EQ(hasOptions, c.hasOptions) << c.name;
    }
    KvxMovieMakerRelease(handle);
    EXPECT_EQ(KvxMovieMakerSetCompressor(handle, nullptr, nullptr), AVERROR(EBADF));
}

TEST(MovieMaker, RefusesWhatItCannotWrite) {
    uint32_t handle = 0;
    EXPECT_EQ(KvxMovieMakerInitEx(640, 480, 30, nullptr, &handle), AVERROR(EINVAL));  // bottom-up rows
    EXPECT_EQ(KvxMovieMakerInitEx(640, -480, 0, nullptr, &handle), AVERROR(EINVAL));
    TempFolder folder;
    Recorder missingFolder((folder.path / "no/such.avi").string(), "Uncompressed", 642, 4, 25, 0);
    EXPECT_EQ(missingFolder.started, AVERROR(ENOENT));
    EXPECT_EQ(missingFolder.Add(Ramp(642, 4, 8, 0), 0, 0), AVERROR(EBADF));  // no clip open
    Recorder clip((folder.path / "a.avi").string(), "Uncompressed", 642, 4, 25, 0);
    EXPECT_EQ(clip.Add(std::vector<uint8_t>(642 * 4), 0, 0), AVERROR(EINVAL));  // rows not padded to 644
    EXPECT_EQ(clip.Add(Ramp(642, 4, 24, 0), 0, 0), 0);
    EXPECT_EQ(clip.Add(Ramp(642, 4, 8, 1), 400000, 1), AVERROR(EINVAL));  // depth changed
}

// Every listed codec: a 20-frame ramp comes back with its count, size and rate,
// bit-exact from the lossless ones; 8-bit frames stay grey where the codec can.
TEST(MovieMaker, EachCompressorWritesARampAPlayerReadsBack) {
    const struct {
        const char* compressor;
        uint32_t bits;
        double meanError;
        AVPixelFormat stored;
    } cases[] = {
        {"Uncompressed", 8, 0, AV_PIX_FMT_PAL8},      {"Uncompressed", 24, 0, AV_PIX_FMT_BGR24},
        {"FFV1 lossless", 8, 0, AV_PIX_FMT_GRAY8},    {"FFV1 lossless", 24, 0, AV_PIX_FMT_BGR0},
        {"Motion JPEG", 8, 2.0, AV_PIX_FMT_YUVJ420P}, {"H.264", 8, 2.0, AV_PIX_FMT_YUVJ420P},
    };
    const uint32_t w = 642, h = 36, frames = 20;
    TempFolder folder;
    for (const auto& c : cases) {
        if (std::string(c.compressor) == "H.264" && !HasH264())
            continue;
        const std::string path = (folder.path / "ramp.avi").string();
        {
            Recorder clip(path, c.compressor, w, h, 25, c.bits == 8 ? KVX_OPTION_MONOCHROME : 0);
            ASSERT_EQ(clip.started, 0) << c.compressor;
            for (uint32_t k = 0; k < frames; ++k)
                ASSERT_EQ(clip.Add(Ramp(w, h, c.bits, k), int64_t(k) * 400000, k), 0) << c.compressor;
            EXPECT_EQ(KvxMovieMakerStopMovieRecord(clip.handle), 0);
        }
        uint32_t k = 0;
        double worst = 0;
        const uint32_t channels = c.bits / 8;
        const ClipInfo info = ReadClip(path, c.bits == 8, [&](const std::vector<uint8_t>& pixels) {
            double error = 0;
            for (size_t i = 0; i < pixels.size(); ++i) {  // the ramp's value, as Ramp makes it
                const size_t x = i / channels % w, y = i / channels / w, channel = i % channels;
                error += std::abs(int(uint8_t(x + 3 * y + k + 40 * channel)) - int(pixels[i]));
            }
            worst = std::max(worst, error / double(pixels.size()));
            ++k;
        });
        EXPECT_EQ(info.pts.size(), frames) << c.compressor << " " << c.bits;
        EXPECT_EQ(info.width, int(w));
        EXPECT_EQ(info.height, int(h));
        EXPECT_EQ(av_cmp_q(info.rate, AVRational{25, 1}), 0);
        EXPECT_EQ(info.format, c.stored) << c.compressor << " " << c.bits;
        EXPECT_LE(worst, c.meanError) << c.compressor << " " << c.bits;
    }
}

// Frames lost before the clip keep their places: the clip runs in real time.
TEST(MovieMaker, TimesPlaceFramesAndGapsStayEmpty) {
    TempFolder folder;
    const std::string path = (folder.path / "gaps.avi").string();
    {
        Recorder clip(path, "Uncompressed", 8, 2, 25, KVX_OPTION_MONOCHROME);
        // 40 ms apart, 3 and 4 missing; then a time that stands still is placed by
        // its frame number, two on.
        const int64_t frames[][2] = {{0, 0},       {400000, 1},  {800000, 2},
                                     {2000000, 5}, {2000000, 7}, {2800000, 9}};
        for (const auto& f : frames)
            ASSERT_EQ(clip.Add(Ramp(8, 2, 8, 0), f[0], f[1]), 0);
    }
    EXPECT_EQ(ReadClip(path, true).pts, (std::vector<int64_t>{0, 1, 2, 5, 7, 9}));
}

namespace {

// Runs body in a child process; answers its wait status.
template <typename Body>
int InChild(Body body) {
    const pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

}  // namespace

// Every frame goes to the file as it comes: a process killed while writing
// leaves a clip FFmpeg reads to the last frame handed over.
TEST(MovieMaker, AClipOfAKilledProcessPlaysToItsLastWholeFrame) {
    const struct {
        const char* compressor;
        uint32_t bits;
    } cases[] = {{"Uncompressed", 8}, {"FFV1 lossless", 24}, {"Motion JPEG", 8}};
    const uint32_t w = 64, h = 16, frames = 30;
    TempFolder folder;
    for (const auto& c : cases) {
        const std::string path = (folder.path / "killed.avi").string();
        const int status = InChild([&] {
            Recorder clip(path, c.compressor, w, h, 25, KVX_OPTION_MONOCHROME);
            for (uint32_t k = 0; k < frames; ++k)
                if (clip.Add(Ramp(w, h, c.bits, k), int64_t(k) * 400000, k) != 0)
                    return 1;
            raise(SIGKILL);
            return 2;
        });
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << c.compressor;
        EXPECT_EQ(ReadClip(path, c.bits == 8).pts.size(), frames) << c.compressor;
    }
}

// Past 1 GiB the clip goes on in further RIFF parts with an OpenDML index, and
// plays to its last frame.
TEST(MovieMaker, AClipBeyondOneGibibytePlaysToItsLastFrame) {
    const uint32_t w = 2048, h = 2048, frames = 264;  // 4 MiB frames: 1.03 GiB
    if (std::filesystem::space("/dev/shm").available < (uint64_t(3) << 29))
        GTEST_SKIP() << "less than 1.5 GiB free on /dev/shm";
    const std::string path = "/dev/shm/glintrail-moviemaker-" + std::to_string(getpid()) + ".avi";
    const auto removed = [&path] { std::filesystem::remove(path); };
    std::vector<uint8_t> frame(size_t(w) * h, 7);
    {
        Recorder clip(path, "Uncompressed", w, h, 100, KVX_OPTION_MONOCHROME);
        ASSERT_EQ(clip.started, 0);
        for (uint32_t k = 0; k < frames; ++k) {
            std::memcpy(frame.data(), &k, sizeof k);
            ASSERT_EQ(clip.Add(frame, int64_t(k) * 100000, k), 0) << k;
        }
        ASSERT_EQ(KvxMovieMakerStopMovieRecord(clip.handle), 0);
    }
    ASSERT_GT(std::filesystem::file_size(path), uint64_t(1) << 30);
    std::string header(4096, '\0');
    std::ifstream(path, std::ios::binary).read(header.data(), std::streamsize(header.size()));
    EXPECT_NE(header.find("indx"), std::string::npos);
    uint32_t last = 0;
    const ClipInfo info = ReadClip(path, true, [&](const std::vector<uint8_t>& pixels) {
        std::memcpy(&last, pixels.data(), sizeof last);
    });
    removed();
    EXPECT_EQ(info.pts.size(), frames);
    EXPECT_EQ(last, frames - 1);
}
