#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Modal dialogs block the test until someone answers them: this answers the next one of type T
// once it is on screen. Returns at once; the action runs inside the dialog's own event loop.
template<typename T>
void whenModal(const std::function<void(T *)> &action)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action]() {
        auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        action(dialog);
    });
    timer->start();
}
