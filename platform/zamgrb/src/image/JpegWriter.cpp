// SaveJpegFile through libjpeg-turbo: grey or colour (4:4:4), deeper pixels
// reduced to 8 bits. Quality 1..100; 0 means 100.
#include <turbojpeg.h>

#include <memory>

#include "TemporaryFile.h"
#include "WriterInput.h"
#include "zamgrb.h"

using namespace zamgrb::image;

namespace {

struct CompressorDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};
struct BufferDeleter {
    void operator()(unsigned char* buffer) const { tjFree(buffer); }
};

}  // namespace

uint32_t SaveJpegFile(const CameraDescription* description, const void* pixels, const char* path,
                      uint8_t quality) {
    const auto layout = writerInput(description, pixels, path);
    if (!layout || layout->width > 65535 || layout->height > 65535)
        return ZAMGRB_INVALID_ARGUMENT;
    const int q = quality == 0 || quality > 100 ? 100 : quality;
    try {
        std::vector<uint8_t> reduced;
        const auto* source = static_cast<const unsigned char*>(pixels);
        if (layout->bytesPerChannel != 1) {
            reduced = reducedTo8Bits(*layout, pixels);
            source = reduced.data();
        }
        // One compressor per thread, kept between calls: a capture series should not
        // set one up for every frame.
        thread_local std::unique_ptr<void, CompressorDeleter> compressor(tjInitCompress());
        if (!compressor)
            return ZAMGRB_FAILED;
        const bool grey = !layout->colour();
        unsigned char* jpeg = nullptr;
        unsigned long size = 0;
        const int result = tjCompress2(compressor.get(), source, int(layout->width), 0, int(layout->height),
                                       grey ? TJPF_GRAY : TJPF_BGRX, &jpeg, &size,
                                       grey ? TJSAMP_GRAY : TJSAMP_444, q, TJFLAG_FASTDCT);
        std::unique_ptr<unsigned char, BufferDeleter> owned(jpeg);
        if (result != 0)
            return ZAMGRB_FAILED;
        auto out = TemporaryFile::create(path);
        if (!out || !out->write(owned.get(), size) || !out->commit())
            return ZAMGRB_FAILED;
    } catch (const std::bad_alloc&) {
        return ZAMGRB_NO_BUFFERS;
    }
    return ZAMGRB_OK;
}
