// How reading an image file ended; the player turns each failure into its message.
#pragma once

#include <cstdint>

namespace player {

enum class FileStatus {
    Ok,
    CannotOpen,  // the file could not be opened
    CannotRead,  // reading or decoding failed
    Invalid,     // not an image of a form the player shows
};

// Bitmaps larger than this are refused before anything is allocated, whatever
// their header claims: 2^27 pixels, 512 MiB in 32 bits per pixel.
inline constexpr uint64_t kMaxPixels = uint64_t(1) << 27;
inline constexpr uint32_t kMaxSide = 32767;

inline bool AcceptableSize(uint64_t width, uint64_t height) {
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide && width * height <= kMaxPixels;
}

}  // namespace player
