// The one QApplication of a benchmark binary that paints widgets: offscreen unless
// told otherwise (QT_QPA_PLATFORM=xcb measures an X server's screen).
#pragma once

#include <QApplication>
#include <memory>

inline QApplication& BenchApp() {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *app;
}
