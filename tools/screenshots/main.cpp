// Takes the README's screenshots: opens the main window on a port (the simulated controllers), walks
// through controllers, tabs and view modes, and saves a picture of the window at each step (or of a
// unit's parameter window, a unit's menu, its configuration dialog or the line monitor, opened for
// the step). Last, the trend window records controller 1 for RYN_SHOTS_TREND_SECONDS (150) and is
// taken twice: the smoke detector of the demo line that fouls up, under its fire threshold, and the
// controller's supplies.
// RYN_SHOTS_ONLY (file names separated by commas) takes only those pictures.
#include "aucell.h"
#include "aucellswidget.h"
#include "auconfigurationdialog.h"
#include "auinfowidget.h"
#include "aulegendwidget.h"
#include "aupropertieswidget.h"
#include "linemonitorwindow.h"
#include "mainwindow.h"
#include "ryncmdwidget.h"
#include "ryninfowidget.h"
#include "rynselectwidget.h"
#include "rynsetupdialog.h"
#include "settings.h"
#include "trendrecorder.h"
#include "trendswindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

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
    int paramsAddr = 0;    // a unit whose parameter window is the picture; 0: the main window
    int menuAddr = 0;      // a unit whose menu, with this submenu open, is drawn over the window
    const char *submenu = nullptr;
    int configAddr = 0; // a unit whose configuration dialog is the picture
    bool lineMonitor = false; // the line monitor, with a controller search shortly before the picture
    const char *modal = nullptr; // a modal dialog that is the picture: "port" or "event-filter"
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
    {1, AuInfoWidget::PropertiesTab, 0, "properties.png"},
    {2, AuInfoWidget::PropertiesTab, 0, "unit-parameters.png", -1, 3},
    {2, AuInfoWidget::GeneralTab, 0, "unit-menu.png", -1, 0, 3, "Чтение границ"},
    {1, AuInfoWidget::GeneralTab, 0, "configuration-dialog.png", -1, 0, 0, nullptr, 29},
    {1, AuInfoWidget::GeneralTab, 0, "line-monitor.png", -1, 0, 0, nullptr, 0, true},
    {1, AuInfoWidget::GeneralTab, 0, "port-dialog.png", -1, 0, 0, nullptr, 0, false, "port"},
    {1, AuInfoWidget::GeneralTab, 0, "event-filter.png", -1, 0, 0, nullptr, 0, false, "event-filter"},
};

// The window with the open menus painted where they stand on the screen: a menu is a window of its
// own, which a picture of the main window leaves out.
QPixmap withMenus(QWidget &window)
{
    QPixmap picture = window.grab();
    // The innermost menu is the active one; the menu it opened from is painted first, beneath it.
    QList<QPair<QPoint, QPixmap>> menus;
    while (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
        menus.prepend({menu->mapToGlobal(QPoint()) - window.mapToGlobal(QPoint()), menu->grab()});
        menu->close();
    }
    QPainter painter(&picture);
    for (const auto &menu : qAsConst(menus))
        painter.drawPixmap(menu.first, menu.second);
    return picture;
}

// Opens a unit's menu as a right click does, then the named submenu in it.
void openMenu(MainWindow &window, int addr, const QString &submenu)
{
    AuCell *cell = window.auInfoWidget()->generalGrid()->cell(addr);
    const QPoint at = cell->rect().center();
    QTimer::singleShot(500, cell, [submenu] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *item : menu->actions()) {
            if (item->menu() && item->text() == submenu)
                menu->setActiveAction(item);
        }
    });
    QMouseEvent press(QEvent::MouseButtonPress, at, cell->mapToGlobal(at), Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    QApplication::sendEvent(cell, &press);
}

const char *const trendShots[] = {"trends-smoke.png", "trends-supplies.png"};

