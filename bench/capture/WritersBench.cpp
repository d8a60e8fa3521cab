// Writers of captured 2048 x 2048 frames against their references, side by side
// in one loop so that a busy machine weighs on both alike. relative_speed is the
// reference's time over the writer's: 1 means as fast as the reference.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "capture/FramePreparation.h"
#include "capture/ImageFileWriter.h"

namespace {

using namespace capture;
constexpr uint32_t kSide = 2048;

struct Folder {
    std::filesystem::path path =
        std::filesystem::path("/dev/shm") / ("capture-bench-" + std::to_string(getpid()));
    Folder() { std::filesystem::create_directories(path); }
    ~Folder() { std::filesystem::remove_all(path); }
    // A few names in turn, as a series would write, without filling the memory.
    std::string next(const char* extension) {
        return (path / ("frame" + std::to_string(count++ % 4) + extension)).string();
    }
    unsigned count = 0;
};

// The software card's ramp, (x + 3y) mod 2^bits, stored in a byte or a 16-bit word.
struct RampFrame {
    std::vector<uint8_t> raw;
    FrameToWrite frame;
    explicit RampFrame(uint32_t bits) {
        const uint32_t bytes = bits > 8 ? 2 : 1;
        raw.resize(size_t(kSide) * kSide * bytes);
        for (uint32_t y = 0; y < kSide; ++y)
            for (uint32_t x = 0; x < kSide; ++x) {
                const uint32_t v = (x + 3 * y) % (1u << bits);
                for (uint32_t b = 0; b < bytes; ++b)
                    raw[(size_t(y) * kSide + x) * bytes + b] = uint8_t(v >> (8 * b));
            }
        frame.data = raw.data();
        frame.size = uint32_t(raw.size());
        frame.description.config.widthValid = frame.description.config.heightValid = kSide;
        frame.description.config.bitDepth = bits;
        SetTapFormat(1, &frame.description.config.tapConfig);
    }
};

void plainWrite(const std::string& path, const void* data, size_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n <= 0)
            break;
        p += n, size -= size_t(n);
    }
    ::close(fd);
}

void sideBySide(benchmark::State& state, const std::function<void()>& writer,
                const std::function<void()>& reference, size_t bytes) {
    using Clock = std::chrono::steady_clock;
    double writerSeconds = 0, referenceSeconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        reference();
        const auto t1 = Clock::now();
        writer();
        const auto t2 = Clock::now();
        referenceSeconds += std::chrono::duration<double>(t1 - t0).count();
        writerSeconds += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = double(state.iterations());
    state.counters["writer_ms"] = writerSeconds * 1e3 / n;
    state.counters["reference_ms"] = referenceSeconds * 1e3 / n;
    state.counters["relative_speed"] = referenceSeconds / writerSeconds;
    state.counters["writer_MBps"] = double(bytes) * n / writerSeconds / 1e6;
}

void BM_RawOverPlainWrite(benchmark::State& state) {
    Folder folder;
    const RampFrame ramp(8);
    ImageFileWriter writer(nullptr);
    const ImageWriteOptions options{kImageRaw, false, 0, {}};
    sideBySide(
        state, [&] { writer.Write(ramp.frame, options, folder.next(".raw")); },
        [&] { plainWrite(folder.next(".plain"), ramp.raw.data(), ramp.raw.size()); }, ramp.raw.size());
}
BENCHMARK(BM_RawOverPlainWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Tiff16OverPlainWrite(benchmark::State& state) {
    Folder folder;
    const RampFrame ramp(12);  // written as 16-bit samples: the same 8 MiB as the plain write
    ImageFileWriter writer(nullptr);
    const ImageWriteOptions options{kImageTiff, false, 0, {}};
    sideBySide(
        state, [&] { writer.Write(ramp.frame, options, folder.next(".tif")); },
        [&] { plainWrite(folder.next(".plain"), ramp.raw.data(), ramp.raw.size()); }, ramp.raw.size());
}
BENCHMARK(BM_Tiff16OverPlainWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_JpegOverTurboJpeg(benchmark::State& state) {
    Folder folder;
    const RampFrame ramp(8);
    ImageFileWriter writer(nullptr);
    const ImageWriteOptions options{kImageJpeg, false, 0, {}};  // quality 100
    tjhandle compressor = tjInitCompress();
    auto turbo = [&] {
        unsigned char* jpeg = nullptr;
        unsigned long size = 0;
        tjCompress2(compressor, ramp.raw.data(), int(kSide), 0, int(kSide), TJPF_GRAY, &jpeg, &size,
                    TJSAMP_GRAY, 100, TJFLAG_FASTDCT);
        plainWrite(folder.next(".plain"), jpeg, size);
        tjFree(jpeg);
    };
    sideBySide(
        state, [&] { writer.Write(ramp.frame, options, folder.next(".jpg")); }, turbo, ramp.raw.size());
    tjDestroy(compressor);
}
BENCHMARK(BM_JpegOverTurboJpeg)->Unit(benchmark::kMillisecond)->UseRealTime();

// The stamp of all three lines on an 8-bit frame, the date block rebuilt each
// frame as in a capture, against a copy of the frame.
void BM_StampOverMemcpy(benchmark::State& state) {
    auto glyphs = std::make_shared<GlyphSet>();
    for (Glyph& g : *glyphs)
        g.width = 6, g.height = 12;
    TextStamp stamp(glyphs);
    std::vector<uint8_t> image(size_t(kSide) * kSide), copy(image.size());
    StampedFrame frame{};
    const StampOptions options{true, true, true, 5, u"Glintrail capture"};
    sideBySide(
        state,
        [&] {
            ++frame.timeStamp, frame.localTime.milliseconds = uint16_t(frame.timeStamp % 1000);
            stamp.StampText(image.data(), 8, kSide, kSide, kSide, frame, options);
        },
        [&] {
            std::memcpy(copy.data(), image.data(), image.size());
            benchmark::ClobberMemory();
        },
        image.size());
}
BENCHMARK(BM_StampOverMemcpy)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
