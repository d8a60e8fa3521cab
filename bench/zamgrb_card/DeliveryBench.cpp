// Cost of frame delivery on the library's thread, against a memcpy of the same frame,
// and the latency of StartGrab (to the first callback) and StopGrab.
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>
#include <vector>

#include "zamgrb.h"
#include "zamgrb_sim.h"

namespace {

constexpr uint32_t kSide = 2048;
constexpr size_t kFrameBytes = size_t(kSide) * kSide;

// 2048 x 2048, 8 bits, moving picture at 200 frames per second (5000 us).
struct Machine {
    Machine() {
        char name[] = "/tmp/zamgrb-bench-XXXXXX";
        close(mkstemp(name));
        path = name;
        std::ofstream(path)
            << R"({"cards": [{"channels": [{"camera": {"source": "moving", "framePeriodUs": 5000,
            "pixelClockMHz": 1000, "width": {"valid": 2048, "post": 0}, "height": {"valid": 2048, "post": 0}}}]}]})";
        setenv("ZAMGRB_SIM_CONFIG", path.c_str(), 1);
        ZamgrbSimReload();
        card = OpenDefaultCard();
        OpenChannel(card, 0);
        CameraConfig c{};
        c.widthValid = c.heightValid = kSide;
        c.bitDepth = 8;
        SetTapFormat(1, &c.tapConfig);
        ConfigureChannel(card, 0, &c);
    }
    ~Machine() {
        CloseCard(card);
        std::remove(path.c_str());
    }
    std::string path;
    uint64_t card = 0;
};

Machine& machine() {
    static Machine m;
    return m;
}

double threadCpuSeconds() {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// The delivery thread's CPU time per frame, callback excluded (the callback does nothing
// but count). Reported as a manual time per frame.
void BM_DeliveryThreadPerFrame(benchmark::State& state) {
    Machine& m = machine();
    struct Ctx {
        std::atomic<uint64_t> frames{0};
        std::atomic<double> cpuAtFirst{0}, cpuAtLast{0};
        uint64_t stopAt = 0;
    } ctx;
    for (auto _ : state) {
        ctx.frames = 0;
        ctx.stopAt = 200;
        auto callback = [](void* p, const FrameInfo* f) {
            auto* c = static_cast<Ctx*>(p);
            benchmark::DoNotOptimize(f->data);
            const uint64_t n = c->frames.fetch_add(1) + 1;
            if (n == 1)
                c->cpuAtFirst = threadCpuSeconds();
            if (n == c->stopAt)
                c->cpuAtLast = threadCpuSeconds();
        };
        StartGrab(m.card, 0, 1, callback, &ctx);
        while (ctx.frames.load() < ctx.stopAt)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        StopGrab(m.card, 0);
        state.SetIterationTime((ctx.cpuAtLast.load() - ctx.cpuAtFirst.load()) / double(ctx.stopAt - 1));
    }
    GrabStatistics st{};
    GetStatistics(m.card, 0, &st);
    state.counters["drops"] = st.dropCount;
    state.counters["overruns"] = st.overrunCount;
}
BENCHMARK(BM_DeliveryThreadPerFrame)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(3);

// The reference: one memcpy of a 2048 x 2048 frame.
void BM_MemcpyOfAFrame(benchmark::State& state) {
    std::vector<uint8_t> from(kFrameBytes, 1), to(kFrameBytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kFrameBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFrameBytes));
}
BENCHMARK(BM_MemcpyOfAFrame)->Unit(benchmark::kMicrosecond);

// StartGrab to the first callback (one frame period is 5 ms).
void BM_StartGrabToFirstCallback(benchmark::State& state) {
    Machine& m = machine();
    for (auto _ : state) {
        std::atomic<bool> seen{false};
        auto callback = [](void* p, const FrameInfo*) { static_cast<std::atomic<bool>*>(p)->store(true); };
        const auto start = std::chrono::steady_clock::now();
        StartGrab(m.card, 0, 1, callback, &seen);
        while (!seen.load())
            std::this_thread::yield();
        const auto end = std::chrono::steady_clock::now();
        StopGrab(m.card, 0);
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}
BENCHMARK(BM_StartGrabToFirstCallback)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// StopGrab to its return, while frames flow.
void BM_StopGrab(benchmark::State& state) {
    Machine& m = machine();
    for (auto _ : state) {
        std::atomic<int> frames{0};
        auto callback = [](void* p, const FrameInfo*) { static_cast<std::atomic<int>*>(p)->fetch_add(1); };
        StartGrab(m.card, 0, 1, callback, &frames);
        while (frames.load() < 3)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const auto start = std::chrono::steady_clock::now();
        StopGrab(m.card, 0);
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(BM_StopGrab)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
