#include "linemonitormodel.h"
#include "linemonitorwindow.h"
#include "modalwatcher.h"
#include "numberedrecords.h"
#include "settings.h"
#include "testhelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The request the numbered records carry: a ping of controller 1.
const QByteArray ping = QByteArray::fromHex("010303d0000185b7");

// The record in the top row on screen.
int topId(const LineMonitorWindow &window)
{
    const int row = window.view()->rowAt(0);
    return row < 0 ? -1 : window.model()->record(row).durationMs;
}

int bottomRow(const LineMonitorWindow &window)
{
    return window.view()->rowAt(window.view()->viewport()->height() - 2);
}

} // namespace

class TestLineMonitorWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void recordsOnlyWhileShown();
    void recordsFromTheWorkerReachTheTable();
    void followsTheNewestUnlessScrolledUp();
    void controlsDriveTheTable();
    void geometryIsRemembered();
    void saving_data();
    void saving();

private:
    QTemporaryDir *m_dir = nullptr;
};

void TestLineMonitorWindow::init()
{
    m_dir = new QTemporaryDir;
    Settings::fileName = m_dir->filePath(QStringLiteral("TestRYN.ini"));
}

void TestLineMonitorWindow::cleanup()
{
    Settings::fileName.clear();
    delete m_dir;
    m_dir = nullptr;
}

void TestLineMonitorWindow::recordsOnlyWhileShown()
{
    LineMonitorWindow window;
    QSignalSpy monitoring(&window, &LineMonitorWindow::signalMonitoring);
    window.show();
    window.showMinimized();
    window.close();
    window.show();
    QCOMPARE(monitoring.size(), 3);
    QCOMPARE(monitoring.at(0).at(0).toBool(), true);
    QCOMPARE(monitoring.at(1).at(0).toBool(), false);
    QCOMPARE(monitoring.at(2).at(0).toBool(), true);
}

void TestLineMonitorWindow::recordsFromTheWorkerReachTheTable()
{
    LineMonitorWindow window;
    window.show();
    window.slotLineRecords(numberedBatch(0, 5, ping), 0);
    window.slotLineRecords(numberedBatch(5, 3, ping), 2);
    window.slotLineRecords(numberedBatch(8, 4, ping), 1);
    QTRY_COMPARE(window.model()->rowCount(), 12);
    for (int row = 0; row < 12; ++row)
        QCOMPARE(window.model()->record(row).durationMs, row);
    QCOMPARE(window.model()->lostCount(), qint64(3));
}

void TestLineMonitorWindow::followsTheNewestUnlessScrolledUp()
{
    LineMonitorWindow window;
    window.resize(900, 400);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    LineMonitorModel *model = window.model();
    QScrollBar *bar = window.view()->verticalScrollBar();

    model->slotLineRecords(numberedBatch(0, 1000, ping), 0);
    QTRY_COMPARE(bottomRow(window), model->rowCount() - 1);
    model->slotLineRecords(numberedBatch(1000, 10, ping), 0);
    QTRY_COMPARE(bottomRow(window), model->rowCount() - 1);

    // Scrolled up, the rows on screen stay, also while the oldest drop off the top.
    bar->setValue(500);
    QCOMPARE(topId(window), 500);
    model->slotLineRecords(numberedBatch(1010, LineMonitorModel::capacity - 1010, ping), 0);
    QCOMPARE(model->keptCount(), LineMonitorModel::capacity);
    QCoreApplication::processEvents();
    QCOMPARE(topId(window), 500);
    model->slotLineRecords(numberedBatch(LineMonitorModel::capacity, 300, ping), 0);
    QCoreApplication::processEvents();
    QCOMPARE(model->record(0).durationMs, 300);
    QCOMPARE(topId(window), 500);

    // Back at the bottom, it follows again.
    window.view()->scrollToBottom();
    model->slotLineRecords(numberedBatch(LineMonitorModel::capacity + 300, 50, ping), 0);
    QTRY_COMPARE(bottomRow(window), model->rowCount() - 1);
    QCOMPARE(model->record(bottomRow(window)).durationMs, LineMonitorModel::capacity + 349);
}

