#include "app/FullScreenMode.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

FullScreenMode::FullScreenMode(QMainWindow& window, std::function<void()> afterEnter)
    : window_(window), afterEnter_(std::move(afterEnter)) {}

void FullScreenMode::Toggle(const std::vector<QWidget*>& floating) {
    if (on_)
        Leave();
    else
        Enter(floating);
}

void FullScreenMode::Enter(const std::vector<QWidget*>& floating) {
    on_ = true;
    geometry_ = window_.saveGeometry();
    states_ = window_.windowState();
    hidden_.clear();
    for (QWidget* w : floating) {
        if (w && w->isVisible()) {
            hidden_.emplace_back(w);
            w->hide();
        }
    }
    window_.menuBar()->hide();
    // The full-screen state takes the caption and frame away and covers the
    // monitor that holds the window.
    window_.showFullScreen();
    if (afterEnter_)
        QTimer::singleShot(0, &window_, afterEnter_);
}

void FullScreenMode::Leave() {
    on_ = false;
    for (const QPointer<QWidget>& w : hidden_)
        if (w)
            w->show();
    hidden_.clear();
    window_.setWindowState(states_ & ~Qt::WindowFullScreen);
    window_.restoreGeometry(geometry_);
    window_.menuBar()->show();
    window_.show();
}
