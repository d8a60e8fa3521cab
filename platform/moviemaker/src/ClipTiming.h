// Presentation times of a clip's frames: the frame's time (100 ns units) at the
// clip's rate, counted from the first frame, so frames lost on the way leave
// their places empty. A time that does not advance falls back on the frame
// numbers; a frame never shares or goes before the place of the one before.
#pragma once

#include <cmath>
#include <cstdint>

namespace kvx {

class ClipTiming {
public:
    explicit ClipTiming(double framesPerSecond) : fps_(framesPerSecond) {}

    int64_t Next(int64_t time, int64_t frameNumber) {
        int64_t pts = 0;
        if (started_) {
            pts = time > lastTime_ ? std::llround(double(time - firstTime_) * fps_ / 1e7)
                                   : lastPts_ + std::max<int64_t>(1, frameNumber - lastNumber_);
            pts = std::max(pts, lastPts_ + 1);
        } else {
            firstTime_ = time;
            started_ = true;
        }
        // A frame placed by its number moves the origin, so the times that follow
        // keep their spacing from it.
        if (time <= lastTime_ && lastPts_ >= 0)
            firstTime_ = time - int64_t(std::llround(double(pts) * 1e7 / fps_));
        lastTime_ = time;
        lastNumber_ = frameNumber;
        lastPts_ = pts;
        return pts;
    }

private:
    double fps_;
    bool started_ = false;
    int64_t firstTime_ = 0;
    int64_t lastTime_ = INT64_MIN;
    int64_t lastNumber_ = 0;
    int64_t lastPts_ = -1;
};

}  // namespace kvx
