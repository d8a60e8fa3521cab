// The image primitives against their nearest OpenCV equivalents, one thread,
// on the same data in the same run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <vector>

#include "imaging.h"

namespace {

constexpr int kSide = 2048;

void OneThread() {
    cv::setNumThreads(1);
}

cv::Mat Noise(int rows, int cols, int type) {
    cv::Mat m(rows, cols, type);
    cv::randu(m, 0, type == CV_16UC3 ? 65535 : 255);
    return m;
}

std::vector<uint32_t> Palette() {
    std::vector<uint32_t> p(256);
    for (uint32_t i = 0; i < 256; ++i)
        p[i] = 0xFF000000u | i * 0x010101u;
    return p;
}

void SetBytes(benchmark::State& state, size_t perIteration) {
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(perIteration));
}

// Palette lookup 8u -> 32-bit words of a 2048 x 2048 region.
void BM_Lut8u32u_Imaging(benchmark::State& state) {
    const cv::Mat src = Noise(kSide, kSide, CV_8UC1);
    cv::Mat dst(kSide, kSide, CV_32SC1);
    const std::vector<uint32_t> palette = Palette();
    for (auto _ : state) {
        imaging::LutPalette8u32u(src.data, src.step, dst.data, dst.step, {kSide, kSide}, palette.data(), 8);
        benchmark::DoNotOptimize(dst.data);
    }
    SetBytes(state, size_t(kSide) * kSide);
}

void BM_Lut8u32u_OpenCV(benchmark::State& state) {
    OneThread();
    const cv::Mat src = Noise(kSide, kSide, CV_8UC1);
    const std::vector<uint32_t> palette = Palette();
    const cv::Mat lut(1, 256, CV_32SC1, const_cast<uint32_t*>(palette.data()));
    cv::Mat dst(kSide, kSide, CV_32SC1);
    for (auto _ : state) {
        cv::LUT(src, lut, dst);
        benchmark::DoNotOptimize(dst.data);
    }
    SetBytes(state, size_t(kSide) * kSide);
}

// Nearest-neighbour resize of a 2048 x 2048 region by the zoom in state.range(0) / 4.
template <int Type>
void BM_Resize_Imaging(benchmark::State& state) {
    const double zoom = double(state.range(0)) / 4;
    const cv::Mat src = Noise(kSide, kSide, Type);
    const int out = int(kSide * zoom);
    cv::Mat dst(out, out, Type);
    const auto channels = Type == CV_8UC1 ? imaging::Channels::C1 : imaging::Channels::AC4;
    for (auto _ : state) {
        imaging::ResizeNearest8u(src.data, src.step, {0, 0, kSide, kSide}, dst.data, dst.step,
                                 {0, 0, out, out}, zoom, channels);
        benchmark::DoNotOptimize(dst.data);
    }
    SetBytes(state, dst.total() * dst.elemSize());
}

template <int Type>
void BM_Resize_OpenCV(benchmark::State& state) {
    OneThread();
    const double zoom = double(state.range(0)) / 4;
    const cv::Mat src = Noise(kSide, kSide, Type);
    const int out = int(kSide * zoom);
    cv::Mat dst(out, out, Type);
    for (auto _ : state) {
        cv::resize(src, dst, cv::Size(out, out), 0, 0, cv::INTER_NEAREST);
        benchmark::DoNotOptimize(dst.data);
    }
    SetBytes(state, dst.total() * dst.elemSize());
}

// 16u to 8u reduction of a 2048 x 2048 region of three channels.
void BM_Reduce16u8u_Imaging(benchmark::State& state) {
    const cv::Mat src = Noise(kSide, kSide, CV_16UC3);
    cv::Mat dst(kSide, kSide, CV_8UC3);
    for (auto _ : state) {
        imaging::ReduceBits16u8u(src.ptr<uint16_t>(), src.step, dst.data, dst.step, {kSide, kSide},
                                 imaging::Channels::C3);
        benchmark::DoNotOptimize(dst.data);
    }
    SetBytes(state, src.total() * 3);
}

void BM_Reduce16u8u_OpenCV(benchmark::State& state) {
    OneThread();
    const cv::Mat src = Noise(kSide, kSide, CV_16UC3);
    cv::Mat dst(kSide, kSide, CV_8UC3);
    for (auto _ : state) {
        cv::convertScaleAbs(src, dst, 255.0 / 65535.0);
        benchmark::DoNotOptimize(dst.data);
    }
    SetBytes(state, src.total() * 3);
}

}  // namespace

BENCHMARK(BM_Lut8u32u_Imaging)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lut8u32u_OpenCV)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resize_Imaging<CV_8UC1>)->Arg(2)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resize_OpenCV<CV_8UC1>)->Arg(2)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resize_Imaging<CV_8UC4>)->Arg(2)->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resize_OpenCV<CV_8UC4>)->Arg(2)->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Reduce16u8u_Imaging)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Reduce16u8u_OpenCV)->Unit(benchmark::kMillisecond);
