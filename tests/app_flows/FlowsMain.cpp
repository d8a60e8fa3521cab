// The flows run as the other widget tests do, each test process in a home of its
// own, which also holds the machine descriptions it writes.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QTimer>

#include "FlowsSupport.h"
#include "IsolatedHome.h"
#include "zamgrb_sim.h"

namespace flows {
namespace {

QString& processRoot() {
    static QString root;
    return root;
}

}  // namespace

void UseMachine(const std::string& json) {
    static int serial = 0;
    const QString path = processRoot() + QStringLiteral("/machine-%1.json").arg(++serial);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(json.data(), qint64(json.size())) != qint64(json.size()))
        qFatal("cannot write the machine description %s", qPrintable(path));
    file.close();
    setenv("ZAMGRB_SIM_CONFIG", path.toLocal8Bit().constData(), 1);
    if (ZamgrbSimReload() != ZAMGRB_OK)
        qFatal("the software card did not reload its machine description");
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeout.count())
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

WindowWatcher::WindowWatcher(std::function<bool(QWidget*)> action) : action_(std::move(action)) {
    auto* timer = new QTimer(this);
    // A window the action did not close is offered again at the next tick.
    connect(timer, &QTimer::timeout, this, [this] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (action_(w) && !seen_.contains(w)) {
                seen_ << w;
                ++handled_;
            }
        }
    });
    timer->start(20);
}

}  // namespace flows

int main(int argc, char** argv) {
    const testsupport::IsolatedHome home;
    flows::processRoot() = QString::fromStdString(home.path());
    unsetenv("ZAMGRB_SIM_CONFIG");

    return RunWidgetTests(argc, argv);
}
