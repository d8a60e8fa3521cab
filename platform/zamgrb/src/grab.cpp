#include "grab.h"

#include <pthread.h>

#include <algorithm>
#include <cmath>
#include <new>
#include <string>

#include "clock.h"
#include "renderer.h"

namespace zamgrb {

namespace {

// The channel whose delivery thread this is, so StopGrab from a callback is refused
// instead of waiting for itself.
thread_local const ChannelRuntime* deliveringChannel = nullptr;

constexpr double kIdlePollUs = 10'000;  // while no frame is due (offline, or no trigger yet)
constexpr uint32_t kBadFrameStatus = ZAMGRB_FAILED;

// Drops entries older than one second before now.
void keepLastSecond(std::deque<double>& times, double now) {
    while (!times.empty() && times.front() <= now - 1e6)
        times.pop_front();
}

// What the delivery thread needs of the channel, copied under its mutex.
struct Snapshot {
    bool online = false, trigger = false;
    double period = 0, readout = 0;
};

// The renderer for the channel's configuration and camera as they are now; built here
// when a serial command or test control changed the camera during the grab.
std::shared_ptr<FrameRenderer> currentRenderer(ChannelRuntime& ch) {
    SimCamera camera;
    CameraConfig config;
    uint64_t version;
    {
        std::lock_guard lock(ch.mutex);
        if (ch.renderer && ch.rendererVersion == ch.cameraVersion)
            return ch.renderer;
        camera = ch.camera;
        config = *ch.config;
        version = ch.cameraVersion;
    }
    auto renderer = std::make_shared<FrameRenderer>(camera, config);
    std::lock_guard lock(ch.mutex);
    ch.renderer = renderer;
    ch.rendererVersion = version;
    return renderer;
}

}  // namespace

GrabSession::GrabSession(ChannelRuntime& channel, PulseBank& pulses, FrameCallbackProc callback,
                         void* context)
    : channel_(channel),
      pulses_(pulses),
      callback_(callback),
      context_(context),
      started_(nowMicros()),
      thread_([this] { run(); }) {}

GrabSession::~GrabSession() {
    {
        std::lock_guard lock(stopMutex_);
        stop_ = true;
    }
    stopWake_.notify_all();
    thread_.join();
}

bool GrabSession::waitUntil(double t) {
    std::unique_lock lock(stopMutex_);
    return !stopWake_.wait_until(lock, fromMicros(t), [this] { return stop_; });
}

void GrabSession::run() {
    const std::string name = "zamgrb-grab-" + std::to_string(channel_.index + 1);
    pthread_setname_np(pthread_self(), name.c_str());
    deliveringChannel = &channel_;

    const double start = started_;
    double anchor = start;      // free run: when the previous camera frame ended
    double lastEdge = start;    // trigger: edges after it are still to be taken
    double previousFrame = -1;  // end of the camera's previous frame
    // Frames that end while the callback runs are lost. A frame that ended before it
    // started (the thread woke late, or built the picture) is delivered late instead.
    double callbackStart = start, callbackEnd = start;
    uint64_t k = 0;  // frames delivered since StartGrab
    std::shared_ptr<FrameRenderer> renderer;
    const double linkBytesPerUs = channel_.card->linkBytesPerSecond() / 1e6;

    for (;;) {
        Snapshot s;
        {
            std::lock_guard lock(channel_.mutex);
            s.online = channel_.connected;
            s.trigger = channel_.camera.triggerMode;
            s.period = channel_.camera.framePeriod();
            s.readout = channel_.camera.readoutUs();
        }
        double frameEnd;
        if (!s.online) {
            if (!waitUntil(nowMicros() + kIdlePollUs))
                break;
            anchor = nowMicros();
            continue;
        }
        if (s.trigger) {
            // The camera ignores edges while it still reads out the previous frame: the
            // search starts at its end, however many edges a fast pulse train put inside.
            // No edge after `from` exists when `searched` is taken, and a generator
            // enabled later has its first edge after it.
            const double from = std::max(lastEdge, previousFrame);
            const double searched = nowMicros();
            const std::optional<double> edge = pulses_.nextEdge(channel_.index, 0, from);
            if (!edge) {
                lastEdge = std::max(lastEdge, searched);
                if (!waitUntil(nowMicros() + kIdlePollUs))
                    break;
                continue;
            }
            // An edge still to come is taken back when the generator stops or changes
            // first: it counts once its time has passed.
            if (!waitUntil(*edge))
                break;
            if (pulses_.nextEdge(channel_.index, 0, from) != edge)
                continue;
            lastEdge = *edge;
            frameEnd = *edge + s.readout;
            if (!waitUntil(frameEnd))
                break;
        } else {
            frameEnd = anchor + s.period;
            // The frames that ended while the callback ran were counted as drops when it
            // returned (below, the check meets only a trigger-mode frame).
            if (frameEnd >= callbackStart && frameEnd < callbackEnd)
                frameEnd += std::ceil((callbackEnd - frameEnd) / s.period) * s.period;
            if (!waitUntil(frameEnd))
                break;
            anchor = frameEnd;
        }
        // A free-running camera sends every period whether or not the thread kept up.
        const double interval = !s.trigger          ? s.period
                                : previousFrame < 0 ? s.readout
                                                    : frameEnd - previousFrame;
        previousFrame = frameEnd;

        try {
            renderer = currentRenderer(channel_);
        } catch (const std::bad_alloc&) {
            // The changed camera's tables do not fit: keep delivering the last picture, if any.
        }
        bool bad = false;
        {
            std::lock_guard lock(channel_.mutex);
            if (!channel_.connected)
                continue;  // unplugged while the frame was on its way
            channel_.counters.cameraFrameAt.push_back(frameEnd);
            keepLastSecond(channel_.counters.cameraFrameAt, frameEnd);
            // The card has nowhere to put a frame that ends while the callback runs.
            if (frameEnd >= callbackStart && frameEnd < callbackEnd) {
                ++channel_.counters.drops;
                continue;
            }
            // No picture yet and none could be built: the card lost the frame.
            if (!renderer) {
                ++channel_.counters.drops;
                continue;
            }
            // A frame the link cannot carry in time overruns the card's buffers: it is lost.
            if (double(renderer->frameBytes()) / linkBytesPerUs > interval) {
                ++channel_.counters.overruns;
                continue;
            }
            const auto& scheduled = channel_.camera.badFrames;
            bad = std::find(scheduled.begin(), scheduled.end(), k) != scheduled.end();
            if (channel_.pendingBadFrames > 0) {
                --channel_.pendingBadFrames;
                bad = true;
            }
        }

        const uint8_t* data = nullptr;
        try {
            data = renderer->frame(k);
        } catch (const std::bad_alloc&) {
            // No memory for the picture: the card lost the frame, the thread goes on.
            std::lock_guard lock(channel_.mutex);
            ++channel_.counters.drops;
            continue;
        }
        FrameInfo info{};
        info.frameNumber = uint32_t(k & 0xFFFF);
        info.timeStamp = uint32_t(uint64_t(frameEnd));
        info.data = data;
        info.size = uint32_t(renderer->frameBytes());
        info.status = bad ? kBadFrameStatus : 0;
        callbackStart = nowMicros();
        callback_(context_, &info);
        callbackEnd = nowMicros();
        ++k;

        std::lock_guard lock(channel_.mutex);
        if (!s.trigger) {
            // Free run: the frames after this one that ended while the callback ran are
            // lost, counted now, even when StopGrab ends the thread before the next one.
            const double first = std::max(1.0, std::ceil((callbackStart - frameEnd) / s.period));
            const double last = std::ceil((callbackEnd - frameEnd) / s.period) - 1;
            if (last >= first)
                channel_.counters.drops += uint64_t(last - first + 1);
        }
        ++channel_.counters.delivered;
        channel_.counters.deliveredAt.push_back(frameEnd);
        keepLastSecond(channel_.counters.deliveredAt, frameEnd);
        if (channel_.camera.unplugAfterFrames && k == *channel_.camera.unplugAfterFrames)
            channel_.connected = false;
    }
    deliveringChannel = nullptr;
}

bool onAnyDeliveryThread() {
    return deliveringChannel != nullptr;
}

void stopGrab(ChannelRuntime& channel) {
    channel.grab.reset();
}

}  // namespace zamgrb

