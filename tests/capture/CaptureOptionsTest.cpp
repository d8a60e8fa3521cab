// The options pages: what they show at start, their control rules and what Accept stores.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <cstring>
#include <functional>

#include "GuiTestSupport.h"
#include "capture/CCaptureOptions.h"
#include "capture/ClipOptionSources.h"

using namespace capture;
using R = CaptureOptionsRecord;

namespace {

// Every byte set, texts terminated: what a page never edits must come back as it was.
R Filled(uint32_t imageType) {
    R r;
    std::memset(static_cast<void*>(&r), 0x5A, sizeof r);
    SetText(r.FileName,
            imageType == kImageBmp ? QStringLiteral("/data/b.bmp") : QStringLiteral("/data/b.avi"));
    SetText(r.Message, QStringLiteral("hello"));
    SetText(r.CompressorName, QStringLiteral("gone"));
    r.FPS = 12.5;
    r.ImageType = imageType;
    r.BufferFrames = r.FreezeLive = 1;  // a check box stores 0 or 1
    return r;
}

// Accepts; answers the messages shown, empty when the page closed with Accept.
QStringList Accept(CCaptureOptions& page) {
    RecordedMessages().clear();
    page.accept();
    EXPECT_EQ(page.result() == QDialog::Accepted, RecordedMessages().isEmpty());
    return RecordedMessages();
}

}  // namespace

TEST(CaptureOptions, AcceptingUntouchedStoresExactlyWhatItWasGiven) {
    for (const OptionsPage id : {kPageSingleFrame, kPageSeries, kPageAvi}) {
        const R given = Filled(id == kPageAvi ? 0x5A5A5A5Au : uint32_t(kImageBmp));
        CCaptureOptions page(id, given, {});
        EXPECT_EQ(Accept(page), QStringList()) << id;
        EXPECT_EQ(std::memcmp(&page.Record(), &given, sizeof given), 0) << id;
    }
}

TEST(CaptureOptions, EachControlWritesItsOwnField) {
    const struct {
        OptionsPage page;
        int id;
        int value;
        std::function<int(const R&)> field;
    } cases[] = {
        {kPageSeries, 1059, 1, [](const R& r) { return r.captEvery.hours; }},
        {kPageSeries, 1061, 2, [](const R& r) { return r.captEvery.minutes; }},
        {kPageSeries, 1063, 3, [](const R& r) { return r.captEvery.seconds; }},
        {kPageSeries, 1072, 4, [](const R& r) { return r.LimitTime.hours; }},
        {kPageSeries, 1074, 5, [](const R& r) { return r.LimitTime.minutes; }},
        {kPageSeries, 1076, 6, [](const R& r) { return r.LimitTime.seconds; }},
        {kPageSeries, 1077, 7, [](const R& r) { return r.TotalLimitTime.hours; }},
        {kPageSeries, 1082, 8, [](const R& r) { return r.TotalLimitTime.minutes; }},
        {kPageSeries, 1090, 32767, [](const R& r) { return r.TotalLimitTime.seconds; }},
        {kPageSeries, 1079, 9000, [](const R& r) { return int(r.LimitDisk); }},
        {kPageSeries, 1080, 11, [](const R& r) { return int(r.TotalLimitDisk); }},
        {kPageAvi, 1080, 12, [](const R& r) { return int(r.TotalLimitDisk); }},
        {kPageAvi, 1109, 25, [](const R& r) { return int(r.FPS); }},
        {kPageSingleFrame, 1089, 5, [](const R& r) { return int(r.Position); }},
    };
    for (const auto& c : cases) {
        CCaptureOptions page(c.page, Filled(kImageBmp), {});
        if (auto* spin = page.findChild<QSpinBox*>(QString::number(c.id)))
            spin->setValue(c.value);
        else if (auto* fps = page.findChild<QDoubleSpinBox*>(QString::number(c.id)))
            fps->setValue(c.value);
        else
            Control<QComboBox>(page, c.id)->setCurrentIndex(c.value);
        EXPECT_EQ(Accept(page), QStringList()) << c.id;
        EXPECT_EQ(c.field(page.Record()), c.value) << c.page << " " << c.id;
    }
    const struct {
        OptionsPage page;
        int id;
        uint32_t R::*field;
    } checks[] = {{kPageSeries, 1103, &R::BufferFrames}, {kPageSeries, 1083, &R::FreezeLive},
                  {kPageAvi, 1083, &R::FreezeLive},      {kPageSingleFrame, 1086, &R::InsertDate},
                  {kPageAvi, 1087, &R::InsertMessage},   {kPageSeries, 2390, &R::InsertTimestamp}};
    for (const auto& c : checks) {
        R given = Filled(kImageBmp);
        given.*c.field = 0;
        CCaptureOptions page(c.page, given, {});
        Control<QAbstractButton>(page, c.id)->click();
        EXPECT_EQ(Accept(page), QStringList());
        EXPECT_EQ(page.Record().*c.field, 1u) << c.id;
    }
}

