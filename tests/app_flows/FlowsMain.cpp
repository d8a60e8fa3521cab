// The flows run on the offscreen platform with one application object. Each test
// process gets folders of its own for the profile, the automatic camera files, the
// card aliases and the channel locks, so tests never meet even when run in parallel.
// Every message box is recorded and answered with its first button instead of shown.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include "FlowsSupport.h"
#include "MessageBox.h"
#include "Profile.h"
#include "zamgrb_sim.h"

QStringList& RecordedMessages() {
    static QStringList messages;
    return messages;
}

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
    // Private folders below the test binary's home, made before anything reads them.
    QTemporaryDir root(QDir::homePath() + QStringLiteral("/flow-XXXXXX"));
    if (!root.isValid())
        return 2;
    flows::processRoot() = root.path();
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"}) {
        const QString folder = root.path() + QLatin1Char('/') + QString::fromLatin1(name);
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        setenv(name, folder.toLocal8Bit().constData(), 1);
    }
    unsetenv("ZAMGRB_SIM_CONFIG");

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QString::fromLatin1(appkit::kOrganization));
    QApplication::setApplicationName(QString::fromLatin1(appkit::kApplication));
    appkit::SetMessageHandler([](const appkit::MessageRequest& request) {
        RecordedMessages() << request.text;
        return request.buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::Yes;
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