using namespace zamgrb;

uint32_t StartGrab(uint64_t card, uint8_t channel, uint32_t mode, FrameCallbackProc callback, void* context) {
    ChannelRef ref;
    if (uint32_t status = resolveOwned(card, channel, ref))
        return status;
    if (mode != 1 || !callback)
        return ZAMGRB_INVALID_ARGUMENT;
    ChannelRuntime& ch = *ref.channel;
    std::lock_guard control(ch.control);
    if (ch.grab || stillOwned(ref))
        return ZAMGRB_BUSY;
    {
        std::lock_guard lock(ch.mutex);
        if (!ch.config)
            return ZAMGRB_FAILED;
        if (rawFrameBytes(*ch.config) * kImageBuffers > ref.card->bufferMemory)
            return ZAMGRB_NO_BUFFERS;
        ch.counters = GrabCounters{};
    }
    try {
        currentRenderer(ch);
        ch.grab = std::make_unique<GrabSession>(ch, ref.runtime->pulses, callback, context);
    } catch (const std::bad_alloc&) {
        return ZAMGRB_NO_BUFFERS;
    }
    return ZAMGRB_OK;
}

uint32_t StopGrab(uint64_t card, uint8_t channel) {
    ChannelRef ref;
    if (uint32_t status = resolveOwned(card, channel, ref))
        return status;
    ChannelRuntime& ch = *ref.channel;
    if (deliveringChannel == &ch)
        return ZAMGRB_FAILED;  // it would wait for itself
    std::lock_guard control(ch.control);
    if (uint32_t status = stillOwned(ref))
        return status;  // released meanwhile: a grab running now is another owner's
    stopGrab(ch);
    return ZAMGRB_OK;
}

uint32_t GetStatistics(uint64_t card, uint8_t channel, GrabStatistics* statistics) {
    ChannelRef ref;
    if (uint32_t status = resolve(card, channel, ref))
        return status;
    if (!statistics)
        return ZAMGRB_INVALID_ARGUMENT;
    ChannelRuntime& ch = *ref.channel;
    const double now = nowMicros();
    std::lock_guard lock(ch.mutex);
    GrabStatistics st{};
    if (ch.connected) {
        const SimCamera& cam = ch.camera;
        keepLastSecond(ch.counters.cameraFrameAt, now);
        st.cameraFrameRate = cam.triggerMode ? uint32_t(ch.counters.cameraFrameAt.size())
                                             : uint32_t(std::lround(1e6 / cam.framePeriod()));
        st.pixelClock = uint32_t(std::lround(cam.pixelClockMHz));
        st.clocksPerLine = cam.clocksPerLine();
        st.linesPerFrame = cam.linesPerFrame();
    }
    keepLastSecond(ch.counters.deliveredAt, now);
    st.grabbingRate = uint32_t(ch.counters.deliveredAt.size());
    st.grabbingCount = uint32_t(ch.counters.delivered);
    st.dropCount = uint32_t(ch.counters.drops);
    st.overrunCount = uint32_t(ch.counters.overruns);
    *statistics = st;
    return ZAMGRB_OK;
}
