#include <gtest/gtest.h>
#include <sys/mman.h>
#include <tiffio.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "TempFolder.h"
#include "zamgrb.h"

namespace fs = std::filesystem;

namespace {

struct Image {
    uint32_t width = 0, height = 0, channels = 0;  // channels 1 grey, 3 R G B
    std::vector<uint32_t> samples;                 // row by row, R G B order for colour
    uint32_t at(uint32_t x, uint32_t y, uint32_t c) const {
        return samples[(size_t(y) * width + x) * channels + c];
    }
};

// A deliberately small BMP reader: 8-bit palette or 24-bit, bottom-up rows.
Image readBmp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), {});
    auto u16 = [&](size_t o) { return uint32_t(b.at(o) | b.at(o + 1) << 8); };
    auto u32 = [&](size_t o) { return u16(o) | u16(o + 2) << 16; };
    Image image;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || u32(2) != b.size())
        return image;
    image.width = u32(18);
    image.height = u32(22);
    const uint32_t bits = u16(28), offset = u32(10);
    image.channels = bits == 8 ? 1 : 3;
    const size_t stride = (image.width * bits / 8 + 3) / 4 * 4;
    for (uint32_t y = 0; y < image.height; ++y)
        for (uint32_t x = 0; x < image.width; ++x) {
            const size_t p = offset + (image.height - 1 - y) * stride + x * bits / 8;
            if (bits == 8) {
                image.samples.push_back(b.at(54 + b.at(p) * 4));  // through the grey palette
            } else {
                image.samples.insert(image.samples.end(), {b.at(p + 2), b.at(p + 1), b.at(p)});
            }
        }
    return image;
}

Image readTiff(const fs::path& path, uint16_t& bitsPerSample) {
    Image image;
    TIFF* t = TIFFOpen(path.c_str(), "r");
    if (!t)
        return image;
    uint16_t spp = 0;
    TIFFGetField(t, TIFFTAG_IMAGEWIDTH, &image.width);
    TIFFGetField(t, TIFFTAG_IMAGELENGTH, &image.height);
    TIFFGetField(t, TIFFTAG_BITSPERSAMPLE, &bitsPerSample);
    TIFFGetField(t, TIFFTAG_SAMPLESPERPIXEL, &spp);
    image.channels = spp;
    std::vector<uint8_t> line(TIFFScanlineSize(t));
    for (uint32_t y = 0; y < image.height; ++y) {
        TIFFReadScanline(t, line.data(), y, 0);
        for (uint32_t i = 0; i < image.width * spp; ++i)
            image.samples.push_back(bitsPerSample == 8 ? line[i]
                                                       : uint32_t(line[2 * i] | line[2 * i + 1] << 8));
    }
    TIFFClose(t);
    return image;
}

Image readJpeg(const fs::path& path, bool grey) {
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), {});
    Image image;
    tjhandle h = tjInitDecompress();
    int w = 0, hgt = 0, sub = 0, space = 0;
    if (tjDecompressHeader3(h, b.data(), b.size(), &w, &hgt, &sub, &space) == 0) {
        image.width = uint32_t(w), image.height = uint32_t(hgt), image.channels = grey ? 1 : 3;
        std::vector<unsigned char> pixels(size_t(w) * hgt * image.channels);
        if (tjDecompress2(h, b.data(), b.size(), pixels.data(), w, 0, hgt, grey ? TJPF_GRAY : TJPF_RGB, 0) ==
            0)
            image.samples.assign(pixels.begin(), pixels.end());
    }
    tjDestroy(h);
    return image;
}

// Pixels as ConvertFrame writes them: grey in 1 or 2 bytes, colour as B, G, R, unused.
struct Pixels {
    CameraDescription description{};
    std::vector<uint8_t> bytes;
    Image truth;  // R, G, B order for colour
};

