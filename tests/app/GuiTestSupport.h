// Shared by the widget tests of the application.
#pragma once

#include <QStringList>
#include <ostream>

// The texts of the message boxes shown so far, in order; tests clear it.
QStringList& RecordedMessages();

// Readable failures for texts.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
