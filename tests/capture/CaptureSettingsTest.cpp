// The options record's texts and durations, and the capture settings in the profile.
#include <gtest/gtest.h>

#include <QSettings>
#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "capture/CaptureSettings.h"
#include "kit/Profile.h"

using namespace capture;
using R = CaptureOptionsRecord;

namespace {

QSettings Stored() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, appkit::kOrganization, appkit::kApplication);
}

// Everything Load fills, as bytes.
QByteArray Image(const CaptureSettings& s) {
    QByteArray bytes;
    for (const R* r : {&s.singleFrame, &s.series, &s.avi})
        bytes.append(reinterpret_cast<const char*>(r), sizeof *r);
    const uint32_t top[] = {s.SaveType, s.ImageType, s.Normalize, s.JPGQuality};
    return bytes.append(reinterpret_cast<const char*>(top), sizeof top);
}

QByteArray DoubleBytes(double value) {
    return QByteArray(reinterpret_cast<const char*>(&value), sizeof value);
}

// The bytes from field `first` to field `last`, both included.
#define FIELDS(first, last)                                     \
    std::pair {                                                 \
        offsetof(R, first), offsetof(R, last) + sizeof(R::last) \
    }

}  // namespace

TEST(CaptureOptionsRecord, TextsAndDurations) {
    R r;
    const QString longest(259, QChar(u'\u00e9'));
    EXPECT_TRUE(SetText(r.Message, longest));
    EXPECT_FALSE(SetText(r.Message, longest + u'x')) << "a text too long is refused, not cut";
    EXPECT_EQ(GetText(r.Message), longest);
    std::fill(std::begin(r.Message), std::end(r.Message), u'z');
    EXPECT_EQ(GetText(r.Message).size(), 260) << "a field without terminator ends with the field";

    const std::pair<CaptureDuration, int64_t> durations[] = {
        {{1, 2, 3, 0}, 3723000}, {{0, 0, 0, 9}, 0}, {{32767, 59, 59, 0}, 117964799000}, {{0, 1, -61, 0}, 0}};
    for (const auto& [d, ms] : durations)
        EXPECT_EQ(DurationMs(d), ms) << d.hours << ":" << d.minutes << ":" << d.seconds;
}

TEST(CaptureSettings, DefaultsAndTheRulesOfFormatAndMode) {
    CaptureSettings s(QStringLiteral("/home/u/Desktop"));
    s.Load();
    EXPECT_EQ(GetText(s.singleFrame.FileName), QStringLiteral("/home/u/Desktop/glintrail.bmp"));
    EXPECT_EQ(GetText(s.series.FileName), QStringLiteral("/home/u/Desktop/Glintrail"));
    EXPECT_EQ(GetText(s.avi.FileName), QStringLiteral("/home/u/Desktop/glintrail.avi"));
    EXPECT_EQ(s.series.AppendFileName, kAppendDateTime);
    EXPECT_EQ(s.series.Event, kEventContinuous);
    EXPECT_EQ(s.avi.FPS, 30.0);
    EXPECT_EQ(&s.Current(), &s.singleFrame);
    EXPECT_EQ(s.singleFrame.ImageType, kImageBmp);

    for (const uint32_t value : {999u, 1000u, 1003u, 1004u, 1005u, 1006u, 1008u, 1009u}) {
        CaptureSettings t(QStringLiteral("/d"));
        const bool imageType = value >= 1000 && value <= 1003, saveType = value >= 1006 && value <= 1008;
        EXPECT_EQ(t.SetImageType(value), imageType) << value;
        EXPECT_EQ(t.SetSaveType(value), saveType) << value;
        EXPECT_EQ(t.series.ImageType, imageType ? value : uint32_t(kImageBmp)) << value;
        EXPECT_EQ(t.avi.ImageType, 0u) << value;
        EXPECT_EQ(&t.Current(), value == 1008 ? &t.avi : &t.singleFrame) << value;
    }
}