Pixels makePixels(uint32_t w, uint32_t h, uint32_t depth, bool colour) {
    Pixels p;
    p.description.config.widthValid = w;
    p.description.config.heightValid = h;
    p.description.config.bitDepth = depth;
    SetTapFormat(1, &p.description.config.tapConfig);
    const uint32_t bits = colour ? depth / 3 : depth, top = (1u << bits) - 1;
    const uint32_t bytes = bits > 8 ? 2 : 1;
    p.truth = {w, h, colour ? 3u : 1u, {}};
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            const uint32_t r = (x * top) / (w - 1), g = (y * top) / (h - 1),
                           b = ((x + y) * top) / (w + h - 2);
            const std::vector<uint32_t> stored =
                colour ? std::vector<uint32_t>{b, g, r, 0} : std::vector<uint32_t>{r};
            for (uint32_t v : stored) {
                p.bytes.push_back(uint8_t(v));
                if (bytes == 2)
                    p.bytes.push_back(uint8_t(v >> 8));
            }
            if (colour)
                p.truth.samples.insert(p.truth.samples.end(), {r, g, b});
            else
                p.truth.samples.push_back(r);
        }
    return p;
}

void expectSame(const Image& a, const Image& b, uint32_t shift, uint32_t tolerance) {
    ASSERT_EQ(a.width, b.width);
    ASSERT_EQ(a.height, b.height);
    ASSERT_EQ(a.channels, b.channels);
    ASSERT_EQ(a.samples.size(), b.samples.size());
    for (size_t i = 0; i < a.samples.size(); ++i)
        ASSERT_LE(std::abs(int(a.samples[i] >> shift) - int(b.samples[i])), int(tolerance)) << "sample " << i;
}

struct Kind {
    const char* name;
    uint32_t depth;
    bool colour;
};
const Kind kKinds[] = {{"grey8", 8, false}, {"grey12", 12, false}, {"rgb24", 24, true}, {"rgb36", 36, true}};

}  // namespace

// BMP and TIFF (8 bits, or 16 with flags 1) read back exactly, JPEG within a tolerance
// (quality 0 is the best); a file in the way is replaced.
TEST(Writers, FilesReadBack) {
    TempFolder folder;
    enum Format { kBmp, kTiff, kTiff16, kJpeg0, kJpeg95 };
    for (const Kind& k : kKinds)
        for (Format format : {kBmp, kTiff, kTiff16, kJpeg0, kJpeg95}) {
            SCOPED_TRACE(std::string(k.name) + " format " + std::to_string(format));
            const Pixels p =
                makePixels(format >= kJpeg0 ? 32 : 13, format >= kJpeg0 ? 24 : 7, k.depth, k.colour);
            const fs::path file = folder.path / "image";
            std::ofstream(file) << "old";
            const uint32_t bits = k.colour ? k.depth / 3 : k.depth;
            if (format == kBmp) {
                ASSERT_EQ(SaveBmpFile(&p.description, p.bytes.data(), file.c_str()), 0u);
                expectSame(p.truth, readBmp(file), bits - 8, 0);
            } else if (format <= kTiff16) {
                ASSERT_EQ(SaveTiffFile(&p.description, p.bytes.data(), file.c_str(), format == kTiff16), 0u);
                uint16_t stored = 0;
                const Image back = readTiff(file, stored);
                const bool sixteen = format == kTiff16 && bits > 8;
                EXPECT_EQ(stored, sixteen ? 16 : 8);
                expectSame(p.truth, back, sixteen ? 0 : bits - 8, 0);
            } else {
                const uint8_t quality = format == kJpeg0 ? 0 : 95;
                ASSERT_EQ(SaveJpegFile(&p.description, p.bytes.data(), file.c_str(), quality), 0u);
                expectSame(p.truth, readJpeg(file, !k.colour), bits - 8, quality == 0 ? 3 : 8);
            }
            EXPECT_EQ(folder.entries(), 1u) << "no temporary file left behind";
        }
}

