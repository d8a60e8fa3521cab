// The text stamp of captured images: date and time, a message and the frame's
// time stamp, as one block in a corner of the converted image.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "capture/GlyphSet.h"
#include "capture/SystemTime.h"

namespace capture {

// The stamp fields of a capture options record.
struct StampOptions {
    bool insertDate = false;
    bool insertMessage = false;
    bool insertTimestamp = false;
    uint32_t position = 0;  // 0..5: top left, centre, right; bottom left, centre, right
    std::u16string message;
};

// What a stamp shows of one frame.
struct StampedFrame {
    uint32_t timeStamp = 0;
    SystemTime localTime;
};

// The texts of the date and time-stamp lines.
std::u16string DateStampText(const SystemTime& time);
std::u16string TimeStampText(uint32_t timeStamp);

// Keeps the three text blocks of the last frame, so a block is laid out again only
// when its text or the pixel size changes. One thread at a time.
class TextStamp {
public:
    explicit TextStamp(std::shared_ptr<const GlyphSet> glyphs);

    // Draws the stamp into an image of width x height pixels of `bitsPerPixel`
    // (rounded up to whole bytes), rows `rowBytes` apart. False when nothing can be
    // drawn: a pixel size outside 1..8 bytes, rows too short, or no glyphs.
    bool StampText(uint8_t* pixels, uint32_t bitsPerPixel, uint64_t rowBytes, uint32_t width, uint32_t height,
                   const StampedFrame& frame, const StampOptions& options);

private:
    struct TextBlock {
        std::u16string text;
        uint32_t bytesPerPixel = 0;
        uint32_t width = 0, height = 0;
        std::vector<uint8_t> pixels;  // rows of width x bytesPerPixel
    };
    const TextBlock& layOut(TextBlock& block, std::u16string_view text, uint32_t bytesPerPixel);

    std::shared_ptr<const GlyphSet> glyphs_;
    TextBlock date_, message_, timeStamp_;
};

}  // namespace capture
