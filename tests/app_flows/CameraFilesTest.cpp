// Camera files of the main frame: the automatic file of each channel and when it
// is written and read, the user's Load... and Save..., and the texts they carry.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "FlowsSupport.h"
#include "app/CMainFrame.h"
#include "camera/CCameraParamsDlg.h"
#include "display/DisplayEffects.h"
#include "grabber/CameraFiles.h"
#include "kit/Profile.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "zamgrb_sim.h"

namespace {

using flows::ReadCameraFile;
using flows::UseMachine;
using flows::WriteCameraFile;

const char* const kTwoCameras = R"({"cards": [{"channels": [{"camera": {}}, {"camera": {}}]}]})";

QString automaticAlias(uint8_t channel) {
    return ReadCameraFile(grabber::AutomaticChannelFile(channel)).settings.texts.alias;
}

class CameraFiles : public ::testing::Test {
protected:
    void SetUp() override {
        for (uint8_t channel : {uint8_t{0}, uint8_t{1}, grabber::kNoChannel})
            QFile::remove(grabber::AutomaticChannelFile(channel));
        RecordedMessages().clear();
    }
    QTemporaryDir folder_;
};

// Loading a channel's files also reads the display effects again.
TEST_F(CameraFiles, ChannelSwitchReadsTheDisplayEffectsAgain) {
    UseMachine(kTwoCameras);
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    appkit::Profile::WriteInt("HistoFrame", "bColor", 1);
    appkit::Profile::WriteInt("HistoFrame", "s_nLimB_1", 200);
    frame.ExecuteCommand(res::ID_CHANNEL_2);
    ASSERT_EQ(frame.channel(), 1);
    EXPECT_TRUE(display::Effects().colorize);
    EXPECT_EQ(display::Effects().limB1, 200);
    appkit::Profile::WriteInt("HistoFrame", "bColor", 0);
    appkit::Profile::WriteInt("HistoFrame", "s_nLimB_1", 0);
}

// With no card the settings live in the file of channel number -1.
TEST_F(CameraFiles, NoCardUsesTheFileOfChannelMinusOne) {
    UseMachine(R"({"cards": [{"openable": false}]})");
    const QString file = grabber::AutomaticChannelFile(grabber::kNoChannel);
    WriteCameraFile(file, "Bench", 320);
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    ASSERT_EQ(frame.cardHandle(), 0u);
    EXPECT_EQ(frame.settings.texts.alias, "Bench") << "read on entry";
    EXPECT_EQ(frame.cameraDescription().config.widthValid, 320u);
    frame.settings.texts.alias = "Changed";
    frame.close();
    EXPECT_EQ(ReadCameraFile(file).settings.texts.alias, "Changed") << "written on close";
}

// Apply writes the open channel's file whatever the card answered; a failed check
// writes nothing; a switch writes the old channel's and reads the new one's;
// closing writes the open channel's.
TEST_F(CameraFiles, AutomaticFilesFollowTheChannel) {
    UseMachine(kTwoCameras);
    WriteCameraFile(grabber::AutomaticChannelFile(0), "Zero", 320);
    WriteCameraFile(grabber::AutomaticChannelFile(1), "One", 480);
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    ASSERT_EQ(frame.channel(), 0);
    EXPECT_EQ(frame.settings.texts.alias, "Zero") << "read on entry";
    EXPECT_EQ(frame.cameraDescription().config.widthValid, 320u);
    EXPECT_EQ(frame.cameraParams()->GetWidthValid(), 320u) << "and shown";
    EXPECT_EQ(frame.cameraParams()->GetCameraTexts().alias, "Zero");

    CCameraParamsDlg& dialog = *frame.cameraParams();
    auto apply = [&](const QString& alias, uint32_t width, uint32_t tapFormat) {
        CCameraParamsDlg::CameraTexts texts = dialog.GetCameraTexts();
        texts.alias = alias;
        dialog.SetCameraTexts(texts);
        CameraConfig config{};
        dialog.GetConfig(config);
        config.widthValid = width;
        grabber::SetTapFormat(tapFormat, config.tapConfig);
        dialog.SetConfig(config);
        RecordedMessages().clear();
        frame.OnNotify(res::IDD_CAMERA_PARAMETERS, CCameraParamsDlg::kApply);
    };
    apply("Applied", 640, 1);
    EXPECT_EQ(automaticAlias(0), "Applied");
    apply("Refused", 641, 5);
    EXPECT_EQ(RecordedMessages(), QStringList{"Invalid camera parameters."});
    EXPECT_EQ(automaticAlias(0), "Refused") << "written whatever the card answered";
    apply("Unchecked", 0, 1);
    EXPECT_EQ(RecordedMessages(), QStringList{"Image width or image height can't be zero."});
    EXPECT_EQ(automaticAlias(0), "Refused") << "a failed check writes nothing";
    apply("Applied", 640, 1);

    frame.ExecuteCommand(res::ID_CHANNEL_2);
    ASSERT_EQ(frame.channel(), 1);
    EXPECT_EQ(automaticAlias(0), "Applied");
    EXPECT_EQ(frame.settings.texts.alias, "One");
    EXPECT_EQ(frame.cameraDescription().config.widthValid, 480u);
    EXPECT_EQ(dialog.GetWidthValid(), 480u);

    frame.settings.texts.alias = "One changed";
    frame.ExecuteCommand(res::ID_CHANNEL_1);
    EXPECT_EQ(automaticAlias(1), "One changed");
    EXPECT_EQ(frame.settings.texts.alias, "Applied");
    EXPECT_EQ(frame.cameraDescription().config.widthValid, 640u);

    frame.settings.texts.alias = "Closing";
    frame.close();
    EXPECT_EQ(automaticAlias(0), "Closing");
    EXPECT_EQ(automaticAlias(1), "One changed");
}

// Answers the next file dialog with a path, after a look at it.
struct FileDialogAnswer {
    QString path;  // empty: cancel
    QStringList filters;
    QString suffix;
    QString folder;  // where the dialog opened
    flows::WindowWatcher watcher{flows::OnWindow<QFileDialog>([this](QFileDialog* d) {
        filters = d->nameFilters();
        folder = d->directory().absolutePath();
        suffix = d->defaultSuffix();
        if (path.isEmpty()) {
            d->reject();
            return;
        }
        // Typed, as a user would: the list's own selection may lag behind the folder.
        for (QAbstractItemView* view : d->findChildren<QAbstractItemView*>())
            view->clearSelection();
        QLineEdit* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(path);
        static_cast<QDialog*>(d)->done(QDialog::Accepted);
    })};
};

TEST_F(CameraFiles, FailedValidationStopsTheSaveBeforeTheFileDialog) {
    UseMachine(kTwoCameras);
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    const QString path = folder_.filePath("mine.cxf");
    {
        FileDialogAnswer answer{path};
        frame.cameraParams()->SetWidthValid(0);
        frame.OnNotify(res::IDD_CAMERA_PARAMETERS, CCameraParamsDlg::kSave);
        EXPECT_EQ(RecordedMessages(), QStringList{"Image width or image height can't be zero."});
        EXPECT_EQ(answer.watcher.handled(), 0) << "the file dialog opened";
    }
    FileDialogAnswer answer{folder_.filePath("mine")};
    frame.cameraParams()->SetWidthValid(512);
    frame.settings.texts.alias = "ignored";
    CCameraParamsDlg::CameraTexts texts = frame.cameraParams()->GetCameraTexts();
    texts.alias = "Saved";
    frame.cameraParams()->SetCameraTexts(texts);
    frame.OnNotify(res::IDD_CAMERA_PARAMETERS, CCameraParamsDlg::kSave);
    ASSERT_EQ(answer.watcher.handled(), 1);
    EXPECT_EQ(answer.filters, QStringList{"Camera XML files (*.cxf)"});
    EXPECT_EQ(answer.suffix, "cxf");
    const flows::StoredCamera saved = ReadCameraFile(path);
    ASSERT_EQ(saved.status, 0u);
    EXPECT_EQ(saved.settings.texts.alias, "Saved") << "the dialog's texts, applied first";
    EXPECT_EQ(saved.description.config.widthValid, 512u);
    EXPECT_EQ(automaticAlias(0), "Saved") << "the apply wrote the automatic file";
}

// The older text form of a camera file, made from one the library wrote.
QByteArray camTextOf(const QString& cxf) {
    QFile file(cxf);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QByteArray cam = "; written by the flows\n[Glintrail Camera]\n";
    xml.readNextStartElement();  // CameraFile
    while (xml.readNextStartElement()) {
        QString value = xml.readElementText();
        value.replace("\\", "\\\\").replace("\n", "\\n").replace("\t", "\\t");
        cam += xml.name().toUtf8() + " = " + value.toUtf8() + "\n";
    }
    return cam;
}

TEST_F(CameraFiles, CamFilesLoadButAreNeverWritten) {
    UseMachine(kTwoCameras);
    const QString cxf = folder_.filePath("source.cxf");
    WriteCameraFile(cxf, "From cam", 320);
    const QString cam = folder_.filePath("old.cam");
    {
        QFile out(cam);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(camTextOf(cxf));
    }
    ASSERT_EQ(ReadCameraFile(cam).settings.texts.alias, "From cam") << "the .cam text is readable";

    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    {
        FileDialogAnswer answer{cam};
        frame.OnNotify(res::IDD_CAMERA_PARAMETERS, CCameraParamsDlg::kLoad);
        ASSERT_EQ(answer.watcher.handled(), 1);
        ASSERT_EQ(answer.filters.size(), 4);
        EXPECT_TRUE(answer.filters[0].contains("*.cam") && answer.filters[0].contains("*.cxf"));
    }
    EXPECT_EQ(frame.settings.texts.alias, "From cam");
    EXPECT_EQ(frame.cameraDescription().config.widthValid, 320u);
    EXPECT_EQ(frame.cameraParams()->GetWidthValid(), 320u);
    EXPECT_FALSE(QFile::exists(grabber::AutomaticChannelFile(0))) << "a user load writes no automatic file";
}

// A user load or save that fails names the file and the reason; a failed load
// changes nothing. A file the card refuses is taken and reported, and the title
// names its camera.
TEST_F(CameraFiles, UserLoadAndSaveSayWhatWentWrong) {
    UseMachine(kTwoCameras);
    const QString broken = folder_.filePath("broken.cxf");
    {
        QFile out(broken);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("<CameraFile><widthValid>12");
    }
    const QString refused = folder_.filePath("refused.cxf");
    WriteCameraFile(refused, "Odd", 641, 5);  // two taps: 641 is refused
    const QString unplaceable = folder_.filePath("alternate3.cxf");
    {
        CameraDescription description = grabber::DefaultCameraDescription();
        description.config.tapConfig.taps = 3;
        description.config.tapConfig.tapOutput = 1;  // Alternate needs an even number of taps
        grabber::SaveCameraSettings(unplaceable, {}, description);
    }
    const QString missing = folder_.filePath("missing.cxf"), cam = folder_.filePath("copy.cam");
    const QString noFolder = folder_.filePath("gone/camera.cxf");
    struct Case {
        int code;
        QString path, message;
    };
    const Case cases[] = {
        {CCameraParamsDlg::kLoad, missing,
         "The camera file \"" + missing + "\" could not be loaded: it does not exist."},
        {CCameraParamsDlg::kLoad, broken,
         "The camera file \"" + broken +
             "\" could not be loaded: it cannot be read or is not a camera file."},
        {CCameraParamsDlg::kSave, cam,
         "The camera file \"" + cam +
             "\" could not be saved: older .cam files can be loaded but not written; save it as .cxf."},
        {CCameraParamsDlg::kSave, noFolder,
         "The camera file \"" + noFolder + "\" could not be saved: its folder does not exist."},
        {CCameraParamsDlg::kLoad, unplaceable, res::LoadString(res::IDS_TAP_GEOMETRY)},
        {CCameraParamsDlg::kLoad, refused, "Invalid camera parameters."},
    };
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        RecordedMessages().clear();
        FileDialogAnswer answer{c.path};
        frame.OnNotify(res::IDD_CAMERA_PARAMETERS, c.code);
        ASSERT_EQ(answer.watcher.handled(), 1);
        EXPECT_EQ(RecordedMessages(), QStringList{c.message});
        if (c.code == CCameraParamsDlg::kSave) {
            EXPECT_FALSE(QFile::exists(c.path));
        } else if (c.path != refused && c.path != unplaceable) {
            EXPECT_EQ(frame.cameraDescription().config.widthValid, 640u) << "the fields stay";
        }
    }
    EXPECT_EQ(frame.cameraDescription().config.widthValid, 641u);
    EXPECT_TRUE(frame.windowTitle().endsWith("Channel 1: Odd")) << frame.windowTitle().toStdString();
}

