#include "capture/ClipFrames.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "capture/FramePreparation.h"

namespace capture {

bool FillClipBitmap(const PreparedImage& image, std::vector<uint8_t>& bitmap) {
    const uint32_t width = image.description.config.widthValid;
    const uint32_t height = image.description.config.heightValid;
    const bool colour = image.description.config.bitDepth == 24;
    const uint32_t stride = ClipRowStride(width, colour ? 24 : 8);
    const uint32_t bytesPerPixel = BytesPerPixel(image.convertedDepth);
    try {
        bitmap.resize(size_t(stride) * height);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* in = image.pixels + size_t(y) * width * bytesPerPixel;
        uint8_t* out = bitmap.data() + size_t(y) * stride;
        if (colour) {
            for (uint32_t x = 0; x < width; ++x, in += 4, out += 3)
                std::memcpy(out, in, 3);
        } else {
            std::memcpy(out, in, std::min<size_t>(size_t(width) * bytesPerPixel, stride));
        }
    }
    return true;
}

uint32_t ClipQueueLimit(const CameraDescription& description) {
    const uint64_t bytes = uint64_t(description.config.widthValid) * description.config.heightValid *
                           ((description.config.bitDepth + 7) / 8);
    return bytes == 0 ? 0 : uint32_t(std::max<uint64_t>(1, 1098907648 / bytes));
}

ClipFrames::ClipFrames(CAVIWriter& writer, ClipHooks hooks) : writer_(writer), hooks_(std::move(hooks)) {}

FrameSaver::Result ClipFrames::Add(const PreparedImage& image, const CapturedFrame& frame,
                                   const CaptureOptionsRecord& record) {
    FrameSaver::Result result;
    result.path = GetText(record.FileName).toStdString();
    const auto failed = [&result](int32_t code) {
        result.ok = false;
        result.clipResult = code;
        result.reason = AviErrorText(code).toStdString();
        // Nothing queued after a failing frame can join the clip.
        result.discardQueue = true;
        return result;
    };
    if (!open_) {
        if (const int32_t started = writer_.Start(record); started < 0)
            return failed(started);
        open_ = true;
        queueLimit_ = ClipQueueLimit(frame.description);
    }
    // Grey rows that already fill whole 32-bit words go to the clip as converted.
    const uint32_t width = image.description.config.widthValid;
    const bool asConverted = image.description.config.bitDepth == 8 &&
                             BytesPerPixel(image.convertedDepth) == 1 && ClipRowStride(width, 8) == width;
    if (!asConverted && !FillClipBitmap(image, bitmap_)) {
        result.ok = false;
        result.reason = "No memory for a clip frame";
        return result;
    }
    const uint8_t* pixels = asConverted ? image.pixels : bitmap_.data();
    const uint32_t size = asConverted ? uint32_t(image.bytes) : uint32_t(bitmap_.size());
    if (const int32_t added = writer_.AddFrame(pixels, size, frame.timeStamp, frame.frameNumber); added < 0)
        return failed(added);
    if (hooks_.frameAdded)
        hooks_.frameAdded(frame.frameNumber, frame.timeStamp);
    return result;
}

void ClipFrames::End() {
    if (!open_)
        return;
    open_ = false;
    // The clip was good up to here; a failing end (its index, its header) is news.
    if (const int32_t stopped = writer_.Stop(); stopped < 0 && hooks_.endFailed)
        hooks_.endFailed(stopped);
}

}  // namespace capture
