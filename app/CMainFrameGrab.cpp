// The main frame's grab control: configuring the channel, starting and stopping
// the grab, the frames that reach the view, the window timers and the overrun
// notice.
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QToolBar>
#include <cmath>

#include "analysis/CStatisticsDlg.h"
#include "app/CMainFrame.h"
#include "app/CameraValidation.h"
#include "app/ChannelNames.h"
#include "app/WindowFit.h"
#include "camera/CCameraParamsDlg.h"
#include "capture/CCaptureSettingsDlg.h"
#include "display/CChildView.h"
#include "display/ViewHints.h"
#include "grabber/Bandwidth.h"
#include "grabber/GrabRefusal.h"
#include "kit/MessageBox.h"
#include "res/Icons.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

using namespace res;

namespace {

const QString kOverrunBalloon = QStringLiteral(
    "The frame grabber is experiencing overruns!\nThis means that the incoming pixel rate exceeds the PCI "
    "Express "
    "bandwidth.\nclick here for suggestions");
const QString kOverrunExplanation = QStringLiteral(
    "The frame grabber is experiencing overruns!\nThis means that the incoming pixel rate exceeds the PCI "
    "Express "
    "bandwidth.\n\nTo correct this, try doing one or more of the following:\n- turn on the \"Packed\" option "
    "in the "
    "Camera Parameters dialog\n- lower the bit depth of the incoming pixels\n- decrease the camera's pixel "
    "clock "
    "rate\n- increase the camera's LVAL blanking time\n\nFor more information, open the Statistics dialog.");
constexpr int kBalloonMs = 20000;

}  // namespace

bool CMainFrame::grabOn() const {
    return cameraParams_ && cameraParams_->IsGrabOn();
}

void CMainFrame::setGrabOn(bool on) {
    if (cameraParams_)
        cameraParams_->SetGrabOn(on);
}

uint32_t CMainFrame::Reconfigure() {
    // The title names the channel in force, whatever the card answers.
    const auto title = qScopeGuard([this] { updateWindowTitle(); });
    if (!card_)
        return ZAMGRB_NO_CARD;
    const CameraConfig& config = currentImage_.description.config;
    if (!fullScreen_.IsOn()) {
        if (config.widthValid == 0 || config.heightValid == 0)
            return ZAMGRB_NOT_SUPPORTED;
        fitWindowToImage();
    }
    grabber::StopGrab(card_.get(), channel_);
    {
        std::lock_guard lock(frameLock_);
        currentImage_.rawFrame.reset();
        view_->OnUpdate(nullptr, 0, nullptr);
    }
    const uint32_t status = grabber::ConfigureChannel(card_.get(), channel_, config);
    configured = status == ZAMGRB_OK;
    UpdateCameraStatus();
    if (!configured) {
        setGrabOn(false);
        cameraParams_->EnableStartGrab(false);
        return status;
    }
    cameraParams_->EnableStartGrab(true);
    // Frames queued from here on are of the new configuration.
    syncCaptureDescription();
    if (grabOn()) {
        const uint32_t started =
            grabber::StartGrab(card_.get(), channel_, &FrameGate::FrameCallback, &frameGate_);
        if (started != ZAMGRB_OK) {
            setGrabOn(false);
            appkit::ShowMessage(this, grabber::StartGrabRefusal(started));
        }
    }
    SetOverrunNotice(false);
    SetUpAviWriter();
    ApplyBaudRate();
    return ZAMGRB_OK;
}

uint32_t CMainFrame::ReconfigureAndReport() {
    const uint32_t status = Reconfigure();
    const QString message = app::ReconfigureMessage(status, currentImage_.description.config, channel_);
    if (!message.isEmpty())
        appkit::ShowMessage(this, message);
    return status;
}

