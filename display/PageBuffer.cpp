#include "display/PageBuffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <utility>

PageBuffer::PageBuffer(PageBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, 0)) {}

PageBuffer& PageBuffer::operator=(PageBuffer&& other) noexcept {
    if (this != &other) {
        reset();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        mapped_ = std::exchange(other.mapped_, 0);
    }
    return *this;
}

bool PageBuffer::allocate(size_t size) {
    reset();
    if (size == 0)
        return false;
    const size_t page = size_t(sysconf(_SC_PAGESIZE));
    if (size > SIZE_MAX - page)
        return false;
    const size_t mapped = (size + page - 1) / page * page;
    void* p = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        return false;
    data_ = static_cast<uint8_t*>(p);
    size_ = size;
    mapped_ = mapped;
    return true;
}

void PageBuffer::reset() {
    if (data_)
        munmap(data_, mapped_);
    data_ = nullptr;
    size_ = mapped_ = 0;
}
