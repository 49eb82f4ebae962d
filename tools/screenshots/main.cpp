// Takes the README's screenshots: opens the main window on a port (the simulated controllers), walks
// through controllers, tabs and view modes, and saves a picture of the window at each step.
#include "auinfowidget.h"
#include "aulegendwidget.h"
#include "mainwindow.h"
#include "ryncmdwidget.h"
#include "ryninfowidget.h"
#include "rynselectwidget.h"
#include "rynsetupdialog.h"
#include "settings.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

struct Shot
{
    int rynAddr;
    int tab;
    int viewMode; // index of the general grid's view-mode selector
    const char *file;
    int constantsTab = -1; // the constants dialog on this tab instead of the window
};

const Shot shots[] = {
    {1, AuInfoWidget::GeneralTab, 0, "general-full.png"},
    {1, AuInfoWidget::GeneralTab, 1, "general-version.png"},
    {1, AuInfoWidget::GeneralTab, 2, "general-temperature-smoke.png"},
    {2, AuInfoWidget::GeneralTab, 0, "general-full-controller-2.png"},
    {2, AuInfoWidget::GeneralTab, 3, "general-ionistor-voltage.png"},
    {2, AuInfoWidget::IonistorTab, 0, "ionistors.png"},
    {1, AuInfoWidget::SmokeTab, 0, "smoke.png"},
    {2, AuInfoWidget::GeneralTab, 0, "controller-panel.png"},
    {1, AuInfoWidget::GeneralTab, 0, "controller-constants.png", 3},
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(images);
    if (argc < 3) {
        std::fprintf(stderr, "usage: ryn-screenshots OUTPUT_DIR PORT [SECONDS_PER_SHOT]\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QString port = QString::fromLocal8Bit(argv[2]);
    const int settleMs = (argc > 3 ? QByteArray(argv[3]).toInt() : 6) * 1000;

    // The program's data files sit next to this executable; its settings go to a scratch file.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    QTemporaryDir scratch;
    Settings::fileName = scratch.filePath(QStringLiteral("TestRYN.ini"));
    Settings::PrgParams params;
    params.portName = port;
    Settings::writePrgParams(params);

    MainWindow window;
    window.setLanguage(QStringLiteral("RU"));
    window.resize(1600, 1000);
    window.show();

    int step = 0;
    QTimer timer;
    timer.setInterval(settleMs);
    RynSetupDialog *constants = window.rynInfoWidget()->cmdWidget()->setupDialog();
    const auto prepare = [&window, constants](const Shot &shot) {
        AuInfoWidget *tabs = window.auInfoWidget();
        tabs->selectWidget()->rynButton(shot.rynAddr)->click();
        tabs->tabWidget()->setCurrentIndex(shot.tab);
        tabs->legendWidget()->findChildren<QComboBox *>().first()->setCurrentIndex(shot.viewMode);
        if (shot.constantsTab >= 0) {
            constants->tabWidget()->setCurrentIndex(shot.constantsTab);
            constants->show();
        }
    };
    QObject::connect(&timer, &QTimer::timeout, &window, [&] {
        const QString path = out.filePath(QString::fromLatin1(shots[step].file));
        QWidget *target = shots[step].constantsTab >= 0 ? static_cast<QWidget *>(constants) : &window;
        const bool saved = target->grab().save(path);
        constants->hide();
        if (!saved) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            app.exit(1);
            return;
        }
        std::printf("%s\n", qPrintable(path));
        if (++step == int(std::size(shots))) {
            app.quit();
            return;
        }
        prepare(shots[step]);
    });
    // The start-up search selects a controller; the first shot follows it.
    QTimer::singleShot(3000, &window, [&] {
        prepare(shots[0]);
        timer.start();
    });
    return app.exec();
}
