// Acts on the next modal dialog of a type once its own event loop runs.
#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>

template <typename Dialog>
void OnNextModal(std::function<void(Dialog*)> action) {
    auto* poll = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, tries, action] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog && ++*tries < 200)
            return;
        poll->stop();
        poll->deleteLater();
        if (dialog)
            action(dialog);
    });
    poll->start(10);
}
