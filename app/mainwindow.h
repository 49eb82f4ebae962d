#pragma once

#include <QMainWindow>

// The program's one top-level window.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);

    void setLanguage(const QString &language);
    QString language() const { return m_language; }

private:
    QString m_language;
};
