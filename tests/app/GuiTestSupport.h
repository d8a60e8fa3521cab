// Shared by the widget tests of the application.
#pragma once

#include <QStringList>

// The texts of the message boxes shown so far, in order; tests clear it.
QStringList& RecordedMessages();
