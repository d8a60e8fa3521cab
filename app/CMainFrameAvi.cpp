// The main frame's AVI steps: the writer prepared for the channel and the AVI
// options, the "AVI Error!" box, and what the AVI options page asks of the writer.
#include "app/CMainFrame.h"
#include "capture/CCaptureSettingsDlg.h"
#include "capture/ClipOptionSources.h"
#include "kit/MessageBox.h"
#include "kvxmoviemaker.h"

void CMainFrame::SetUpAviWriter() {
    const CameraDescription& d = currentImage_.description;
    const bool monochrome = d.colorFormat == 0 && d.config.bitDepth != 24;
    const capture::CaptureOptionsRecord& avi = captureSettings_->Settings().avi;
    if (ReportError(aviWriter_.Init(d.config.widthValid, -int32_t(d.config.heightValid), avi.FPS,
                                    monochrome ? KVX_OPTION_MONOCHROME : 0)))
        return;
    // No compressor chosen yet is no error: the page offers the first one.
    const QString name = capture::GetText(avi.CompressorName);
    bool hasOptions = false;
    if (!name.isEmpty())
        ReportError(aviWriter_.SetCompressor(name, hasOptions));
}

bool CMainFrame::ReportError(int32_t result) {
    if (result >= 0)
        return false;
    appkit::ShowMessage(this, capture::AviErrorText(result), QMessageBox::Critical, QMessageBox::Ok,
                        QStringLiteral("AVI Error!"));
    return true;
}

capture::CaptureOptionsSources CMainFrame::aviOptionSources() {
    return capture::ClipOptionSources(aviWriter_, [this](int32_t result) { return ReportError(result); });
}
