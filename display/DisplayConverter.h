// Region conversion: the visible part of the current image into a top-down
// 32-bit display buffer (Qt's native RGB32) at the zoom. Monochrome images go
// through the palette, colour images are reduced to 8 bits per channel, and the
// result is resized by nearest neighbour. Only the display buffer persists
// between conversions.
#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>
#include <memory>

struct CurrentImage;

namespace display {

struct Palette;

class DisplayConverter {
public:
    // `rect`: the rectangle to show in zoomed image coordinates; on success it
    // becomes the rectangle converted, widened to whole image pixels. False when
    // there is no usable pixel data or no memory; the buffer then holds nothing
    // usable. Colour images need four channels, monochrome images a built palette.
    bool ConvertImage(const CurrentImage& image, QRect& rect, double zoom, const Palette& palette);
    void ReleaseDisplayBuffer();

    // The last conversion's pixels as an image (shares the buffer; valid until
    // the next conversion or release).
    QImage displayImage() const;
    int64_t stride() const { return stride_; }
    int64_t size() const { return size_; }
    QRect bufferedRect() const { return buffered_; }
    bool hasBuffer() const { return buffer_ != nullptr; }

private:
    std::unique_ptr<uint8_t[]> buffer_;
    int64_t stride_ = 0;
    int64_t size_ = 0;
    QRect buffered_;   // image pixels the buffer was sized for
    QRect converted_;  // display rectangle of the last conversion
};

}  // namespace display
