#pragma once

// Drives menus and dialogs in widget tests as a person would, while the code under test waits in
// their event loops.

#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <algorithm>
#include <functional>

// Picks an item, then an entry of its submenu, from the next menu that pops up, the way a person
// does: with the mouse. With an empty path it only notes that a menu opened and closes it.
class MenuPicker : public QObject
{
public:
    explicit MenuPicker(const QStringList &path)
        : m_path(path)
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &MenuPicker::poll);
        m_timer.start();
    }

    bool opened = false;
    bool missing = false; // an item of the path was not offered

private:
    void poll()
    {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible() || menu == m_last)
            return;
        opened = true;
        m_last = menu;
        const QString text = m_path.isEmpty() ? QString() : m_path.takeFirst();
        for (QAction *item : menu->actions()) {
            if (!text.isEmpty() && item->isVisible() && item->text() == text) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
                if (m_path.isEmpty())
                    m_timer.stop();
                return;
            }
        }
        missing = !text.isEmpty();
        m_timer.stop();
        menu->close();
        if (auto *top = qobject_cast<QMenu *>(QApplication::activePopupWidget()))
            top->close();
    }

    QStringList m_path;
    QTimer m_timer;
    QMenu *m_last = nullptr;
};

// Answers every modal dialog that comes up while it lives, once each time it is shown.
class ModalAnswerer : public QObject
{
public:
    explicit ModalAnswerer(std::function<void(QWidget *)> answer)
        : m_answer(std::move(answer))
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            // A dialog that was closed may be shown again (the program keeps some for reuse).
            m_answered.erase(
                std::remove_if(m_answered.begin(), m_answered.end(),
                               [](const QPointer<QWidget> &shown) { return !shown || !shown->isVisible(); }),
                m_answered.end());
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog || !dialog->isVisible() || m_answered.contains(dialog))
                return;
            m_answered.append(dialog);
            m_answer(dialog);
        });
        m_timer.start();
    }

private:
    std::function<void(QWidget *)> m_answer;
    QTimer m_timer;
    QList<QPointer<QWidget>> m_answered;
};
