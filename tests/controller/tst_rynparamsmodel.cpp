#include "modalwatcher.h"
#include "rynparamsmodel.h"
#include "rynsetupdialog.h"

#include <QComboBox>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

using Cells = QVector<QPair<int, int>>; // register and part of a row

class TestRynParamsModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void scaledValues_data();
    void scaledValues();
    void defaultsAfterCurrentValues();
    void yellowWhereTheValueInForceDiffers();
    void groupsPerTab_data();
    void groupsPerTab();
    void basicTabFollowsTheValuesInForce();

private:
    static int rowOf(const RynParamsModel &model, int reg, int part);
    static void sendAll(RynParamsModel &model, bool isDefault, ushort word);
};

void TestRynParamsModel::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

int TestRynParamsModel::rowOf(const RynParamsModel &model, int reg, int part)
{
    for (int row = 0; row < model.rowCount(); ++row) {
        if (int(model.param(row).regAddr) == reg && model.param(row).part == part)
            return row;
    }
    return -1;
}

void TestRynParamsModel::sendAll(RynParamsModel &model, bool isDefault, ushort word)
{
    const int first = isDefault ? 1002 : 1102;
    for (int reg = first; reg < first + 32; ++reg)
        model.slotRynConstantsUpdated(reg, word, isDefault);
}

void TestRynParamsModel::scaledValues_data()
{
    QTest::addColumn<int>("regAddr"); // as it arrives: 1002.. default, 1102.. in force
    QTest::addColumn<int>("word");
    QTest::addColumn<int>("part");
    QTest::addColumn<QString>("shown");
    QTest::addRow("supply-18.48") << 1109 << 0x0A50 << 0 << "18.5";
    QTest::addRow("supply-default-same-row") << 1009 << 0x0A50 << 0 << "18.5";
    QTest::addRow("current-division") << 1110 << 1000 << 0 << "16.0";
    QTest::addRow("ionistor-division") << 1122 << 413 << 0 << "8.1";
    QTest::addRow("plain-word") << 1108 << 300 << 0 << "300";
    QTest::addRow("low-byte") << 1102 << 0x0103 << 0 << "3";
    QTest::addRow("high-byte") << 1102 << 0x0103 << 1 << "1";
    QTest::addRow("last-register-high-byte") << 1133 << 0xFE01 << 1 << "254";
}

void TestRynParamsModel::scaledValues()
{
    QFETCH(int, regAddr);
    QFETCH(int, word);
    QFETCH(int, part);
    QFETCH(QString, shown);
    RynParamsModel model;
    const bool isDefault = regAddr < 1102;
    model.slotRynConstantsUpdated(regAddr, ushort(word), isDefault);
    const int row = rowOf(model, regAddr + (isDefault ? 100 : 0), part);
    QVERIFY(row >= 0);
    const int column = isDefault ? RynParamsModel::ColumnDefault : RynParamsModel::ColumnCurrent;
    QCOMPARE(model.index(row, column).data().toString(), shown);
    QCOMPARE(model.index(row, column).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    // Three lines high: the caption sits between two line breaks.
    const QString caption = model.index(row, RynParamsModel::ColumnName).data().toString();
    QVERIFY(caption.startsWith(QLatin1Char('\n')) && caption.endsWith(QLatin1Char('\n')));
}

void TestRynParamsModel::defaultsAfterCurrentValues()
{
    RynParamsModel model;
    // Words outside both blocks are not constants.
    for (int reg : {1001, 1034, 1101, 1134})
        model.slotRynConstantsUpdated(reg, 1, reg < 1100);
    QCOMPARE(model.rowCount(), 0);

    model.slotRynConstantsUpdated(1130, 0x0A05, false);
    model.slotRynConstantsUpdated(1109, 0x0A50, false);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.param(0).regAddr, 1130u);
    QCOMPARE(model.param(2).regAddr, 1109u);
    QCOMPARE(model.index(2, RynParamsModel::ColumnDefault).data().toString(), QString());

    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.slotRynConstantsUpdated(1009, 0x0A50, true);
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.index(2, RynParamsModel::ColumnDefault).data().toString(), QStringLiteral("18.5"));
    QCOMPARE(model.index(2, RynParamsModel::ColumnCurrent).data().toString(), QStringLiteral("18.5"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().at(0).toModelIndex().row(), 2);
}

