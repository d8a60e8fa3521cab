// Loads an image file into the player's current bitmap. The new picture is built
// beside the one shown, which stays as it was when a file fails, and the buffer
// of the picture before is reused when the size matches, so a series plays
// without allocating. Holds the JPEG decoder for the life of the player.
#pragma once

#include <QImage>
#include <QString>

#include "player/FileStatus.h"
#include "player/JpegDecoder.h"

namespace player {

class ImageLoader {
public:
    // Reads path by the end of its name into image. A name of another kind loads
    // nothing and answers Ok.
    FileStatus Load(const QString& path, QImage& image);

private:
    FileStatus loadJpeg(const QString& path);
    FileStatus loadBmp(const QString& path);
    QImage* target(int width, int height, QImage::Format format);

    JpegDecoder jpeg_;
    QImage next_;
};

// The string id of the message for a failed load of path; the text with the path in it.
int MessageIdFor(FileStatus status);

}  // namespace player
