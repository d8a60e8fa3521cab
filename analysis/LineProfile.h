// The two line profiles of the current image: per column and per line, either
// the averages over the whole image or the samples along a selected line and
// column; and the average signal of the left and right halves.
#pragma once

#include <cstdint>
#include <vector>

namespace histo {

// Converted pixel data as the view holds it: 1 or 4 channels (B, G, R, unused)
// of 1 or 2 bytes each, rows rowStep bytes apart.
struct PixelImage {
    const uint8_t* pixels = nullptr;
    uint64_t rowStep = 0;
    int width = 0, height = 0;
    int channels = 1;  // colour: the mean of B, G and R is the sample
    int bytesPerChannel = 1;
};

struct Profiles {
    std::vector<uint32_t> horizontal;  // one value per column
    std::vector<uint32_t> vertical;    // one value per line
    int tap1Average = -1, tap2Average = -1;
};

// selectedLine: the line the horizontal profile follows, selectedColumn the
// column of the vertical one; -1 or outside the image gives the average.
// False, with `out` emptied, without pixels.
bool ComputeProfiles(const PixelImage& image, int selectedLine, int selectedColumn, Profiles& out);

}  // namespace histo
