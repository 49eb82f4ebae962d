#include "modalwatcher.h"
#include "readingrynsprogressdialog.h"
#include "rynselectdialog.h"
#include "settings.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

// The choice of controllers for a report run and the run's progress dialog.
class TestRynReadingDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void addressChoices_data();
    void addressChoices();
    void rangeStartNeverPassesItsEnd();
    void progressShowsEachCompletion();

private:
    QTemporaryDir *m_dir = nullptr;
};

namespace {

struct Row
{
    bool shown = false;
    bool success = false;
    bool failure = false;
};

Row row(const ReadingRynsProgressDialog &dialog, int rynAddr)
{
    const auto *label = dialog.findChild<QLabel *>(QStringLiteral("rynLabel%1").arg(rynAddr));
    const auto *success = dialog.findChild<QLabel *>(QStringLiteral("success%1").arg(rynAddr));
    const auto *failure = dialog.findChild<QLabel *>(QStringLiteral("failure%1").arg(rynAddr));
    return {label->isVisible(), success->isVisible(), failure->isVisible()};
}

} // namespace

void TestRynReadingDialogs::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

void TestRynReadingDialogs::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(QDir::setCurrent(m_dir->path()));
    Settings::fileName = QStringLiteral("TestRYN.ini");
}

void TestRynReadingDialogs::cleanup()
{
    Settings::fileName.clear();
    QDir::setCurrent(QDir::tempPath());
    delete m_dir;
    m_dir = nullptr;
}

void TestRynReadingDialogs::addressChoices_data()
{
    QTest::addColumn<QString>("button"); // object name of the radio button clicked; empty: none
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QVariant>("stored"); // "RynAddr" in the settings; invalid: none
    QTest::addColumn<QList<int>>("addresses");
    QTest::addRow("current-at-construction") << QString() << 1 << 8 << QVariant(5) << QList<int>{5};
    QTest::addRow("current-default") << "0" << 1 << 8 << QVariant() << QList<int>{1};
    // The settings' address is taken unchanged; the run refuses it later.
    QTest::addRow("current-out-of-range") << "0" << 1 << 8 << QVariant(12) << QList<int>{12};
    QTest::addRow("all") << "1" << 3 << 5 << QVariant(2) << QList<int>{1, 2, 3, 4, 5, 6, 7, 8};
    QTest::addRow("range-3-3") << "2" << 3 << 3 << QVariant(2) << QList<int>{3};
    QTest::addRow("range-2-6") << "2" << 2 << 6 << QVariant(7) << QList<int>{2, 3, 4, 5, 6};
}

void TestRynReadingDialogs::addressChoices()
{
    QFETCH(QString, button);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QVariant, stored);
    QFETCH(QList<int>, addresses);
    if (stored.isValid())
        Settings::writeValue(stored, QStringLiteral("RynAddr"), QStringLiteral("System"));
    RynSelectDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Выбор RYN"));
    QVERIFY(dialog.findChild<QRadioButton *>(QStringLiteral("0"))->isChecked());

    QList<int> chosen;
    whenModal<RynSelectDialog>([&](RynSelectDialog *shown) {
        if (!button.isEmpty())
            shown->findChild<QRadioButton *>(button)->click();
        shown->findChild<QSpinBox *>(QStringLiteral("rangeEnd"))->setValue(end);
        shown->findChild<QSpinBox *>(QStringLiteral("rangeStart"))->setValue(start);
        shown->findChild<QPushButton *>(QStringLiteral("applyButton"))->click();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(dialog.selectedAddresses(), addresses);

    // Reused, it offers the last choice again; cancelling keeps it.
    whenModal<RynSelectDialog>([](RynSelectDialog *shown) {
        shown->findChild<QPushButton *>(QStringLiteral("cancelButton"))->click();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(dialog.selectedAddresses(), addresses);
    if (!button.isEmpty())
        QVERIFY(dialog.findChild<QRadioButton *>(button)->isChecked());
}

void TestRynReadingDialogs::rangeStartNeverPassesItsEnd()
{
    RynSelectDialog dialog;
    auto *start = dialog.findChild<QSpinBox *>(QStringLiteral("rangeStart"));
    auto *end = dialog.findChild<QSpinBox *>(QStringLiteral("rangeEnd"));
    QCOMPARE(start->value(), 1);
    QCOMPARE(end->value(), 8);
    end->setValue(4);
    start->setValue(6);
    QCOMPARE(start->value(), 4);
    end->setValue(2);
    QCOMPARE(end->value(), 4);
    start->setValue(3);
    end->setValue(1);
    QCOMPARE(end->value(), 3);
    QCOMPARE(start->maximum(), 3);
    QCOMPARE(end->minimum(), 3);
    QCOMPARE(end->maximum(), 8);
    QCOMPARE(start->minimum(), 1);
}

void TestRynReadingDialogs::progressShowsEachCompletion()
{
    ReadingRynsProgressDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Процесс сохранения данных"));
    const QSize size = dialog.size();
    QCOMPARE(dialog.minimumSize(), size);
    QCOMPARE(dialog.maximumSize(), size);

    // Five controllers: 2 succeeds, 3 fails; "Закрыть" only once all five are in.
    QList<Row> rows;
    bool cancelDuringRun = false;
    bool closeDuringRun = true;
    int valueBeforeEnd = -1;
    int maximum = -1;
    whenModal<ReadingRynsProgressDialog>([&](ReadingRynsProgressDialog *shown) {
        maximum = shown->progressBar()->maximum();
        for (int address = 1; address <= 8; ++address)
            QVERIFY(!row(*shown, address).shown);
        shown->slotRynReadingCompleted(2, true);
        shown->slotRynReadingCompleted(3, false);
        for (int address : {2, 3, 4})
            rows << row(*shown, address);
        shown->slotRynReadingCompleted(4, true);
        shown->slotRynReadingCompleted(5, false);
        valueBeforeEnd = shown->progressBar()->value();
        cancelDuringRun = shown->cancelButton()->isVisible();
        closeDuringRun = shown->closeButton()->isVisible();
        shown->slotRynReadingCompleted(6, true);
        QVERIFY(shown->closeButton()->isVisible());
        QVERIFY(!shown->cancelButton()->isVisible());
        QCOMPARE(shown->closeButton()->text(), QStringLiteral("Закрыть"));
        shown->closeButton()->click();
    });
    QCOMPARE(dialog.exec(5), int(QDialog::Accepted));
    QCOMPARE(maximum, 5);
    QCOMPARE(valueBeforeEnd, 4);
    QVERIFY(cancelDuringRun);
    QVERIFY(!closeDuringRun);
    QCOMPARE(rows.size(), 3);
    QVERIFY(rows.at(0).shown && rows.at(0).success && !rows.at(0).failure);
    QVERIFY(rows.at(1).shown && !rows.at(1).success && rows.at(1).failure);
    QVERIFY(!rows.at(2).shown);

    // The next run starts clean; cancelling it rejects.
    bool clean = false;
    whenModal<ReadingRynsProgressDialog>([&](ReadingRynsProgressDialog *shown) {
        clean = !row(*shown, 2).shown && shown->progressBar()->value() == 0 &&
                shown->cancelButton()->isVisible() && !shown->closeButton()->isVisible();
        QCOMPARE(shown->cancelButton()->text(), QStringLiteral("Отмена"));
        shown->cancelButton()->click();
    });
    QCOMPARE(dialog.exec(1), int(QDialog::Rejected));
    QVERIFY(clean);
    QCOMPARE(dialog.size(), size);
}

QTEST_MAIN(TestRynReadingDialogs)
#include "tst_rynreadingdialogs.moc"
