#include "auinfowidget.h"
#include "eventsmodel.h"
#include "eventswidget.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "ryncmdwidget.h"
#include "ryninfowidget.h"
#include "rynparamsmodel.h"
#include "rynselectwidget.h"
#include "rynsetupdialog.h"
#include "simprogramfolder.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

// The controller panel, its commands and the constants dialog of the whole program, against three
// simulated controllers on a pseudo-terminal.
class TestControllerViewsSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void panelShowsAndFollowsTheController();
    void constantsDialogShowsDefaultsAndValuesInForce();
    void commandsReachTheControllers();

private:
    void startWindow();
    QString label(const char *name) const;
    bool ballIs(const char *name, const char *colour) const;
    int resetEvents(int rynAddr) const;
    void confirmAndClick(const char *button);

    std::unique_ptr<SimProgramFolder> m_folder;
    std::unique_ptr<MainWindow> m_window;
};

namespace {

// Controller 2 is the one the settings remember; its minimum supply (constant 7) is not the factory one.
const char scenario[] = R"({
  "controllers": [
    { "address": 1, "version": 14, "versionMajor": 3, "typeWord": 1, "initSeconds": 1,
      "units": [ { "addresses": "1-3", "type": 4 } ] },
    { "address": 2, "version": 17, "versionMajor": 4, "typeWord": 2, "initSeconds": 1,
      "operatingTime": 190000, "supply24V": 24.4, "resistance": 187,
      "constants": { "current": { "7": 2700 } },
      "units": [ { "addresses": "1-5", "type": 4 }, { "address": 6, "type": 2 } ] },
    { "address": 3, "version": 15, "versionMajor": 3, "initSeconds": 1,
      "units": [ { "address": 1, "type": 1 } ] }
  ]
})";

} // namespace

void TestControllerViewsSim::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

void TestControllerViewsSim::init()
{
    m_folder = std::make_unique<SimProgramFolder>();
    QVERIFY2(m_folder->start(scenario, 2), qPrintable(m_folder->errorString()));
}

void TestControllerViewsSim::cleanup()
{
    m_window.reset();
    m_folder.reset();
}

void TestControllerViewsSim::startWindow()
{
    m_window = std::make_unique<MainWindow>();
    m_window->setLanguage(QStringLiteral("RU"));
    m_window->show();
}

QString TestControllerViewsSim::label(const char *name) const
{
    auto *found = m_window->rynInfoWidget()->findChild<QLabel *>(QLatin1String(name));
    return found ? found->text() : QStringLiteral("<none>");
}

