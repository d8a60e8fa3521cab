#include "app/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QToolBar>

#include "analysis/CDlgLUT.h"
#include "analysis/CHistogramTool.h"
#include "analysis/CStatisticsDlg.h"
#include "app/CAboutDlg.h"
#include "app/CCardTesterDlg.h"
#include "app/CommandTable.h"
#include "app/PixelReadout.h"
#include "camera/CCCControlDlg.h"
#include "camera/CCameraParamsDlg.h"
#include "camera/CRGBControlDlg.h"
#include "camera/CTerminalDlg.h"
#include "capture/CCaptureSettingsDlg.h"
#include "capture/GlyphSet.h"
#include "capture/ImageSaver.h"
#include "display/CChildView.h"
#include "grabber/CAliasDlg.h"
#include "kit/MessageBox.h"
#include "kit/Profile.h"
#include "kit/WindowPlacement.h"
#include "log/LogSites.h"
#include "res/Icons.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

Q_LOGGING_CATEGORY(lcMainFrame, "glintrail.mainframe", QtWarningMsg)

using namespace res;

namespace {

constexpr int kTimerPeriodMs = 1000;
constexpr uint32_t kMinimumFirmware = 0x00010007;
const QString kMainFramePlacement = QStringLiteral("CMainFrame");

struct PaneInfo {
    int id;
    const char* sizingText;
};
constexpr PaneInfo kPanes[] = {
    {ID_PANE_CAMERA_RATE, "Camera Rate:00000"},
    {ID_PANE_GRABBING_RATE, "Grabbing rate:00000"},
    {ID_PANE_GRABBING_COUNT, "Grabbing count:00000000"},
    {ID_PANE_POSITION, "XXXX x YYYY"},
    {ID_PANE_VALUE, "(ZZZZZ,ZZZZZ,ZZZZZ)"},
    {ID_PANE_DMA, "DMA Inactive"},
    {ID_PANE_CAMERA, "Camera offline"},
};

}  // namespace

// The tool dialogs exist as objects from the start; their windows come later.
CMainFrame::CMainFrame()
    : frameGate_(
          currentImage_, frameLock_,
          {[this](const FrameInfo& frame) { capture_->EnqueueCapturedFrame(frame); },
           [this] { return freezeLive_.load(); },
           [this] { QMetaObject::invokeMethod(this, &CMainFrame::OnImageReady, Qt::QueuedConnection); }}),
      lut_({[this] { return currentImage_.description.config.bitDepth; },
            [this](const lut::LutAttachment& attachment) {
                std::lock_guard lock(frameLock_);
                currentImage_.description.lutLevels = attachment.levels;
                currentImage_.description.lutValues = attachment.values;
                currentImage_.lutOwner = attachment.owner;
                // Frames queued from now on are written with the new table.
                if (capture_)
                    capture_->setDescription(currentImage_.description, currentImage_.lutOwner);
            },
            [this](const lut::LutDialogRequest& request) { return lut::RunLutDialog(this, request); },
            [this](const QString& text) { appkit::ShowMessage(this, text); }},
           lut::LutController::DefaultFileName(QCoreApplication::applicationFilePath())),
      statistics_(std::make_unique<CStatisticsDlg>()),
      captureSettings_(std::make_unique<CCaptureSettingsDlg>()),
      cameraParams_(std::make_unique<CCameraParamsDlg>()),
      ccControl_(std::make_unique<CCCControlDlg>()),
      rgbControl_(std::make_unique<CRGBControlDlg>()),
      terminal_(std::make_unique<CTerminalDlg>()),
      cardTester_(std::make_unique<CCardTesterDlg>()),
      cardSelector_(std::make_unique<CAliasDlg>()),
      fullScreen_(*this, [this] { ExecuteCommand(ID_ZOOM_FIT); }) {
    aviWriter_.Init(640, -480, 30.0, 0);
    capture::ClipHooks clipHooks;
    clipHooks.frameAdded = [](uint32_t frameNumber, uint32_t timeStamp) {
        logengine::LogFrameAdded(int(frameNumber), int(timeStamp));
    };
    clipHooks.endFailed = [this](int32_t result) {
        QMetaObject::invokeMethod(
            this, [this, result] { ReportError(result); }, Qt::QueuedConnection);
    };
    imageSaver_ = std::make_unique<capture::ImageSaver>(capture::RenderStampGlyphs(), &aviWriter_, clipHooks);
    capture_ = std::make_unique<capture::CaptureEngine>(*imageSaver_, captureTimers_, captureHooks());
    currentImage_.description = grabber::DefaultCameraDescription();
    settings.pulseGenerator = grabber::DefaultPulseGeneratorSettings();
    setWindowIcon(res::applicationIcon());
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(900, 700);
}