TEST(CaptureOptions, FileNameAndRateAtStartAndAtAccept) {
    const QString longest(259, u'f'), empty = "Empty file/path name specified.",
                                      tooLong = "The file/path name is longer than 259 characters.";
    const struct {
        OptionsPage page;
        uint32_t imageType;
        double fps;
        QString given, shown, typed, stored, refusal;
    } cases[] = {
        {kPageSingleFrame, kImageJpeg, 0, "/d/b.bmp", "/d/b.jpg", "/e/c.tif", "/e/c.jpg"},
        {kPageSingleFrame, kImageBmp, 0, "/d/b", "/d/b.bmp", "", "/d/b.bmp", empty},
        {kPageSingleFrame, kImageBmp, 0, "/d/b", "/d/b.bmp", longest.left(256), "/d/b.bmp", tooLong},
        {kPageAvi, kImageRaw, 0.01, "", "untitled.avi", "\\e\\clip.x", "\\e\\clip.avi"},
        {kPageAvi, kImageRaw, 0.0, "c.avi", "c.avi", "d.avi", "c.avi", "FPS should be greater than zero"},
        {kPageSeries, kImageTiff, 0, "", "untitled", "/e/run.1", "/e/run.1"},
        {kPageSeries, kImageTiff, 0, "/d/G", "/d/G", longest, longest},
        {kPageSeries, kImageTiff, 0, "/d/G", "/d/G", longest + u'f', "/d/G", tooLong},
    };
    for (const auto& c : cases) {
        R given;
        SetText(given.FileName, c.given);
        given.ImageType = c.imageType;
        given.FPS = c.fps;
        CCaptureOptions page(c.page, given, {});
        auto* edit = Control<QLineEdit>(page, 1051);
        EXPECT_EQ(edit->text(), c.shown);
        edit->setText(c.typed);
        EXPECT_EQ(Accept(page), c.refusal.isEmpty() ? QStringList() : QStringList{c.refusal});
        EXPECT_EQ(GetText(page.Record().FileName), c.stored);
    }
}

TEST(CaptureOptions, EventsAndTheControlsOfEachEvent) {
    R given;
    given.Event = kEventEvery;
    CCaptureOptions page(kPageSeries, given, {});
    EXPECT_EQ(page.Record().Event, kEventContinuous) << "no period: continuous";
    const auto perEventEnabled = [&] {
        return Control(page, 1059)->isEnabled() && Control(page, 1072)->isEnabled() &&
               Control(page, 1079)->isEnabled();
    };
    EXPECT_FALSE(perEventEnabled());
    EXPECT_TRUE(Control(page, 1080)->isEnabled());
    Control<QAbstractButton>(page, kEventEvery)->click();
    EXPECT_TRUE(perEventEnabled());
    Control<QSpinBox>(page, 1063)->setValue(1);
    EXPECT_EQ(Accept(page), QStringList());
    EXPECT_EQ(page.Record().Event, kEventEvery);

    CCaptureOptions again(kPageSeries, page.Record(), {});
    Control<QSpinBox>(again, 1063)->setValue(0);
    EXPECT_EQ(Accept(again), QStringList());
    EXPECT_EQ(again.Record().Event, kEventContinuous) << "accepted with 00:00:00";
}

