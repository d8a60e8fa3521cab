#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "ImageFiles.h"
#include "TempFolder.h"
#include "capture/FramePreparation.h"
#include "capture/ImageFileWriter.h"

namespace fs = std::filesystem;
using namespace capture;
using namespace imagefiles;

namespace {

// The software card's ramp scene in frame k = 5: grey (x + 3y + k) mod 2^b; colour
// R = x + k, G = y + k, B = x + y + k, each mod 2^b.
struct Kind {
    uint32_t channels, bits;
};
constexpr Kind Grey8{1, 8}, Grey12{1, 12}, Rgb24{3, 8}, Rgb30{3, 10};
constexpr uint32_t kW = 64, kH = 48;
uint32_t ramp(Kind k, uint32_t x, uint32_t y, uint32_t c) {  // c: 0 R, 1 G, 2 B
    const uint32_t v = k.channels == 1 ? x + 3 * y : c == 0 ? x : c == 1 ? y : x + y;
    return (v + 5) % (1u << k.bits);
}

// A raw frame of tap format 1 in the card's storage: a byte or a 16-bit word per
// sample, colour as B, G, R, 0.
struct Frame {
    std::vector<uint8_t> raw;
    FrameToWrite view;
};
Frame rampFrame(Kind k) {
    Frame f;
    CameraDescription& d = f.view.description;
    d.config.widthValid = kW, d.config.heightValid = kH;
    d.config.bitDepth = k.channels * k.bits;
    SetTapFormat(1, &d.config.tapConfig);
    for (uint32_t i = 0; i < kW * kH * (k.channels == 1 ? 1 : 4); ++i) {
        const uint32_t x = i / (k.channels == 1 ? 1 : 4) % kW, y = i / (k.channels == 1 ? 1 : 4) / kW;
        const uint32_t s = k.channels == 1 ? ramp(k, x, y, 0) : i % 4 == 3 ? 0 : ramp(k, x, y, 2 - i % 4);
        f.raw.push_back(uint8_t(s));
        if (k.bits > 8)
            f.raw.push_back(uint8_t(s >> 8));
    }
    f.view.data = f.raw.data(), f.view.size = uint32_t(f.raw.size()), f.view.timeStamp = 1234;
    return f;
}

const char* extension(uint32_t type) {
    return type == kImageBmp ? ".bmp" : type == kImageJpeg ? ".jpg" : type == kImageTiff ? ".tif" : ".raw";
}

// Every glyph a solid 2 x 4 block of ink, except 'H', 6 high, so that shorter
// glyphs beside it stand on the bottom with background above them.
std::shared_ptr<const GlyphSet> blockGlyphs() {
    auto glyphs = std::make_shared<GlyphSet>();
    for (Glyph& g : *glyphs)
        g.width = 2, g.height = 4;
    (*glyphs)['H'].height = 6;
    return glyphs;
}

}  // namespace

TEST(ImageFileWriter, RoundTripsThroughEveryFormat) {
    // stamped: the time stamp, 10 glyphs, inks 20 x 4 at the top left.
    const struct Row {
        const char* name;
        Kind kind;
        uint32_t type, normalize, fileBits, shift, tolerance, stamped;
    } rows[] = {
        {"grey8 bmp", Grey8, kImageBmp, 0, 8, 0, 0, 1},
        {"grey8 tiff", Grey8, kImageTiff, 0, 8, 0, 0, 1},
        {"grey8 jpeg", Grey8, kImageJpeg, 0, 8, 0, 2, 0},
        {"grey12 bmp", Grey12, kImageBmp, 1, 8, 4, 0, 1},  // Normalize leaves BMP alone
        {"grey12 tiff", Grey12, kImageTiff, 0, 16, 0, 0, 1},
        {"grey12 tiff normalize", Grey12, kImageTiff, 1, 16, 0, 1, 0},  // 5..209 over 0..65535
        {"rgb24 bmp", Rgb24, kImageBmp, 0, 8, 0, 0, 1},
        {"rgb24 tiff", Rgb24, kImageTiff, 0, 8, 0, 0, 1},
        {"rgb30 tiff", Rgb30, kImageTiff, 0, 16, 0, 0, 1},
        {"rgb30 tiff normalize", Rgb30, kImageTiff, 1, 16, 0, 0, 1},  // colour is not stretched
    };
    TempFolder folder;
    ImageFileWriter writer(blockGlyphs());
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const Frame frame = rampFrame(r.kind);
        const fs::path file = folder.path / (std::string(r.name) + extension(r.type));
        const WriteResult result =
            writer.Write(frame.view, {r.type, r.normalize != 0, 0, {false, false, r.stamped != 0}}, file);
        ASSERT_TRUE(result.ok) << result.error;
        const Image back = r.type == kImageBmp    ? readBmp(file)
                           : r.type == kImageTiff ? readTiff(file)
                                                  : readJpeg(file, true);
        ASSERT_EQ(back.width, kW);
        ASSERT_EQ(back.height, kH);
        ASSERT_EQ(back.channels, r.kind.channels);
        EXPECT_EQ(back.bits, r.fileBits);
        for (uint32_t i = 0; i < back.samples.size(); ++i) {
            const uint32_t x = i / back.channels % kW, y = i / back.channels / kW, c = i % back.channels;
            int expected = int(ramp(r.kind, x, y, c) >> r.shift);
            if (r.stamped && x < 20 && y < 4)
                expected = 0;
            else if (r.normalize && r.type == kImageTiff && r.kind.channels == 1)
                expected = (expected - 5) * 65535 / 204;
            ASSERT_LE(std::abs(int(back.samples[i]) - expected), int(r.tolerance))
                << x << "," << y << "," << c;
        }
    }
    EXPECT_EQ(folder.entries(), std::size(rows));  // nothing but the files
}

