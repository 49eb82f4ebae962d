#include "fullyclickablecheckbox.h"
#include "rynselectwidget.h"
#include "typefilter.h"

#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

class TestRYNSelectWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void uncheckedGroupsMakeTheFilter_data();
    void uncheckedGroupsMakeTheFilter();
    void allTypesBoxChecksEveryGroup();
    void wholeMenuRowToggles();
    void controllerChoice();
    void searchAndDisable();
    void eventReception();
};

static FullyClickableCheckbox *groupBox(const RYNSelectWidget &panel, int group)
{
    return panel.findChild<FullyClickableCheckbox *>(QString::number(group));
}

static FullyClickableCheckbox *allTypesBox(const RYNSelectWidget &panel)
{
    for (FullyClickableCheckbox *box : panel.findChildren<FullyClickableCheckbox *>()) {
        if (box->isTristate())
            return box;
    }
    return nullptr;
}

void TestRYNSelectWidget::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

void TestRYNSelectWidget::uncheckedGroupsMakeTheFilter_data()
{
    QTest::addColumn<QList<int>>("unchecked");
    QTest::addColumn<QList<int>>("filter");
    QTest::addColumn<int>("allTypes");
    QTest::addRow("heat-only") << QList<int>{0} << QList<int>{2, 3} << int(Qt::PartiallyChecked);
    QTest::addRow("groups-in-index-order")
        << QList<int>{9, 6, 1} << QList<int>{4, 8, 14, 9, 15, 16} << int(Qt::PartiallyChecked);
    QTest::addRow("input-relay-module") << QList<int>{8} << QList<int>{13} << int(Qt::PartiallyChecked);
    QTest::addRow("every-group-one-by-one")
        << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}
        << QList<int>{2, 3, 4, 23, 24, 5, 6, 1, 7, 17, 8, 14, 9, 10, 11, 13, 15, 16} << int(Qt::Unchecked);
}

void TestRYNSelectWidget::uncheckedGroupsMakeTheFilter()
{
    QFETCH(QList<int>, unchecked);
    QFETCH(QList<int>, filter);
    QFETCH(int, allTypes);
    RYNSelectWidget panel;
    QSignalSpy spy(&panel, &RYNSelectWidget::signalFilterChanged);
    for (int group : unchecked)
        groupBox(panel, group)->click();
    QCOMPARE(spy.count(), unchecked.size());
    QCOMPARE(spy.last().at(0).value<QList<int>>(), filter);
    QCOMPARE(int(allTypesBox(panel)->checkState()), allTypes);
    QCOMPARE(panel.findChild<QToolButton *>()->styleSheet(),
             QStringLiteral("QToolButton {border: 2px solid orange;}"));

    // Checking them again empties the list and drops the orange frame.
    for (int group : unchecked)
        groupBox(panel, group)->click();
    QCOMPARE(spy.last().at(0).value<QList<int>>(), QList<int>());
    QCOMPARE(allTypesBox(panel)->checkState(), Qt::Checked);
    QCOMPARE(panel.findChild<QToolButton *>()->styleSheet(), QString());
}

void TestRYNSelectWidget::allTypesBoxChecksEveryGroup()
{
    RYNSelectWidget panel;
    QSignalSpy spy(&panel, &RYNSelectWidget::signalFilterChanged);
    allTypesBox(panel)->click(); // checked -> unchecked
    QCOMPARE(spy.last().at(0).value<QList<int>>(),
             (QList<int>{2, 3, 4, 23, 24, 5, 6, 1, 7, 17, 8, 14, 9, 10, 11, 13, 15, 16}));
    for (int group = 0; group < TypeFilter::GroupCount; ++group)
        QVERIFY(!groupBox(panel, group)->isChecked());

    groupBox(panel, 4)->click();
    QCOMPARE(allTypesBox(panel)->checkState(), Qt::PartiallyChecked);
    allTypesBox(panel)->click(); // partial -> checked
    QCOMPARE(spy.last().at(0).value<QList<int>>(), QList<int>());
    for (int group = 0; group < TypeFilter::GroupCount; ++group)
        QVERIFY(groupBox(panel, group)->isChecked());
    QCOMPARE(allTypesBox(panel)->checkState(), Qt::Checked);
}

void TestRYNSelectWidget::wholeMenuRowToggles()
{
    FullyClickableCheckbox box(QStringLiteral("x"));
    box.resize(300, 30);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, QPoint(290, 15));
    QVERIFY(box.isChecked());
}

void TestRYNSelectWidget::controllerChoice()
{
    RYNSelectWidget panel;
    QSignalSpy spy(&panel, &RYNSelectWidget::signalRynSelected);
    panel.setRynEnabled(5, true);
    QRadioButton *five = panel.rynButton(5);
    five->click();
    five->click(); // an already chosen controller is chosen again
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toInt(), 5);
    QVERIFY(panel.rynButton(0)->isHidden());

    panel.setRynChecked(5, false);
    QVERIFY(!five->isChecked());
    QCOMPARE(spy.count(), 2);
}

void TestRYNSelectWidget::searchAndDisable()
{
    RYNSelectWidget panel;
    for (int addr = 1; addr <= 8; ++addr)
        panel.setRynEnabled(addr, true);
    panel.setRynChecked(3, true);
    panel.slotlDisableRyn(0);
    panel.slotlDisableRyn(9);
    panel.slotlDisableRyn(2);
    QVERIFY(!panel.rynButton(2)->isEnabled());
    QVERIFY(panel.rynButton(1)->isEnabled());
    QVERIFY(panel.rynButton(8)->isEnabled());

    panel.searchButton()->click();
    for (int addr = 1; addr <= 8; ++addr) {
        QVERIFY(!panel.rynButton(addr)->isEnabled());
        QVERIFY(!panel.rynButton(addr)->isChecked());
    }
}

void TestRYNSelectWidget::eventReception()
{
    RYNSelectWidget panel;
    QSignalSpy spy(&panel, &RYNSelectWidget::signalEventsFromAllRyn);
    panel.slotEnentsFromAllRyn(true);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.last().at(0).toBool(), true);
    panel.slotEnentsFromAllRyn(false);
    QCOMPARE(spy.last().at(0).toBool(), false);
    panel.slotEnentsFromAllRyn(false);
    QCOMPARE(spy.count(), 2);
}

QTEST_MAIN(TestRYNSelectWidget)
#include "tst_rynselectwidget.moc"
