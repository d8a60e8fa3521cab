// Shared by the widget tests.
#pragma once

#include <QStringList>
#include <ostream>

// The texts of the message boxes shown so far, in order; tests clear it.
QStringList& RecordedMessages();

// Runs the tests on the offscreen platform with one application object. Every
// message box is recorded and answered with its first button instead of shown.
int RunWidgetTests(int argc, char** argv);

// Readable failures for texts.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
