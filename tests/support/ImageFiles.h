// Image files read back for the writer tests: BMP by its header, TIFF with
// libtiff, JPEG with libjpeg-turbo.
#pragma once

#include <tiffio.h>
#include <turbojpeg.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace imagefiles {

struct Image {
    uint32_t width = 0, height = 0, channels = 0, bits = 0;  // channels 1 grey, 3 R G B
    std::vector<uint32_t> samples;                           // row by row, R G B order for colour
};

inline std::vector<uint8_t> readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), {});
}

// 8-bit through the grey palette, or 24-bit; bottom-up rows.
inline Image readBmp(const std::filesystem::path& path) {
    const std::vector<uint8_t> b = readAll(path);
    auto u16 = [&](size_t o) { return uint32_t(b.at(o) | b.at(o + 1) << 8); };
    auto u32 = [&](size_t o) { return u16(o) | u16(o + 2) << 16; };
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || u32(2) != b.size())
        return {};
    Image image{u32(18), u32(22), u16(28) == 8 ? 1u : 3u, 8, {}};
    const uint32_t stride = (image.width * image.channels + 3) / 4 * 4;
    for (uint32_t y = 0; y < image.height; ++y)
        for (uint32_t x = 0; x < image.width; ++x) {
            const size_t p = u32(10) + (image.height - 1 - y) * stride + x * image.channels;
            if (image.channels == 1)
                image.samples.push_back(b.at(54 + b.at(p) * 4));
            else
                image.samples.insert(image.samples.end(), {b.at(p + 2), b.at(p + 1), b.at(p)});
        }
    return image;
}

inline Image readTiff(const std::filesystem::path& path) {
    Image image;
    TIFF* t = TIFFOpen(path.c_str(), "r");
    if (!t)
        return image;
    uint16_t bitsPerSample = 0, spp = 0;
    TIFFGetField(t, TIFFTAG_IMAGEWIDTH, &image.width);
    TIFFGetField(t, TIFFTAG_IMAGELENGTH, &image.height);
    TIFFGetField(t, TIFFTAG_BITSPERSAMPLE, &bitsPerSample);
    TIFFGetField(t, TIFFTAG_SAMPLESPERPIXEL, &spp);
    image.channels = spp, image.bits = bitsPerSample;
    std::vector<uint8_t> line(size_t(TIFFScanlineSize(t)));
    for (uint32_t y = 0; y < image.height; ++y) {
        TIFFReadScanline(t, line.data(), y, 0);
        for (uint32_t i = 0; i < image.width * spp; ++i)
            image.samples.push_back(bitsPerSample == 8 ? line[i]
                                                       : uint32_t(line[2 * i] | line[2 * i + 1] << 8));
    }
    TIFFClose(t);
    return image;
}

inline Image readJpeg(const std::filesystem::path& path, bool grey) {
    std::vector<uint8_t> b = readAll(path);
    Image image;
    tjhandle h = tjInitDecompress();
    int w = 0, height = 0, sub = 0, space = 0;
    if (tjDecompressHeader3(h, b.data(), b.size(), &w, &height, &sub, &space) == 0) {
        image = {uint32_t(w), uint32_t(height), grey ? 1u : 3u, 8, {}};
        std::vector<uint8_t> pixels(size_t(w) * height * image.channels);
        if (tjDecompress2(h, b.data(), b.size(), pixels.data(), w, 0, height, grey ? TJPF_GRAY : TJPF_RGB,
                          0) == 0)
            image.samples.assign(pixels.begin(), pixels.end());
    }
    tjDestroy(h);
    return image;
}

}  // namespace imagefiles