void TestLineMonitorWindow::controlsDriveTheTable()
{
    LineMonitorWindow window;
    window.show();
    LineMonitorModel *model = window.model();
    model->slotLineRecords(numberedBatch(0, 12, ping), 0);
    auto *combo = window.findChild<QComboBox *>();
    combo->setCurrentIndex(combo->findText(QStringLiteral("2")));
    QCOMPARE(model->rowCount(), 4);
    for (int row = 0; row < model->rowCount(); ++row)
        QCOMPARE(model->record(row).rynAddr, 2);
    window.findChild<QCheckBox *>()->setChecked(true);
    QCOMPARE(model->rowCount(), 1); // id 4
    combo->setCurrentIndex(0);
    QCOMPARE(model->rowCount(), 3); // ids 0, 4, 8
    window.findChild<QCheckBox *>()->setChecked(false);

    buttonWithText(&window, QStringLiteral("Пауза"))->click();
    model->slotLineRecords(numberedBatch(12, 3, ping), 0);
    QCOMPARE(model->rowCount(), 12);
    buttonWithText(&window, QStringLiteral("Пауза"))->click();
    QCOMPARE(model->rowCount(), 15);
    buttonWithText(&window, QStringLiteral("Очистить"))->click();
    QCOMPARE(model->rowCount(), 0);
}

void TestLineMonitorWindow::geometryIsRemembered()
{
    const QRect placed(120, 90, 1010, 430);
    {
        LineMonitorWindow window;
        window.setGeometry(placed);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.close();
    }
    QVERIFY(Settings::readValue(QStringLiteral("Geometry"), QStringLiteral("LineMonitorWindow")).isValid());
    LineMonitorWindow window;
    window.show();
    QCOMPARE(window.geometry().size(), placed.size());
}

void TestLineMonitorWindow::saving_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("boxTitle");
    QTest::addRow("csv-by-its-filter") << QStringLiteral("line") << 0 << QStringLiteral("line.csv")
                                       << QStringLiteral("Успех!");
    QTest::addRow("text-by-its-filter") << QStringLiteral("line") << 1 << QStringLiteral("line.txt")
                                        << QStringLiteral("Успех!");
    QTest::addRow("typed-suffix-kept") << QStringLiteral("line.csv") << 1 << QStringLiteral("line.csv")
                                       << QStringLiteral("Успех!");
    QTest::addRow("missing-folder") << QStringLiteral("missing/line.csv") << 0 << QString()
                                    << QStringLiteral("Ошибка!");
}

void TestLineMonitorWindow::saving()
{
    QFETCH(QString, typed);
    QFETCH(int, filter);
    QFETCH(QString, written);
    QFETCH(QString, boxTitle);
    LineMonitorWindow window;
    window.show();
    window.model()->slotLineRecords(numberedBatch(0, 12, ping), 0);
    window.findChild<QCheckBox *>()->setChecked(true);
    QString title;
    whenModal<QFileDialog>([&](QFileDialog *dialog) {
        whenModal<QMessageBox>([&title](QMessageBox *box) {
            title = box->windowTitle();
            box->accept();
        });
        dialog->selectNameFilter(dialog->nameFilters().at(filter));
        acceptTyped(dialog, m_dir->path(), typed);
    });
    buttonWithText(&window, QStringLiteral("Сохранить ..."))->click();
    QCOMPARE(title, boxTitle);
    if (written.isEmpty())
        return;
    QFile file(m_dir->filePath(written));
    QVERIFY(file.open(QIODevice::ReadOnly));
    // The header and the three rows the filter shows.
    QCOMPARE(file.readAll().count('\n'), 4);
}

QTEST_MAIN(TestLineMonitorWindow)
#include "tst_linemonitorwindow.moc"
