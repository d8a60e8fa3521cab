// The one way the program shows a message box. Tests install a handler that
// records the text and chooses the answer.
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

namespace appkit {

struct MessageRequest {
    QWidget* owner = nullptr;
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
};

using MessageHandler = std::function<QMessageBox::StandardButton(const MessageRequest&)>;

// Shows the message modally and answers the button pressed. The caption defaults
// to the application name.
QMessageBox::StandardButton ShowMessage(QWidget* owner, const QString& text,
                                        QMessageBox::Icon icon = QMessageBox::NoIcon,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        const QString& caption = {});

// Replaces the message box; an empty handler restores it. Answers the previous one.
MessageHandler SetMessageHandler(MessageHandler handler);

}  // namespace appkit