TEST(Writers, TiffNormaliseStretchesDeepGrey) {
    TempFolder folder;
    Pixels p = makePixels(5, 2, 12, false);
    const fs::path file = folder.path / "n.tif";
    ASSERT_EQ(SaveTiffFile(&p.description, p.bytes.data(), file.c_str(), ZAMGRB_CONVERT_NORMALISE), 0u);
    uint16_t bits = 0;
    const Image back = readTiff(file, bits);
    ASSERT_EQ(bits, 16);
    EXPECT_EQ(*std::min_element(back.samples.begin(), back.samples.end()), 0u);
    EXPECT_EQ(*std::max_element(back.samples.begin(), back.samples.end()), 65535u);
}

TEST(Writers, QualityChangesTheJpegSize) {
    TempFolder folder;
    const Pixels p = makePixels(64, 64, 24, true);
    const fs::path low = folder.path / "low.jpg", best = folder.path / "best.jpg",
                   zero = folder.path / "zero.jpg";
    ASSERT_EQ(SaveJpegFile(&p.description, p.bytes.data(), low.c_str(), 10), 0u);
    ASSERT_EQ(SaveJpegFile(&p.description, p.bytes.data(), best.c_str(), 100), 0u);
    ASSERT_EQ(SaveJpegFile(&p.description, p.bytes.data(), zero.c_str(), 0), 0u);
    EXPECT_LT(fs::file_size(low), fs::file_size(best));
    EXPECT_EQ(fs::file_size(zero), fs::file_size(best));
}

TEST(Writers, FailuresLeaveNoFile) {
    TempFolder folder;
    const Pixels p = makePixels(8, 8, 24, true);
    fs::create_directory(folder.path / "taken.bmp");
    const std::string missing = (folder.path / "no" / "such" / "x.bmp").string();
    const std::string directory = (folder.path / "taken.bmp").string();
    for (const std::string& path : {missing, directory}) {
        EXPECT_NE(SaveBmpFile(&p.description, p.bytes.data(), path.c_str()), 0u) << path;
        EXPECT_NE(SaveJpegFile(&p.description, p.bytes.data(), path.c_str(), 90), 0u) << path;
        EXPECT_NE(SaveTiffFile(&p.description, p.bytes.data(), path.c_str(), 0), 0u) << path;
    }
    EXPECT_EQ(folder.entries(), 1u);  // just the directory that was in the way
    CameraDescription bad = p.description;
    bad.config.bitDepth = 25;
    const std::string good = (folder.path / "x.bmp").string();
    EXPECT_NE(SaveBmpFile(&bad, p.bytes.data(), good.c_str()), 0u);
    EXPECT_NE(SaveBmpFile(&p.description, nullptr, good.c_str()), 0u);
    EXPECT_NE(SaveTiffFile(&p.description, p.bytes.data(), nullptr, 0), 0u);
    EXPECT_EQ(folder.entries(), 1u);
}

// BMP keeps its sizes in 32 bits: an image within the side limits whose file
// would pass 4 GiB is a file that cannot be written, refused before a pixel is read.
TEST(Writers, BmpAboveFourGibibytesCannotBeWritten) {
    struct Case {
        uint32_t width, height, depth;
    };
    const long page = sysconf(_SC_PAGESIZE);
    void* unreadable = mmap(nullptr, size_t(page), PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(unreadable, MAP_FAILED);
    TempFolder folder;
    const std::string file = (folder.path / "huge.bmp").string();
    for (const Case c : {Case{1u << 20, 4096, 8}, Case{1u << 20, 4096, 12}, Case{1u << 20, 1366, 24}}) {
        CameraDescription d{};
        d.config.widthValid = c.width;
        d.config.heightValid = c.height;
        d.config.bitDepth = c.depth;
        d.config.tapConfig.taps = d.config.tapConfig.channels = 1;
        EXPECT_EQ(SaveBmpFile(&d, unreadable, file.c_str()), 1u) << c.width << " x " << c.height;
    }
    EXPECT_EQ(folder.entries(), 0u);
    munmap(unreadable, size_t(page));
}
