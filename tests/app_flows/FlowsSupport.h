// Shared by the end-to-end flows of the main frame against described machines.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <chrono>
#include <functional>
#include <ostream>
#include <string>

#include "GuiTestSupport.h"

namespace flows {

// Describes the machine the software card emulates and makes the library read it
// again. Closes every card handle of this process, so call it before a frame exists.
void UseMachine(const std::string& json);

// Runs the event loop until the condition holds or the time is up; answers the condition.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

// Watches for visible top-level windows and hands each to the action while the
// event loop runs (inside a modal exec as well); counts the windows it took.
class WindowWatcher : public QObject {
public:
    explicit WindowWatcher(std::function<bool(QWidget*)> action);
    int handled() const { return handled_; }

private:
    std::function<bool(QWidget*)> action_;
    QList<QPointer<QWidget>> seen_;
    int handled_ = 0;
};

template <class T>
std::function<bool(QWidget*)> OnWindow(std::function<void(T*)> action) {
    return [action](QWidget* w) {
        T* window = qobject_cast<T*>(w);
        if (!window || !window->isVisible())
            return false;
        action(window);
        return true;
    };
}

}  // namespace flows

#include <QProcess>
#include <memory>

#include "grabber/CameraSettings.h"

namespace flows {

// A camera file as the viewer writes it: the default description with the given
// width and tap format, and the given camera alias.
void WriteCameraFile(const QString& path, const QString& alias, uint32_t width = 640, uint32_t tapFormat = 1);

// What a camera file holds, read back through the card library.
struct StoredCamera {
    uint32_t status = 0;
    grabber::ChannelSettings settings;
    CameraDescription description{};
};
StoredCamera ReadCameraFile(const QString& path);

// Another program holding one channel of a card until it is destroyed.
class ChannelHolder {
public:
    ChannelHolder(uint64_t cardId, uint8_t channel);
    ~ChannelHolder();
    bool holds() const { return holds_; }

private:
    QProcess process_;
    bool holds_ = false;
};

}  // namespace flows