CMainFrame::~CMainFrame() {
    if (!destroyed_)
        OnDestroy();
    // Plug-in dialogs go before the library is released; the card closes last.
    plcTestDialog_.reset();
    poclDialog_.reset();
}

bool CMainFrame::OnCreate(bool startGrabbing) {
    qCInfo(lcMainFrame) << "create";
    view_ = new CChildView(this);
    view_->SetHost({[this](QPoint p, int64_t v) { ShowPixelValue(p, v); },
                    [this](QWidget* w) { RegisterFloatingWindow(w); },
                    [this](int id) { return action(id); }});
    view_->SetCurrentImage(&currentImage_);
    setCentralWidget(view_);
    createHistogramTool();

    createActions();
    if (!RunCardSelectorAtStart())
        return false;
    createMenus();
    createToolBar();
    createStatusBar();
    if (!createToolDialogs())
        return false;
    SetUpControlDialogs();
    checkFirmware();

    capture::CaptureOptionsSources captureSources = aviOptionSources();
    captureSources.grabbingRate = [this] {
        GrabStatistics statistics{};
        return grabber::GetStatistics(card_.get(), channel_, statistics) == ZAMGRB_OK
                   ? statistics.grabbingRate
                   : 0u;
    };
    captureSettings_->SetOptionsSources(std::move(captureSources));
    cameraParams_->SetMeasureSignalHandler([this](uint32_t& clocksPerLine, uint32_t& linesPerFrame) {
        return MeasureSignal(clocksPerLine, linesPerFrame);
    });
    LoadChannelFiles();
    RefreshDialogs();
    cameraParams_->SetGrabOn(startGrabbing);
    ReconfigureAndReport();
    TerminalOpenOrClose();  // a terminal shown from its stored placement
    createPoclDialog();

    for (int i = 0; i < 3; ++i) {
        timers_[i].setInterval(kTimerPeriodMs);
        connect(&timers_[i], &QTimer::timeout, this, [this, i] { OnTimer(i + 1); });
        timers_[i].start();
    }
    restorePlacement();
    lut_.StartUp();

    connect(&commandUiTimer_, &QTimer::timeout, this, [this] { UpdateCommandUI(false); });
    commandUiTimer_.start(200);
    UpdateCommandUI();
    return true;
}

void CMainFrame::createActions() {
    for (const app::CommandInfo& c : app::Commands()) {
        auto* a = new QAction(res::commandIcon(c.id), QString::fromUtf8(c.text), this);
        a->setCheckable(c.checkable);
        a->setShortcuts(c.keys);
        a->setShortcutContext(Qt::WindowShortcut);
        if (c.tooltip) {
            a->setToolTip(QString::fromUtf8(c.tooltip));
            a->setStatusTip(QString::fromUtf8(c.tooltip));
        }
        const int id = c.id;
        connect(a, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
        actions_.insert(id, a);
        addAction(a);  // keys work while the menu bar is hidden (full screen)
    }
}

void CMainFrame::createMenus() {
    for (const app::MenuInfo& m : app::Menus()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.title));
        connect(menu, &QMenu::aboutToShow, this, [this] { UpdateCommandUI(true); });
        for (int id : m.items) {
            if (id == 0) {
                menu->addSeparator();
            } else if (id < 0) {
                QMenu* zoom = menu->addMenu(QStringLiteral("&Zoom"));
                for (int z : app::ZoomMenu()) {
                    if (z)
                        zoom->addAction(actions_.value(z));
                    else
                        zoom->addSeparator();
                }
            } else {
                menu->addAction(actions_.value(id));
            }
        }
    }
}

