// A full repaint of a 1920 x 1080 visible region of a 4-megapixel 8-bit image
// (conversion and drawing into an off-screen surface) against a memcpy of the
// 32-bit display buffer.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstring>
#include <memory>
#include <vector>

#include "bench/BenchApp.h"
#include "display/CChildView.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080, kSide = 2048;

void BM_Repaint_View(benchmark::State& state) {
    BenchApp();
    CurrentImage image;
    image.description.config.widthValid = kSide;
    image.description.config.heightValid = kSide;
    image.description.config.bitDepth = 8;
    CChildView view;
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.SetCurrentImage(&image);
    view.OnUpdate(nullptr, 0, nullptr);
    image.rowStep = kSide;
    image.pixelData.allocate(size_t(kSide) * kSide);
    for (size_t i = 0; i < image.pixelData.size(); ++i)
        image.pixelData.data()[i] = uint8_t(i * 7 + i / kSide);
    view.resize(kWidth + 200, kHeight + 200);
    view.show();
    QApplication::processEvents();
    if (view.viewport()->size() != QSize(kWidth, kHeight))
        view.resize(view.size() + QSize(kWidth, kHeight) - view.viewport()->size());
    QImage surface(view.viewport()->size(), QImage::Format_RGB32);
    if (surface.size() != QSize(kWidth, kHeight))
        state.SkipWithError(QStringLiteral("viewport %1 x %2, not 1920 x 1080")
                                .arg(surface.width())
                                .arg(surface.height())
                                .toStdString()
                                .c_str());
    for (auto _ : state) {
        QPainter painter(&surface);
        view.OnDraw(painter);
        painter.end();
        benchmark::DoNotOptimize(surface.constBits());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 4);
}

void BM_Repaint_Memcpy(benchmark::State& state) {
    std::vector<uint8_t> from(size_t(kWidth) * kHeight * 4, 1), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(from.size()));
}

}  // namespace

BENCHMARK(BM_Repaint_View)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Repaint_Memcpy)->Unit(benchmark::kMillisecond);
