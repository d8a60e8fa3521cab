// Full screen for the main frame: the window without caption, frame and menu
// over its whole monitor, with the registered floating windows hidden while it
// lasts and shown again when it ends.
#pragma once

#include <QByteArray>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

class QMainWindow;

class FullScreenMode {
public:
    // `afterEnter` runs once the window covers the monitor (the main frame fits
    // the image to it).
    FullScreenMode(QMainWindow& window, std::function<void()> afterEnter);

    bool IsOn() const { return on_; }
    // Enters or leaves; `floating` are the registered floating windows.
    void Toggle(const std::vector<QWidget*>& floating);

private:
    void Enter(const std::vector<QWidget*>& floating);
    void Leave();

    QMainWindow& window_;
    std::function<void()> afterEnter_;
    bool on_ = false;
    QByteArray geometry_;
    Qt::WindowStates states_;
    std::vector<QPointer<QWidget>> hidden_;
};