void CMainFrame::createToolBar() {
    toolBar_ = addToolBar(QStringLiteral("Standard toolbar"));
    toolBar_->setObjectName(QStringLiteral("toolbar-59392"));
    toolBar_->setIconSize(QSize(24, 24));
    for (int id : app::ToolbarButtons()) {
        if (id)
            toolBar_->addAction(actions_.value(id));
        else
            toolBar_->addSeparator();
    }
    RegisterFloatingWindow(toolBar_);
}

void CMainFrame::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusbar-59393"));
    for (const PaneInfo& p : kPanes) {
        auto* label = new QLabel(bar);
        label->setObjectName(QString::number(p.id));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QString::fromLatin1(p.sizingText)) + 8);
        bar->addWidget(label);
        panes_.insert(p.id, label);
    }
    QLabel* dma = panes_.value(ID_PANE_DMA);
    dma->setText(QStringLiteral("DMA Inactive"));
    dma->installEventFilter(this);
    // The overrun mark sits before the pane's text, which stays readable beside it;
    // the pane has room for both, so showing the mark moves no other pane.
    const QPixmap mark = res::overrunIcon();
    dma->setMinimumWidth(dma->minimumWidth() + kOverrunMarkRoom);
    overrunMark_ = new QLabel(dma);
    overrunMark_->setObjectName(QStringLiteral("overrun-mark"));
    overrunMark_->setPixmap(mark);
    overrunMark_->setAttribute(Qt::WA_TransparentForMouseEvents);
    overrunMark_->setGeometry(3, 0, mark.width(), dma->sizeHint().height());
    overrunMark_->setAlignment(Qt::AlignCenter);
    overrunMark_->hide();
    panes_.value(ID_PANE_CAMERA)->setText(QStringLiteral("Camera offline"));
    createZoomPane();
    keepPanesApart();
    RegisterFloatingWindow(bar);
}

bool CMainFrame::createToolDialogs() {
    for (CFloatingDlg* d :
         std::initializer_list<CFloatingDlg*>{captureSettings_.get(), cameraParams_.get(), rgbControl_.get(),
                                              statistics_.get(), terminal_.get(), cardTester_.get()}) {
        if (!d->Create(this))
            return false;
        connect(d, &CFloatingDlg::notify, this, &CMainFrame::OnNotify);
        RegisterFloatingWindow(d);
    }
    connect(ccControl_.get(), &CFloatingDlg::notify, this, &CMainFrame::OnNotify);
    return true;
}

// The plug-in's dialogs, or the CC control dialog when the plug-in has none.
void CMainFrame::SetUpControlDialogs() {
    if (!plcTestDialog_)
        plcTestDialog_ = plugin_.createPLCTestDialog();
    if (plcTestDialog_) {
        plcTestDialog_->SetCard(card_.get(), channel());
        if (!plcTestDialog_->IsUsable()) {
            plcTestDialog_.reset();
        } else if (!plcTestDialog_->window()) {
            if (!plcTestDialog_->Create(this))
                plcTestDialog_.reset();
        } else {
            QAction* cc = actions_.value(ID_CC_CONTROL);
            cc->setText(LoadStringLine(IDS_PLC, 1));
            RegisterFloatingWindow(plcTestDialog_->window());
        }
    }
    if (plcTestDialog_) {
        if (ccControl_->IsCreated())
            ccControl_->close();
    } else if (!ccControl_->IsCreated()) {
        ccControl_->Create(this);
        RegisterFloatingWindow(ccControl_.get());
    }
}