TEST(CaptureSettings, EveryValueOfTheCurrentModeRoundTrips) {
    const struct {
        uint32_t saveType;
        const char* key;
        R CaptureSettings::*record;
        std::vector<std::pair<size_t, size_t>> stored;  // beyond texts, insert flags and Position
    } modes[] = {
        {kSaveSingleFrame, "SingleFrame", &CaptureSettings::singleFrame, {}},
        {kSaveSeries,
         "MultipleFrame",
         &CaptureSettings::series,
         {FIELDS(Event, TotalLimitTime), FIELDS(AppendFileName, BufferFrames)}},
        {kSaveAvi,
         "AVI",
         &CaptureSettings::avi,
         {FIELDS(FPS, FPS), FIELDS(CompressorType, CompressorQuality), FIELDS(TotalLimitDisk, TotalLimitDisk),
          FIELDS(FreezeLive, CompressorName)}},
    };
    for (const auto& mode : modes) {
        Stored().clear();
        CaptureSettings saved(QStringLiteral("/d"));
        saved.SetSaveType(mode.saveType);
        saved.SetImageType(kImageTiff);
        saved.JPGQuality = 0x80000009u;
        saved.Normalize = true;
        R& r = saved.*mode.record;
        for (size_t i = 0; i < sizeof r; ++i)
            reinterpret_cast<unsigned char*>(&r)[i] = static_cast<unsigned char>(0x81 + i * 7);
        SetText(r.FileName, QStringLiteral("/data/r\u00fcn 7/Glintrail"));
        SetText(r.Message, QString(259, QChar(u'\u20ac')));
        SetText(r.CompressorName, QStringLiteral("Motion JPEG, Q=3"));
        r.FPS = 12.5;
        saved.Save();
        for (const char* key : {"SingleFrame", "MultipleFrame", "AVI"})
            EXPECT_EQ(Stored().contains(QStringLiteral("Settings/%1/FileName").arg(QLatin1String(key))),
                      std::strcmp(key, mode.key) == 0)
                << "only the current mode's key is written; " << mode.key << " saved, " << key
                << " looked at";

        CaptureSettings loaded(QStringLiteral("/elsewhere"));
        loaded.avi.CompressorFlags = 5;
        CaptureSettings expected = loaded;
        loaded.Load();
        // The stored fields come back byte for byte; the others keep what they had.
        R& want = expected.*mode.record;
        auto stored = mode.stored;
        stored.insert(stored.end(), {FIELDS(FileName, Message), FIELDS(InsertDate, Position)});
        for (const auto& [begin, end] : stored)
            std::memcpy(reinterpret_cast<char*>(&want) + begin, reinterpret_cast<const char*>(&r) + begin,
                        end - begin);
        expected.SetImageType(kImageTiff);
        expected.SetSaveType(mode.saveType);
        expected.JPGQuality = saved.JPGQuality;
        expected.Normalize = true;
        expected.avi.CompressorFlags = 0;
        EXPECT_EQ(Image(loaded), Image(expected)) << mode.key;
    }
}

TEST(CaptureSettings, AStoredValueIsTakenOnlyWithItsTypeSizeAndRange) {
    const CaptureSettings defaults(QStringLiteral("/d"));
    const auto unchanged = [&](const CaptureSettings& s) { return Image(s) == Image(defaults); };
    const QString longest(259, u'n');
    const struct {
        const char* key;
        QVariant value;
        std::function<bool(const CaptureSettings&)> expected;
    } cases[] = {
        {"ImageType", QByteArray(4, '\0'), unchanged},
        {"SaveType", 1005, unchanged},
        {"JPGQuality", QStringLiteral("4294967296"), unchanged},
        {"JPGQuality", QStringLiteral("-2147483649"), unchanged},
        {"JPGQuality", QStringLiteral("4294967295"), [](auto& s) { return s.JPGQuality == 0xFFFFFFFFu; }},
        {"JPGQuality", QStringLiteral("-2147483648"), [](auto& s) { return s.JPGQuality == 0x80000000u; }},
        {"SingleFrame/FileName", QString(260, u'n'), unchanged},
        {"SingleFrame/FileName", longest,
         [&](auto& s) { return GetText(s.singleFrame.FileName) == longest; }},
        {"SingleFrame/FileName", QByteArray("/x"), unchanged},
        {"SingleFrame/Position", QStringLiteral("abc"), unchanged},
        {"MultipleFrame/captEvery", QByteArray(7, '\1'), unchanged},
        {"MultipleFrame/LimitTime", QByteArray(9, '\1'), unchanged},
        {"MultipleFrame/BufferFrames", 1, unchanged},
        {"MultipleFrame/FreezeLive", QStringLiteral("abcd"), unchanged},
        {"AVI/FPS", 25.0, unchanged},
        {"AVI/FPS", DoubleBytes(std::nan("")), unchanged},
        {"AVI/FPS", DoubleBytes(0.0), unchanged},
        {"AVI/FPS", DoubleBytes(0.01), [](auto& s) { return s.avi.FPS == 0.01; }},
        {"AVI/CompressorFlags", QStringList{QStringLiteral("a"), QStringLiteral("b")}, unchanged},
        {"AVI/BufferFrames", QByteArray(4, '\1'), unchanged},
    };
    for (const auto& c : cases) {
        Stored().clear();
        Stored().setValue(QStringLiteral("Settings/") + QLatin1String(c.key), c.value);
        CaptureSettings loaded(QStringLiteral("/d"));
        loaded.Load();
        EXPECT_TRUE(c.expected(loaded)) << c.key << " = " << c.value.toString().toStdString();
    }
}
