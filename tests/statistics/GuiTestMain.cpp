// Widget tests run on the offscreen platform with one application object.
#include <gtest/gtest.h>

#include <QApplication>

#include "Profile.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QString::fromLatin1(appkit::kOrganization));
    QApplication::setApplicationName(QString::fromLatin1(appkit::kApplication));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
