// The histogram window's computing thread. The user-interface thread offers it
// a copy of each new frame; the thread works on the newest offer only (an offer
// not yet started is replaced, never queued) and keeps the newest result until
// the user-interface thread takes it. Announcing a result waits for nothing.
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
    // `resultReady` runs on the worker thread when a result is waiting and none
    // was announced since the last Take; it must not block.
    explicit HistogramWorker(std::function<void()> resultReady);
    ~HistogramWorker();
    HistogramWorker(const HistogramWorker&) = delete;
    HistogramWorker& operator=(const HistogramWorker&) = delete;

    // `fill` writes the frame into a job whose buffers are reused from earlier
    // offers; the job then replaces any offer the thread has not started.
    void Offer(const std::function<void(HistogramJob&)>& fill);
    // Moves the newest result into `out`; false when none waits.
    bool Take(HistogramResult& out);

    // Offers made, and offers replaced before the thread started them.
    uint64_t offered() const;
    uint64_t replaced() const;

private:
    void Run();

    std::function<void()> resultReady_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    HistogramJob spare_, pending_;
    bool hasPending_ = false, stop_ = false;
    HistogramResult result_;
    bool hasResult_ = false, announced_ = false;
    uint64_t offered_ = 0, replaced_ = 0;
    std::mutex fillMutex_;  // one Offer fills the spare job at a time
    std::thread thread_;
};

}  // namespace histo