TEST(CaptureOptions, Spinners) {
    CCaptureOptions series(kPageSeries, R{}, {});
    const struct {
        int id, start, steps, end;
        const char* text;
    } spins[] = {
        {1079, 0, 0, 0, "Unlimited"},  {1080, 1, -1, 0, "Unlimited"}, {1079, 4999, 3, 5000, "5000"},
        {1080, 9000, 1, 5000, "5000"}, {1059, 22, 2, 23, "23"},       {1059, 1, -3, 0, "00"},
        {1061, 58, 5, 59, "59"},       {1076, 5, 0, 5, "05"},
    };
    for (const auto& s : spins) {
        auto* spin = Control<QSpinBox>(series, s.id);
        spin->setValue(s.start);
        spin->stepBy(s.steps);
        EXPECT_EQ(spin->value(), s.end) << s.id << " from " << s.start;
        EXPECT_EQ(spin->text(), QString::fromLatin1(s.text)) << s.id;
    }

    uint32_t rate = 0;
    CCaptureOptions avi(kPageAvi, R{}, {.grabbingRate = [&] { return rate; }});
    auto* fps = Control<QDoubleSpinBox>(avi, 1109);
    const struct {
        double start;
        int steps;
        double end;
    } steps[] = {{1.0, -1, 0.0}, {0.0, -1, 1.0}, {0.5, -1, 1.0}, {9999.5, 1, 10000.0}, {2.25, 2, 4.25}};
    for (const auto& s : steps) {
        fps->setValue(s.start);
        fps->stepBy(s.steps);
        EXPECT_EQ(fps->text(), QString::number(s.end, 'f', 2)) << s.start << " by " << s.steps;
    }
    for (const uint32_t learned : {0u, 25u}) {
        fps->setValue(7);
        rate = learned;
        Control<QAbstractButton>(avi, 1173)->click();
        EXPECT_EQ(fps->value(), learned ? learned : 7.0);
    }
}

TEST(CaptureOptions, OverlayControlsFollowTheInsertFlags) {
    CCaptureOptions page(kPageSingleFrame, R{}, {});
    auto* position = Control(page, 1089);
    auto* message = Control(page, 1088);
    const struct {
        int click;
        bool position, message;
    } steps[] = {{1086, true, false},  {1087, true, true},  {1086, true, true},
                 {1087, false, false}, {2390, true, false}, {2390, false, false}};
    for (const auto& s : steps) {
        Control<QAbstractButton>(page, s.click)->click();
        EXPECT_EQ(position->isEnabled(), s.position) << s.click;
        EXPECT_EQ(message->isEnabled(), s.message) << s.click;
    }
}

TEST(CaptureOptions, CompressorsListedChosenAndStored) {
    const QStringList listed = {QStringLiteral("MJPEG"), QStringLiteral("FFV1")};
    const struct {
        QStringList listed;
        const char* stored;
        int selected;
        const char* accepted;
    } cases[] = {{listed, "FFV1", 1, "FFV1"},
                 {listed, "ffv1", 0, "MJPEG"},
                 {listed, "", 0, "MJPEG"},
                 {listed, "gone", 0, "MJPEG"},
                 {{}, "gone", -1, "gone"}};
    for (const auto& c : cases) {
        R given;
        given.FPS = 30;
        SetText(given.CompressorName, QString::fromLatin1(c.stored));
        QStringList used;
        CCaptureOptions page(kPageAvi, given,
                             {.listCompressors = [&] { return c.listed; },
                              .useCompressor =
                                  [&](const QString& name) {
                                      used << name;
                                      return name == QStringLiteral("FFV1");
                                  }});
        EXPECT_EQ(Control<QComboBox>(page, 1171)->currentIndex(), c.selected);
        EXPECT_EQ(used, c.selected < 0 ? QStringList() : QStringList{c.listed[c.selected]});
        EXPECT_EQ(Control(page, 1172)->isEnabled(), c.selected == 1);
        EXPECT_EQ(Accept(page), QStringList());
        EXPECT_EQ(GetText(page.Record().CompressorName), QString::fromLatin1(c.accepted));
    }
}

