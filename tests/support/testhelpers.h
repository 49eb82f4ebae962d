#pragma once

// Small helpers that tests of several folders share.

#include <QFile>
#include <QPushButton>
#include <QString>
#include <QWidget>

// The push button of a window by its text; null when there is none.
inline QPushButton *buttonWithText(const QWidget *window, const QString &text)
{
    for (QPushButton *candidate : window->findChildren<QPushButton *>()) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

// A written file's bytes; empty when it cannot be read.
inline QByteArray fileBytes(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
