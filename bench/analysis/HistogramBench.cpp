// The histogram window's work on a 2048 x 2048 frame against OpenCV in the same
// loop (ratio = OpenCV's time / ours, so above 1.0 is faster), and the window
// open on a 2048 x 2048 8-bit camera at 100 frames per second on the software
// card: the view and the histograms keep up without the delivery losing frames.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <chrono>
#include <fstream>
#include <mutex>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <string>
#include <vector>

#include "analysis/CHistogramTool.h"
#include "analysis/LineProfile.h"
#include "analysis/TapHistograms.h"
#include "app/FrameGate.h"
#include "display/CChildView.h"
#include "display/ViewHints.h"
#include "zamgrb.h"
#include "zamgrb_sim.h"

namespace {

constexpr uint32_t kSide = 2048;
using Clock = std::chrono::steady_clock;

std::vector<uint16_t> deepFrame() {
    std::vector<uint16_t> frame(size_t(kSide) * kSide);
    for (size_t i = 0; i < frame.size(); ++i)
        frame[i] = uint16_t(i * 7 + (i >> 11) * 13);
    return frame;
}

double seconds(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

// Four segmented taps, 16 bits: every tap's histogram against one histogram of
// the whole frame.
void BM_TapHistogramsOverCalcHist(benchmark::State& state) {
    const std::vector<uint16_t> raw = deepFrame();
    CameraDescription d{};
    d.config.widthValid = d.config.heightValid = kSide;
    d.config.bitDepth = 16;
    SetTapFormat(10, &d.config.tapConfig);
    const cv::Mat image{int(kSide), int(kSide), CV_16U, const_cast<uint16_t*>(raw.data())};
    std::vector<uint8_t> scratch;
    histo::TapHistogramSet set;
    cv::Mat hist;
    const int channels[] = {0}, sizes[] = {65536};
    const float range[] = {0, 65536};
    const float* ranges[] = {range};
    double ours = 0, reference = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        histo::ComputeTapHistograms(d, raw.data(), raw.size() * 2, scratch, set);
        const auto t1 = Clock::now();
        cv::calcHist(&image, 1, channels, cv::Mat(), hist, 1, sizes, ranges);
        const auto t2 = Clock::now();
        ours += seconds(t0, t1);
        reference += seconds(t1, t2);
    }
    state.counters["ours_ms"] = ours * 1e3 / double(state.iterations());
    state.counters["calcHist_ms"] = reference * 1e3 / double(state.iterations());
    state.counters["ratio"] = reference / ours;
}
BENCHMARK(BM_TapHistogramsOverCalcHist)->Unit(benchmark::kMillisecond);

// Both average profiles of a 16-bit frame against a sum per column and one per row.
void BM_ProfilesOverReduce(benchmark::State& state) {
    const std::vector<uint16_t> pixels = deepFrame();
    const histo::PixelImage image{
        reinterpret_cast<const uint8_t*>(pixels.data()), kSide * 2, int(kSide), int(kSide), 1, 2};
    const cv::Mat mat{int(kSide), int(kSide), CV_16U, const_cast<uint16_t*>(pixels.data())};
    histo::Profiles profiles;
    cv::Mat columns, rows;
    double ours = 0, reference = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        histo::ComputeProfiles(image, -1, -1, profiles);
        const auto t1 = Clock::now();
        cv::reduce(mat, columns, 0, cv::REDUCE_SUM, CV_32F);
        cv::reduce(mat, rows, 1, cv::REDUCE_SUM, CV_32F);
        const auto t2 = Clock::now();
        ours += seconds(t0, t1);
        reference += seconds(t1, t2);
    }
    state.counters["ours_ms"] = ours * 1e3 / double(state.iterations());
    state.counters["reduce_ms"] = reference * 1e3 / double(state.iterations());
    state.counters["ratio"] = reference / ours;
}
BENCHMARK(BM_ProfilesOverReduce)->Unit(benchmark::kMillisecond);

QApplication& application() {
    static int argc = 1;
    static char name[] = "bench_histogram";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(argc, argv);
    return app;
}