// The frame grows or shrinks to show the image at the view's zoom, inside the
// screen's available area; a maximised or full-screen window keeps its size.
void CMainFrame::fitWindowToImage() {
    // What surrounds the image is known once the frame is laid out on screen.
    if (!isVisible()) {
        fitPending_ = true;
        return;
    }
    fitPending_ = false;
    const QScreen* screen = this->screen();
    if (!screen || isMaximized() || isFullScreen() || fullScreen_.IsOn())
        return;
    const CameraConfig& config = currentImage_.description.config;
    const double zoom = view_->zoom();
    const QSize decoration = frameGeometry().size() - size();
    // The work area caps the window anyway; the cap here only keeps the sum an int.
    const auto extent = [zoom](uint32_t pixels) { return int(std::min(std::trunc(pixels * zoom), 1e9)); };
    app::FrameFit fit;
    fit.frame = frameGeometry();
    fit.chrome = size() - view_->viewport()->size() + decoration;
    fit.image = QSize(extent(config.widthValid), extent(config.heightValid));
    fit.minimumWidth = minimumWidth() + decoration.width();
    fit.available = screen->availableGeometry();
    fit.scrollBarExtent = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QRect target = app::FitFrameToImage(fit);
    move(target.topLeft());
    resize(target.size() - decoration);
}

void CMainFrame::StartStopGrab() {
    uint32_t refused = ZAMGRB_OK;
    if (!grabOn()) {
        grabber::StopGrab(card_.get(), channel_);
        // No frames come any more: a running capture ends and its queue is written.
        if (captureSettings_->IsCaptureOn()) {
            captureSettings_->SetCaptureOn(false);
            OnCaptureStartStop();
        }
    } else {
        refused = grabber::StartGrab(card_.get(), channel_, &FrameGate::FrameCallback, &frameGate_);
        if (refused != ZAMGRB_OK) {
            // Whatever refused the start, the card is left not grabbing, as the button says.
            grabber::StopGrab(card_.get(), channel_);
            setGrabOn(false);
        }
    }
    // A snap ends with the grab, however it ends: the next grab is a sequence.
    if (!grabOn())
        snapPending = false;
    UpdateCameraStatus();
    SetOverrunNotice(false);
    if (refused != ZAMGRB_OK)
        appkit::ShowMessage(this, grabber::StartGrabRefusal(refused));
}

void CMainFrame::snapImage() {
    snapPending = true;
    // During a sequence the card already grabs: the next frame shown ends it.
    if (grabOn())
        return;
    setGrabOn(true);
    StartStopGrab();
}

void CMainFrame::grabSequence() {
    snapPending = false;
    setGrabOn(!grabOn());
    StartStopGrab();
}

void CMainFrame::OnImageReady() {
    frameGate_.ImageReadyTaken();
    std::lock_guard lock(frameLock_);
    if (snapPending) {
        // Grabbing stops after this frame, which is still shown.
        snapPending = false;
        setGrabOn(false);
        StartStopGrab();
    }
    if (statistics_->IsCreated())
        statistics_->SetTimeStamp(currentImage_.timeStamp);  // of the frame shown, the newest
    frameSeen = true;
    const CImageReadyHint hint(&currentImage_);
    view_->OnUpdate(nullptr, 0, &hint);
}

bool CMainFrame::MeasureSignal(uint32_t& clocksPerLine, uint32_t& linesPerFrame) {
    const uint32_t status = grabber::MeasureSignal(card_.get(), channel_, clocksPerLine, linesPerFrame);
    if (status == ZAMGRB_OK)
        return true;
    appkit::ShowMessage(this, status == ZAMGRB_NOT_SUPPORTED
                                  ? QStringLiteral("Operation is not supported on this card")
                                  : QStringLiteral("Operation failed"));
    return false;
}

bool CMainFrame::UpdateCameraStatus() {
    bool online = false;
    grabber::GetCameraStatus(card_.get(), channel_, online);
    panes_.value(ID_PANE_CAMERA)
        ->setText(online ? QStringLiteral("Camera online") : QStringLiteral("Camera offline"));
    if (!grabOn())
        cameraParams_->EnableStartGrab(configured && online);
    return online;
}

