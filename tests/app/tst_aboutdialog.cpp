#include "aboutdialog.h"

#include <QLabel>
#include <QTimer>
#include <QtTest>

class TestAboutDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void textFitsWhole_data();
    void textFitsWhole();
};

void TestAboutDialog::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

void TestAboutDialog::textFitsWhole_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addRow("version-text") << QStringList{
        QStringLiteral("Тест RYN.\nВерсия 3.0.0.7\nВерсия описания событий 12")};
    QTest::addRow("longer-text-on-reuse")
        << QStringList{QStringLiteral("Тест RYN."),
                       QStringLiteral("Тест RYN.\nВерсия 3.0.0.7\nВерсия описания событий 12\n%1\n%1")
                           .arg(QString(120, QLatin1Char('W')))};
}

void TestAboutDialog::textFitsWhole()
{
    QFETCH(QStringList, texts);

    AboutDialog dialog;
    QString shown;
    QSize labelSize, labelHint, dialogSize, dialogHint;
    bool logoLoaded = false;
    for (const QString &text : texts) {
        QTimer::singleShot(0, &dialog, [&] {
            const auto *label = dialog.findChild<QLabel *>(QStringLiteral("textLabel"));
            shown = label->text();
            labelSize = label->size();
            labelHint = label->sizeHint();
            dialogSize = dialog.size();
            dialogHint = dialog.sizeHint();
            logoLoaded =
                !dialog.findChild<QLabel *>(QStringLiteral("logoLabel"))->pixmap(Qt::ReturnByValue).isNull();
            dialog.accept();
        });
        QCOMPARE(dialog.exec(text), int(QDialog::Accepted));
    }
    QCOMPARE(shown, texts.last());
    QVERIFY(labelSize.width() >= labelHint.width());
    QVERIFY(labelSize.height() >= labelHint.height());
    QCOMPARE(dialogSize, dialogHint + QSize(20, 20));
    QVERIFY(logoLoaded);
}

QTEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
