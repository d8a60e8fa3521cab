#include "renderer.h"

#include "TapGeometry.h"

namespace zamgrb {

namespace {

// Ring length: a power of two (the moving picture's period divides 256), at most
// 64 MiB of frames.
uint32_t ringFramesFor(uint64_t frameBytes) {
    uint32_t n = 32;
    while (n > 2 && n * frameBytes > (64ull << 20))
        n /= 2;
    return n;
}

}  // namespace

FrameRenderer::FrameRenderer(const SimCamera& camera, const CameraConfig& config)
    : scene_(camera, ringFramesFor(rawFrameBytes(config))),
      config_(config),
      frameBytes_(rawFrameBytes(config)) {
    const TapConfig& ct = camera.tapConfig;
    const std::optional<TapGeometry> cameraMap =
        TapGeometry::create(ct, camera.width.valid, camera.height.valid);
    const uint32_t camSlots = uint32_t(ct.taps) * ct.channels;
    const uint32_t camClocks = camera.clocksPerLine(), camPeriods = camera.linesPerFrame();
    const uint32_t validClock0 = camera.width.pre / ct.taps, validClocks = camera.width.valid / ct.taps;
    const uint32_t validPeriod0 = camera.height.pre / ct.channels,
                   validPeriods = camera.height.valid / ct.channels;

    const TapConfig& kt = config.tapConfig;
    const uint32_t slots = uint32_t(kt.taps) * kt.channels;
    const uint32_t clocks = config.widthValid / kt.taps, periods = config.heightValid / kt.channels;
    const uint32_t clock0 = config.widthPreValid / kt.taps, period0 = config.heightPreValid / kt.channels;

    source_.resize(samplesOf(config));
    size_t r = 0;
    for (uint32_t p = 0; p < periods; ++p) {
        const uint64_t sp = uint64_t(period0) + p;
        const bool lineValid =
            cameraMap && sp >= validPeriod0 && sp < uint64_t(validPeriod0) + validPeriods && sp < camPeriods;
        for (uint32_t n = 0; n < clocks; ++n) {
            const uint64_t sn = uint64_t(clock0) + n;
            const bool clockValid =
                lineValid && sn >= validClock0 && sn < uint64_t(validClock0) + validClocks && sn < camClocks;
            for (uint32_t s = 0; s < slots; ++s, ++r) {
                // Port slots the camera does not drive carry nothing.
                if (!clockValid || s >= camSlots) {
                    source_[r] = kBlank;
                    continue;
                }
                const SamplePosition pt = cameraMap->position(
                    uint32_t(sp - validPeriod0), uint32_t(sn - validClock0), s / ct.taps, s % ct.taps);
                source_[r] = pt.y * camera.width.valid + pt.x;
            }
        }
    }
    if (scene_.periodic()) {
        ring_.resize(ringFramesFor(frameBytes_));
        ringReady_.assign(ring_.size(), false);
    } else {
        scratch_.resize(frameBytes_);
    }
}

void FrameRenderer::render(uint64_t k, uint8_t* out) {
    scene_.render(k, picture_);
    SampleWriter writer(*sampleStorageOf(config_), bitsPerColour(config_.bitDepth), out);
    for (uint32_t index : source_)
        writer.put(index == kBlank ? 0 : picture_[index]);
    writer.finish();
}

void FrameRenderer::prepare() {
    for (size_t i = 0; i < ring_.size(); ++i)
        frame(i);
}

const uint8_t* FrameRenderer::frame(uint64_t k) {
    if (ring_.empty()) {
        render(k, scratch_.data());
        return scratch_.data();
    }
    const size_t slot = k % ring_.size();
    if (!ringReady_[slot]) {
        ring_[slot].resize(frameBytes_);
        render(k, ring_[slot].data());
        ringReady_[slot] = true;
    }
    return ring_[slot].data();
}

}  // namespace zamgrb
