#include <gtest/gtest.h>

#include <QDir>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "player/ImageLoader.h"
#include "player/PlayerFiles.h"
#include "player/PlayerSteps.h"
#include "zamgrb.h"

using namespace player;
namespace fs = std::filesystem;

namespace {

void put(std::vector<uint8_t>& b, size_t at, uint32_t v, int bytes = 4) {
    for (int i = 0; i < bytes; ++i)
        b[at + i] = uint8_t(v >> (8 * i));
}

// A BMP file with every header field the loader reads; pixels of row r, byte i
// are r * 16 + i; a colour table of `table` entries, entry i = (i, 2i, 3i).
struct Bmp {
    int32_t width = 3, height = 2;
    uint32_t bits = 24, used = 0, table = 0, infoSize = 40, compression = 0;
    int64_t offsetShift = 0;  // bfOffBits moved from where the table ends
    int64_t sizeChange = 0;   // bytes added to (or cut from) the end of the file
    const char* magic = "BM";
    std::vector<uint8_t> bytes() const {
        const uint64_t tableEnd = 14 + infoSize + table * 4,
                       offset = uint64_t(int64_t(tableEnd) + offsetShift);
        const uint64_t stride = (uint64_t(std::max(width, 0)) * bits / 8 + 3) / 4 * 4;
        const uint64_t rows = uint64_t(std::abs(int64_t(height)));
        const size_t size = size_t(int64_t(std::max(offset, tableEnd) + stride * rows) + sizeChange);
        std::vector<uint8_t> b(std::max<size_t>({size, 54, tableEnd}));
        std::memcpy(b.data(), magic, 2);
        put(b, 10, uint32_t(offset)), put(b, 14, infoSize), put(b, 18, uint32_t(width));
        put(b, 22, uint32_t(height)), put(b, 26, 1, 2), put(b, 28, bits, 2), put(b, 30, compression);
        put(b, 46, used);
        for (uint32_t i = 0; i < table && 14 + infoSize + i * 4 + 4 <= b.size(); ++i)
            put(b, 14 + infoSize + i * 4, i | (2 * i) << 8 | (3 * i) << 16);
        for (uint64_t r = 0; r < rows && offset + r * stride < b.size(); ++r)
            for (uint64_t i = 0; i < stride && offset + r * stride + i < b.size(); ++i)
                b[offset + r * stride + i] = uint8_t(r * 16 + i);
        b.resize(size);
        return b;
    }
};

std::string write(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path.string();
}

QImage load(ImageLoader& loader, const std::string& path, FileStatus& status) {
    QImage image;
    status = loader.Load(QString::fromStdString(path), image);
    return image;
}

}  // namespace

TEST(BmpLoader, AcceptsTheWrittenFormsAndRefusesTheRest) {
    const struct Row {
        const char* name;
        Bmp file;
        FileStatus status;
    } rows[] = {
        {"24-bit bottom-up", {}, FileStatus::Ok},
        {"24-bit top-down", {.height = -2}, FileStatus::Ok},
        {"8-bit, two colours", {.bits = 8, .used = 2, .table = 2}, FileStatus::Ok},
        {"8-bit, full table", {.bits = 8, .table = 256}, FileStatus::Ok},
        {"pixels after a gap", {.offsetShift = 6}, FileStatus::Ok},
        {"108-byte header", {.infoSize = 108}, FileStatus::Ok},
        {"widest", {.width = 32767, .height = 1}, FileStatus::Ok},
        {"too wide", {.width = 32768, .height = 1}, FileStatus::Invalid},
        {"huge", {.width = 30000, .height = 30000, .sizeChange = -2700000000}, FileStatus::Invalid},
        {"more rows than the file",
         {.width = 32767, .height = 4096, .sizeChange = -402000000},
         FileStatus::Invalid},
        {"truncated header", {.sizeChange = -32}, FileStatus::Invalid},
        {"not BM", {.magic = "BA"}, FileStatus::Invalid},
        {"colour table beyond the file", {.bits = 8, .table = 256, .sizeChange = -1008}, FileStatus::Invalid},
        {"table over the pixels", {.bits = 8, .table = 256, .offsetShift = -4}, FileStatus::Invalid},
        {"too many colours", {.bits = 8, .used = 257, .table = 257}, FileStatus::Invalid},
        {"pixels one byte short", {.sizeChange = -1}, FileStatus::Invalid},
        {"pixels beyond the file", {.offsetShift = 100, .sizeChange = -100}, FileStatus::Invalid},
        {"zero width", {.width = 0}, FileStatus::Invalid},
        {"negative width", {.width = -3}, FileStatus::Invalid},
        {"zero height", {.height = 0}, FileStatus::Invalid},
        {"lowest height", {.height = INT32_MIN, .sizeChange = -25769803776}, FileStatus::Invalid},
        {"32-bit", {.bits = 32}, FileStatus::Invalid},
        {"compressed", {.compression = 1}, FileStatus::Invalid},
        {"core header", {.infoSize = 12}, FileStatus::Invalid},
    };
    TempFolder folder;
    ImageLoader loader;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FileStatus status{};
        const QImage image = load(loader, write(folder.path / "f.bmp", row.file.bytes()), status);
        EXPECT_EQ(status, row.status);
        if (status != FileStatus::Ok)
            continue;
        const int height = std::abs(row.file.height);
        ASSERT_EQ(image.size(), QSize(row.file.width, height));
        // The file's first row is the bottom one unless the height is negative.
        const int firstRow = row.file.height < 0 ? 0 : height - 1;
        if (row.file.bits == 24) {
            EXPECT_EQ(image.pixel(1, firstRow), qRgb(5, 4, 3));
        } else {
            EXPECT_EQ(image.pixel(1, firstRow), qRgb(3, 2, 1));
            EXPECT_EQ(image.pixel(2, firstRow), row.file.table == 2 ? qRgb(0, 0, 0) : qRgb(6, 4, 2))
                << "an index past the table is black";
        }
    }
}

