// Shared by the widget tests.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
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

// The control a dialog names by its id.
template <typename T = QWidget>
T* Control(QWidget& dialog, int id) {
    T* control = dialog.findChild<T*>(QString::number(id));
    EXPECT_NE(control, nullptr) << id;
    return control;
}

// The first button with this text, null without one.
inline QAbstractButton* Button(QWidget& dialog, const QString& text) {
    for (auto* b : dialog.findChildren<QAbstractButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}
