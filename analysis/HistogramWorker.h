// The histogram window's computing thread. The user-interface thread only tells
// it that a new frame is there; the thread copies the newest frame itself when
// it is free, so offers that arrive while it computes are merged, never queued,
// and it keeps the newest result until the user-interface thread takes it.
// Neither side waits for the other beyond the copy.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "analysis/LineProfile.h"
#include "analysis/TapHistograms.h"

namespace histo {

struct HistogramJob {
    CameraDescription description{};  // without its lookup table
    std::vector<uint8_t> raw;
    std::vector<uint8_t> pixels;  // the converted image
    PixelImage image;             // describes `pixels`
    int selectedLine = -1, selectedColumn = -1;
};

struct HistogramResult {
    bool histograms = false;  // false: the frame could not be converted
    TapHistogramSet set;
    bool profiles = false;
    Profiles lines;
};

class HistogramWorker {
public:
    // `fill` runs on the worker thread and copies the newest frame into a job
    // whose buffers are reused. `resultReady` runs on the worker thread when a
    // result is waiting and none was announced since the last Take; it must not block.
    HistogramWorker(std::function<void(HistogramJob&)> fill, std::function<void()> resultReady);
    ~HistogramWorker();
    HistogramWorker(const HistogramWorker&) = delete;
    HistogramWorker& operator=(const HistogramWorker&) = delete;

    // A new frame is there: it is computed when the thread is free.
    void Offer();
    // Moves the newest result into `out`; false when none waits.
    bool Take(HistogramResult& out);

    // Offers made, and offers merged into one the thread had not started.
    uint64_t offered() const;
    uint64_t replaced() const;

private:
    void Run();

    std::function<void(HistogramJob&)> fill_;
    std::function<void()> resultReady_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool hasPending_ = false, stop_ = false;
    HistogramResult result_;
    bool hasResult_ = false, announced_ = false;
    uint64_t offered_ = 0, replaced_ = 0;
    std::thread thread_;
};

}  // namespace histo
