// The main frame's colour steps: the RGB control's offsets and gains into the
// channel's description, and the white balance of the frame on screen.
#include <optional>

#include "app/CMainFrame.h"
#include "camera/CRGBControlDlg.h"
#include "camera/WhiteBalance.h"
#include "display/CChildView.h"
#include "display/ViewHints.h"

void CMainFrame::OnRgbControl(int code) {
    if (code == CRGBControlDlg::kChanged)
        ApplyRgbControl();
    else if (code == CRGBControlDlg::kAnalyze)
        AnalyzeWhiteBalance();
}

// The frame on screen is converted again with the new values, so a stopped
// picture shows them too.
void CMainFrame::ApplyRgbControl() {
    const CRGBControlDlg& dlg = *rgbControl_;
    {
        std::lock_guard lock(frameLock_);
        rgbcontrol::ApplyTo(currentImage_.description,
                            {dlg.GetRedOffset(), dlg.GetGreenOffset(), dlg.GetBlueOffset()},
                            {dlg.GetRedGain(), dlg.GetGreenGain(), dlg.GetBlueGain()});
        if (currentImage_.rawFrame) {
            const CImageReadyHint hint(&currentImage_);
            view_->OnUpdate(nullptr, 0, &hint);
        }
    }
    syncCaptureDescription();
    SaveChannelFiles();
}

void CMainFrame::AnalyzeWhiteBalance() {
    std::optional<rgbcontrol::Triple> means;
    {
        std::lock_guard lock(frameLock_);
        if (currentImage_.rawFrame)
            means = rgbcontrol::MeasureMeans(currentImage_.description, currentImage_.rawFrame.data());
    }
    if (means)
        rgbControl_->SetWhiteBalance(*means,
                                     rgbcontrol::BalanceGains(*means, rgbControl_->whiteBalanceGains()));
}

void CMainFrame::RefreshRgbControl() {
    const CameraDescription& d = currentImage_.description;
    rgbControl_->SetRedOffset(d.rgbOffsetRed);
    rgbControl_->SetGreenOffset(d.rgbOffsetGreen);
    rgbControl_->SetBlueOffset(d.rgbOffsetBlue);
    rgbControl_->SetRedGain(rgbcontrol::ShownGain(d.rgbGainRed));
    rgbControl_->SetGreenGain(rgbcontrol::ShownGain(d.rgbGainGreen));
    rgbControl_->SetBlueGain(rgbcontrol::ShownGain(d.rgbGainBlue));
}
