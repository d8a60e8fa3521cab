#include "WriterInput.h"

#include "ToneTables.h"

namespace zamgrb::image {

std::optional<PixelLayout> writerInput(const CameraDescription* description, const void* pixels,
                                       const char* path) {
    if (!description || !pixels || !path || !*path)
        return {};
    return writerLayout(*description);
}

std::vector<uint8_t> reducedTo8Bits(const PixelLayout& layout, const void* pixels) {
    const uint64_t count = uint64_t(layout.width) * layout.height * layout.channels;
    std::vector<uint8_t> out(count);
    if (layout.bytesPerChannel == 1) {
        const auto* in = static_cast<const uint8_t*>(pixels);
        out.assign(in, in + count);
        return out;
    }
    const auto* in = static_cast<const uint16_t*>(pixels);
    for (uint64_t i = 0; i < count; ++i)
        out[i] = reduceTo8(in[i], layout.bitsPerChannel);
    return out;
}

}  // namespace zamgrb::image
