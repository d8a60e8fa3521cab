// The player's JPEG decoder, on libjpeg-turbo, in two steps: read the header of a
// file, then decode it into a buffer laid out as asked. One decoder is kept for
// the life of the player; it is used from one thread at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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

    // Decodes the file read last into rows of blue, green, red and one unused byte,
    // `pitch` bytes apart; a negative height puts the top row first. 0 on success.
    int Decode(uint8_t* buffer, int width, int height, int pitch);

private:
    void* handle_;
    std::vector<uint8_t> file_;
};

}  // namespace player
