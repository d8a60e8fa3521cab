// A file written under a temporary name beside its destination and renamed
// over it only when complete, so a failed write leaves no file behind.
#ifndef ZAMGRB_IMAGE_TEMPORARY_FILE_H
#define ZAMGRB_IMAGE_TEMPORARY_FILE_H

#include <cstddef>
#include <optional>
#include <string>

namespace zamgrb::image {

class TemporaryFile {
public:
    // Creates an empty temporary file in the folder of `destination`.
    static std::optional<TemporaryFile> create(const std::string& destination);
    TemporaryFile(TemporaryFile&& other) noexcept;
    TemporaryFile& operator=(TemporaryFile&&) = delete;
    TemporaryFile(const TemporaryFile&) = delete;
    ~TemporaryFile();

    const std::string& path() const { return temporary_; }
    // Writes all bytes to the temporary file (replacing its content).
    bool write(const void* data, size_t size);
    // Renames the temporary file to the destination.
    bool commit();

private:
    TemporaryFile(std::string destination, std::string temporary);
    std::string destination_, temporary_;
    bool committed_ = false;
};

}  // namespace zamgrb::image

#endif