void TestRynParamsModel::yellowWhereTheValueInForceDiffers()
{
    RynParamsModel model;
    const auto background = [&model](int row) {
        return model.index(row, RynParamsModel::ColumnCurrent).data(Qt::BackgroundRole);
    };
    model.slotRynConstantsUpdated(1103, 0x0205, false);
    // No default yet: nothing to differ from.
    QVERIFY(!background(0).isValid());
    model.slotRynConstantsUpdated(1003, 0x0305, true);
    QVERIFY(!background(0).isValid());                           // low byte 5 = 5
    QCOMPARE(background(1).value<QColor>(), QColor(Qt::yellow)); // high byte 2 != 3
    QVERIFY(!model.index(1, RynParamsModel::ColumnDefault).data(Qt::BackgroundRole).isValid());
    model.slotRynConstantsUpdated(1103, 0x0305, false);
    QVERIFY(!background(1).isValid());
    model.slotRynConstantsUpdated(1103, 0x0307, false);
    QCOMPARE(background(0).value<QColor>(), QColor(Qt::yellow));
}

void TestRynParamsModel::groupsPerTab_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<Cells>("cells");
    Cells extended;
    for (int reg = 1104; reg <= 1107; ++reg)
        extended << qMakePair(reg, 0) << qMakePair(reg, 1);
    for (int reg = 1108; reg <= 1114; ++reg)
        extended << qMakePair(reg, 0);
    extended << qMakePair(1120, 0) << qMakePair(1120, 1) << qMakePair(1121, 0) << qMakePair(1121, 1)
             << qMakePair(1122, 0) << qMakePair(1133, 1);
    QTest::addRow("extended") << 1 << extended;
    QTest::addRow("heat") << 2 << Cells{{1115, 0}, {1115, 1}, {1116, 0}, {1117, 0}, {1118, 0}, {1119, 0}};
    QTest::addRow("smoke") << 3 << Cells{{1123, 0}, {1123, 1}, {1124, 0}, {1124, 1}, {1125, 0}, {1125, 1},
                                         {1126, 0}, {1126, 1}, {1127, 0}, {1128, 0}, {1129, 0}};
    QTest::addRow("flame") << 4 << Cells{{1130, 0}, {1130, 1}, {1131, 0}, {1131, 1},
                                         {1132, 0}, {1132, 1}, {1133, 0}};
}

void TestRynParamsModel::groupsPerTab()
{
    QFETCH(int, group);
    QFETCH(Cells, cells);
    RynSetupDialog dialog;
    sendAll(*dialog.paramsModel(), false, 0x0101);
    QCOMPARE(dialog.paramsModel()->rowCount(), 49);
    QTableView *view = dialog.groupView(group);
    auto *proxy = qobject_cast<QSortFilterProxyModel *>(view->model());
    QVERIFY(proxy);
    Cells shown;
    for (int row = 0; row < proxy->rowCount(); ++row) {
        const RynParamsModel::RynParam &param =
            dialog.paramsModel()->param(proxy->mapToSource(proxy->index(row, 0)).row());
        shown << qMakePair(int(param.regAddr), param.part);
    }
    std::sort(shown.begin(), shown.end());
    QCOMPARE(shown, cells);
    QVERIFY(view->isColumnHidden(RynParamsModel::ColumnSet));
    QCOMPARE(dialog.tabWidget()->count(), 5);
}

void TestRynParamsModel::basicTabFollowsTheValuesInForce()
{
    RynSetupDialog dialog;
    auto *address = dialog.findChild<QSpinBox *>(QStringLiteral("modbusAddrSpinBox"));
    auto *language = dialog.findChild<QComboBox *>(QStringLiteral("langCombo"));
    auto *backlight = dialog.findChild<QComboBox *>(QStringLiteral("backlightCombo"));
    auto *charging = dialog.findChild<QSpinBox *>(QStringLiteral("chargingCountSpinBox"));
    for (QWidget *input : {static_cast<QWidget *>(address), static_cast<QWidget *>(language),
                           static_cast<QWidget *>(backlight), static_cast<QWidget *>(charging)})
        QVERIFY(!input->isEnabled());

    RynParamsModel *model = dialog.paramsModel();
    model->slotRynConstantsUpdated(1002, 0x0001, true);
    model->slotRynConstantsUpdated(1102, 0x0103, false);
    model->slotRynConstantsUpdated(1103, 0x0207, false);
    QCOMPARE(address->value(), 3);
    QCOMPARE(language->currentText(), QStringLiteral("EN"));
    QCOMPARE(backlight->currentIndex(), -1); // 7 minutes is not a choice
    QCOMPARE(charging->value(), 2);
    model->slotRynConstantsUpdated(1103, 0x02FF, false);
    QCOMPARE(backlight->currentText(), QStringLiteral("Всегда"));
    model->slotRynConstantsUpdated(1102, 0x0005, false);
    QCOMPARE(address->value(), 5);
    QCOMPARE(language->currentText(), QStringLiteral("RU"));

    // Opening the dialog shows the values in force again and closes with its one button.
    whenModal<RynSetupDialog>([](RynSetupDialog *shown) {
        shown->findChild<QPushButton *>(QStringLiteral("closeButton"))->click();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(address->value(), 5);
}

QTEST_MAIN(TestRynParamsModel)
#include "tst_rynparamsmodel.moc"
