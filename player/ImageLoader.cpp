#include "player/ImageLoader.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>

#include "player/BmpFile.h"
#include "player/PlayerFiles.h"
#include "player/TiffFile.h"
#include "res/ResourceIds.h"

namespace player {

FileStatus ImageLoader::Load(const QString& path, QImage& image) {
    FileStatus status = FileStatus::Ok;
    switch (KindOfName(path)) {
        case FileKind::Jpeg:
            status = loadJpeg(path);
            break;
        case FileKind::Bmp:
            status = loadBmp(path);
            break;
        case FileKind::Tiff:
            status = ReadTiff(path, [this](int w, int h, QImage::Format f) { return target(w, h, f); });
            break;
        case FileKind::None:
            return FileStatus::Ok;
    }
    if (status == FileStatus::Ok)
        image.swap(next_);
    return status;
}

// Decoded straight into the bitmap: 24-bit rows, each padded to 4 bytes.
FileStatus ImageLoader::loadJpeg(const QString& path) {
    int width = 0, height = 0, components = 0;
    if (jpeg_.ReadHeader(QFile::encodeName(path).toStdString(), width, height, components) != 0 ||
        !AcceptableSize(uint64_t(width), uint64_t(height)))
        return FileStatus::CannotRead;
    QImage* image = target(width, height, QImage::Format_BGR888);
    if (!image || jpeg_.Decode(image->bits(), width, -height, int(image->bytesPerLine())) != 0)
        return FileStatus::CannotRead;
    return FileStatus::Ok;
}

FileStatus ImageLoader::loadBmp(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return FileStatus::CannotOpen;
    BmpLayout layout;
    const FileStatus status = ReadBmp(
        fd,
        [this](const BmpLayout& l, uint64_t& pitch) -> uint8_t* {
            QImage* image = target(int(l.width), int(l.height),
                                   l.bitsPerPixel == 8 ? QImage::Format_Indexed8 : QImage::Format_BGR888);
            if (!image)
                return nullptr;
            pitch = uint64_t(image->bytesPerLine());
            return image->bits();
        },
        layout);
    ::close(fd);
    if (status == FileStatus::Ok && layout.bitsPerPixel == 8)
        next_.setColorTable(QList<QRgb>(layout.palette.begin(), layout.palette.end()));
    return status;
}

// The picture before is painted over only when nothing else holds it.
QImage* ImageLoader::target(int width, int height, QImage::Format format) {
    if (next_.width() != width || next_.height() != height || next_.format() != format || !next_.isDetached())
        next_ = QImage(width, height, format);
    return next_.isNull() ? nullptr : &next_;
}

int MessageIdFor(FileStatus status) {
    switch (status) {
        case FileStatus::CannotOpen:
            return res::IDS_CANT_OPEN_FILE;
        case FileStatus::CannotRead:
            return res::IDS_CANT_READ_FILE;
        case FileStatus::Invalid:
            return res::IDS_INVALID_FILE;
        case FileStatus::Ok:
            break;
    }
    return 0;
}

}  // namespace player
