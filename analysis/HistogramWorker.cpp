#include "analysis/HistogramWorker.h"

#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

#include <utility>

namespace histo {

HistogramWorker::HistogramWorker(std::function<void(HistogramJob&)> fill, std::function<void()> resultReady)
    : fill_(std::move(fill)), resultReady_(std::move(resultReady)), thread_([this] { Run(); }) {}

HistogramWorker::~HistogramWorker() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void HistogramWorker::Offer() {
    {
        std::lock_guard lock(mutex_);
        if (hasPending_)
            ++replaced_;
        hasPending_ = true;
        ++offered_;
    }
    wake_.notify_one();
}

bool HistogramWorker::Take(HistogramResult& out) {
    std::lock_guard lock(mutex_);
    if (!hasResult_)
        return false;
    std::swap(out, result_);
    hasResult_ = announced_ = false;
    return true;
}

uint64_t HistogramWorker::offered() const {
    std::lock_guard lock(mutex_);
    return offered_;
}

uint64_t HistogramWorker::replaced() const {
    std::lock_guard lock(mutex_);
    return replaced_;
}

void HistogramWorker::Run() {
    pthread_setname_np(pthread_self(), "glintrail-histo");
    // Below the delivery and user-interface threads: on a busy machine the
    // histograms fall behind (showing the newest frame less often), never the
    // frames themselves.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
    HistogramJob job;
    HistogramResult result;
    std::vector<uint8_t> scratch;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stop_ || hasPending_; });
            if (stop_)
                return;
            hasPending_ = false;
        }
        if (fill_)
            fill_(job);
        result.histograms =
            ComputeTapHistograms(job.description, job.raw.data(), job.raw.size(), scratch, result.set);
        job.image.pixels = job.pixels.data();
        result.profiles = ComputeProfiles(job.image, job.selectedLine, job.selectedColumn, result.lines);
        bool announce = false;
        {
            std::lock_guard lock(mutex_);
            std::swap(result, result_);
            hasResult_ = true;
            announce = !std::exchange(announced_, true);
        }
        if (announce && resultReady_)
            resultReady_();
    }
}

}  // namespace histo
