#include "capture/TextStamp.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace capture {

namespace {

std::u16string ascii(const char* text) {
    return std::u16string(text, text + std::strlen(text));
}

}  // namespace

std::u16string DateStampText(const SystemTime& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04u.%02u.%02u %02u:%02u:%02u.%03u", t.year, t.month, t.day, t.hour,
                  t.minute, t.second, t.milliseconds);
    return ascii(text);
}

std::u16string TimeStampText(uint32_t timeStamp) {
    char text[16];
    // Unsigned: the card clock passes 2^31 microseconds after 36 minutes.
    std::snprintf(text, sizeof text, "%010u", timeStamp);
    return ascii(text);
}

TextStamp::TextStamp(std::shared_ptr<const GlyphSet> glyphs) : glyphs_(std::move(glyphs)) {}

const TextStamp::TextBlock& TextStamp::layOut(TextBlock& block, std::u16string_view text,
                                              uint32_t bytesPerPixel) {
    if (block.bytesPerPixel == bytesPerPixel && block.text == text)
        return block;
    const GlyphSet& glyphs = *glyphs_;
    auto glyphOf = [&](char16_t c) -> const Glyph& { return glyphs[std::min<size_t>(c, 255)]; };
    uint32_t width = 0, height = 0;
    for (char16_t c : text) {
        width += glyphOf(c).width;
        height = std::max<uint32_t>(height, glyphOf(c).height);
    }
    const size_t rowBytes = size_t(width) * bytesPerPixel;
    block.pixels.assign(rowBytes * height, 255);
    uint32_t left = 0;
    for (char16_t c : text) {
        const Glyph& g = glyphOf(c);
        const uint32_t top = height - g.height;  // glyphs stand on the block's bottom
        for (uint32_t y = 0; y < g.height; ++y) {
            uint8_t* out = block.pixels.data() + (top + y) * rowBytes + size_t(left) * bytesPerPixel;
            for (uint32_t x = 0; x < g.width; ++x, out += bytesPerPixel)
                std::memset(out, g.at(x, y), bytesPerPixel);
        }
        left += g.width;
    }
    block.text.assign(text);
    block.bytesPerPixel = bytesPerPixel;
    block.width = width;
    block.height = height;
    return block;
}

bool TextStamp::StampText(uint8_t* pixels, uint32_t bitsPerPixel, uint64_t rowBytes, uint32_t width,
                          uint32_t height, const StampedFrame& frame, const StampOptions& options) {
    const uint32_t bytesPerPixel = (bitsPerPixel + 7) / 8;
    if (bytesPerPixel < 1 || bytesPerPixel > 8 || !glyphs_ || !pixels ||
        rowBytes < uint64_t(width) * bytesPerPixel)
        return false;
    const TextBlock* shown[3];
    size_t count = 0;
    if (options.insertDate)
        shown[count++] = &layOut(date_, DateStampText(frame.localTime), bytesPerPixel);
    if (options.insertMessage)
        shown[count++] = &layOut(message_, options.message, bytesPerPixel);
    if (options.insertTimestamp)
        shown[count++] = &layOut(timeStamp_, TimeStampText(frame.timeStamp), bytesPerPixel);
    int64_t blockWidth = 0, totalHeight = 0;
    for (size_t i = 0; i < count; ++i) {
        blockWidth = std::max<int64_t>(blockWidth, shown[i]->width);
        totalHeight += shown[i]->height;
    }
    const int64_t w = width, h = height;
    int64_t x = 0, y = 0;
    switch (options.position) {
        case 1:
            x = (w - blockWidth) / 2;
            break;
        case 2:
            x = w - blockWidth;
            break;
        case 3:
            y = h - totalHeight;
            break;
        case 4:
            x = (w - blockWidth) / 2, y = h - totalHeight;
            break;
        case 5:
            x = w - blockWidth, y = h - totalHeight;
            break;
        default:
            break;
    }
    x = std::max<int64_t>(x, 0);
    y = std::max<int64_t>(y, 0);
    // Cut at the image's right edge and bottom.
    for (size_t i = 0; i < count && y < h; ++i) {
        const TextBlock& block = *shown[i];
        const size_t copied = size_t(std::min<int64_t>(block.width, w - x)) * bytesPerPixel;
        const size_t blockRow = size_t(block.width) * bytesPerPixel;
        for (uint32_t row = 0; row < block.height && y < h; ++row, ++y)
            if (copied > 0)
                std::memcpy(pixels + uint64_t(y) * rowBytes + uint64_t(x) * bytesPerPixel,
                            block.pixels.data() + row * blockRow, copied);
    }
    return true;
}

}  // namespace capture