TEST(ImageFileWriter, RawHoldsExactlyTheCapturedBytes) {
    TempFolder folder;
    const fs::path file = folder.path / "frame.raw";
    std::ofstream(file) << std::string(10000, 'x');  // an older, longer file is replaced
    const std::vector<uint8_t> bytes(1001, 7);       // a count the description does not explain: as delivered
    FrameToWrite frame = rampFrame(Grey8).view;
    frame.data = bytes.data(), frame.size = uint32_t(bytes.size());
    ASSERT_TRUE(ImageFileWriter(blockGlyphs())
                    .Write(frame, {kImageRaw, true, 0, {true, true, true, 5, u"m"}}, file)
                    .ok);
    EXPECT_EQ(readAll(file), bytes);
    EXPECT_EQ(folder.entries(), 1u);
}

TEST(ImageFileWriter, JpegQualityIsHundredLessTenPerStepDownToTen) {
    // The first luminance quantiser of libjpeg's tables at quality 100, 90, 50 and 10.
    const std::pair<uint32_t, int> rows[] = {{0, 1}, {1, 3}, {5, 16}, {9, 80}, {10, 80}, {26, 80}, {~0u, 80}};
    TempFolder folder;
    ImageFileWriter writer(nullptr);
    for (const auto& [jpgQuality, dcQuantiser] : rows) {
        const fs::path file = folder.path / (std::to_string(jpgQuality) + ".jpg");
        ASSERT_TRUE(writer.Write(rampFrame(Grey8).view, {kImageJpeg, false, jpgQuality, {}}, file).ok);
        const std::vector<uint8_t> b = readAll(file);
        size_t dqt = 2;
        while (dqt + 5 < b.size() && !(b[dqt] == 0xFF && b[dqt + 1] == 0xDB))
            dqt += 2 + (size_t(b[dqt + 2]) << 8 | b[dqt + 3]);  // the next marker segment
        ASSERT_LT(dqt + 5, b.size());
        EXPECT_EQ(b[dqt + 5], dcQuantiser) << jpgQuality;
    }
}

TEST(ImageFileWriter, FailureReportsWhyAndLeavesNoFile) {
    TempFolder folder;
    fs::create_directory(folder.path / "taken");
    std::ofstream(folder.path / "plain") << "a file";
    const std::pair<const char*, int> rows[] = {
        {"gone/frame", ENOENT}, {"plain/frame", ENOTDIR}, {"taken", EISDIR}};
    ImageFileWriter writer(nullptr);
    const Frame frame = rampFrame(Rgb30);
    for (uint32_t type : {kImageBmp, kImageJpeg, kImageTiff, kImageRaw})
        for (const auto& [name, error] : rows) {
            const std::string path = (folder.path / name).string();
            const WriteResult result = writer.Write(frame.view, {type, false, 0, {}}, path);
            EXPECT_FALSE(result.ok);
            EXPECT_EQ(result.systemError, error) << path << type;
            EXPECT_EQ(result.cardStatus, type == kImageRaw ? 0u : 1u);
            EXPECT_EQ(result.error, "Cannot write " + path + (type == kImageRaw ? "" : " (status 1)") + ": " +
                                        std::strerror(error));
        }
    // Writes cut short past 1 KiB by the file size limit, as by a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit{1024, saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    for (uint32_t type : {kImageBmp, kImageJpeg, kImageTiff, kImageRaw})
        EXPECT_EQ(writer.Write(frame.view, {type, false, 0, {}}, folder.path / "f").systemError, EFBIG)
            << type;
    setrlimit(RLIMIT_FSIZE, &saved);
    // A frame the card library cannot convert.
    FrameToWrite broken = frame.view;
    broken.description.config.bitDepth = 7;
    EXPECT_EQ(writer.Write(broken, {kImageTiff, false, 0, {}}, folder.path / "f").cardStatus,
              uint32_t(ZAMGRB_INVALID_ARGUMENT));
    EXPECT_EQ(folder.entries(), 2u);
}

