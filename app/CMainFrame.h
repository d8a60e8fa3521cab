// The main frame: owns the card connection, the view, the toolbar and status
// bar, every floating tool window and the optional PLC plug-in, and routes the
// commands and the tools' notifications.
#pragma once

#include <QHash>
#include <QLoggingCategory>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <memory>
#include <mutex>
#include <vector>

#include "PluginLibrary.h"
#include "analysis/LutController.h"
#include "app/FrameGate.h"
#include "app/FullScreenMode.h"
#include "app/SerialLink.h"
#include "capture/CAVIWriter.h"
#include "capture/CTimerQueue.h"
#include "capture/CaptureEngine.h"
#include "capture/CaptureJob.h"
#include "display/CurrentImage.h"
#include "grabber/CameraSettings.h"
#include "grabber/Grabber.h"
#include "kit/CommandTarget.h"

class QAction;
class QLabel;
class QMenu;
class QSystemTrayIcon;
class QToolBar;
class CAliasDlg;
class CCameraParamsDlg;
class CCaptureSettingsDlg;
class CCCControlDlg;
class CCardTesterDlg;
class CChildView;
class CFloatingDlg;
class CFlushingDlg;
class CHistogramTool;
class CPlayer;
class CRGBControlDlg;
class CStatisticsDlg;
class CTerminalDlg;
namespace capture {
struct CaptureOptionsSources;
}

Q_DECLARE_LOGGING_CATEGORY(lcMainFrame)

class CMainFrame : public QMainWindow, public appkit::CommandTarget {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    // Window creation: the view, the card at start, toolbar, status bar, the
    // tool windows, the plug-in, the channel's settings, timers, placement.
    // Grabbing starts only when asked for, once the channel is configured.
    bool OnCreate(bool startGrabbing = false);

    // The pixel readout; value -1 empties both panes.
    void ShowPixelValue(QPoint point, int64_t value);
    // Registers a window that full screen hides and "Reset dialog position" moves.
    void RegisterFloatingWindow(QWidget* window);
    // Runs a command as the menu, toolbar or accelerator would.
    void ExecuteCommand(int id);
    // Refreshes enabling, check marks and texts of every command. The Input
    // Channel texts read the other channel's camera file, so the idle refresh
    // of the toolbar leaves them out; a menu about to show asks for them.
    void UpdateCommandUI(bool withMenuTexts = true);

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, appkit::CommandState& state) override;

    // The channel's settings: camera texts, control records, baud rate; the
    // description is the current image's.
    grabber::ChannelSettings settings;
    QString cardAlias;
    const CameraDescription& cameraDescription() const { return currentImage_.description; }
    CurrentImage& currentImage() { return currentImage_; }
    std::mutex& frameLock() { return frameLock_; }
    FrameGate& frameGate() { return frameGate_; }
    lut::LutController& lutController() { return lut_; }

    // Grab control.
    uint32_t Reconfigure();
    // Reconfigure, with the message for a configuration the card refused.
    uint32_t ReconfigureAndReport();
    void StartStopGrab();
    bool UpdateCameraStatus();
    void SetOverrunNotice(bool show);
    bool overrunNotified() const { return overrunNotified_; }
    // Fills clocks per line and lines per frame from the card, or reports why not.
    bool MeasureSignal(uint32_t& clocksPerLine, uint32_t& linesPerFrame);
    // The string id of the first check a configuration fails; 0 when it passes.
    int ValidateConfig(const CameraConfig& config) const;
    // Validates and applies the camera parameters dialog; false when a check failed.
    bool ApplyCameraParameters();
    // Camera files; both answer the library status.
    uint32_t SaveCameraSettings(const QString& path);
    uint32_t LoadCameraSettings(const QString& path);
    void SaveChannelFiles();
    void LoadChannelFiles();
    // Runs one of the window timers (1 camera, 2 DMA, 3 statistics).
    void OnTimer(int id);

    uint64_t cardHandle() const { return card_.get(); }
    uint8_t channel() const { return channel_; }
    QAction* action(int id) const { return actions_.value(id); }
    QLabel* pane(int id) const { return panes_.value(id); }
    QLabel* zoomPane() const { return zoomPane_; }
    CChildView* view() const { return view_; }
    CCameraParamsDlg* cameraParams() const { return cameraParams_.get(); }
    CCaptureSettingsDlg* captureSettings() const { return captureSettings_.get(); }
    CCCControlDlg* ccControl() const { return ccControl_.get(); }
    CRGBControlDlg* rgbControl() const { return rgbControl_.get(); }
    capture::CaptureEngine& captureEngine() { return *capture_; }

