// Widget tests run on the offscreen platform with one application object. Every
// message box is recorded and answered with its first button instead of shown.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdlib>

#include "GuiTestSupport.h"
#include "MessageBox.h"
#include "Profile.h"

QStringList& RecordedMessages() {
    static QStringList messages;
    return messages;
}

namespace {

// Each test case runs in a process of its own, several at once under ctest -j:
// give every process its own home, so profiles, camera files and channel locks
// of one case never meet another's.
QString isolateHome() {
    char folder[] = "/tmp/glintrail-test-XXXXXX";
    if (!mkdtemp(folder))
        return {};
    const QByteArray home(folder);
    for (const char* sub : {"/.config", "/.local/share", "/run"})
        QDir().mkpath(QString::fromLatin1(home + sub));
    QFile::setPermissions(QString::fromLatin1(home + "/run"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", home + "/.config");
    qputenv("XDG_DATA_HOME", home + "/.local/share");
    qputenv("XDG_RUNTIME_DIR", home + "/run");
    return QString::fromLatin1(home);
}

}  // namespace

int main(int argc, char** argv) {
    const QString home = isolateHome();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QString::fromLatin1(appkit::kOrganization));
    QApplication::setApplicationName(QString::fromLatin1(appkit::kApplication));
    appkit::SetMessageHandler([](const appkit::MessageRequest& request) {
        RecordedMessages() << request.text;
        return request.buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::Yes;
    });
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    if (!home.isEmpty())
        QDir(home).removeRecursively();
    return result;
}