bool TestControllerViewsSim::ballIs(const char *name, const char *colour) const
{
    auto *ball = m_window->rynInfoWidget()->findChild<QLabel *>(QLatin1String(name));
    const QPixmap expected = QPixmap(QStringLiteral(":/images/rxtx/ball_%1.png").arg(QLatin1String(colour)))
                                 .scaled(10, 10, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return ball && ball->pixmap(Qt::ReturnByValue).toImage() == expected.toImage();
}

int TestControllerViewsSim::resetEvents(int rynAddr) const
{
    auto *events = m_window->eventsWidget()->findChild<EventsModel *>();
    int count = 0;
    for (int row = 0; row < events->rowCount(); ++row) {
        if (events->index(row, EventsModel::ColumnCode).data().toInt() == 101 &&
            events->index(row, EventsModel::ColumnRyn).data().toInt() == rynAddr)
            ++count;
    }
    return count;
}

void TestControllerViewsSim::confirmAndClick(const char *button)
{
    whenModal<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
    m_window->rynInfoWidget()->cmdWidget()->findChild<QAbstractButton *>(QLatin1String(button))->click();
}

void TestControllerViewsSim::panelShowsAndFollowsTheController()
{
    startWindow();
    QTRY_VERIFY_WITH_TIMEOUT(m_window->foundMask() == 0b1110 && !m_window->isSearching(), 10000);
    auto *group = m_window->rynInfoWidget()->findChild<QGroupBox *>(QStringLiteral("rynGroup"));
    QCOMPARE(group->title(), QStringLiteral("RYN адрес 2"));

    QTRY_COMPARE_WITH_TIMEOUT(label("versionLabel"), QStringLiteral("4-17"), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(label("polledCountLabel"), QStringLiteral("6"), 10000);
    QCOMPARE(label("reg976"), QStringLiteral("2"));
    QCOMPARE(label("unitCountLabel"), QStringLiteral("6"));
    QCOMPARE(label("voltage24Label"), QStringLiteral("24.4"));
    QCOMPARE(label("current24Label"), QStringLiteral("149.6"));
    QCOMPARE(label("resistanceLabel"), QStringLiteral("18.7"));
    // 190000 s: 2 days, 4 hours, 46 minutes and 40 seconds, and counting.
    QTRY_VERIFY2_WITH_TIMEOUT(label("operatingTimeLabel").startsWith(QLatin1String("2:04:4")),
                              qPrintable(label("operatingTimeLabel")), 10000);
    QVERIFY(ballIs("loopBreakBall", "white"));

    QCOMPARE(m_folder->sim().command(QStringLiteral("set 2 0 loopBreak 1")), QStringLiteral("OK"));
    QCOMPARE(m_folder->sim().command(QStringLiteral("set 2 0 startRelay 1")), QStringLiteral("OK"));
    QTRY_VERIFY_WITH_TIMEOUT(ballIs("loopBreakBall", "yellow"), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(ballIs("startRelayBall", "red"), 5000);
    QTableWidget *report = m_window->auInfoWidget()->reportTable();
    QCOMPARE(report->item(8, 1)->text(), QStringLiteral("Да"));

    // The older controller reports no operating time.
    m_window->auInfoWidget()->selectWidget()->rynButton(1)->click();
    QTRY_COMPARE_WITH_TIMEOUT(label("versionLabel"), QStringLiteral("3-14"), 10000);
    QCOMPARE(label("operatingTimeLabel"), QStringLiteral("----:--:--:--"));
    QTRY_VERIFY_WITH_TIMEOUT(ballIs("loopBreakBall", "white"), 5000);
    QCOMPARE(group->title(), QStringLiteral("RYN адрес 1"));
}

void TestControllerViewsSim::constantsDialogShowsDefaultsAndValuesInForce()
{
    startWindow();
    RynParamsModel *model = m_window->rynInfoWidget()->cmdWidget()->setupDialog()->paramsModel();
    QTRY_COMPARE_WITH_TIMEOUT(model->rowCount(), 49, 10000);
    const QString defaultWord =
        m_folder->sim().command(QStringLiteral("reg 2 2009")).section(QLatin1Char(' '), 1);
    const QString defaultShown = QString::number(defaultWord.toInt() * 0.007, 'f', 1);
    QTRY_VERIFY_WITH_TIMEOUT(
        [model] {
            for (int row = 0; row < model->rowCount(); ++row) {
                if (model->param(row).regAddr == 1109)
                    return model->param(row).defaultValue.isValid() &&
                           model->param(row).currentValue.isValid();
            }
            return false;
        }(),
        10000);

    QStringList minimumSupply; // default, in force, background of the value in force
    QStringList ownAddress;
    QTRY_VERIFY_WITH_TIMEOUT(m_window->rynInfoWidget()
                                 ->cmdWidget()
                                 ->findChild<QAbstractButton *>(QStringLiteral("paramsButton"))
                                 ->isEnabled(),
                             10000);
    whenModal<RynSetupDialog>([&](RynSetupDialog *dialog) {
        QAbstractItemModel *extended = dialog->groupView(1)->model();
        for (int row = 0; row < extended->rowCount(); ++row) {
            const QString caption = extended->index(row, 0).data().toString();
            QStringList *target = caption.contains(QStringLiteral("Минимальное напряжение питания"))
                                      ? &minimumSupply
                                  : caption.contains(QStringLiteral("Количество адресов в ЛС")) ? &ownAddress
                                                                                                : nullptr;
            if (!target)
                continue;
            *target << extended->index(row, 1).data().toString() << extended->index(row, 2).data().toString()
                    << extended->index(row, 2).data(Qt::BackgroundRole).value<QColor>().name();
        }
        dialog->accept();
    });
    m_window->rynInfoWidget()
        ->cmdWidget()
        ->findChild<QAbstractButton *>(QStringLiteral("paramsButton"))
        ->click();
    QCOMPARE(minimumSupply, (QStringList{defaultShown, QStringLiteral("18.9"), QColor(Qt::yellow).name()}));
    QCOMPARE(ownAddress, (QStringList{QStringLiteral("250"), QStringLiteral("250"), QColor().name()}));
}

void TestControllerViewsSim::commandsReachTheControllers()
{
    startWindow();
    QTRY_VERIFY_WITH_TIMEOUT(m_window->foundMask() == 0b1110 && !m_window->isSearching(), 10000);
    RYNCmdWidget *commands = m_window->rynInfoWidget()->cmdWidget();
    QCOMPARE(commands->foundRyns(), (QList<int>{1, 2, 3}));
    // Each controller reports its power-up reset once; only the resets below are counted after it.
    QTRY_VERIFY_WITH_TIMEOUT(resetEvents(1) == 1 && resetEvents(2) == 1 && resetEvents(3) == 1, 10000);
    const int before[] = {resetEvents(1), resetEvents(2), resetEvents(3)};

    confirmAndClick("resetButton");
    QTRY_COMPARE_WITH_TIMEOUT(resetEvents(2), before[1] + 1, 10000);
    QCOMPARE(resetEvents(1), before[0]);

    confirmAndClick("resetAllButton");
    QTRY_VERIFY_WITH_TIMEOUT(resetEvents(1) == before[0] + 1 && resetEvents(2) == before[1] + 2 &&
                                 resetEvents(3) == before[2] + 1,
                             10000);

    const QString configured = QStringLiteral("OK configType=4");
    QCOMPARE(m_folder->sim().command(QStringLiteral("get 2 3 configType")), configured);
    confirmAndClick("clearButton");
    QTRY_COMPARE_WITH_TIMEOUT(m_folder->sim().command(QStringLiteral("get 2 3 configType")),
                              QStringLiteral("OK configType=255"), 10000);
    confirmAndClick("defaultsButton");
    QTRY_COMPARE_WITH_TIMEOUT(m_folder->sim().command(QStringLiteral("get 2 3 configType")), configured,
                              10000);
    QCOMPARE(m_folder->sim().command(QStringLiteral("get 1 3 configType")), configured);
}

QTEST_MAIN(TestControllerViewsSim)
#include "tst_controllerviewssim.moc"
