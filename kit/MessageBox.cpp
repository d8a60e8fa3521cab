#include "kit/MessageBox.h"

#include "res/ResourceIds.h"
#include "res/StringTable.h"

namespace appkit {
namespace {

MessageHandler& handler() {
    static MessageHandler h;
    return h;
}

}  // namespace

QMessageBox::StandardButton ShowMessage(QWidget* owner, const QString& text, QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons, const QString& caption) {
    MessageRequest request{owner, caption.isEmpty() ? res::LoadString(res::IDS_APP_NAME) : caption, text,
                           icon, buttons};
    if (handler())
        return handler()(request);
    QMessageBox box(request.icon, request.caption, request.text, request.buttons, request.owner);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

MessageHandler SetMessageHandler(MessageHandler h) {
    MessageHandler previous = std::move(handler());
    handler() = std::move(h);
    return previous;
}

}  // namespace appkit