// Records the trends of controller 1 for a while, then takes the two trend pictures and quits.
void takeTrends(QApplication &app, MainWindow &window, const QDir &out)
{
    window.auInfoWidget()->selectWidget()->rynButton(1)->click();
    TrendsWindow *trends = window.trendsWindow();
    TrendRecorder *recorder = trends->recorder();
    // One series alone on an axis sits in its middle: two currents and two voltages would lie on
    // each other in pairs, so the 13 V current is left out.
    const QList<TrendSeries> smoke{{1, 6, TrendCatalogue::Smoke}};
    const QList<TrendSeries> supplies{{1, 0, TrendCatalogue::Supply24Voltage},
                                      {1, 0, TrendCatalogue::Supply24Current},
                                      {1, 0, TrendCatalogue::Supply13Voltage}};
    for (const TrendSeries &series : recorder->series())
        recorder->removeSeries(series);
    for (const TrendSeries &series : smoke + supplies)
        recorder->addSeries(series);
    trends->setGeometry(0, 0, 1366, 768);
    trends->showWindow();
    const int seconds = qEnvironmentVariableIntValue("RYN_SHOTS_TREND_SECONDS") > 0
                            ? qEnvironmentVariableIntValue("RYN_SHOTS_TREND_SECONDS")
                            : 150;
    QTimer::singleShot(seconds * 1000, &window, [&app, trends, recorder, smoke, supplies, seconds, out] {
        const auto take = [&](const QList<TrendSeries> &shown, const char *file) {
            for (const TrendSeries &series : recorder->series()) {
                if (!shown.contains(series))
                    recorder->removeSeries(series);
            }
            for (const TrendSeries &series : shown)
                recorder->addSeries(series);
            // The tree follows the choice a moment later.
            QEventLoop settle;
            QTimer::singleShot(800, &settle, &QEventLoop::quit);
            settle.exec();
            trends->setFollowSpanSeconds(seconds + 10);
            trends->setCursorTime(recorder->now() - seconds * 1000 / 3);
            trends->refresh();
            const QString path = out.filePath(QString::fromLatin1(file));
            if (!trends->grab().save(path)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                app.exit(1);
                return false;
            }
            std::printf("%s\n", qPrintable(path));
            return true;
        };
        if (take(smoke, trendShots[0]) && take(supplies, trendShots[1]))
            app.quit();
    });
}

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
    // RYN_SHOTS_LANG=EN takes the pictures in English: the program's catalogue, the English event texts.
    const QString language = qEnvironmentVariable("RYN_SHOTS_LANG", QStringLiteral("RU")).toUpper();
    Settings::writeValue(language, QStringLiteral("Lang"), QStringLiteral("Lang"));
    QTranslator catalogue;
    if (language != QLatin1String("RU")) {
        if (!catalogue.load(QStringLiteral("testryn_") + language + QStringLiteral(".qm"))) {
            std::fprintf(stderr, "no catalogue for %s\n", qPrintable(language));
            return 2;
        }
        QCoreApplication::installTranslator(&catalogue);
    }

    MainWindow window;
    window.setLanguage(language);
    window.resize(1600, 1000);
    window.show();

    const QStringList only =
        QString::fromLocal8Bit(qgetenv("RYN_SHOTS_ONLY")).split(QLatin1Char(','), Qt::SkipEmptyParts);
    const bool withTrends = only.isEmpty() || only.contains(QLatin1String(trendShots[0])) ||
                            only.contains(QLatin1String(trendShots[1]));
    const auto finish = [&] {
        if (withTrends)
            takeTrends(app, window, out);
        else
            app.quit();
    };
    const auto nextShot = [&only](int from) {
        while (from < int(std::size(shots)) && !only.isEmpty() &&
               !only.contains(QString::fromLatin1(shots[from].file)))
            ++from;
        return from;
    };
    int step = 0;
    QTimer timer;
    timer.setInterval(settleMs);
    RynSetupDialog *constants = window.rynInfoWidget()->cmdWidget()->setupDialog();
    AuPropertiesWidget *page = window.auInfoWidget()->propertiesWidget();
    const auto prepare = [&window, constants, page, settleMs](const Shot &shot) {
        AuInfoWidget *tabs = window.auInfoWidget();
        tabs->selectWidget()->rynButton(shot.rynAddr)->click();
        tabs->tabWidget()->setCurrentIndex(shot.tab);
        tabs->legendWidget()->findChildren<QComboBox *>().first()->setCurrentIndex(shot.viewMode);
        if (shot.constantsTab >= 0) {
            constants->tabWidget()->setCurrentIndex(shot.constantsTab);
            constants->show();
        }
        // The window is modal: it runs in its own event loop, in which the shot timer goes on.
        if (shot.paramsAddr > 0)
            QTimer::singleShot(0, page, [page, shot] { page->slotShowAuParams(shot.paramsAddr); });
        // Once the controller's units are on screen: the menu is made for the unit the cell shows.
        if (shot.menuAddr > 0) {
            QTimer::singleShot(settleMs / 2, &window, [&window, shot] {
                openMenu(window, shot.menuAddr, QCoreApplication::translate("AuMenu", shot.submenu));
            });
        }
        if (shot.configAddr > 0)
            QTimer::singleShot(0, page,
                               [page, shot] { page->slotShowAuConfig(shot.configAddr, HeatDetector); });
        // A modal dialog runs its own event loop, in which the shot timer goes on.
        if (shot.modal) {
            const QString which = QLatin1String(shot.modal);
            QTimer::singleShot(0, &window, [&window, which] {
                if (which == QLatin1String("port"))
                    window.selectComPort();
                else
                    window.findChild<QPushButton *>(QStringLiteral("filterButton"))->click();
            });
        }
        // The search's probes, answered and not, and the monitoring that follows fill the table.
        if (shot.lineMonitor) {
            window.slotShowLineMonitor();
            QTimer::singleShot(qMax(0, settleMs - 2500), &window,
                               [tabs] { tabs->selectWidget()->searchButton()->click(); });
        }
    };
    QObject::connect(&timer, &QTimer::timeout, &window, [&] {
        const QString path = out.filePath(QString::fromLatin1(shots[step].file));
        QDialog *params = page->parametersDialog();
        QDialog *configuration = page->configurationDialog();
        QWidget *monitor = window.lineMonitor();
        QWidget *modal = shots[step].modal ? QApplication::activeModalWidget() : nullptr;
        QWidget *target = modal                           ? modal
                          : params->isVisible()           ? static_cast<QWidget *>(params)
                          : configuration->isVisible()    ? static_cast<QWidget *>(configuration)
                          : shots[step].constantsTab >= 0 ? static_cast<QWidget *>(constants)
                          : shots[step].lineMonitor       ? monitor
                                                          : &window;
        const QPixmap picture = target == &window ? withMenus(window) : target->grab();
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        params->accept();
        configuration->reject();
        constants->hide();
        if (monitor)
            monitor->close();
        if (!picture.save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            app.exit(1);
            return;
        }
        std::printf("%s\n", qPrintable(path));
        step = nextShot(step + 1);
        if (step == int(std::size(shots))) {
            timer.stop();
            finish();
            return;
        }
        prepare(shots[step]);
    });
    // The start-up search selects a controller; the first shot follows it.
    step = nextShot(0);
    QTimer::singleShot(3000, &window, [&] {
        if (step == int(std::size(shots))) {
            finish();
            return;
        }
        prepare(shots[step]);
        timer.start();
    });
    return app.exec();
}
