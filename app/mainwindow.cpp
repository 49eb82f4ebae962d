#include "mainwindow.h"

#include "version.h"

#include <QIcon>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(tr("Тест RYN") + QStringLiteral(" v. ") + QLatin1String(programVersion));
    setWindowIcon(QIcon(QStringLiteral(":/images/ostrel_logo.png")));
}

void MainWindow::setLanguage(const QString &language)
{
    m_language = language;
}
