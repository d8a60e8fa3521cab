#include "player/BmpFile.h"

#include <limits.h>
#include <sys/stat.h>
#include <sys/uio.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace player {
namespace {

constexpr uint64_t kFileHeader = 14, kMinInfoHeader = 40, kMaxInfoHeader = 124;
// The headers and the largest colour table.
constexpr uint64_t kBmpHeadBytes = kFileHeader + kMaxInfoHeader + 256 * 4;

uint32_t u16(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8;
}
uint32_t u32(const uint8_t* p) {
    return u16(p) | u16(p + 2) << 16;
}

// Fills the iovecs completely from offset on, however the kernel splits the reads.
bool readFully(int fd, std::vector<iovec>& parts, uint64_t offset) {
    size_t first = 0;
    while (true) {
        while (first < parts.size() && parts[first].iov_len == 0)
            ++first;
        if (first == parts.size())
            return true;
        const int count = int(std::min<size_t>(parts.size() - first, IOV_MAX));
        const ssize_t n = preadv(fd, parts.data() + first, count, off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        offset += uint64_t(n);
        for (size_t left = size_t(n); left > 0;) {
            iovec& part = parts[first];
            const size_t taken = std::min(left, part.iov_len);
            part.iov_base = static_cast<uint8_t*>(part.iov_base) + taken;
            part.iov_len -= taken;
            left -= taken;
            if (part.iov_len == 0)
                ++first;
        }
    }
}

FileStatus ParseBmpHeader(const uint8_t* head, uint64_t headBytes, uint64_t fileSize, BmpLayout& layout) {
    if (headBytes < kFileHeader + kMinInfoHeader || head[0] != 'B' || head[1] != 'M')
        return FileStatus::Invalid;
    const uint64_t offset = u32(head + 10), infoHeader = u32(head + 14);
    const auto width = int32_t(u32(head + 18)), height = int32_t(u32(head + 22));
    const uint32_t bits = u16(head + 28), compression = u32(head + 30), used = u32(head + 46);
    if (infoHeader < kMinInfoHeader || infoHeader > kMaxInfoHeader || (bits != 8 && bits != 24) ||
        compression != 0 || width <= 0 || height == 0)
        return FileStatus::Invalid;
    const uint64_t rows = uint64_t(height < 0 ? -int64_t(height) : height);
    if (!AcceptableSize(uint64_t(width), rows))
        return FileStatus::Invalid;
    const uint64_t colours = bits == 8 ? (used == 0 ? 256 : used) : 0;
    const uint64_t tableEnd = kFileHeader + infoHeader + colours * 4;
    const uint64_t stride = (uint64_t(width) * bits / 8 + 3) / 4 * 4;
    // The colour table lies before the pixels and within the bytes read, the pixels
    // within the file.
    if (colours > 256 || tableEnd > offset || tableEnd > headBytes || offset > fileSize ||
        stride * rows > fileSize - offset)
        return FileStatus::Invalid;
    layout = {};
    layout.width = uint32_t(width);
    layout.height = uint32_t(rows);
    layout.topDown = height < 0;
    layout.bitsPerPixel = bits;
    layout.stride = stride;
    layout.pixelOffset = offset;
    layout.palette.fill(0xff000000u);
    for (uint64_t i = 0; i < colours; ++i)
        layout.palette[i] = 0xff000000u | (u32(head + kFileHeader + infoHeader + i * 4) & 0xffffffu);
    return FileStatus::Ok;
}

}  // namespace

FileStatus ReadBmp(int fd, const BmpAllocator& allocate, BmpLayout& layout) {
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return FileStatus::CannotRead;
    const uint64_t fileSize = uint64_t(info.st_size);
    std::vector<uint8_t> head(std::min(fileSize, kBmpHeadBytes));
    std::vector<iovec> parts{{head.data(), head.size()}};
    if (!readFully(fd, parts, 0))
        return FileStatus::CannotRead;
    const FileStatus parsed = ParseBmpHeader(head.data(), head.size(), fileSize, layout);
    if (parsed != FileStatus::Ok)
        return parsed;
    uint64_t pitch = 0;
    uint8_t* pixels = allocate(layout, pitch);
    if (!pixels || pitch < layout.stride)
        return FileStatus::CannotRead;
    // The rows go straight to their place, bottom-up files turned over on the way in.
    parts.resize(layout.height);
    for (uint32_t row = 0; row < layout.height; ++row) {
        const uint32_t target = layout.topDown ? row : layout.height - 1 - row;
        parts[row] = {pixels + target * pitch, size_t(layout.stride)};
    }
    if (layout.topDown && pitch == layout.stride)
        parts = {{pixels, size_t(layout.stride * layout.height)}};
    return readFully(fd, parts, layout.pixelOffset) ? FileStatus::Ok : FileStatus::CannotRead;
}

}  // namespace player
