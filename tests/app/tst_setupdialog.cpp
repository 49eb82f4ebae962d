#include "setupdialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

class TestSetupDialog : public QObject
{
    Q_OBJECT

private slots:
    void evCount_data();
    void evCount();
};

void TestSetupDialog::evCount_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("expected");

    QTest::addRow("lower-limit-kept") << 100 << QString() << true << 100;
    QTest::addRow("stored-below-range-saved-as-lower-limit") << 10 << QString() << true << 100;
    QTest::addRow("stored-above-range-saved-as-upper-limit") << 999999 << QString() << true << 50000;
    QTest::addRow("typed-value-saved") << 1000 << QStringLiteral("250") << true << 250;
    QTest::addRow("typed-below-range-becomes-lower-limit") << 1000 << QStringLiteral("50") << true << 100;
    QTest::addRow("digits-beyond-upper-limit-refused") << 1000 << QStringLiteral("70000") << true << 7000;
    QTest::addRow("cancel-keeps-record") << 1000 << QStringLiteral("250") << false << 1000;
}

void TestSetupDialog::evCount()
{
    QFETCH(int, stored);
    QFETCH(QString, typed);
    QFETCH(bool, save);
    QFETCH(int, expected);

    SetupDialog dialog;
    Settings::PrgParams params;
    params.portName = QStringLiteral("ttyUSB1");
    params.rynAddr = 5;
    params.evCount = stored;
    QTimer::singleShot(0, &dialog, [&] {
        auto *edit = dialog.findChild<QSpinBox *>(QStringLiteral("evCountSpinBox"))->findChild<QLineEdit *>();
        if (!typed.isEmpty()) {
            edit->selectAll();
            QTest::keyClicks(edit, typed);
        }
        QTest::mouseClick(dialog.findChild<QPushButton *>(save ? QStringLiteral("saveButton")
                                                               : QStringLiteral("cancelButton")),
                          Qt::LeftButton);
    });
    QCOMPARE(dialog.exec(params), int(save ? QDialog::Accepted : QDialog::Rejected));
    QCOMPARE(params.evCount, expected);
    QCOMPARE(params.portName, QStringLiteral("ttyUSB1"));
    QCOMPARE(int(params.rynAddr), 5);
}

QTEST_MAIN(TestSetupDialog)
#include "tst_setupdialog.moc"