// After the channel's files are loaded, so the dialog learns the configuration in force.
void CMainFrame::createPoclDialog() {
    poclDialog_ = plugin_.createPoCLDialog();
    if (!poclDialog_)
        return;
    poclDialog_->SetCard(card_.get(), channel(), bitProduct());
    if (!poclDialog_->Create(this)) {
        poclDialog_.reset();
        return;
    }
    QAction* pocl = actions_.value(ID_POCL);
    pocl->setText(poclDialog_->GetName());
    // Its menu item goes before "Lookup table", in the menu that holds that.
    QAction* lookupTable = actions_.value(ID_LOOKUP_TABLE);
    for (QObject* owner : lookupTable->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(owner))
            menu->insertAction(lookupTable, pocl);
    RegisterFloatingWindow(poclDialog_->window());
}

void CMainFrame::checkFirmware() {
    if (!card_)
        return;
    const grabber::Versions v = grabber::GetVersions(card_.get());
    if (v.status == ZAMGRB_OK && v.firmware < kMinimumFirmware) {
        appkit::ShowMessage(this, LoadString(IDS_OLD_FIRMWARE), QMessageBox::Warning);
        cameraParams_->SetPackedAvailable(false);
    }
}

void CMainFrame::restorePlacement() {
    const auto stored = appkit::WindowPlacement::fromBytes(
        appkit::Profile::GetBinary(appkit::kFloatingWindowsSection, kMainFramePlacement));
    if (stored)
        move(stored->left, stored->top);  // the size stays as created
}

void CMainFrame::RegisterFloatingWindow(QWidget* window) {
    if (window)
        floatingWindows.push_back({window, false});
}

void CMainFrame::ExecuteCommand(int id) {
    if (view_ && view_->OnCommand(id))
        return;
    OnCommand(id);
}

void CMainFrame::UpdateCommandUI(bool withMenuTexts) {
    withMenuTexts_ = withMenuTexts;
    for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
        appkit::CommandState state;
        state.checked = it.value()->isChecked();
        if (!(view_ && view_->OnUpdateCommand(it.key(), state)) && !OnUpdateCommand(it.key(), state))
            state.enabled = false;  // nobody handles it yet
        it.value()->setEnabled(state.enabled);
        if (it.value()->isCheckable())
            it.value()->setChecked(state.checked);
        if (!state.text.isEmpty())
            it.value()->setText(state.text);
    }
}

void CMainFrame::toggleDialog(QWidget* dialog) {
    if (!dialog)
        return;
    if (dialog->isVisible()) {
        dialog->close();
    } else {
        dialog->show();
        dialog->raise();
    }
}

bool CMainFrame::OnCommand(int id) {
    switch (id) {
        case ID_CARD_SELECTOR:
            ShowCardSelector();
            return true;
        case ID_CHANNEL_1:
        case ID_CHANNEL_2:
            SwitchChannel(uint8_t(id - ID_CHANNEL_1));
            return true;
        case ID_CAMERA_PARAMETERS:
            toggleDialog(cameraParams_.get());
            return true;
        case ID_CC_CONTROL:
            toggleDialog(plcTestDialog_ ? plcTestDialog_->window() : ccControl_.get());
            return true;
        case ID_RGB_CONTROL:
            toggleDialog(rgbControl_.get());
            return true;
        case ID_CAPTURE_SETTINGS:
            toggleDialog(captureSettings_.get());
            return true;
        case ID_TERMINAL:
            toggleDialog(terminal_.get());
            return true;
        case ID_STATISTICS:
            toggleDialog(statistics_.get());
            return true;
        case ID_POCL:
            if (poclDialog_ && poclDialog_->IsEnabled())
                toggleDialog(poclDialog_->window());
            return true;
        case ID_RESET_DIALOG_POSITION:
            resetDialogPositions();
            return true;
        case ID_SNAP_IMAGE:
            snapImage();
            return true;
        case ID_CAPTURE_START_STOP:
            captureSettings_->SetCaptureOn(!captureSettings_->IsCaptureOn());
            OnCaptureStartStop();
            return true;
        case ID_GRAB_SEQUENCE:
            grabSequence();
            return true;
        case ID_LOOKUP_TABLE:
            lut_.OnLookupTable();
            return true;
        case ID_TOGGLE_LUT:
            lut_.OnToggleLut();
            return true;
        case ID_APP_ABOUT:
            showAbout();
            return true;
        case ID_PLAY_FILES:
            OpenPlayer();
            return true;
        case ID_APP_EXIT:
            close();
            return true;
        case ID_VIEW_TOOLBAR:
            toolBar_->setVisible(!toolBar_->isVisible());
            return true;
        case ID_VIEW_STATUS_BAR:
            statusBar()->setVisible(!statusBar()->isVisible());
            return true;
        case ID_FULL_SCREEN:
            toggleFullScreen();
            return true;
        default:
            return false;
    }
}

