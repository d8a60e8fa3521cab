// The main frame's side of the image view: the zoom pane and full screen.
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <climits>

#include "app/CMainFrame.h"
#include "display/CChildView.h"

// "Fit" while fit to window is in force, else the zoom in per cent.
QString CMainFrame::ZoomPaneText() const {
    if (view_->fitMode())
        return QStringLiteral("Fit");
    return QString::number(view_->zoom() * 100, 'g', 6) + QLatin1Char('%');
}

// The eighth pane, after the seven of the readout and the card.
void CMainFrame::createZoomPane() {
    zoomPane_ = new QLabel(statusBar());
    zoomPane_->setObjectName(QStringLiteral("zoom"));
    zoomPane_->setFrameShape(QFrame::Panel);
    zoomPane_->setFrameShadow(QFrame::Sunken);
    zoomPane_->setAlignment(Qt::AlignCenter);
    zoomPane_->setMinimumWidth(zoomPane_->fontMetrics().horizontalAdvance(QStringLiteral("12800%")) + 8);
    statusBar()->addWidget(zoomPane_);
    const auto show = [this] { zoomPane_->setText(ZoomPaneText()); };
    connect(view_, &CChildView::zoomChanged, this, show);
    show();
}

// However narrow the window, the status panes never overlap, unless the screen
// itself is narrower than they are.
void CMainFrame::keepPanesApart() {
    const QScreen* screen = this->screen();
    const int decoration = frameGeometry().width() - width();
    const int room = screen ? screen->availableGeometry().width() - decoration : INT_MAX;
    setMinimumWidth(std::min(statusBar()->sizeHint().width(), room));
}

// Full screen shows the picture centred on black; leaving it brings back the zoom
// that was in force, fit to window following the restored window.
void CMainFrame::toggleFullScreen() {
    const bool entering = !fullScreen_.IsOn();
    if (entering) {
        zoomBeforeFullScreen_ = view_->zoom();
        fitBeforeFullScreen_ = view_->fitMode();
    }
    view_->SetCentredOnBlack(entering);
    std::vector<QWidget*> windows;
    for (const FloatingWindow& f : floatingWindows)
        windows.push_back(f.window);
    fullScreen_.Toggle(windows);
    if (entering)
        return;
    if (fitBeforeFullScreen_)
        view_->FitToWindow();
    else
        view_->SetZoom(zoomBeforeFullScreen_);
}
