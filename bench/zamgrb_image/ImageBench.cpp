// ConvertFrame and SaveJpegFile against their references on 2048 x 2048 frames, one thread.
#include <benchmark/benchmark.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <opencv2/imgproc.hpp>
#include <string>
#include <vector>

#include "zamgrb.h"

namespace {

constexpr uint32_t kSide = 2048;

CameraDescription describe(uint32_t format, uint32_t depth, bool packed, uint8_t colorFormat = 0) {
    CameraDescription d{};
    d.config.widthValid = kSide;
    d.config.heightValid = kSide;
    d.config.bitDepth = depth;
    d.config.packed = packed;
    d.colorFormat = colorFormat;
    d.patternStart = 3;  // G B / R G, the layout of OpenCV's BayerGB
    SetTapFormat(format, &d.config.tapConfig);
    return d;
}

std::vector<uint8_t> noise(size_t bytes) {
    std::vector<uint8_t> v(bytes);
    uint32_t x = 12345;
    for (auto& b : v)
        b = uint8_t((x = x * 1664525u + 1013904223u) >> 24);
    return v;
}

std::vector<uint8_t> destinationFor(const CameraDescription& d, uint8_t flags) {
    uint64_t step = 0;
    ConvertFrame(&d, nullptr, nullptr, &step, flags, nullptr);
    return std::vector<uint8_t>(step * d.config.heightValid);
}

void convert(benchmark::State& state, const CameraDescription& d, size_t rawBytes, uint8_t flags) {
    const auto raw = noise(rawBytes);
    auto out = destinationFor(d, flags);
    for (auto _ : state) {
        uint64_t step = 0;
        if (ConvertFrame(&d, raw.data(), out.data(), &step, flags, nullptr) != 0)
            state.SkipWithError("failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(rawBytes));
}

void Memcpy8Bit(benchmark::State& state) {
    const auto raw = noise(size_t(kSide) * kSide);
    std::vector<uint8_t> out(raw.size());
    for (auto _ : state) {
        std::memcpy(out.data(), raw.data(), raw.size());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(raw.size()));
}
BENCHMARK(Memcpy8Bit)->Unit(benchmark::kMillisecond);

void ConvertMono8OneTap(benchmark::State& state) {
    convert(state, describe(1, 8, false), size_t(kSide) * kSide, 0);
}
BENCHMARK(ConvertMono8OneTap)->Unit(benchmark::kMillisecond);

// 10-bit packed: 6 samples per 64-bit word.
void ConvertMono10PackedFourTaps(benchmark::State& state) {
    const size_t raw = (size_t(kSide) * kSide + 5) / 6 * 8;
    convert(state, describe(10, 10, true), raw, uint8_t(state.range(0)));
}
BENCHMARK(ConvertMono10PackedFourTaps)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void ConvertBayer8(benchmark::State& state) {
    convert(state, describe(1, 8, false, 1), size_t(kSide) * kSide, 0);
}
BENCHMARK(ConvertBayer8)->Unit(benchmark::kMillisecond);

void OpenCvBayerGB2BGR(benchmark::State& state) {
    auto raw = noise(size_t(kSide) * kSide);
    const cv::Mat in(kSide, kSide, CV_8UC1, raw.data());
    cv::Mat out(kSide, kSide, CV_8UC3);
    cv::setNumThreads(1);
    for (auto _ : state) {
        cv::cvtColor(in, out, cv::COLOR_BayerGB2BGR);
        benchmark::DoNotOptimize(out.data);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(raw.size()));
}
BENCHMARK(OpenCvBayerGB2BGR)->Unit(benchmark::kMillisecond);

// A smooth colour picture, as a camera would give, in the writers' B, G, R, unused layout.
std::vector<uint8_t> picture() {
    std::vector<uint8_t> p(size_t(kSide) * kSide * 4);
    for (uint32_t y = 0; y < kSide; ++y)
        for (uint32_t x = 0; x < kSide; ++x) {
            uint8_t* px = &p[(size_t(y) * kSide + x) * 4];
            px[0] = uint8_t(x / 8), px[1] = uint8_t(y / 8), px[2] = uint8_t((x + y) / 16), px[3] = 0;
        }
    return p;
}

const std::string kJpegPath = "/dev/shm/zamgrb-bench-" + std::to_string(getpid()) + ".jpg";

void SaveJpegFileColour(benchmark::State& state) {
    const auto pixels = picture();
    CameraDescription d = describe(1, 24, false);
    for (auto _ : state)
        if (SaveJpegFile(&d, pixels.data(), kJpegPath.c_str(), 90) != 0)
            state.SkipWithError("failed");
    std::remove(kJpegPath.c_str());
}
BENCHMARK(SaveJpegFileColour)->Unit(benchmark::kMillisecond);

// The reference: the same compression and a plain write of its bytes.
void TjCompress2Colour(benchmark::State& state) {
    const auto pixels = picture();
    tjhandle h = tjInitCompress();
    for (auto _ : state) {
        unsigned char* jpeg = nullptr;
        unsigned long size = 0;
        tjCompress2(h, pixels.data(), kSide, 0, kSide, TJPF_BGRX, &jpeg, &size, TJSAMP_444, 90,
                    TJFLAG_FASTDCT);
        FILE* f = std::fopen(kJpegPath.c_str(), "wb");
        std::fwrite(jpeg, 1, size, f);
        std::fclose(f);
        tjFree(jpeg);
    }
    tjDestroy(h);
    std::remove(kJpegPath.c_str());
}
BENCHMARK(TjCompress2Colour)->Unit(benchmark::kMillisecond);

}  // namespace
