// One 4 KB burst reaches the terminal as the reader reads it, in 80-byte chunks.
// Coalesced: the chunks are handed over and the event loop turns once, so the log
// is rebuilt once (how the viewer runs). Per chunk: the loop turns after every
// chunk, so the log is rebuilt for each (the reference). Arg: receive mode
// (0 ASCII, 1 HEX, three characters a byte). A burst every 10 ms leaves 10 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <vector>

#include "bench/BenchApp.h"
#include "camera/CTerminalDlg.h"

namespace {

constexpr uint32_t kBurst = 4096, kChunk = 80;

void runBursts(benchmark::State& state, bool turnPerChunk) {
    BenchApp();
    CTerminalDlg terminal;
    terminal.Create(nullptr);
    terminal.show();
    terminal.SetReceiveMode(terminal::Mode(state.range(0)));
    std::vector<uint8_t> burst(kBurst);
    for (uint32_t i = 0; i < kBurst; ++i)
        burst[i] = uint8_t(i % 10 == 9 ? '\n' : 'A' + i % 26);
    for (auto _ : state) {
        for (uint32_t at = 0; at < kBurst; at += kChunk) {
            terminal.OnReceived(burst.data() + at, std::min(kChunk, kBurst - at));
            if (turnPerChunk)
                QApplication::processEvents();
        }
        QApplication::processEvents();
        benchmark::DoNotOptimize(terminal.logText().size());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kBurst);
}

void BM_Burst_Coalesced(benchmark::State& state) {
    runBursts(state, false);
}
void BM_Burst_RebuiltPerChunk(benchmark::State& state) {
    runBursts(state, true);
}

BENCHMARK(BM_Burst_Coalesced)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Burst_RebuiltPerChunk)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
