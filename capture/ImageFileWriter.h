// Turns one captured frame into an image file: BMP, JPEG or TIFF through the card
// library's conversion and writers, RAW as the bytes were delivered. Used by one
// saving thread at a time; it keeps the conversion buffer and the stamp's text
// blocks from frame to frame.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "capture/SystemTime.h"
#include "capture/TextStamp.h"
#include "capture/WriteResult.h"
#include "zamgrb.h"

namespace capture {

// The capture settings a frame is written with.
struct ImageWriteOptions {
    uint32_t imageType = 1000;  // kImageBmp, kImageJpeg, kImageTiff, kImageRaw
    bool normalize = false;     // TIFF only
    uint32_t jpgQuality = 0;    // JPEG quality 100 - 10 x jpgQuality
    StampOptions stamp;
};

// A captured frame, borrowed for the call.
struct FrameToWrite {
    const void* data = nullptr;
    uint32_t size = 0;
    uint32_t timeStamp = 0;
    CameraDescription description{};  // the channel's description when the frame came
    SystemTime localTime;
};

// A converted and stamped frame, ready for a writer; pixels stay valid until the
// writer's next call.
struct PreparedImage {
    const uint8_t* pixels = nullptr;
    uint64_t bytes = 0;
    uint32_t convertedDepth = 0;      // as ConvertFrame reported it
    CameraDescription description{};  // the writer description
    uint8_t flags = 0;                // the writer flags
};

class ImageFileWriter {
public:
    // glyphs may be null: then nothing is stamped.
    explicit ImageFileWriter(std::shared_ptr<const GlyphSet> glyphs);

    // Converts and stamps a frame for an image file or, with clipFrame, for a clip.
    WriteResult Prepare(const FrameToWrite& frame, const ImageWriteOptions& options, bool clipFrame,
                        PreparedImage& image);

    // Writes a frame to path, replacing a file there only with a complete one.
    WriteResult Write(const FrameToWrite& frame, const ImageWriteOptions& options, const std::string& path);

private:
    TextStamp stamp_;
    std::unique_ptr<uint8_t[]> buffer_;
    uint64_t capacity_ = 0;
};

}  // namespace capture
