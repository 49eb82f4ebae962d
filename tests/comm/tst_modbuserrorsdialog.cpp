#include "modbuserrorsdialog.h"

#include <QLabel>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

using ErrorMap = QMap<int, int>;
Q_DECLARE_METATYPE(ErrorMap)

// What the dialog showed while it was open.
struct Shown
{
    QString total;
    QStringList rows;
    QList<int> selectedRows;
    QSize size;
};

static Shown look(const ModbusErrorsDialog &dialog)
{
    Shown shown;
    shown.total = dialog.findChild<QLabel *>(QStringLiteral("totalLabel"))->text();
    const auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("errorTable"));
    for (int row = 0; row < table->rowCount(); ++row)
        shown.rows.append(table->item(row, 0)->text() + QLatin1Char('|') + table->item(row, 1)->text());
    for (const QModelIndex &index : table->selectionModel()->selectedRows())
        shown.selectedRows.append(index.row());
    shown.size = dialog.size();
    return shown;
}

class TestModbusErrorsDialog : public QObject
{
    Q_OBJECT

private slots:
    void errorText_data();
    void errorText();
    void table_data();
    void table();
    void keepsUserSize();
};

void TestModbusErrorsDialog::errorText_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::addRow("illegal-data-address")
        << 2 << QStringLiteral("[2] Адрес данных, указанный в запросе, не доступен данному подчиненному");
    QTest::addRow("slave-busy") << 6 << QStringLiteral("[6] Подчиненный занят обработкой команды");
    QTest::addRow("code-zero-unknown") << 0 << QStringLiteral("[0] ");
    QTest::addRow("code-after-standard-ones-unknown") << 7 << QStringLiteral("[7] ");
    QTest::addRow("signed-byte-code-unknown") << -127 << QStringLiteral("[-127] ");
}

void TestModbusErrorsDialog::errorText()
{
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(ModbusErrorsDialog::errorText(code), text);
}

void TestModbusErrorsDialog::table_data()
{
    QTest::addColumn<QList<ErrorMap>>("openings");
    QTest::addColumn<int>("total");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QList<int>>("selected");

    QTest::addRow("empty-map") << QList<ErrorMap>{ErrorMap{}} << 0 << QStringList{} << QList<int>{};
    QTest::addRow("codes-in-ascending-order")
        << QList<ErrorMap>{ErrorMap{{6, 1}, {2, 5}}} << 6
        << QStringList{QStringLiteral(
                           "[2] Адрес данных, указанный в запросе, не доступен данному подчиненному|5"),
                       QStringLiteral("[6] Подчиненный занят обработкой команды|1")}
        << QList<int>{0};
    QTest::addRow("unknown-code-listed-by-number")
        << QList<ErrorMap>{ErrorMap{{9, 3}}} << 3 << QStringList{QStringLiteral("[9] |3")} << QList<int>{0};
    QTest::addRow("reopened-without-errors-shows-no-stale-rows")
        << QList<ErrorMap>{ErrorMap{{1, 4}, {3, 2}}, ErrorMap{}} << 0 << QStringList{} << QList<int>{};
    QTest::addRow("reopened-with-fewer-codes")
        << QList<ErrorMap>{ErrorMap{{1, 4}, {3, 2}}, ErrorMap{{4, 7}}} << 7
        << QStringList{QStringLiteral("[4] Невосстанавливаемая ошибка при выполнении действия подчиненным|7")}
        << QList<int>{0};
}

void TestModbusErrorsDialog::table()
{
    QFETCH(QList<ErrorMap>, openings);
    QFETCH(int, total);
    QFETCH(QStringList, rows);
    QFETCH(QList<int>, selected);

    ModbusErrorsDialog dialog;
    Shown shown;
    for (const ErrorMap &map : openings) {
        QTimer::singleShot(0, &dialog, [&] {
            shown = look(dialog);
            dialog.reject();
        });
        QCOMPARE(dialog.exec(total, map), int(QDialog::Rejected));
    }
    QCOMPARE(shown.total, QStringLiteral("Всего ошибок: %1").arg(total));
    QCOMPARE(shown.rows, rows);
    QCOMPARE(shown.selectedRows, selected);
}

void TestModbusErrorsDialog::keepsUserSize()
{
    ModbusErrorsDialog dialog;
    QList<QSize> sizes;
    for (const QSize &userSize : {QSize(900, 420), QSize(760, 300)}) {
        QTimer::singleShot(0, &dialog, [&] {
            sizes.append(look(dialog).size);
            dialog.resize(userSize);
            dialog.reject();
        });
        dialog.exec(0, {});
    }
    QTimer::singleShot(0, &dialog, [&] {
        sizes.append(look(dialog).size);
        dialog.reject();
    });
    dialog.exec(0, {});
    QVERIFY(sizes.at(0).width() >= 700);
    QCOMPARE(sizes.at(1), QSize(900, 420));
    QCOMPARE(sizes.at(2), QSize(760, 300));
}

QTEST_MAIN(TestModbusErrorsDialog)
#include "tst_modbuserrorsdialog.moc"