void CMainFrame::OnTimer(int id) {
    switch (id) {
        case 1:
            UpdateCameraStatus();
            break;
        case 2:
            panes_.value(ID_PANE_DMA)
                ->setText(frameSeen.exchange(false) ? QStringLiteral("DMA Active")
                                                    : QStringLiteral("DMA Inactive"));
            break;
        case 3: {
            GrabStatistics s{};
            grabber::GetStatistics(card_.get(), channel_, s);
            const bool window = statistics_->IsCreated();
            const uint32_t previousCount = window ? statistics_->GetGrabbingCount() : 0;
            const uint32_t previousOverruns = window ? statistics_->GetOverrunCount() : 0;
            if (s.grabbingCount == previousCount && s.overrunCount > previousOverruns)
                SetOverrunNotice(true);
            else if (s.overrunCount == previousOverruns && s.grabbingCount > previousCount)
                SetOverrunNotice(false);
            if (window) {
                statistics_->SetFrameRate(s.cameraFrameRate);
                statistics_->SetBandwidth(grabber::BandwidthMbps(s, currentImage_.description.config));
                statistics_->SetGrabbingRate(s.grabbingRate);
                statistics_->SetGrabbingCount(s.grabbingCount);
                statistics_->SetDropCount(s.dropCount);
                statistics_->SetOverrunCount(s.overrunCount);
                statistics_->SetClockRate(s.pixelClock);
                statistics_->SetClocksPerLine(s.clocksPerLine);
                statistics_->SetLinesPerFrame(s.linesPerFrame);
                const grabber::LinkInfo link = grabber::GetLinkInfo(card_.get());
                statistics_->SetLinkWidth(link.lanes);
                statistics_->SetLinkSpeed(link.speedCode);
                statistics_->SetMaxPayloadRequested(link.maxPayloadRequested);
                statistics_->SetMaxPayload(link.maxPayload);
            }
            panes_.value(ID_PANE_CAMERA_RATE)
                ->setText(QStringLiteral("Camera Rate:%1").arg(s.cameraFrameRate));
            panes_.value(ID_PANE_GRABBING_RATE)
                ->setText(QStringLiteral("Grabbing Rate:%1").arg(s.grabbingRate));
            panes_.value(ID_PANE_GRABBING_COUNT)
                ->setText(QStringLiteral("Grabbing Count:%1").arg(s.grabbingCount));
            break;
        }
        default:
            break;
    }
}

void CMainFrame::SetOverrunNotice(bool show) {
    QLabel* dma = panes_.value(ID_PANE_DMA);
    if (show && !overrunNotified_) {
        trayIcon_ = std::make_unique<QSystemTrayIcon>(res::applicationIcon());
        connect(trayIcon_.get(), &QSystemTrayIcon::messageClicked, this, &CMainFrame::OnOverrunNoticeClicked);
        connect(trayIcon_.get(), &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::Trigger)
                        OnOverrunNoticeClicked();
                });
        trayIcon_->show();
        trayIcon_->showMessage(LoadString(IDS_APP_NAME), kOverrunBalloon, QSystemTrayIcon::Critical,
                               kBalloonMs);
        dma->setToolTip(kOverrunBalloon);
        dma->setIndent(kOverrunMarkRoom);
        overrunMark_->show();
    } else if (!show) {
        trayIcon_.reset();
        dma->setToolTip({});
        dma->setIndent(-1);
        overrunMark_->hide();
    }
    overrunNotified_ = show;
}

void CMainFrame::OnOverrunNoticeClicked() {
    if (overrunBoxOpen)
        return;
    overrunBoxOpen = true;
    QWidget* previous = QApplication::activeWindow();
    activateWindow();
    appkit::ShowMessage(this, kOverrunExplanation, QMessageBox::Warning);
    if (previous)
        previous->activateWindow();
    overrunBoxOpen = false;
}
