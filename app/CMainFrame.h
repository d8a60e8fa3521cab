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

#include "CommandTarget.h"
#include "FullScreenMode.h"
#include "Grabber.h"
#include "PluginLibrary.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;
class CAliasDlg;
class CCameraParamsDlg;
class CCaptureSettingsDlg;
class CCCControlDlg;
class CCardTesterDlg;
class CChildView;
class CFloatingDlg;
class CRGBControlDlg;
class CStatisticsDlg;
class CTerminalDlg;

Q_DECLARE_LOGGING_CATEGORY(lcMainFrame)

class CMainFrame : public QMainWindow, public appkit::CommandTarget {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    // Window creation: the view, the card at start, toolbar, status bar, the
    // tool windows, the plug-in, the channel's settings, timers, placement.
    bool OnCreate();

    // The pixel readout; value -1 empties both panes.
    void ShowPixelValue(QPoint point, int64_t value);
    // Registers a window that full screen hides and "Reset dialog position" moves.
    void RegisterFloatingWindow(QWidget* window);
    // Runs a command as the menu, toolbar or accelerator would.
    void ExecuteCommand(int id);
    // Refreshes enabling, check marks and texts of every command.
    void UpdateCommandUI();

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, appkit::CommandState& state) override;

    // The channel's settings (camera texts, description, control records, baud rate).
    QString manufacturer, model, description, cameraAlias;
    QString cardAlias;
    PulseGeneratorSettings pulseGenerator = grabber::DefaultPulseGeneratorSettings();
    CameraControlSettings cameraControl{};
    uint32_t baudRate = 0;
    CameraDescription cameraDescription = grabber::DefaultCameraDescription();

    uint64_t cardHandle() const { return card_.get(); }
    uint8_t channel() const { return channel_; }
    QAction* action(int id) const { return actions_.value(id); }
    QLabel* pane(int id) const { return panes_.value(id); }
    CChildView* view() const { return view_; }
    CCameraParamsDlg* cameraParams() const { return cameraParams_.get(); }

public slots:
    // Notification of a floating dialog: (dialog id, code).
    void OnNotify(int dialogId, int code);
    // Queued from the card's delivery thread: a new frame is in the current image.
    void OnImageReady(quint32 timeStamp);
    // Queued from the saving thread: capture ended, progress, out of memory.
    void OnCaptureFinished();
    void OnCaptureProgress(int queued);
    void OnCaptureOutOfMemory();
    // Queued when a signal measurement finished.
    void OnMeasureSignal();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

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
    void updateWindowTitle();
    QString channelMenuText(uint8_t channel) const;
    // Pushes the channel's settings into the tool dialogs.
    void RefreshDialogs();
    // Applies the channel's description to the card; answers the library status.
    uint32_t Reconfigure();
    // Steps of the terminal, the camera files and the plug-ins around a switch.
    void StopSerialReader();
    void SaveChannelFiles();
    void LoadChannelFiles();
    void TerminalOpenOrClose();
    void TellPoCLDialog(uint32_t bitProduct);
    uint32_t bitProduct() const;
    void checkFirmware();
    void restorePlacement();
    void SetUpControlDialogs();
    void toggleDialog(QWidget* dialog);
    void resetDialogPositions();
    void showAbout();
    void onTimer(int id);
    // WM_CLOSE and WM_DESTROY, in their order.
    void OnClose();
    void OnDestroy();
    bool grabbing() const { return grabbing_; }

    // Declared first so the plug-in's objects go before their library.
    plc::PluginLibrary plugin_;
    std::unique_ptr<plc::PoCLDialog> poclDialog_;
    std::unique_ptr<plc::PLCTestDialog> plcTestDialog_;

    grabber::CardHandle card_;
    uint8_t channel_ = grabber::kNoChannel;
    std::mutex frameLock;
    bool configured = false;
    bool frameSeen = false;
    bool snapPending = false;
    bool grabbing_ = false;
    bool destroyed_ = false;

    CChildView* view_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    std::unique_ptr<CStatisticsDlg> statistics_;
    std::unique_ptr<CCaptureSettingsDlg> captureSettings_;
    std::unique_ptr<CCameraParamsDlg> cameraParams_;
    std::unique_ptr<CCCControlDlg> ccControl_;
    std::unique_ptr<CRGBControlDlg> rgbControl_;
    std::unique_ptr<CTerminalDlg> terminal_;
    std::unique_ptr<CCardTesterDlg> cardTester_;
    std::unique_ptr<CAliasDlg> cardSelector_;
    bool selectorAvailable_ = false;  // the selector ended OK at start

    struct FloatingWindow {
        QPointer<QWidget> window;
        bool wasVisible = false;
    };
    std::vector<FloatingWindow> floatingWindows;
    FullScreenMode fullScreen_;

    QHash<int, QAction*> actions_;
    QHash<int, QLabel*> panes_;
    QTimer timers_[3];
    QTimer commandUiTimer_;
};
