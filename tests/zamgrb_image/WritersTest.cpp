#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "ImageFiles.h"
#include "TempFolder.h"
#include "zamgrb.h"

namespace fs = std::filesystem;
using namespace imagefiles;

namespace {

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
    p.truth = {w, h, colour ? 3u : 1u, 8, {}};
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
                const Image back = readTiff(file);
                const bool sixteen = format == kTiff16 && bits > 8;
                EXPECT_EQ(back.bits, sixteen ? 16u : 8u);
                expectSame(p.truth, back, sixteen ? 0 : bits - 8, 0);
            } else {
                const uint8_t quality = format == kJpeg0 ? 0 : 95;
                ASSERT_EQ(SaveJpegFile(&p.description, p.bytes.data(), file.c_str(), quality), 0u);
                expectSame(p.truth, readJpeg(file, !k.colour), bits - 8, quality == 0 ? 3 : 8);
            }
            EXPECT_EQ(folder.entries(), 1u) << "no temporary file left behind";
        }
}

// Paths that cannot be written are tested through the capture's writer, which calls these.
TEST(Writers, RefusedArgumentsLeaveNoFile) {
    TempFolder folder;
    const Pixels p = makePixels(8, 8, 24, true);
    CameraDescription bad = p.description;
    bad.config.bitDepth = 25;
    const std::string good = (folder.path / "x.bmp").string();
    EXPECT_NE(SaveBmpFile(&bad, p.bytes.data(), good.c_str()), 0u);
    EXPECT_NE(SaveBmpFile(&p.description, nullptr, good.c_str()), 0u);
    EXPECT_NE(SaveTiffFile(&p.description, p.bytes.data(), nullptr, 0), 0u);
    EXPECT_EQ(folder.entries(), 0u);
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
