#include <gtest/gtest.h>

#include <QApplication>

#include "GuiTestSupport.h"
#include "kit/MessageBox.h"
#include "kit/Profile.h"

QStringList& RecordedMessages() {
    static QStringList messages;
    return messages;
}

int RunWidgetTests(int argc, char** argv) {
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
