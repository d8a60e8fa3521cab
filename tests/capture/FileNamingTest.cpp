// File names of captured frames: extensions, advancing FileName, series and date-time names.
#include <gtest/gtest.h>

#include <cstdlib>

#include "capture/FileNaming.h"

using namespace capture;

namespace {

CaptureOptionsRecord Record(const QString& fileName, uint32_t appendFileName, uint32_t imageType) {
    CaptureOptionsRecord r;
    SetText(r.FileName, fileName);
    r.AppendFileName = appendFileName;
    r.ImageType = imageType;
    return r;
}

SystemTime At(uint16_t ms, uint16_t dayOfWeek = 4) {
    return {2024, 2, dayOfWeek, 29, 23, 59, 59, ms};
}

}  // namespace

TEST(FileNaming, FixExtension) {
    const struct {
        const char* path;
        uint32_t kind, imageType;
        const char* expected;
    } cases[] = {
        {"b.bmp", kPageSingleFrame, kImageJpeg, "b.jpg"},
        {"/data/x.y/b", kPageSingleFrame, kImageJpeg, "/data/x.y/b.jpg"},
        {"C:\\x.y\\b", kPageSeries, kImageTiff, "C:\\x.y\\b.tif"},
        {"d\\x.y/b", kSaveSeries, kImageRaw, "d\\x.y/b.raw"},
        {"run.1.bmp", kSaveSingleFrame, kImageBmp, "run.1.bmp"},
        {"clip", kPageAvi, 0, "clip.avi"},
        {"clip.bmp", kSaveAvi, kImageJpeg, "clip.avi"},
        {"a.bmp", 125, kImageJpeg, "a.bmp"},
        {"a.bmp", kPageSingleFrame, 1004, "a.bmp"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FixExtension(QString::fromUtf8(c.path), c.kind, c.imageType), QString::fromUtf8(c.expected))
            << c.path << " " << c.kind << " " << c.imageType;
}

TEST(FileNaming, AdvanceFileName) {
    const std::pair<const char*, const char*> cases[] = {
        {"glintrail.bmp", "glintrail1.bmp"},
        {"glintrail9.bmp", "glintrail10.bmp"},
        {"img0099.bmp", "img0100.bmp"},
        {"Glintrail", "Glintrail1"},
        {"/data/x.9/b", "/data/x.9/b1"},
        {"C:\\run7\\shot.bmp", "C:\\run7\\shot1.bmp"},
        {"d/run1.2.bmp", "d/run1.3.bmp"},
        {"12345678901234567899.raw", "12345678901234567900.raw"},
        {".bmp", "1.bmp"},
        {"", "1"},
    };
    for (const auto& [from, to] : cases)
        EXPECT_EQ(AdvanceFileName(QString::fromUtf8(from)), QString::fromUtf8(to)) << from;
}

TEST(FileNaming, SeriesNumbersSingleFramesAndClips) {
    const QString folder = QStringLiteral("/data/Glintrail");
    const struct {
        CaptureOptionsRecord record;
        uint32_t saveType, passIndex;
        const char* expected;
    } cases[] = {
        {Record(folder, kAppendDigits2, kImageBmp), kSaveSeries, 0, "/data/Glintrail/00.bmp"},
        {Record(folder, kAppendDigits2, kImageBmp), kSaveSeries, 99, "/data/Glintrail/99.bmp"},
        {Record(folder, kAppendDigits2, kImageBmp), kSaveSeries, 100, "/data/Glintrail/100.bmp"},
        {Record(folder, kAppendDigits6, kImageRaw), kSaveSeries, 1234567, "/data/Glintrail/1234567.raw"},
        {Record(folder, kAppendDigits6, kImageRaw), kSaveSeries, 7, "/data/Glintrail/000007.raw"},
        {Record("/d/glintrail.bmp", kAppendDigits2, kImageTiff), kSaveSingleFrame, 3, "/d/glintrail.tif"},
        {Record("/d/glintrail.avi", kAppendDigits2, 0), kSaveAvi, 3, "/d/glintrail.avi"},
        {Record(folder, kAppendDigits2, kImageBmp), 1009, 0, ""},
    };
    FrameNamer namer;
    for (const auto& c : cases)
        EXPECT_EQ(namer.Name(c.record, c.saveType, c.passIndex, At(0)), QString::fromUtf8(c.expected))
            << c.expected;
}

TEST(FileNaming, DateTimeNamesCountARepeatedMillisecond) {
    const struct {
        SystemTime time;
        uint32_t appendFileName;
        const char* expected;
    } frames[] = {
        {At(123), kAppendDateTime, "/s/20240229235959123.jpg"},
        {At(123), kAppendDateTime, "/s/20240229235959123_1.jpg"},
        {At(123, 5), 0, "/s/20240229235959123_2.jpg"},  // the weekday is not compared
        {At(7), kAppendDateTime, "/s/20240229235959007.jpg"},
        {At(123), 1059, "/s/20240229235959123.jpg"},
    };
    FrameNamer namer;
    for (const auto& f : frames)
        EXPECT_EQ(namer.Name(Record("/s", f.appendFileName, kImageJpeg), kSaveSeries, 0, f.time),
                  QString::fromUtf8(f.expected));
}

TEST(FileNaming, LocalTimeFields) {
    setenv("TZ", "UTC", 1);
    tzset();
    using namespace std::chrono;
    const struct {
        system_clock::time_point moment;
        SystemTime expected;
    } cases[] = {
        {sys_days{2024y / February / 29} + 23h + 59min + 59s + 999ms, {2024, 2, 4, 29, 23, 59, 59, 999}},
        {sys_days{1970y / January / 1} - 500ms, {1969, 12, 3, 31, 23, 59, 59, 500}},
    };
    for (const auto& c : cases) {
        const SystemTime t = ToSystemTime(c.moment);
        EXPECT_EQ(std::memcmp(&t, &c.expected, sizeof t), 0) << c.expected.year;
    }
}
