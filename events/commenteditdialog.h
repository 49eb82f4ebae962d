#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;

// Takes a free-text comment, for example the second line of a CSV export.
class CommentEditDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CommentEditDialog(QWidget *parent = nullptr);

    // The typed text when saved (possibly empty, never null); a null string when cancelled.
    static QString getComment(const QString &title, const QString &label, QWidget *parent = nullptr);

private:
    QLabel *m_label = nullptr;
    QPlainTextEdit *m_edit = nullptr;
};
