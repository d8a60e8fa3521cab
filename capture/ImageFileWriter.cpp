#include "capture/ImageFileWriter.h"

#include <cerrno>
#include <cstring>
#include <new>

#include "capture/FramePreparation.h"
#include "capture/ReplaceFile.h"

namespace capture {

namespace {

WriteResult cardFailure(const std::string& what, uint32_t status, int error = 0) {
    std::string text = what + " (status " + std::to_string(status) + ")";
    if (error != 0)
        text += ": " + std::string(std::strerror(error));
    else if (status == ZAMGRB_NO_BUFFERS)
        text += ": out of memory";
    return WriteResult::Failure(std::move(text), error, status);
}

}  // namespace

ImageFileWriter::ImageFileWriter(std::shared_ptr<const GlyphSet> glyphs) : stamp_(std::move(glyphs)) {}

WriteResult ImageFileWriter::Prepare(const FrameToWrite& frame, const ImageWriteOptions& options,
                                     bool clipFrame, PreparedImage& image) {
    image = PreparedImage{};
    uint8_t flags = ConversionFlags(options.imageType, options.normalize, clipFrame);
    const CameraDescription& d = frame.description;
    uint64_t rowStep = 0;
    uint32_t depth = 0;
    uint32_t status = ConvertFrame(&d, nullptr, nullptr, &rowStep, flags, &depth);
    if (status != ZAMGRB_OK)
        return cardFailure("The frame cannot be converted", status);
    const uint32_t bytesPerPixel = BytesPerPixel(depth);
    // The writers read rows without padding; a driver answering otherwise would
    // overrun a buffer sized for them.
    if (rowStep != uint64_t(d.config.widthValid) * bytesPerPixel)
        return WriteResult::Failure("The frame cannot be converted: rows of " + std::to_string(rowStep) +
                                    " bytes for " + std::to_string(depth) + "-bit pixels");
    const uint64_t bytes = rowStep * d.config.heightValid;
    if (bytes > capacity_) {
        buffer_.reset();
        capacity_ = 0;
        buffer_.reset(new (std::nothrow) uint8_t[bytes]);
        if (!buffer_)
            return WriteResult::Failure(
                "No memory for a converted frame of " + std::to_string(bytes) + " bytes", ENOMEM);
        capacity_ = bytes;
    }
    status = ConvertFrame(&d, frame.data, buffer_.get(), &rowStep, flags, &depth);
    if (status != ZAMGRB_OK)
        return cardFailure("The frame cannot be converted", status);
    // The stamp steps through whole pixels of the buffer, whatever the depth counts.
    stamp_.StampText(buffer_.get(), bytesPerPixel * 8, rowStep, d.config.widthValid, d.config.heightValid,
                     {frame.timeStamp, frame.localTime}, options.stamp);
    image.pixels = buffer_.get();
    image.bytes = bytes;
    image.convertedDepth = depth;
    image.description = WriterDescription(d, depth, flags);
    image.flags = flags;
    return {};
}

WriteResult ImageFileWriter::Write(const FrameToWrite& frame, const ImageWriteOptions& options,
                                   const std::string& path) {
    if (options.imageType == kImageRaw)
        return ReplaceFile(path, frame.data, frame.size);
    PreparedImage image;
    if (WriteResult prepared = Prepare(frame, options, false, image); !prepared.ok)
        return prepared;
    // The writers replace the file only with a complete one; errno tells why a
    // write failed (the writers report a plain status).
    errno = 0;
    uint32_t status = ZAMGRB_OK;
    if (options.imageType == kImageJpeg)
        status =
            SaveJpegFile(&image.description, image.pixels, path.c_str(), JpegQuality(options.jpgQuality));
    else if (options.imageType == kImageTiff)
        status = SaveTiffFile(&image.description, image.pixels, path.c_str(), image.flags);
    else
        status = SaveBmpFile(&image.description, image.pixels, path.c_str());
    const int error = errno;
    if (status != ZAMGRB_OK)
        return cardFailure("Cannot write " + path, status, status == ZAMGRB_FAILED ? error : 0);
    return {};
}

}  // namespace capture