TEST(CaptureOptions, BrowsingForTheFileOrTheFolder) {
    const QTemporaryDir folder;
    const QString d = folder.path(), unacceptable = "Unacceptable folder selected.";
    const struct {
        OptionsPage page;
        QString given, chosen, filter, start, stored, refusal;
    } cases[] = {
        {kPageSingleFrame, d + "/b.bmp", "/e/a.jpg", "JPEG Files (*.jpg) jpg", d + "/b.jpg", "/e/a.jpg"},
        {kPageSingleFrame, d + "/b.bmp", "", "JPEG Files (*.jpg) jpg", d + "/b.jpg", d + "/b.jpg"},
        {kPageAvi, d + "/b", "/e/a.avi", "AVI Files (*.avi) avi", d + "/b.avi", "/e/a.avi"},
        {kPageSeries, d, "/e", "folder", d, "/e"},
        {kPageSeries, d, "/" + QString(259, u'e'), "folder", d, d, unacceptable},
    };
    for (const auto& c : cases) {
        R given;
        SetText(given.FileName, c.given);
        given.ImageType = kImageJpeg;
        QString filter, start;
        CCaptureOptions page(
            c.page, given, {.chooseFile = [&](QFileDialog& dialog) {
                const bool forFolder = dialog.fileMode() == QFileDialog::Directory;
                filter =
                    forFolder ? "folder" : dialog.nameFilters().join(u';') + " " + dialog.defaultSuffix();
                start = forFolder ? dialog.directory().absolutePath() : dialog.selectedFiles().value(0);
                return c.chosen;
            }});
        RecordedMessages().clear();
        Control<QAbstractButton>(page, 1052)->click();
        EXPECT_EQ(filter, c.filter);
        EXPECT_EQ(start, c.start);
        EXPECT_EQ(GetText(page.Record().FileName), c.stored);
        EXPECT_EQ(Control<QLineEdit>(page, 1051)->text(), c.stored);
        EXPECT_EQ(RecordedMessages(), c.refusal.isEmpty() ? QStringList() : QStringList{c.refusal});
    }
}

// With the movie maker itself: its compressors are listed, "Options" follows the
// codec, and the options dialog's choice lands in the record.
TEST(CaptureOptions, TheClipPageDrivesTheMovieMaker) {
    CAVIWriter writer;
    ASSERT_EQ(writer.Init(64, -32, 30, 0), 0);
    QStringList library;
    ASSERT_EQ(writer.GetCompressors(library), 0);
    int reported = 0;
    R given;
    given.FPS = 30;
    SetText(given.CompressorName, QStringLiteral("Motion JPEG"));
    CCaptureOptions page(kPageAvi, given,
                         ClipOptionSources(writer, [&](int32_t result) { return result < 0 && ++reported; }));
    auto* compressors = Control<QComboBox>(page, 1171);
    EXPECT_EQ(compressors->count(), library.size());
    EXPECT_EQ(compressors->itemText(library.size() - 1), library.last());
    for (const char* name : {"Uncompressed", "FFV1 lossless", "Motion JPEG"}) {
        compressors->setCurrentText(QString::fromLatin1(name));
        EXPECT_EQ(Control(page, 1172)->isEnabled(), std::strcmp(name, "Motion JPEG") == 0) << name;
    }
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QSpinBox*>(QStringLiteral("quality"))->setValue(40);
        dialog->accept();
    });
    Control<QAbstractButton>(page, 1172)->click();
    EXPECT_EQ(Accept(page), QStringList());
    EXPECT_EQ(page.Record().CompressorQuality, 40u);
    EXPECT_EQ(reported, 0);
}
