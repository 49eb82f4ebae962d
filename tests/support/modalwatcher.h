#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
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

// Types a name in a file dialog's name field, as a person would after moving to folder, and
// accepts. Not QFileDialog::selectFile: it leaves the name field alone while that field has the
// focus, which it has as soon as the dialog's window is active, so on a busy machine the dialog
// would accept its starting folder, move into it and stay open.
inline void acceptTyped(QFileDialog *dialog, const QString &folder, const QString &typed)
{
    // Always meet the dialog as a person does, active and with its name field focused.
    if (!QTest::qWaitForWindowActive(dialog))
        qWarning("the file dialog never became active");
    dialog->setDirectory(folder);
    dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(typed);
    static_cast<QDialog *>(dialog)->accept();
}

inline void acceptFile(QFileDialog *dialog, const QString &path)
{
    const QFileInfo file(path);
    acceptTyped(dialog, file.absolutePath(), file.fileName());
}
