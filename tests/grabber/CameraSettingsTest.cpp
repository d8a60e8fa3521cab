#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "grabber/CameraFiles.h"
#include "grabber/CameraSettings.h"
#include "grabber/Grabber.h"

namespace {

grabber::ChannelSettings sample() {
    grabber::ChannelSettings s;
    s.texts = {QStringLiteral("Korvan"), QStringLiteral("LX-4000 with a model name longer than most"),
               QString(), QString::fromUtf8("Line \xC3\xA9 cam")};
    s.cameraControl.source[0] = 3;
    s.cameraControl.source[3] = 9;
    s.pulseGenerator = grabber::DefaultPulseGeneratorSettings();
    s.pulseGenerator.pulseCount = 7;
    s.baudRate = 115200;
    return s;
}

QStringList all(const grabber::CameraTexts& t) {
    return {t.manufacturer, t.model, t.description, t.alias};
}

TEST(CameraSettings, SavedSettingsComeBackWholeWithoutLookupTables) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("camera.cxf"));
    CameraDescription d = grabber::DefaultCameraDescription();
    d.config.widthValid = 2048;
    d.colorFormat = ZAMGRB_COLOR_BAYER;
    d.patternStart = 3;
    d.rgbGainRed = 1.25;
    const int32_t lut[2] = {0, 1};
    d.lutLevels = d.lutValues = lut;
    ASSERT_EQ(grabber::SaveCameraSettings(path, sample(), d), 0u);

    grabber::ChannelSettings back;
    CameraDescription loaded = grabber::DefaultCameraDescription();
    ASSERT_EQ(grabber::LoadCameraSettings(path, back, loaded), 0u);
    const grabber::ChannelSettings want = sample();
    EXPECT_EQ(all(back.texts), all(want.texts));
    EXPECT_EQ(back.cameraControl.source[3], 9u);
    EXPECT_EQ(back.pulseGenerator.pulseCount, 7);
    EXPECT_EQ(back.baudRate, 115200u);
    EXPECT_EQ(loaded.config.widthValid, 2048u);
    EXPECT_EQ(loaded.patternStart, 3);
    EXPECT_EQ(double{loaded.rgbGainRed}, 1.25);  // packed fields by value
    EXPECT_EQ(static_cast<const int32_t*>(loaded.lutLevels), nullptr);
    EXPECT_EQ(static_cast<const int32_t*>(loaded.lutValues), nullptr);
}

// Each text comes back whole, also after a file with longer texts was read.
TEST(CameraSettings, TextsOfDifferentLengthsKeptWhole) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("texts.cxf")), longest(259, QLatin1Char('x'));
    const grabber::CameraTexts cases[] = {
        {longest, longest, longest, longest},
        {"", "M", "A camera of medium length description", longest},
        {"", "", "", ""},
    };
    grabber::ChannelSettings back;
    CameraDescription d = grabber::DefaultCameraDescription();
    for (const grabber::CameraTexts& texts : cases) {
        grabber::ChannelSettings s;
        s.texts = texts;
        ASSERT_EQ(grabber::SaveCameraSettings(path, s, d), 0u);
        ASSERT_EQ(grabber::LoadCameraSettings(path, back, d), 0u);
        EXPECT_EQ(all(back.texts), all(texts));
    }
}

TEST(CameraSettings, AFileThatCannotBeReadChangesNothing) {
    QTemporaryDir folder;
    const QString broken = folder.filePath(QStringLiteral("broken.cxf"));
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<camera><widthValid>12");
    f.close();
    for (const QString& path : {folder.filePath(QStringLiteral("missing.cxf")), broken}) {
        grabber::ChannelSettings settings = sample();
        CameraDescription d = grabber::DefaultCameraDescription();
        EXPECT_NE(grabber::LoadCameraSettings(path, settings, d), 0u);
        EXPECT_EQ(settings.texts.model, sample().texts.model);
        EXPECT_EQ(settings.baudRate, 115200u);
        EXPECT_EQ(d.config.widthValid, 640u) << "the first start of a channel keeps a usable description";
    }
}

TEST(CameraFiles, AutomaticFilesAreNamedBySignedChannel) {
    for (const auto& [channel, name] :
         {std::pair<uint8_t, const char*>{0, "channel0.cxf"}, {1, "channel1.cxf"}, {255, "channel-1.cxf"}})
        EXPECT_TRUE(grabber::AutomaticChannelFile(channel).endsWith(QLatin1Char('/') + QLatin1String(name)))
            << grabber::AutomaticChannelFile(channel).toStdString();
    EXPECT_TRUE(
        grabber::AutomaticChannelFile(1, QStringLiteral(".plc")).endsWith(QStringLiteral("/channel1.plc")));
    EXPECT_TRUE(QDir(grabber::DataFolder()).exists());
}

TEST(CameraFiles, StoredCameraAliasOfAnotherChannel) {
    CameraDescription d = grabber::DefaultCameraDescription();
    grabber::ChannelSettings s = sample();
    ASSERT_EQ(grabber::SaveCameraSettings(grabber::AutomaticChannelFile(1), s, d), 0u);
    EXPECT_EQ(grabber::StoredCameraAlias(1), s.texts.alias);
    QFile::remove(grabber::AutomaticChannelFile(0));
    EXPECT_TRUE(grabber::StoredCameraAlias(0).isEmpty());
}

}  // namespace
