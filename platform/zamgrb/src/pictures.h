// Still pictures for the image:<file or folder> source of a camera.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zamgrb {

struct Picture {
    uint32_t width = 0, height = 0;
    std::vector<uint8_t> rgb;  // R, G, B bytes, rows top-down
};
using PictureSet = std::vector<Picture>;

// Reads a TIFF or JPEG file, or every such file of a folder in name order. Files
// that cannot be read are left out (reported once on standard error).
std::shared_ptr<const PictureSet> loadPictures(const std::string& path);

}  // namespace zamgrb
