// Any bytes as a BMP file, read through a memory file as the player reads a file
// on disk: the header checks, the allocation it asks for and the row reads.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "player/BmpFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const int fd = memfd_create("bmp", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != ssize_t(size))
        __builtin_trap();
    std::vector<uint8_t> pixels;
    player::BmpLayout layout;
    const player::FileStatus status = player::ReadBmp(
        fd,
        [&](const player::BmpLayout& l, uint64_t& pitch) {
            // Whatever the header says, the pixels it asks room for lie in the file.
            if (l.stride * l.height > size || l.width == 0 || l.height == 0)
                __builtin_trap();
            pitch = l.stride + 4;  // rows further apart than in the file
            pixels.resize(pitch * l.height);
            return pixels.data();
        },
        layout);
    if (status == player::FileStatus::Ok && layout.pixelOffset + layout.stride * layout.height > size)
        __builtin_trap();
    return 0;
}
