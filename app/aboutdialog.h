#pragma once

#include <QDialog>

class QLabel;

// Shows the program's name, versions and the maker's logo and web site.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);

    // Shows text (composed by the caller) and runs the dialog at a size that fits it.
    int exec(const QString &text);

private:
    QLabel *m_textLabel = nullptr;
};