TEST(ImageLoader, FailuresKeepTheImageAndSayWhy) {
    TempFolder folder;
    fs::create_directory(folder.path / "dir.bmp");
    write(folder.path / "x.jpg", {'n', 'o', 't', ' ', 'J', 'P', 'E', 'G'});
    write(folder.path / "x.tif", {'I', 'I', 42, 0, 1, 2});
    write(folder.path / "x.txt", Bmp{}.bytes());
    const struct Row {
        const char* name;
        FileStatus status;
    } rows[] = {
        {"missing.bmp", FileStatus::CannotOpen},
        {"dir.bmp", FileStatus::CannotRead},
        {"x.jpg", FileStatus::CannotRead},
        {"missing.jpg", FileStatus::CannotRead},
        {"x.tif", FileStatus::Invalid},
        {"missing.tif", FileStatus::CannotOpen},
        {"x.txt", FileStatus::Ok},
    };
    ImageLoader loader;
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(loader.Load(QString::fromStdString((folder.path / row.name).string()), image), row.status);
        EXPECT_EQ(image.size(), QSize(7, 5));
        EXPECT_EQ(image.pixel(6, 4), qRgb(255, 0, 0));
    }
}

// Files of the card library's writers, read back pixel by pixel: the ramp
// (x + 3y) for grey, R = x, G = y, B = x + y for colour; deep ramps spread over
// their top bit, so the screen shows their 8 highest bits.
TEST(ImageLoader, ReadsWhatTheCardLibraryWrites) {
    constexpr uint32_t kW = 40, kH = 24;
    const struct Row {
        const char* name;
        uint32_t bitDepth;  // of the description: grey 8 or 12, colour 24 or 30
        const char* extension;
        uint8_t tiffFlags;
        int tolerance;  // JPEG is lossy
    } rows[] = {
        {"bmp grey", 8, ".bmp", 0, 0},
        {"bmp colour", 24, ".bmp", 0, 0},
        {"jpeg grey", 8, ".jpg", 0, 3},
        {"jpeg colour", 24, ".jpg", 0, 3},
        {"tiff grey", 8, ".tif", 0, 0},
        {"tiff 12-bit kept", 12, ".tiff", ZAMGRB_CONVERT_KEEP_DEPTH, 0},
        {"tiff colour", 24, ".TIF", 0, 0},
        {"tiff 10-bit colour kept", 30, ".tif", ZAMGRB_CONVERT_KEEP_DEPTH, 0},
    };
    TempFolder folder;
    ImageLoader loader;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const bool colour = row.bitDepth >= 24;
        const uint32_t bits = colour ? row.bitDepth / 3 : row.bitDepth;
        // Pixels as the conversion delivers them: one sample, or B, G, R, 0.
        const uint32_t channels = colour ? 4 : 1, bytes = bits > 8 ? 2 : 1;
        auto value = [&](uint32_t x, uint32_t y, uint32_t c) {  // c: 0 R, 1 G, 2 B
            const uint32_t ramp = !colour ? x + 3 * y : c == 0 ? x : c == 1 ? y : x + y;
            return ramp * (bits > 8 ? 41 : 1) % (1u << bits);
        };
        std::vector<uint8_t> pixels(kW * kH * channels * bytes);
        for (uint32_t y = 0; y < kH; ++y)
            for (uint32_t x = 0; x < kW; ++x)
                for (uint32_t c = 0; c < channels; ++c) {
                    const uint32_t v = c == 3 ? 0 : value(x, y, colour ? 2 - c : 0);
                    for (uint32_t b = 0; b < bytes; ++b)
                        pixels[((y * kW + x) * channels + c) * bytes + b] = uint8_t(v >> (8 * b));
                }
        CameraDescription d{};
        d.config.widthValid = kW, d.config.heightValid = kH, d.config.bitDepth = row.bitDepth;
        SetTapFormat(1, &d.config.tapConfig);
        const std::string path = (folder.path / (std::string("w") + row.extension)).string(),
                          ext = row.extension;
        ASSERT_EQ(ext == ".bmp"   ? SaveBmpFile(&d, pixels.data(), path.c_str())
                  : ext == ".jpg" ? SaveJpegFile(&d, pixels.data(), path.c_str(), 100)
                                  : SaveTiffFile(&d, pixels.data(), path.c_str(), row.tiffFlags),
                  0u);
        FileStatus status{};
        const QImage image = load(loader, path, status);
        ASSERT_EQ(status, FileStatus::Ok);
        ASSERT_EQ(image.size(), QSize(kW, kH));
        int worst = 0;
        for (uint32_t y = 0; y < kH; ++y)
            for (uint32_t x = 0; x < kW; ++x) {
                const QRgb p = image.pixel(int(x), int(y));
                const int shown[3] = {qRed(p), qGreen(p), qBlue(p)};
                for (uint32_t c = 0; c < 3; ++c) {
                    const int wanted = int(value(x, y, colour ? c : 0) >> (bits - 8));
                    worst = std::max(worst, std::abs(shown[c] - wanted));
                }
            }
        EXPECT_LE(worst, row.tolerance);
    }
}

