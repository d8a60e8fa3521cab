// The frame path as the main frame runs it: FrameGate's try-lock, one copy into
// the page buffer and one image-ready call queued to the user-interface thread,
// against a plain memcpy of the same 4-megapixel frame; and a 4-megapixel 8-bit
// camera at 200 frames per second on the software card taken by the gate with
// the view hidden, the grabber's counters against the gate's.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/FrameGate.h"
#include "zamgrb.h"
#include "zamgrb_sim.h"

namespace {

constexpr uint32_t kSide = 2048;
constexpr size_t kFrameBytes = size_t(kSide) * kSide;

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "bench_framepath";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// The main frame's side of the gate: the image-ready call is queued to this
// thread's event loop, and its handler takes the frame lock as the view would.
struct Viewer {
    CurrentImage image;
    std::mutex frameLock;
    QObject receiver;
    uint64_t handled = 0;
    std::atomic<uint64_t> captured{0};
    std::unique_ptr<FrameGate> gate;

    Viewer() {
        application();
        gate = std::make_unique<FrameGate>(
            image, frameLock,
            FrameGate::Hooks{[this](const FrameInfo&) { captured.fetch_add(1, std::memory_order_relaxed); },
                             nullptr,
                             [this] {
                                 QMetaObject::invokeMethod(
                                     &receiver, [this] { OnImageReady(); }, Qt::QueuedConnection);
                             }});
    }
    void OnImageReady() {
        gate->ImageReadyTaken();
        std::lock_guard lock(frameLock);
        ++handled;
    }
};

std::vector<uint8_t> sourceFrame() {
    std::vector<uint8_t> frame(kFrameBytes);
    for (size_t i = 0; i < frame.size(); ++i)
        frame[i] = uint8_t(i * 7 + (i >> 11));
    return frame;
}

void BM_MemcpyFrame(benchmark::State& state) {
    const std::vector<uint8_t> source = sourceFrame();
    PageBuffer destination;
    destination.allocate(kFrameBytes);
    for (auto _ : state) {
        std::memcpy(destination.data(), source.data(), kFrameBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFrameBytes));
}
BENCHMARK(BM_MemcpyFrame)->Unit(benchmark::kMicrosecond);

// Handling the queued call is the user-interface thread's work, outside the
// frame path; it runs with the clock paused.
void BM_FrameGatePath(benchmark::State& state) {
    const std::vector<uint8_t> source = sourceFrame();
    Viewer viewer;
    FrameInfo frame{};
    frame.data = source.data();
    frame.size = uint32_t(kFrameBytes);
    viewer.gate->OnFrame(frame);  // the first frame after a reconfiguration allocates
    QCoreApplication::sendPostedEvents();
    for (auto _ : state) {
        ++frame.frameNumber;
        viewer.gate->OnFrame(frame);
        state.PauseTiming();
        QCoreApplication::sendPostedEvents();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFrameBytes));
    state.counters["queued_calls_handled"] = double(viewer.handled);
}
BENCHMARK(BM_FrameGatePath)->Unit(benchmark::kMicrosecond);

// The two side by side in one loop, so a busy machine weighs on both alike.
void BM_FrameGateOverMemcpy(benchmark::State& state) {
    const std::vector<uint8_t> source = sourceFrame();
    PageBuffer reference;
    reference.allocate(kFrameBytes);
    Viewer viewer;
    FrameInfo frame{};
    frame.data = source.data();
    frame.size = uint32_t(kFrameBytes);
    viewer.gate->OnFrame(frame);
    QCoreApplication::sendPostedEvents();
    double gateSeconds = 0, memcpySeconds = 0;
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        std::memcpy(reference.data(), source.data(), kFrameBytes);
        benchmark::ClobberMemory();
        const auto t1 = Clock::now();
        viewer.gate->OnFrame(frame);
        const auto t2 = Clock::now();
        QCoreApplication::sendPostedEvents();
        memcpySeconds += std::chrono::duration<double>(t1 - t0).count();
        gateSeconds += std::chrono::duration<double>(t2 - t1).count();
    }
    state.counters["gate_us"] = gateSeconds * 1e6 / double(state.iterations());
    state.counters["memcpy_us"] = memcpySeconds * 1e6 / double(state.iterations());
    state.counters["ratio"] = gateSeconds / memcpySeconds;
}
BENCHMARK(BM_FrameGateOverMemcpy)->Unit(benchmark::kMicrosecond);

// 2048 x 2048, 8 bits, 1 tap, 200 frames per second on a 4-lane link.
class Camera200 {
public:
    Camera200() {
        char name[] = "/tmp/framepath-bench-XXXXXX";
        close(mkstemp(name));
        path_ = name;
        std::ofstream(path_) << R"({"cards": [{"id": "0xB0", "channels": [{"camera": {"framePeriodUs": 5000,
            "pixelClockMHz": 1000, "width": {"valid": 2048, "post": 0}, "height": {"valid": 2048, "post": 0}}}]}]})";
        setenv("ZAMGRB_SIM_CONFIG", path_.c_str(), 1);
        ZamgrbSimReload();
        card = OpenDefaultCard();
        CameraConfig config{};
        config.widthValid = config.heightValid = kSide;
        config.bitDepth = 8;
        SetTapFormat(1, &config.tapConfig);
        ready = card && OpenChannel(card, 0) == ZAMGRB_OK && ConfigureChannel(card, 0, &config) == ZAMGRB_OK;
    }
    ~Camera200() {
        CloseCard(card);
        std::remove(path_.c_str());
    }
    uint64_t card = 0;
    bool ready = false;

private:
    std::string path_;
};

// Two seconds of grabbing per iteration with the event loop running, as the
// main frame does with its view hidden. Lost frames are those the card counted
// as delivered but the gate never saw, plus the card's drops and overruns.
void BM_Camera4MPAt200fps(benchmark::State& state) {
    Camera200 camera;
    if (!camera.ready) {
        state.SkipWithError("the software card did not configure the camera");
        return;
    }
    uint64_t delivered = 0, taken = 0, shown = 0, lost = 0;
    double seconds = 0;
    for (auto _ : state) {
        Viewer viewer;
        QElapsedTimer clock;
        clock.start();
        StartGrab(camera.card, 0, 1, &FrameGate::FrameCallback, viewer.gate.get());
        while (clock.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        StopGrab(camera.card, 0);
        QCoreApplication::sendPostedEvents();
        seconds += double(clock.elapsed()) / 1000.0;
        GrabStatistics s{};
        GetStatistics(camera.card, 0, &s);
        delivered += s.grabbingCount;
        taken += viewer.captured;
        shown += viewer.gate->shownFrames();
        lost += (s.grabbingCount - viewer.captured) + s.dropCount + s.overrunCount;
    }
    state.counters["fps"] = double(delivered) / seconds;
    state.counters["grabber_delivered"] = double(delivered);
    state.counters["gate_taken"] = double(taken);
    state.counters["gate_shown"] = double(shown);
    state.counters["lost"] = double(lost);
}
BENCHMARK(BM_Camera4MPAt200fps)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
