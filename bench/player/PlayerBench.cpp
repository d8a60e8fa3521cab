// The player's loading of a 1920 x 1080 colour image written by the card library,
// against its reference, side by side in one loop so that a busy machine weighs
// on both alike, timed in the thread's processor time (user and system) so that
// other programs on the machine do not count. relative_speed is the reference's
// time over the player's: 1 means as fast as the reference.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <sys/stat.h>
#include <QApplication>
#include <QImage>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchApp.h"
#include "player/CPlayerView.h"
#include "player/ImageLoader.h"
#include "zamgrb.h"

namespace {

constexpr uint32_t kWidth = 1920, kHeight = 1080;

// The software card's colour ramp (R = x, G = y, B = x + y), written as a capture would.
struct WrittenFile {
    std::filesystem::path path;
    explicit WrittenFile(const char* extension) {
        path = std::filesystem::path("/dev/shm") / ("player-bench-" + std::to_string(getpid()) + extension);
        std::vector<uint8_t> pixels(size_t(kWidth) * kHeight * 4);
        for (uint32_t y = 0; y < kHeight; ++y)
            for (uint32_t x = 0; x < kWidth; ++x) {
                uint8_t* p = &pixels[(size_t(y) * kWidth + x) * 4];
                p[0] = uint8_t(x + y), p[1] = uint8_t(y), p[2] = uint8_t(x), p[3] = 0;
            }
        CameraDescription d{};
        d.config.widthValid = kWidth, d.config.heightValid = kHeight, d.config.bitDepth = 24;
        SetTapFormat(1, &d.config.tapConfig);
        const std::string p = path.string();
        if (std::string(extension) == ".jpg")
            SaveJpegFile(&d, pixels.data(), p.c_str(), 100);
        else
            SaveBmpFile(&d, pixels.data(), p.c_str());
    }
    ~WrittenFile() { std::filesystem::remove(path); }
    QString name() const { return QString::fromStdString(path.string()); }
};

// The whole file in a buffer that is not cleared first.
struct FileBytes {
    std::unique_ptr<uint8_t[]> data;
    size_t size = 0;
};
FileBytes readAll(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    fstat(fd, &info);
    FileBytes bytes{std::unique_ptr<uint8_t[]>(new uint8_t[size_t(info.st_size)]), size_t(info.st_size)};
    for (size_t done = 0; done < bytes.size;) {
        const ssize_t n = ::read(fd, bytes.data.get() + done, bytes.size - done);
        if (n <= 0)
            break;
        done += size_t(n);
    }
    ::close(fd);
    return bytes;
}

// paint, when given, follows the player's load and is counted apart as well.
void sideBySide(benchmark::State& state, const std::function<void()>& player,
                const std::function<void()>& reference, const std::function<void()>& paint = {}) {
    auto now = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
    };
    double playerSeconds = 0, referenceSeconds = 0, paintSeconds = 0;
    for (auto _ : state) {
        const double t0 = now();
        reference();
        const double t1 = now();
        player();
        const double t2 = now();
        if (paint)
            paint();
        referenceSeconds += t1 - t0;
        playerSeconds += t2 - t1;
        paintSeconds += now() - t2;
    }
    const double n = double(state.iterations());
    state.counters["player_ms"] = playerSeconds * 1e3 / n;
    state.counters["reference_ms"] = referenceSeconds * 1e3 / n;
    state.counters["relative_speed"] = referenceSeconds / playerSeconds;
    if (paint) {
        state.counters["paint_ms"] = paintSeconds * 1e3 / n;
        state.counters["relative_speed_with_paint"] = referenceSeconds / (playerSeconds + paintSeconds);
    }
}

// Loaded into the current bitmap, then painted by the view at full size, against
// decoding the file's bytes, already in memory, into 24-bit rows alone.
void BM_JpegLoadOverTjDecompress2(benchmark::State& state) {
    BenchApp();
    const WrittenFile file(".jpg");
    const FileBytes jpeg = readAll(file.path);
    tjhandle decompressor = tjInitDecompress();
    std::vector<uint8_t> rows(size_t((kWidth * 3 + 3) / 4 * 4) * kHeight);
    player::ImageLoader loader;
    QImage image;
    CPlayerView view;
    view.SetImage(&image);
    view.SetClientSize({int(kWidth), int(kHeight)});
    QImage surface(view.size(), QImage::Format_RGB32);
    sideBySide(
        state,
        [&] {
            if (loader.Load(file.name(), image) != player::FileStatus::Ok)
                state.SkipWithError("the JPEG did not load");
        },
        [&] {
            tjDecompress2(decompressor, jpeg.data.get(), jpeg.size, rows.data(), int(kWidth), 0, int(kHeight),
                          TJPF_BGR, 0);
            benchmark::DoNotOptimize(rows.data());
        },
        [&] {
            view.render(&surface);
            benchmark::DoNotOptimize(surface.constBits());
        });
    tjDestroy(decompressor);
}
BENCHMARK(BM_JpegLoadOverTjDecompress2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Bmp24LoadOverReadingTheFile(benchmark::State& state) {
    const WrittenFile file(".bmp");
    player::ImageLoader loader;
    QImage image;
    sideBySide(
        state,
        [&] {
            if (loader.Load(file.name(), image) != player::FileStatus::Ok)
                state.SkipWithError("the BMP did not load");
            benchmark::DoNotOptimize(image.constBits());
        },
        [&] {
            const FileBytes bytes = readAll(file.path);
            benchmark::DoNotOptimize(bytes.data.get());
        });
}
BENCHMARK(BM_Bmp24LoadOverReadingTheFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
