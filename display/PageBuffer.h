// Whole committed pages for frame data: allocation never throws, a failure
// leaves the buffer empty. Move-only; the pages go back when it goes away.
#pragma once

#include <cstddef>
#include <cstdint>

class PageBuffer {
public:
    PageBuffer() = default;
    ~PageBuffer() { reset(); }
    PageBuffer(PageBuffer&& other) noexcept;
    PageBuffer& operator=(PageBuffer&& other) noexcept;
    PageBuffer(const PageBuffer&) = delete;
    PageBuffer& operator=(const PageBuffer&) = delete;

    // Replaces the contents by `size` zeroed bytes; false (and empty) on failure.
    bool allocate(size_t size);
    void reset();

    uint8_t* data() { return data_; }
    const uint8_t* data() const { return data_; }
    size_t size() const { return size_; }
    explicit operator bool() const { return data_ != nullptr; }

private:
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t mapped_ = 0;
};