public slots:
    // Notification of a floating dialog: (dialog id, code).
    void OnNotify(int dialogId, int code);
    // The overrun explanation box (a click on the notice or on the DMA pane).
    void OnOverrunNoticeClicked();
    // Queued from the card's delivery thread: a new frame is in the current image.
    void OnImageReady();
    // The capture's start/stop handler: starts or ends a capture as the capture
    // window's button says.
    void OnCaptureStartStop();
    // Queued from the capture's threads: writing finished, progress, out of
    // memory, a capture that ended by itself.
    void OnCaptureFinished();
    void OnCaptureProgress(quint32 stillQueued);
    void OnCaptureOutOfMemory(quint32 frames, quint64 memoryUsed);
    void OnCaptureStoppedItself();
    // The AVI writer prepared for the channel's geometry and the AVI options:
    // after an accepted options page and whenever the channel is configured.
    void SetUpAviWriter();
    // Shows a failing movie-maker result in the "AVI Error!" box; false for success.
    bool ReportError(int32_t result);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    bool createToolDialogs();
    // Card selection and channels.
    bool RunCardSelectorAtStart();
    void ShowCardSelector();
    void ConnectSelectedCard();
    void ReclaimChannel();
    void Reapply();
    void SwitchChannel(uint8_t newChannel);
    bool claimFirstFreeChannel();
    QString openCardAlias() const;
    void updateWindowTitle();
    QString channelMenuText(uint8_t channel) const;
    // Pushes the channel's settings into the tool dialogs.
    void RefreshDialogs();
    // The camera control lines and the pulse generator (dialog 114).
    void OnCCControl(int code);
    void WriteLineSources();
    void StartPulseGenerator();
    void RefreshCCControl();
    // The colour offsets and gains and the white balance (dialog 118).
    void OnRgbControl(int code);
    void ApplyRgbControl();
    void AnalyzeWhiteBalance();
    void RefreshRgbControl();
    // The terminal: its notifications, the serial port and reader that come with
    // its window, writing a send and handing its baud rate to the card.
    void OnTerminalNotify(int code);
    void StopSerialReader();
    void TerminalOpenOrClose();
    void WriteTerminalSend();
    void ApplyBaudRate();
    void fitWindowToImage();
    void createZoomPane();
    void keepPanesApart();
    QString ZoomPaneText() const;
    void toggleFullScreen();
    void userLoadCameraFile();
    void userSaveCameraFile();
    // Where Load... and Save... start: the folder of the channel's last camera file,
    // else the shipped camera files.
    QString cameraFileFolder() const;
    void snapImage();
    void grabSequence();
    bool grabOn() const;
    void setGrabOn(bool on);
    void TellPoCLDialog(uint32_t bitProduct);
    uint32_t bitProduct() const;
    void checkFirmware();
    void restorePlacement();
    void SetUpControlDialogs();
    void createPoclDialog();
    void toggleDialog(QWidget* dialog);
    void resetDialogPositions();
    void showAbout();
    // The file player: opened or brought to the front; destroyed with the frame.
    void OpenPlayer();
    void DestroyPlayer();
    // WM_CLOSE and WM_DESTROY, in their order.
    void OnClose();
    void OnDestroy();
    bool grabbing() const { return grabOn(); }
    // Capture steps.
    capture::CaptureEngine::Hooks captureHooks();
    void startCapture();
    void stopCapture();
    // The description in force, with its lookup table, for the frames queued next.
    void syncCaptureDescription();
    void flushCapture();
    // The histogram window of the view.
    void createHistogramTool();
    capture::CaptureOptionsSources aviOptionSources();

    // Declared first so the plug-in's objects go before their library.
    plc::PluginLibrary plugin_;
    std::unique_ptr<plc::PoCLDialog> poclDialog_;
    std::unique_ptr<plc::PLCTestDialog> plcTestDialog_;

    grabber::CardHandle card_;
    std::atomic<uint8_t> channel_{grabber::kNoChannel};  // the serial reader watches it
    QHash<uint8_t, QString> cameraFileFolders_;          // by channel, for this session
    CurrentImage currentImage_;
    std::mutex frameLock_;
    FrameGate frameGate_;
    lut::LutController lut_;
    bool configured = false;
    std::atomic<bool> frameSeen{false};
    bool snapPending = false;
    bool overrunBoxOpen = false;
    bool overrunNotified_ = false;
    bool destroyed_ = false;
    bool fitPending_ = false;
    bool withMenuTexts_ = false;  // set while UpdateCommandUI wants the menu texts  // the window is sized to
                                  // the image once it is shown
    std::unique_ptr<QSystemTrayIcon> trayIcon_;
    QLabel* overrunMark_ = nullptr;              // icon 144 inside the DMA pane
    static constexpr int kOverrunMarkRoom = 20;  // the icon and a gap, before the pane's text

    CChildView* view_ = nullptr;
    std::unique_ptr<CHistogramTool> histogram_;
    QToolBar* toolBar_ = nullptr;
    std::unique_ptr<CStatisticsDlg> statistics_;
    std::unique_ptr<CCaptureSettingsDlg> captureSettings_;
    std::unique_ptr<CCameraParamsDlg> cameraParams_;
    std::unique_ptr<CCCControlDlg> ccControl_;
    std::unique_ptr<CRGBControlDlg> rgbControl_;
    std::unique_ptr<CTerminalDlg> terminal_;
    std::unique_ptr<CCardTesterDlg> cardTester_;
    std::unique_ptr<CAliasDlg> cardSelector_;
    app::SerialLink serial_;  // declared after the terminal, so it ends before it

    struct FloatingWindow {
        QPointer<QWidget> window;
        bool wasVisible = false;
    };
    std::vector<FloatingWindow> floatingWindows;
    FullScreenMode fullScreen_;
    double zoomBeforeFullScreen_ = 1.0;
    bool fitBeforeFullScreen_ = false;
    QLabel* zoomPane_ = nullptr;

    // The capture: the engine's saving thread writes what the delivery thread
    // queues; the job of the running capture advances its file name at the stop.
    CTimerQueue captureTimers_;
    capture::CAVIWriter aviWriter_;
    std::unique_ptr<capture::FrameSaver> imageSaver_;
    std::unique_ptr<capture::CaptureEngine> capture_;
    std::shared_ptr<const capture::CaptureJob> captureJob_;
    std::atomic<bool> freezeLive_{false};
    GrabStatistics captureStartStatistics_{};
    QString diskFailure_;  // the first file of the capture that could not be written
    CFlushingDlg* flushing_ = nullptr;
    QPointer<CPlayer> player_;  // null once its window is closed

    QHash<int, QAction*> actions_;
    QHash<int, QLabel*> panes_;
    QTimer timers_[3];
    QTimer commandUiTimer_;
};
