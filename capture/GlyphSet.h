// The characters of the text stamp, drawn once into fixed cells. Ink is 0 and
// background 255 in every byte of a pixel, so one byte per pixel serves every
// pixel size from 1 to 8 bytes: stamping only copies bytes.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

namespace capture {

struct Glyph {
    static constexpr uint32_t kCell = 20;
    uint8_t width = 0;                          // the measured extent of the character, at most kCell
    uint8_t height = 0;                         // at most kCell
    std::array<uint8_t, kCell * kCell> cell{};  // rows of kCell bytes: 0 ink, 255 background

    uint8_t at(uint32_t x, uint32_t y) const { return cell[y * kCell + x]; }
};

// One glyph per character code 0..255 (Latin-1).
using GlyphSet = std::array<Glyph, 256>;

// Draws the stamp font, a small sans-serif of 9 pixels without antialiasing, into
// the cells. Needs a QGuiApplication (the offscreen platform will do); without one
// it answers null and nothing is stamped.
std::shared_ptr<const GlyphSet> RenderStampGlyphs();

}  // namespace capture
