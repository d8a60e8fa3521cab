// The capture: frames offered by the delivery thread are copied into a queue
// while the capture is on, and the saving thread hands them one by one to a
// FrameSaver. Widget-free; the viewer and the command-line recorder both drive
// it. Nothing here blocks the delivery thread on the user interface or on disk.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "capture/CTimerQueue.h"
#include "capture/CapturedFrame.h"
#include "capture/SystemTime.h"
#include "zamgrb.h"

namespace capture {

// What one capture does, taken from its mode's options at the start. Times in
// milliseconds and counts; 0 means "not set".
struct CapturePlan {
    bool singleFrame = false;      // exactly one frame, then the capture stops
    bool bufferFrames = false;     // keep frames in memory, write them after the stop
    uint32_t everyMs = 0;          // a capture event starts every everyMs
    uint32_t eventTimeMs = 0;      // how long each event takes frames
    uint32_t eventFrameLimit = 0;  // most frames per event
    uint32_t totalTimeMs = 0;      // the capture stops after this long
    uint32_t totalFrameLimit = 0;  // the capture stops after this many frames
};

// Names and writes the frames of a writing pass.
class FrameSaver {
public:
    struct Result {
        bool ok = true;
        std::string path;           // what was (or was to be) written
        std::string reason;         // why it failed, in words
        int32_t clipResult = 0;     // the movie-maker's result of a failing clip
        bool discardQueue = false;  // the capture's frames still queued cannot be written
    };
    virtual ~FrameSaver() = default;
    // passIndex counts the frames of this writing pass from 0.
    virtual Result save(const CapturedFrame& frame, uint32_t passIndex) = 0;
    // The pass is over (capture stopped, or the engine shuts down); framesSeen
    // says whether it had any, so a name that was used moves on.
    virtual void endPass(bool framesSeen) = 0;
    // Most frames the queue may hold now; 0 = no limit. Asked after each frame.
    virtual uint32_t queueLimit() const { return 0; }
};

// Frames of the current (or last) capture by what became of them.
struct CaptureCounts {
    uint64_t offered = 0;    // arrived while the capture took frames
    uint64_t queued = 0;     // copied into the queue
    uint64_t written = 0;    // saved
    uint64_t lostQueue = 0;  // no memory for the copy, or the clip's queue was full
    uint64_t lostDisk = 0;   // could not be written
    uint64_t bytesWritten = 0;
};

class CaptureEngine {
public:
    enum class StopReason { SingleFrame, FrameLimit, TimeLimit, OutOfMemory, WriteFailed };

    // Called without any lock of the engine held. stoppedItself, outOfMemory and
    // fileFailed may come from the delivery, timer or saving thread; progress and
    // savingFinished from the saving thread.
    struct Hooks {
        // The capture ended by itself; the owner releases its Start button and
        // calls stop() on the user-interface thread.
        std::function<void(StopReason)> stoppedItself;
        std::function<void(uint32_t framesQueued, uint64_t memoryUsed)> outOfMemory;
        // A frame could not be written; firstOfCapture is true once per capture.
        std::function<void(const FrameSaver::Result&, bool firstOfCapture)> fileFailed;
        std::function<void(uint32_t stillQueued)> progress;
        std::function<void()> savingFinished;
        // Local time of a queued frame; the wall clock unless a test sets it.
        std::function<SystemTime()> clock;
    };

    // The saving thread starts here and runs until the engine goes away.
    CaptureEngine(FrameSaver& saver, CTimerQueue& timers, Hooks hooks);
    ~CaptureEngine();
    CaptureEngine(const CaptureEngine&) = delete;
    CaptureEngine& operator=(const CaptureEngine&) = delete;

    // The description (and the owner of its lookup table) copied into every
    // frame queued from now on.
    void setDescription(const CameraDescription& description, std::shared_ptr<const void> lutOwner);
    // Most bytes the queue may hold; by default what the machine has available
    // when a capture starts, less a reserve for everything else.
    void setMemoryBudget(std::optional<uint64_t> bytes);

    // User-interface thread. start() begins a capture; stop() ends it and
    // answers how many frames are still to be written.
    void start(const CapturePlan& plan, std::shared_ptr<const CaptureJob> job = nullptr);
    uint32_t stop();
    // Stops, writes every queued frame and ends the saving thread.
    void shutdown();

    // Delivery thread: copies the frame when the capture takes frames.
    void EnqueueCapturedFrame(const FrameInfo& frame);

    // The capture timers: 1 total time, 2 end of event, 3 next event. A timer
    // of an earlier capture that fires late is ignored.
    void onTimer(uint32_t id, uint64_t captureId);

    bool isOn() const;
    uint32_t queuedFrames() const;
    CaptureCounts counts() const;
    // Blocks until every queued frame is written and the writing pass is over.
    void waitUntilSaved();

private:
    void run();
    bool headWritable() const;
    bool passOver() const;
    void writeHead(std::unique_lock<std::mutex>& lock);
    void endPass(std::unique_lock<std::mutex>& lock);
    // Drops the queued frames of a capture whose writing failed for good.
    void discardCaptureLocked(uint64_t captureId);
    void stopLocked(std::optional<StopReason>& reason, StopReason why);
    uint64_t budgetForCapture() const;
    void setTimerLocked(uint32_t id, uint32_t dueMs, uint32_t periodMs);

    FrameSaver& saver_;
    CTimerQueue& timers_;
    Hooks hooks_;

    mutable std::mutex queueLock_;
    std::condition_variable wake_;   // the saving thread's events
    std::condition_variable saved_;  // the queue drained and the pass ended
    std::deque<std::unique_ptr<CapturedFrame>> frameQueue_;
    uint64_t queuedBytes_ = 0;
    uint32_t queueLimit_ = 0;  // the saver's, 0 = none
    // Pages of written frames, kept for the next frames of the same size so the
    // delivery thread copies into memory that is already mapped.
    std::vector<PageBuffer> spareBuffers_;
    static constexpr size_t kSpareBuffers = 4;
    uint64_t budget_ = 0;
    std::optional<uint64_t> budgetOverride_;
    CapturePlan plan_;
    std::shared_ptr<const CaptureJob> job_;
    bool captureOn_ = false;
    bool captureActive_ = false;
    uint32_t totalFrames_ = 0;
    uint32_t eventFrames_ = 0;
    bool failedThisCapture_ = false;
    CaptureCounts counts_;
    CameraDescription description_{};
    std::shared_ptr<const void> lutOwner_;
    // Captures are numbered from 1; each queued frame carries its capture's
    // number, so a writing pass holds the frames of one capture even when the
    // next one starts before the saving thread has finished the last.
    uint64_t captureId_ = 0;
    uint64_t heldCapture_ = 0;  // a buffered capture still running: its frames wait
    uint64_t stoppedUpTo_ = 0;  // every capture up to this one has stopped
    bool passOpen_ = false;
    uint64_t passCapture_ = 0;
    uint32_t passIndex_ = 0;
    bool passSeen_ = false;
    bool quit_ = false;

    std::thread savingThread_;
};

}  // namespace capture
