// TIFF files as the capture writes them, through libtiff: grey or RGB, 8 or 16
// bits per sample, in strips. Deep samples are reduced to 8 bits for the screen
// by the bits they use, so a 12-bit capture looks as it did live.
#pragma once

#include <QImage>
#include <QString>
#include <functional>

#include "player/FileStatus.h"

namespace player {

// Storage for the picture: a grey or an RGB image of that size; null when it cannot be had.
using TiffAllocator = std::function<QImage*(int width, int height, QImage::Format format)>;

FileStatus ReadTiff(const QString& path, const TiffAllocator& allocate);

}  // namespace player