bool CMainFrame::OnUpdateCommand(int id, appkit::CommandState& state) {
    auto visible = [](const QWidget* w) { return w && w->isVisible(); };
    switch (id) {
        case ID_CARD_SELECTOR:
            state.enabled = cardSelector_->IsCreated() && !grabbing();
            state.checked = visible(cardSelector_.get());
            return true;
        case ID_CHANNEL_1:
        case ID_CHANNEL_2: {
            const uint8_t ch = uint8_t(id - ID_CHANNEL_1);
            state.enabled = !grabbing();
            state.checked = channel() == ch;
            if (withMenuTexts_)
                state.text = channelMenuText(ch);
            return true;
        }
        case ID_CAMERA_PARAMETERS:
            state.checked = visible(cameraParams_.get());
            return true;
        case ID_CC_CONTROL:
            state.checked = visible(plcTestDialog_ ? plcTestDialog_->window() : ccControl_.get());
            return true;
        case ID_RGB_CONTROL:
            state.checked = visible(rgbControl_.get());
            return true;
        case ID_CAPTURE_SETTINGS:
            state.checked = visible(captureSettings_.get());
            return true;
        case ID_TERMINAL:
            state.checked = visible(terminal_.get());
            return true;
        case ID_STATISTICS:
            state.checked = visible(statistics_.get());
            return true;
        case ID_POCL:
            state.enabled = poclDialog_ && poclDialog_->IsEnabled();
            state.checked = poclDialog_ && visible(poclDialog_->window());
            return true;
        case ID_VIEW_TOOLBAR:
            state.checked = toolBar_ && toolBar_->isVisible();
            return true;
        case ID_VIEW_STATUS_BAR:
            state.checked = statusBar()->isVisible();
            return true;
        case ID_FULL_SCREEN:
            state.checked = fullScreen_.IsOn();
            return true;
        case ID_SNAP_IMAGE:
            state.enabled = cameraParams_->IsStartGrabEnabled();
            return true;
        case ID_CAPTURE_START_STOP:
            state.checked = captureSettings_->IsCaptureOn();
            return true;
        case ID_GRAB_SEQUENCE:
            state.enabled = cameraParams_->IsStartGrabEnabled();
            state.checked = grabOn();
            return true;
        case ID_LOOKUP_TABLE:
        case ID_TOGGLE_LUT:
            state.checked = lut_.useLut();
            return true;
        case ID_RESET_DIALOG_POSITION:
        case ID_PLAY_FILES:
        case ID_APP_ABOUT:
        case ID_APP_EXIT:
            return true;
        default:
            return false;
    }
}

// Every registered window that still exists, except the bars and the view, goes
// to the screen's top-left corner; sizes and stacking stay as they are.
void CMainFrame::resetDialogPositions() {
    for (const FloatingWindow& f : floatingWindows) {
        QWidget* w = f.window;
        if (!w || w == toolBar_ || w == statusBar() || w == view_)
            continue;
        w->move(0, 0);
    }
}

void CMainFrame::showAbout() {
    CAboutDlg about(card_.get(), this);
    about.exec();
}

void CMainFrame::ShowPixelValue(QPoint point, int64_t value) {
    const app::PixelReadout r = app::FormatPixelReadout(currentImage_.description, point, value);
    panes_.value(ID_PANE_POSITION)->setText(r.position);
    panes_.value(ID_PANE_VALUE)->setText(r.value);
}