namespace {

// An image of 128s with 3 pixels of row padding and 64 canary bytes after it.
struct Picture {
    uint32_t width, height, bytesPerPixel;
    uint64_t rowBytes;
    std::vector<uint8_t> bytes;
    Picture(uint32_t w, uint32_t h, uint32_t b)
        : width(w), height(h), bytesPerPixel(b), rowBytes(uint64_t(w + 3) * b), bytes(rowBytes * h + 64, 77) {
        for (uint32_t y = 0; y < h; ++y)
            std::fill_n(bytes.begin() + y * rowBytes, w * b, 128);
    }
    // Every byte: the rectangles {x, y, w, h, value} over the image, the rest untouched.
    void expect(const std::vector<std::array<int, 5>>& rects) const {
        for (uint64_t i = 0; i < bytes.size(); ++i) {
            const int y = int(i / rowBytes), x = int(i % rowBytes / bytesPerPixel);
            int expected = y < int(height) && x < int(width) ? 128 : 77;
            for (const auto& [rx, ry, rw, rh, value] : rects)
                if (expected != 77 && x >= rx && x < rx + rw && y >= ry && y < ry + rh)
                    expected = value;
            ASSERT_EQ(bytes[i], expected) << "byte " << i << " (" << x << ", " << y << ")";
        }
    }
};

// Date (23 glyphs, 46 x 4), message "Hi" (4 x 6: the 'i' with 2 rows of background
// above it) and time stamp (10 glyphs, 20 x 4), one under the other.
std::vector<std::array<int, 5>> threeBlocksAt(int x, int y) {
    return {{x, y, 46, 4, 0},
            {x, y + 4, 2, 6, 0},
            {x + 2, y + 4, 2, 2, 255},
            {x + 2, y + 6, 2, 4, 0},
            {x, y + 10, 20, 4, 0}};
}

const StampedFrame kFrame{1234, {2026, 12, 0, 6, 21, 14, 45, 123}};

}  // namespace

TEST(TextStamp, BlockStandsInEachCornerForEveryPixelSize) {
    // Position, and where the 46 x 14 block stands in 100 x 40.
    const std::array<int, 3> rows[] = {{0, 0, 0},   {1, 27, 0},  {2, 54, 0}, {3, 0, 26},
                                       {4, 27, 26}, {5, 54, 26}, {6, 0, 0}};
    TextStamp stamp(blockGlyphs());  // one stamp throughout: its cached blocks follow the pixel size
    for (uint32_t bytes : {1u, 2u, 3u, 4u, 8u})
        for (const auto& [position, x, y] : rows) {
            Picture picture(100, 40, bytes);
            ASSERT_TRUE(stamp.StampText(picture.bytes.data(), bytes * 8, picture.rowBytes, 100, 40, kFrame,
                                        {true, true, true, uint32_t(position), u"Hi"}));
            picture.expect(threeBlocksAt(x, y));
        }
}

TEST(TextStamp, TextLargerThanTheImageIsCutAtItsEdges) {
    TextStamp stamp(blockGlyphs());
    Picture narrow(30, 20, 2);  // an 80-pixel line, bottom right
    ASSERT_TRUE(stamp.StampText(narrow.bytes.data(), 16, narrow.rowBytes, 30, 20, kFrame,
                                {false, true, false, 5, std::u16string(40, u'w')}));
    narrow.expect({{0, 16, 30, 4, 0}});
    Picture low(100, 5, 2);  // 14 rows of three lines from the top row down; the new message is laid out
    ASSERT_TRUE(
        stamp.StampText(low.bytes.data(), 16, low.rowBytes, 100, 5, kFrame, {true, true, true, 4, u"Hi"}));
    low.expect(threeBlocksAt(27, 0));
}

TEST(TextStamp, RefusesPixelSizesItCannotDraw) {
    // Bits per pixel, row bytes of 30 pixels, drawn.
    const std::tuple<uint32_t, uint32_t, bool> rows[] = {
        {0, 30, false}, {1, 30, true}, {64, 240, true}, {65, 270, false}, {16, 59, false}};
    for (const auto& [bits, rowBytes, drawn] : rows) {
        std::vector<uint8_t> pixels(rowBytes * 4, 128);
        const bool done =
            TextStamp(blockGlyphs()).StampText(pixels.data(), bits, rowBytes, 30, 4, kFrame, {true});
        EXPECT_EQ(done, drawn) << bits;
        EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 128) < std::ssize(pixels), drawn) << bits;
    }
    std::vector<uint8_t> pixels(30 * 4);
    EXPECT_FALSE(TextStamp(nullptr).StampText(pixels.data(), 8, 30, 30, 4, kFrame, {true}));
}

TEST(TextStamp, DateAndTimeStampTexts) {
    EXPECT_EQ(DateStampText(kFrame.localTime), u"2026.12.06 21:14:45.123");
    EXPECT_EQ(DateStampText({2027, 1, 5, 2, 3, 4, 5, 6}), u"2027.01.02 03:04:05.006");
    EXPECT_EQ(TimeStampText(1234), u"0000001234");
    EXPECT_EQ(TimeStampText(4294967295u), u"4294967295");  // past 2^31: no sign
}