// 2048 x 2048, 8 bits, 1 tap, 100 frames per second.
class Camera100 {
public:
    Camera100() {
        char name[] = "/tmp/histogram-bench-XXXXXX";
        close(mkstemp(name));
        path_ = name;
        std::ofstream(path_) << R"({"cards": [{"id": "0xB1", "channels": [{"camera": {"framePeriodUs": 10000,
            "pixelClockMHz": 1000, "width": {"valid": 2048, "post": 0}, "height": {"valid": 2048, "post": 0}}}]}]})";
        setenv("ZAMGRB_SIM_CONFIG", path_.c_str(), 1);
        ZamgrbSimReload();
        card = OpenDefaultCard();
        description.config.widthValid = description.config.heightValid = kSide;
        description.config.bitDepth = 8;
        SetTapFormat(1, &description.config.tapConfig);
        ready = card && OpenChannel(card, 0) == ZAMGRB_OK &&
                ConfigureChannel(card, 0, &description.config) == ZAMGRB_OK;
    }
    ~Camera100() {
        CloseCard(card);
        std::remove(path_.c_str());
    }
    uint64_t card = 0;
    CameraDescription description{};
    bool ready = false;

private:
    std::string path_;
};

// The main frame's frame path into a shown view with the histogram window open.
struct LiveView {
    CurrentImage image;
    std::mutex frameLock;
    CChildView view;
    std::unique_ptr<CHistogramTool> tool;
    std::unique_ptr<FrameGate> gate;
    uint64_t handled = 0;

    LiveView(const CameraDescription& d, bool histogramOpen) {
        image.description = d;
        view.SetCurrentImage(&image);
        view.resize(800, 600);
        view.show();
        CHistogramTool::Host host;
        host.parent = [this] { return &view; };
        host.withCurrentImage = [this](const std::function<void(CurrentImage&)>& use) {
            std::lock_guard lock(frameLock);
            use(image);
        };
        tool = std::make_unique<CHistogramTool>(std::move(host));
        view.SetHistogram(tool.get());
        if (histogramOpen)
            tool->Toggle();
        gate = std::make_unique<FrameGate>(image, frameLock,
                                           FrameGate::Hooks{nullptr, nullptr, [this] {
                                                                QMetaObject::invokeMethod(
                                                                    &view, [this] { OnImageReady(); },
                                                                    Qt::QueuedConnection);
                                                            }});
    }
    void OnImageReady() {
        gate->ImageReadyTaken();
        std::lock_guard lock(frameLock);
        const CImageReadyHint hint(&image);
        view.OnUpdate(nullptr, 0, &hint);
        ++handled;
    }
};

void BM_HistogramWindowAt100fps(benchmark::State& state) {
    application();
    Camera100 camera;
    if (!camera.ready) {
        state.SkipWithError("the software card did not configure the camera");
        return;
    }
    uint64_t delivered = 0, shown = 0, lost = 0, drops = 0, offered = 0, replaced = 0, results = 0;
    double elapsed = 0;
    for (auto _ : state) {
        LiveView live(camera.description, state.range(0) != 0);
        QElapsedTimer clock;
        clock.start();
        StartGrab(camera.card, 0, 1, &FrameGate::FrameCallback, live.gate.get());
        while (clock.elapsed() < 3000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        StopGrab(camera.card, 0);
        QCoreApplication::sendPostedEvents();
        elapsed += double(clock.elapsed()) / 1000.0;
        GrabStatistics s{};
        GetStatistics(camera.card, 0, &s);
        delivered += s.grabbingCount;
        shown += live.handled;
        lost += s.grabbingCount - live.gate->shownFrames() - live.gate->skippedFrames();
        drops += s.dropCount + s.overrunCount;
        offered += live.tool->worker().offered();
        replaced += live.tool->worker().replaced();
        results += live.tool->resultsShown();
    }
    state.counters["fps"] = double(delivered) / elapsed;
    state.counters["view_fps"] = double(shown) / elapsed;
    state.counters["histogram_fps"] = double(results) / elapsed;
    state.counters["offers_replaced"] = double(replaced);
    state.counters["offered"] = double(offered);
    state.counters["not_delivered"] = double(lost);
    state.counters["drops_overruns"] = double(drops);
}
// Argument 1: the histogram window open; 0: closed, the reference.
BENCHMARK(BM_HistogramWindowAt100fps)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
