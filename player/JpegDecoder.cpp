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
    file_.clear();
    const Fd in{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    struct stat info {};
    if (!handle_ || in.fd < 0 || fstat(in.fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0 ||
        uint64_t(info.st_size) > kMaxFileBytes)
        return -1;
    file_.resize(size_t(info.st_size));
    for (size_t done = 0; done < file_.size();) {
        const ssize_t n = ::read(in.fd, file_.data() + done, file_.size() - done);
        if (n <= 0) {
            file_.clear();
            return -1;
        }
        done += size_t(n);
    }
    int subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(handle_, file_.data(), file_.size(), &width, &height, &subsampling,
                            &colourspace) != 0)
        return -1;
    components = colourspace == TJCS_GRAY ? 1 : 3;
    return 0;
}

int JpegDecoder::Decode(uint8_t* buffer, int width, int height, int pitch) {
    if (file_.empty())
        return -1;
    // Grey and colour files alike come out as blue, green, red: libjpeg-turbo picks
    // the colour conversion from the file's components.
    return tjDecompress2(handle_, file_.data(), file_.size(), buffer, width, pitch,
                         height < 0 ? -height : height, TJPF_BGRX, height < 0 ? 0 : TJFLAG_BOTTOMUP);
}

}  // namespace player
