// The player's JPEG decoder, on libjpeg-turbo, in two steps: read the header of a
// file, then decode it into a buffer laid out as asked. One decoder is kept for
// the life of the player; it is used from one thread at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace player {

class JpegDecoder {
public:
    JpegDecoder();
    ~JpegDecoder();
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    // Reads the file and its header; 0 on success with the image's size and its
    // colour components (1 grey, 3 colour).
    int ReadHeader(const std::string& path, int& width, int& height, int& components);

    // Decodes the file read last into rows of blue, green, red samples, `pitch`
    // bytes apart (the row and its padding); a negative height puts the top row
    // first. 0 on success.
    int Decode(uint8_t* buffer, int width, int height, int pitch);

private:
    void* handle_;
    // The file's bytes, in a buffer kept from file to file and not cleared first.
    std::unique_ptr<uint8_t[]> file_;
    size_t fileBytes_ = 0, capacity_ = 0;
};

}  // namespace player
