#include "player/JpegDecoder.h"

#include <turbojpeg.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace player {
namespace {

// No picture of the player's sizes makes a larger file.
constexpr uint64_t kMaxFileBytes = uint64_t(1) << 30;

struct Fd {
    int fd;
    ~Fd() {
        if (fd >= 0)
            ::close(fd);
    }
};

}  // namespace

JpegDecoder::JpegDecoder() : handle_(tjInitDecompress()) {}

JpegDecoder::~JpegDecoder() {
    if (handle_)
        tjDestroy(handle_);
}

int JpegDecoder::ReadHeader(const std::string& path, int& width, int& height, int& components) {
    fileBytes_ = 0;
    const Fd in{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    struct stat info {};
    if (!handle_ || in.fd < 0 || fstat(in.fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0 ||
        uint64_t(info.st_size) > kMaxFileBytes)
        return -1;
    const size_t size = size_t(info.st_size);
    if (size > capacity_) {
        file_.reset(new uint8_t[size]);
        capacity_ = size;
    }
    for (size_t done = 0; done < size;) {
        const ssize_t n = ::read(in.fd, file_.get() + done, size - done);
        if (n <= 0)
            return -1;
        done += size_t(n);
    }
    fileBytes_ = size;
    int subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(handle_, file_.get(), fileBytes_, &width, &height, &subsampling, &colourspace) !=
        0)
        return -1;
    components = colourspace == TJCS_GRAY ? 1 : 3;
    return 0;
}

int JpegDecoder::Decode(uint8_t* buffer, int width, int height, int pitch) {
    if (fileBytes_ == 0)
        return -1;
    // Grey and colour files alike come out as blue, green, red: libjpeg-turbo picks
    // the colour conversion from the file's components.
    return tjDecompress2(handle_, file_.get(), fileBytes_, buffer, width, pitch,
                         height < 0 ? -height : height, TJPF_BGR, height < 0 ? 0 : TJFLAG_BOTTOMUP);
}

}  // namespace player
