#include "evdescfile.h"
#include "mainwindow.h"
#include "settings.h"
#include "startup.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    Q_INIT_RESOURCE(images);

    // Declared before the window so that they outlive it.
    QTranslator first;
    QTranslator second;
    const QString language = prepareStartup(first, second);
    EvDescFile::setUserDirectory(Settings::userDataDirectory);

    MainWindow window;
    window.setLanguage(language);
    window.show();
    return application.exec();
}
