#include "capture/CaptureEngine.h"

#include <pthread.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>

namespace capture {
namespace {

enum TimerId : uint32_t { TotalTimeTimer = 1, EventEndTimer = 2, EventStartTimer = 3 };

struct MemoryStatus {
    uint64_t total = 0, available = 0;
};

// Linux overcommits: an allocation rarely fails, the process is killed later
// instead. The queue therefore stops at what the machine really has.
MemoryStatus ReadMemoryStatus() {
    MemoryStatus status;
    std::ifstream in("/proc/meminfo");
    std::string key;
    uint64_t kib = 0;
    std::string unit;
    while (in >> key >> kib) {
        std::getline(in, unit);
        if (key == "MemTotal:")
            status.total = kib * 1024;
        else if (key == "MemAvailable:")
            status.available = kib * 1024;
    }
    return status;
}

}  // namespace

CaptureEngine::CaptureEngine(FrameSaver& saver, CTimerQueue& timers, Hooks hooks)
    : saver_(saver), timers_(timers), hooks_(std::move(hooks)) {
    if (!hooks_.clock)
        hooks_.clock = LocalTimeNow;
    savingThread_ = std::thread([this] { run(); });
}

CaptureEngine::~CaptureEngine() {
    shutdown();
}

void CaptureEngine::setDescription(const CameraDescription& description,
                                   std::shared_ptr<const void> lutOwner) {
    std::lock_guard lock(queueLock_);
    description_ = description;
    lutOwner_ = std::move(lutOwner);
}

void CaptureEngine::setMemoryBudget(std::optional<uint64_t> bytes) {
    std::lock_guard lock(queueLock_);
    budgetOverride_ = bytes;
}

uint64_t CaptureEngine::budgetForCapture() const {
    if (budgetOverride_)
        return *budgetOverride_;
    const MemoryStatus memory = ReadMemoryStatus();
    // Leave the rest of the machine a tenth of its memory, at least 256 MiB.
    const uint64_t reserve = std::max<uint64_t>(memory.total / 10, uint64_t(256) << 20);
    return memory.available > reserve ? memory.available - reserve : 0;
}

void CaptureEngine::start(const CapturePlan& plan, std::shared_ptr<const CaptureJob> job) {
    std::lock_guard lock(queueLock_);
    plan_ = plan;
    job_ = std::move(job);
    captureOn_ = true;
    captureActive_ = true;
    failedThisCapture_ = false;
    counts_ = {};
    budget_ = budgetForCapture();
    eventFrames_ = 0;
    totalFrames_ = 0;
    ++captureId_;
    if (plan.everyMs != 0) {
        setTimerLocked(EventStartTimer, plan.everyMs, plan.everyMs);
        if (plan.eventTimeMs != 0)
            setTimerLocked(EventEndTimer, plan.eventTimeMs, 0);
    }
    if (plan.totalTimeMs != 0)
        setTimerLocked(TotalTimeTimer, plan.totalTimeMs, 0);
    heldCapture_ = plan.bufferFrames ? captureId_ : 0;
}

uint32_t CaptureEngine::stop() {
    std::lock_guard lock(queueLock_);
    captureOn_ = false;
    captureActive_ = false;
    totalFrames_ = 0;
    timers_.KillAll();
    heldCapture_ = 0;
    stoppedUpTo_ = captureId_;
    wake_.notify_all();
    return uint32_t(frameQueue_.size());
}

void CaptureEngine::shutdown() {
    if (!savingThread_.joinable())
        return;
    stop();
    waitUntilSaved();
    {
        std::lock_guard lock(queueLock_);
        quit_ = true;
        wake_.notify_all();
    }
    savingThread_.join();
}

void CaptureEngine::waitUntilSaved() {
    std::unique_lock lock(queueLock_);
    saved_.wait(lock, [this] { return frameQueue_.empty() && !passOpen_; });
}

void CaptureEngine::stopLocked(std::optional<StopReason>& reason, StopReason why) {
    if (captureOn_ && !reason)
        reason = why;
    captureOn_ = false;
    captureActive_ = false;
}

void CaptureEngine::EnqueueCapturedFrame(const FrameInfo& frame) {
    auto captured = std::make_unique<CapturedFrame>();
    {
        std::lock_guard lock(queueLock_);
        if (!captureOn_ || !captureActive_)
            return;
        ++counts_.offered;
        if (queueLimit_ != 0 && frameQueue_.size() > queueLimit_) {
            ++counts_.lostQueue;
            return;
        }
        captured->description = description_;
        captured->lutOwner = lutOwner_;
        captured->job = job_;
        if (queuedBytes_ + frame.size > budget_) {
            captured.reset();
        } else {
            queuedBytes_ += frame.size;  // reserved while the copy is made
            if (!spareBuffers_.empty() && spareBuffers_.back().size() == frame.size) {
                captured->data = std::move(spareBuffers_.back());
                spareBuffers_.pop_back();
            }
        }
    }
    std::optional<StopReason> reason;
    if (captured && (captured->data || captured->data.allocate(frame.size))) {
        captured->frameNumber = frame.frameNumber;
        captured->timeStamp = frame.timeStamp;
        captured->size = frame.size;
        std::memcpy(captured->data.data(), frame.data, frame.size);
        captured->localTime = hooks_.clock();
        std::lock_guard lock(queueLock_);
        if (!captureOn_ || !captureActive_) {
            // The capture ended while the frame was copied: it is not part of it.
            queuedBytes_ -= frame.size;
            return;
        }
        captured->captureId = captureId_;
        frameQueue_.push_back(std::move(captured));
        ++counts_.queued;
        ++totalFrames_;
        ++eventFrames_;
        wake_.notify_all();
        if (plan_.singleFrame)
            stopLocked(reason, StopReason::SingleFrame);
        else if (plan_.totalFrameLimit != 0 && totalFrames_ >= plan_.totalFrameLimit)
            stopLocked(reason, StopReason::FrameLimit);
        else if (plan_.everyMs != 0 && plan_.eventFrameLimit != 0 && eventFrames_ >= plan_.eventFrameLimit)
            captureActive_ = false;
    } else {
        uint32_t queued = 0;
        {
            std::lock_guard lock(queueLock_);
            if (captured)
                queuedBytes_ -= frame.size;
            ++counts_.lostQueue;
            queued = totalFrames_;
            stopLocked(reason, StopReason::OutOfMemory);
        }
        if (reason && hooks_.outOfMemory) {
            const MemoryStatus memory = ReadMemoryStatus();
            hooks_.outOfMemory(queued, memory.total - memory.available);
        }
    }
    if (reason && hooks_.stoppedItself)
        hooks_.stoppedItself(*reason);
}

void CaptureEngine::setTimerLocked(uint32_t id, uint32_t dueMs, uint32_t periodMs) {
    timers_.SetTimer(
        id, [this, capture = captureId_](uint32_t timer) { onTimer(timer, capture); },
        std::chrono::milliseconds(dueMs), std::chrono::milliseconds(periodMs));
}

void CaptureEngine::onTimer(uint32_t id, uint64_t captureId) {
    std::optional<StopReason> reason;
    {
        std::lock_guard lock(queueLock_);
        if (captureId != captureId_)
            return;
        switch (id) {
            case TotalTimeTimer:
                stopLocked(reason, StopReason::TimeLimit);
                break;
            case EventEndTimer:
                captureActive_ = false;
                break;
            case EventStartTimer:
                if (!captureOn_)
                    break;
                captureActive_ = true;
                eventFrames_ = 0;
                if (plan_.eventTimeMs != 0)
                    setTimerLocked(EventEndTimer, plan_.eventTimeMs, 0);
                break;
            default:
                break;
        }
    }
    if (reason && hooks_.stoppedItself)
        hooks_.stoppedItself(*reason);
}

bool CaptureEngine::isOn() const {
    std::lock_guard lock(queueLock_);
    return captureOn_;
}

uint32_t CaptureEngine::queuedFrames() const {
    std::lock_guard lock(queueLock_);
    return uint32_t(frameQueue_.size());
}

CaptureCounts CaptureEngine::counts() const {
    std::lock_guard lock(queueLock_);
    return counts_;
}

bool CaptureEngine::headWritable() const {
    return !frameQueue_.empty() && frameQueue_.front()->captureId != heldCapture_;
}

bool CaptureEngine::passOver() const {
    return passOpen_ && passCapture_ <= stoppedUpTo_ &&
           (frameQueue_.empty() || frameQueue_.front()->captureId != passCapture_);
}

void CaptureEngine::writeHead(std::unique_lock<std::mutex>& lock) {
    // The frame stays queued while it is written; only this thread removes.
    const CapturedFrame& frame = *frameQueue_.front();
    if (passOpen_ && frame.captureId != passCapture_)
        endPass(lock);
    if (!passOpen_) {
        passOpen_ = true;
        passCapture_ = frame.captureId;
        passIndex_ = 0;
        passSeen_ = false;
    }
    const uint32_t passIndex = passIndex_++;
    passSeen_ = true;
    lock.unlock();
    const FrameSaver::Result result = saver_.save(frame, passIndex);
    const uint32_t queueLimit = saver_.queueLimit();
    lock.lock();
    queueLimit_ = queueLimit;
    std::unique_ptr<CapturedFrame> done = std::move(frameQueue_.front());
    frameQueue_.pop_front();
    queuedBytes_ -= done->size;
    if (spareBuffers_.size() < kSpareBuffers)
        spareBuffers_.push_back(std::move(done->data));
    std::optional<StopReason> reason;
    bool first = false;
    if (result.ok) {
        ++counts_.written;
        counts_.bytesWritten += done->size;
    } else {
        ++counts_.lostDisk;
        first = !failedThisCapture_;
        failedThisCapture_ = true;
        if (done->captureId == captureId_)
            stopLocked(reason, StopReason::WriteFailed);
        if (result.discardQueue)
            discardCaptureLocked(done->captureId);
    }
    const uint32_t stillQueued = uint32_t(frameQueue_.size());
    lock.unlock();
    done.reset();
    if (!result.ok && hooks_.fileFailed)
        hooks_.fileFailed(result, first);
    if (reason && hooks_.stoppedItself)
        hooks_.stoppedItself(*reason);
    if (hooks_.progress)
        hooks_.progress(stillQueued);
    lock.lock();
}

void CaptureEngine::discardCaptureLocked(uint64_t captureId) {
    const auto kept = std::stable_partition(frameQueue_.begin(), frameQueue_.end(),
                                            [captureId](const auto& f) { return f->captureId != captureId; });
    for (auto f = kept; f != frameQueue_.end(); ++f) {
        queuedBytes_ -= (*f)->size;
        ++counts_.lostDisk;
    }
    frameQueue_.erase(kept, frameQueue_.end());
}

void CaptureEngine::endPass(std::unique_lock<std::mutex>& lock) {
    const bool seen = passSeen_;
    // Between captures the spare pages go back to the system.
    std::vector<PageBuffer> spare = std::move(spareBuffers_);
    spareBuffers_.clear();
    lock.unlock();
    spare.clear();
    saver_.endPass(seen);
    const uint32_t queueLimit = saver_.queueLimit();
    if (hooks_.savingFinished)
        hooks_.savingFinished();
    lock.lock();
    queueLimit_ = queueLimit;
    passOpen_ = false;
    saved_.notify_all();
}

void CaptureEngine::run() {
    pthread_setname_np(pthread_self(), "glintrail-save");
    std::unique_lock lock(queueLock_);
    while (true) {
        // Frames first, so neither a stop nor the end leaves queued frames behind.
        wake_.wait(lock, [this] { return quit_ || headWritable() || passOver(); });
        if (headWritable())
            writeHead(lock);
        else if (passOver())
            endPass(lock);
        else
            break;
    }
}

}  // namespace capture