// The shipped files of the built-in machine's cameras: Load... starts in their
// folder, the card takes each, and its geometry is the one the card measures.
// After a save elsewhere, that channel's Load... starts there; the other's does not.
TEST_F(CameraFiles, ShippedFilesFitTheBuiltInCameras) {
    unsetenv("ZAMGRB_SIM_CONFIG");
    ASSERT_EQ(ZamgrbSimReload(), ZAMGRB_OK);
    const QString folder = QDir(QCoreApplication::applicationDirPath() + "/../Cam_Files").absolutePath();
    for (const auto& [channel, file] :
         {std::pair{res::ID_CHANNEL_1, "Software-card-channel-1-mono-640x480.cxf"},
          std::pair{res::ID_CHANNEL_2, "Software-card-channel-2-bayer-800x600.cxf"}}) {
        CMainFrame frame;
        ASSERT_TRUE(frame.OnCreate());
        frame.ExecuteCommand(channel);
        {
            FileDialogAnswer answer{folder + "/" + file};
            frame.OnNotify(res::IDD_CAMERA_PARAMETERS, CCameraParamsDlg::kLoad);
            EXPECT_EQ(answer.folder, folder);
        }
        EXPECT_TRUE(RecordedMessages().empty()) << RecordedMessages().join('|').toStdString();
        const CameraConfig& k = frame.cameraDescription().config;
        uint32_t clocks = 0, lines = 0;
        ASSERT_TRUE(frame.MeasureSignal(clocks, lines));
        EXPECT_EQ(clocks, k.widthPreValid + k.widthValid + k.widthPostValid) << file;
        EXPECT_EQ(lines, k.heightPreValid + k.heightValid + k.heightPostValid) << file;

        const QTemporaryDir saved;
        {
            FileDialogAnswer save{saved.path() + "/mine.cxf"};
            frame.OnNotify(res::IDD_CAMERA_PARAMETERS, CCameraParamsDlg::kSave);
        }
        const auto loadStartsIn = [&frame] {
            FileDialogAnswer cancel;
            frame.OnNotify(res::IDD_CAMERA_PARAMETERS, CCameraParamsDlg::kLoad);
            return cancel.folder;
        };
        EXPECT_EQ(loadStartsIn(), QDir(saved.path()).absolutePath());
        frame.ExecuteCommand(channel == res::ID_CHANNEL_1 ? res::ID_CHANNEL_2 : res::ID_CHANNEL_1);
        EXPECT_EQ(loadStartsIn(), folder);
    }
}

}  // namespace