void CMainFrame::OnNotify(int dialogId, int code) {
    qCDebug(lcMainFrame) << "notification" << dialogId << code;
    switch (dialogId) {
        case IDD_CAMERA_PARAMETERS:
            if (code == CCameraParamsDlg::kApply)
                ApplyCameraParameters();
            if (code == CCameraParamsDlg::kLoad)
                userLoadCameraFile();
            if (code == CCameraParamsDlg::kSave)
                userSaveCameraFile();
            if (code == CCameraParamsDlg::kStartStopGrab)
                StartStopGrab();
            break;
        case IDD_CARD_SELECTOR:
            if (code == kSelectorConnect)
                ConnectSelectedCard();
            if (code == kSelectorReapply)
                Reapply();
            if (code == kSelectorCancel)
                ReclaimChannel();
            break;
        case IDD_CAPTURE_SETTINGS:
            if (code == CCaptureSettingsDlg::kStartStopCapture)
                OnCaptureStartStop();
            if (code == CCaptureSettingsDlg::kOptionsAccepted)
                SetUpAviWriter();
            break;
        case IDD_TERMINAL:
            OnTerminalNotify(code);
            break;
        case IDD_CC_CONTROL:
            OnCCControl(code);
            break;
        case IDD_RGB_CONTROL:
            OnRgbControl(code);
            break;
        default:
            break;  // each tool's actions are routed here as the tool lands
    }
}

void CMainFrame::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && fullScreen_.IsOn())
        ExecuteCommand(ID_FULL_SCREEN);
    QMainWindow::keyPressEvent(event);
}

// A click on the DMA pane while the overrun notice is up explains it.
bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panes_.value(ID_PANE_DMA) && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && overrunNotified_) {
        QTimer::singleShot(0, this, &CMainFrame::OnOverrunNoticeClicked);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Sized to the image first; a window placed on a screen that is gone then comes
    // back into view on the nearest one, as the tool windows do.
    QTimer::singleShot(0, this, [this] {
        keepPanesApart();  // the frame's decoration is known now
        if (fitPending_)
            fitWindowToImage();
        appkit::MoveOntoNearestScreen(*this);
        // Tool windows restored as shown were mapped before this window: without a
        // raise the window manager may stack them behind it.
        for (const auto& floating : floatingWindows)
            if (floating.window && floating.window->isWindow() && floating.window->isVisible())
                floating.window->raise();
    });
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    OnClose();
    OnDestroy();
    event->accept();
}

void CMainFrame::OnClose() {
    qCInfo(lcMainFrame) << "close: save the channel's camera file";
    SaveChannelFiles();
}

void CMainFrame::OnDestroy() {
    if (destroyed_)
        return;
    destroyed_ = true;
    qCInfo(lcMainFrame) << "destroy: stop grabbing";
    if (card_)
        grabber::StopGrab(card_.get(), channel());
    qCInfo(lcMainFrame) << "destroy: end the serial reader, then close its port";
    StopSerialReader();
    qCInfo(lcMainFrame) << "destroy: stop the capture and flush its queue";
    qCInfo(lcMainFrame) << "destroy: stop the capture timers and the saving thread";
    flushCapture();
    for (QTimer& t : timers_)
        t.stop();
    commandUiTimer_.stop();
    qCInfo(lcMainFrame) << "destroy: close the player";
    DestroyPlayer();
    qCInfo(lcMainFrame) << "destroy: save the placement";
    appkit::Profile::WriteBinary(
        appkit::kFloatingWindowsSection, kMainFramePlacement,
        appkit::WindowPlacement::of(*this, appkit::WindowPlacement::kShowNormal).toBytes());
    for (CFloatingDlg* d : std::initializer_list<CFloatingDlg*>{
             cardSelector_.get(), captureSettings_.get(), cameraParams_.get(), rgbControl_.get(),
             statistics_.get(), terminal_.get(), cardTester_.get(), ccControl_.get()})
        d->SavePlacement();
    qCInfo(lcMainFrame) << "destroy: save the lookup-table settings";
    lut_.ShutDown();
    qCInfo(lcMainFrame) << "destroy: remove the notification icon";
    trayIcon_.reset();
}
