// The main frame's camera settings: pushing them into the tool dialogs, the
// validation and apply of the camera parameters, and the camera files.
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "app/CMainFrame.h"
#include "app/CameraValidation.h"
#include "camera/CCameraParamsDlg.h"
#include "camera/CTerminalDlg.h"
#include "camera/CameraParamsRules.h"
#include "display/CChildView.h"
#include "display/DisplayEffects.h"
#include "grabber/CameraFiles.h"
#include "kit/MessageBox.h"
#include "res/StringTable.h"

namespace {

const QString kLoadFilter = QStringLiteral(
    "Camera files (*.cam *.cxf);;Glintrail Express Camera files (*.cxf);;Glintrail Camera files (*.cam);;All "
    "files "
    "(*)");
const QString kSaveFilter = QStringLiteral("Camera XML files (*.cxf)");

// "Cam_Files" beside the program's folder, when it exists.
QString shippedCameraFiles() {
    QDir folder(QCoreApplication::applicationDirPath());
    return folder.cdUp() && folder.cd(QStringLiteral("Cam_Files")) ? folder.absolutePath() : QString();
}

}  // namespace

void CMainFrame::RefreshDialogs() {
    cardAlias = openCardAlias();
    const CameraDescription& d = currentImage_.description;
    CCameraParamsDlg::CameraTexts texts{settings.texts.manufacturer, settings.texts.model,
                                        settings.texts.description, settings.texts.alias};
    cameraParams_->SetCameraTexts(texts);
    cameraParams_->SetConfig(d.config);
    const uint32_t depth = d.config.bitDepth;
    cameraParams_->SetMonoBitDepth(depth <= 16 ? depth : depth / 3);
    cameraParams_->SetRgbBitDepth(depth <= 16 ? 3 * depth : depth);
    const cameraparams::VideoSelection selection = cameraparams::VideoSelectionOf(d);
    cameraParams_->SetVideoType(selection.videoType);
    cameraParams_->SetPatternStart(selection.cell);
    RefreshCCControl();
    RefreshRgbControl();
    terminal_->SelectBaudRate(settings.baudRate);
}

int CMainFrame::ValidateConfig(const CameraConfig& config) const {
    return app::ValidateCameraConfig(
        config, {[this] { return grabber::HasFullAndDecaModes(card_.get()); },
                 [this] { return grabber::GetVersions(card_.get()).firmware; }, bool(card_)});
}

bool CMainFrame::ApplyCameraParameters() {
    CameraConfig config{};
    cameraParams_->GetConfig(config);
    const int failed = ValidateConfig(config);
    if (failed != 0) {
        appkit::ShowMessage(this, res::LoadString(failed));
        return false;
    }
    const CCameraParamsDlg::CameraTexts texts = cameraParams_->GetCameraTexts();
    settings.texts = {texts.manufacturer, texts.model, texts.description, texts.alias};
    {
        std::lock_guard lock(frameLock_);
        CameraDescription& d = currentImage_.description;
        d.config = config;
        const cameraparams::ColorFields colour =
            cameraparams::ColorFieldsOf(cameraParams_->GetVideoType(), cameraParams_->GetPatternStart());
        d.colorFormat = colour.colorFormat;
        d.patternStart = colour.patternStart;
        // The table of the new depth with it, so no conversion pairs a depth with
        // a table of another.
        const lut::LutAttachment table = lut_.AttachmentFor(config.bitDepth);
        d.lutLevels = table.levels;
        d.lutValues = table.values;
        currentImage_.lutOwner = table.owner;
    }
    ReconfigureAndReport();
    view_->OnUpdate(nullptr, 0, nullptr);
    SaveChannelFiles();
    return true;
}

uint32_t CMainFrame::SaveCameraSettings(const QString& path) {
    return grabber::SaveCameraSettings(path, settings, currentImage_.description);
}

uint32_t CMainFrame::LoadCameraSettings(const QString& path) {
    std::lock_guard lock(frameLock_);
    return grabber::LoadCameraSettings(path, settings, currentImage_.description);
}

void CMainFrame::SaveChannelFiles() {
    SaveCameraSettings(grabber::AutomaticChannelFile(channel_));
    // The capture settings are written with them once capture lands.
    if (plcTestDialog_)
        plcTestDialog_->SaveSettings(grabber::AutomaticChannelFile(channel_, QStringLiteral(".plc")));
}

void CMainFrame::LoadChannelFiles() {
    LoadCameraSettings(grabber::AutomaticChannelFile(channel_));
    if (plcTestDialog_)
        plcTestDialog_->LoadSettings(grabber::AutomaticChannelFile(channel_, QStringLiteral(".plc")));
    // A loaded description keeps the lookup table in use.
    lut_.AttachLut();
    // The display effects may have been changed by another window meanwhile.
    display::LoadDisplayEffects();
}

void CMainFrame::userLoadCameraFile() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Load camera file"),
                                                      cameraFileFolder(), kLoadFilter);
    if (path.isEmpty())
        return;
    if (const uint32_t status = LoadCameraSettings(path); status != ZAMGRB_OK) {
        appkit::ShowMessage(this, grabber::LoadFailureMessage(path, status));
        return;
    }
    cameraFileFolders_[channel_] = QFileInfo(path).absolutePath();
    lut_.AttachLut();
    RefreshDialogs();
    // The file is taken, as one the card refuses is; a camera it describes that
    // no frame can come from is said, not left to a black view.
    if (const int failed = ValidateConfig(currentImage_.description.config); failed != 0) {
        appkit::ShowMessage(this, res::LoadString(failed));
        Reconfigure();
    } else {
        ReconfigureAndReport();
    }
}

void CMainFrame::userSaveCameraFile() {
    if (!ApplyCameraParameters())
        return;
    QFileDialog dialog(this, QStringLiteral("Save camera file"), cameraFileFolder(), kSaveFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("cxf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    if (const uint32_t status = SaveCameraSettings(path); status != ZAMGRB_OK)
        appkit::ShowMessage(this, grabber::SaveFailureMessage(path, status));
    else
        cameraFileFolders_[channel_] = QFileInfo(path).absolutePath();
}

QString CMainFrame::cameraFileFolder() const {
    return cameraFileFolders_.value(channel_, shippedCameraFiles());
}