TEST(PlayerFiles, ListsImageFilesOnlySortedRegardlessOfCase) {
    TempFolder folder;
    for (const char* name : {"c.txt", "b.bmp", "a.JPG", "D.tif", "e.TIFF", ".jpg", "f.jpeg", "g.bmp~"})
        write(folder.path / name, {});
    fs::create_directory(folder.path / "h.jpg");
    const QString path = QString::fromStdString(folder.path.string());
    EXPECT_EQ(ListPlayableFiles(path), QStringList({"a.JPG", "b.bmp", "D.tif", "e.TIFF"}));
    EXPECT_EQ(ListPlayableFiles(path + "/missing"), QStringList());
    EXPECT_EQ(ListPlayableFiles(QString()), QStringList());
    EXPECT_EQ(PathInFolder("/a/", "b.bmp"), "/a/b.bmp");
    EXPECT_EQ(PathInFolder("/a", "b.bmp"), "/a/b.bmp");
}

TEST(PlayerSteps, MovesWithinTheListAndAnswersZeroAtItsEnds) {
    const struct Row {
        bool next;
        int count, selected, row, answer;
    } rows[] = {
        {true, 0, -1, -1, 1},  {true, 3, -1, 0, 1},   {true, 3, 1, 2, 1},  {true, 3, 2, -1, 0},
        {false, 0, -1, -1, 1}, {false, 3, -1, -1, 1}, {false, 3, 2, 1, 1}, {false, 3, 0, -1, 0},
    };
    for (const Row& r : rows) {
        const Step step = r.next ? NextStep(r.count, r.selected) : PreviousStep(r.count, r.selected);
        EXPECT_EQ(step.row, r.row) << r.next << r.count << r.selected;
        EXPECT_EQ(step.answer, r.answer) << r.next << r.count << r.selected;
    }
    EXPECT_EQ(ViewSizeFor({1024, 768}, IDC_QUARTER_FRAME), QSize(256, 192));
    EXPECT_EQ(ViewSizeFor({1023, 767}, IDC_HALF_FRAME), QSize(511, 383));
    EXPECT_EQ(ViewSizeFor({1024, 768}, IDC_FULL_FRAME), QSize(1024, 768));
}
