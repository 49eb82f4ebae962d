#include "modalwatcher.h"
#include "ryncmddialog.h"
#include "ryncmdwidget.h"

#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

// One command as it leaves the widget: the controller (0 for the selected one), the code, the payload.
struct Sent
{
    int rynAddr;
    int cmdCode;
    QByteArray info;
    bool operator==(const Sent &other) const
    {
        return rynAddr == other.rynAddr && cmdCode == other.cmdCode && info == other.info;
    }
};
Q_DECLARE_METATYPE(Sent)
using SentList = QVector<Sent>;

namespace QTest {
template<>
char *toString(const Sent &sent)
{
    return qstrdup(QStringLiteral("(%1, %2, %3)")
                       .arg(sent.rynAddr)
                       .arg(sent.cmdCode)
                       .arg(QString::fromLatin1(sent.info.toHex()))
                       .toLatin1()
                       .constData());
}
} // namespace QTest

class TestRYNCmdWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void confirmedCommands_data();
    void confirmedCommands();
    void buttonsFollowSearchAndSelection();
    void commandFromTheList_data();
    void commandFromTheList();
    void commandListShowsWhole_data();
    void commandListShowsWhole();

private:
    static SentList record(RYNCmdWidget &widget, const std::function<void()> &action);
};

void TestRYNCmdWidget::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

SentList TestRYNCmdWidget::record(RYNCmdWidget &widget, const std::function<void()> &action)
{
    SentList sent;
    QObject context;
    QObject::connect(&widget, &RYNCmdWidget::signalSendCmd, &context,
                     [&sent](int cmdCode, const QByteArray &info) {
                         sent.append({0, cmdCode, info});
                     });
    QObject::connect(&widget, &RYNCmdWidget::signalSendCmd2, &context,
                     [&sent](uchar rynAddr, int cmdCode, const QByteArray &info) {
                         sent.append({rynAddr, cmdCode, info});
                     });
    action();
    return sent;
}

void TestRYNCmdWidget::confirmedCommands_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("question");
    QTest::addColumn<SentList>("sent");
    const QByteArray zeros(3, '\0');
    SentList defaults;
    SentList clear;
    for (int i = 0; i < 6; ++i) {
        defaults.append({0, 1309 + i, QByteArray()});
        clear.append({0, 1303 + i, QByteArray()});
    }
    QTest::addRow("reset") << "resetButton" << true << "Будет выполнен сброс выбранного RYN!\nПродолжить?"
                           << SentList{{0, 1001, zeros}};
    QTest::addRow("reset-declined") << "resetButton" << false
                                    << "Будет выполнен сброс выбранного RYN!\nПродолжить?" << SentList{};
    QTest::addRow("reset-all-three-found")
        << "resetAllButton" << true << "Будет выполнен сброс ВСЕХ RYN!\nПродолжить?"
        << SentList{{3, 1001, zeros}, {1, 1001, zeros}, {6, 1001, zeros}};
    QTest::addRow("reset-all-declined")
        << "resetAllButton" << false << "Будет выполнен сброс ВСЕХ RYN!\nПродолжить?" << SentList{};
    QTest::addRow("defaults") << "defaultsButton" << true
                              << "Вы уверены, что хотите сконфигурировать RYN значениями по умолчанию?"
                              << defaults;
    QTest::addRow("defaults-declined")
        << "defaultsButton" << false << "Вы уверены, что хотите сконфигурировать RYN значениями по умолчанию?"
        << SentList{};
    QTest::addRow("clear") << "clearButton" << true << "Вы уверены, что хотите очистить конфигурацию?"
                           << clear;
    QTest::addRow("clear-declined") << "clearButton" << false
                                    << "Вы уверены, что хотите очистить конфигурацию?" << SentList{};
}

void TestRYNCmdWidget::confirmedCommands()
{
    QFETCH(QString, button);
    QFETCH(bool, yes);
    QFETCH(QString, question);
    QFETCH(SentList, sent);
    RYNCmdWidget widget;
    for (int rynAddr : {3, 1, 3, 6})
        widget.slotRynFound(rynAddr);
    widget.slotRynSelected(3);

    QString title;
    QString text;
    whenModal<QMessageBox>([&](QMessageBox *box) {
        title = box->windowTitle();
        text = box->text();
        box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    const SentList recorded = record(widget, [&] { widget.findChild<QAbstractButton *>(button)->click(); });
    QCOMPARE(recorded, sent);
    QCOMPARE(title, QStringLiteral("Внимание!"));
    QCOMPARE(text, question);
}

void TestRYNCmdWidget::buttonsFollowSearchAndSelection()
{
    RYNCmdWidget widget;
    const auto enabled = [&widget](const char *name) {
        return widget.findChild<QAbstractButton *>(QLatin1String(name))->isEnabled();
    };
    const QStringList icons = {"resetButton", "commandsButton", "paramsButton", "resetAllButton"};
    for (const QString &name : icons)
        QVERIFY(!enabled(qPrintable(name)));
    QVERIFY(enabled("defaultsButton") && enabled("clearButton"));

    widget.slotRynFound(2);
    QVERIFY(enabled("resetAllButton"));
    QVERIFY(!enabled("resetButton"));
    widget.slotRynSelected(0);
    QVERIFY(!enabled("resetButton"));
    widget.slotRynSelected(2);
    for (const QString &name : icons)
        QVERIFY(enabled(qPrintable(name)));

    // A new search forgets the controllers found by the last one.
    widget.slotDisableRynCommands();
    for (const QString &name : icons)
        QVERIFY(!enabled(qPrintable(name)));
    QVERIFY(widget.foundRyns().isEmpty());
    widget.slotRynFound(5);
    QCOMPARE(widget.foundRyns(), QList<int>{5});
    QVERIFY(enabled("defaultsButton") && enabled("clearButton"));
}

void TestRYNCmdWidget::commandFromTheList_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("question"); // empty: none asked
    QTest::addColumn<SentList>("sent");
    const QByteArray zeros(3, '\0');
    const auto asked = [](const char *command) {
        return QStringLiteral("Будет выполнена команда RYN:\n%1\nПродолжить?")
            .arg(QString::fromUtf8(command));
    };
    QTest::addRow("first-row-loop-left-on")
        << 0 << true << true << asked("СЛИ слева - включить") << SentList{{0, 1003, zeros}};
    QTest::addRow("right-loop-off") << 3 << true << true << asked("СЛИ справа - выключить")
                                    << SentList{{0, 1006, zeros}};
    QTest::addRow("fault-relay-off") << 5 << true << true << asked("Реле 'Неисправность' - выключить")
                                     << SentList{{0, 1011, zeros}};
    QTest::addRow("fire-relay-on") << 8 << true << true << asked("Реле 'Пожар' - включить")
                                   << SentList{{0, 1009, zeros}};
    QTest::addRow("clear-all-tables")
        << 10 << true << true << asked("Очистка таблиц - ВСЕХ таблиц") << SentList{{0, 1019, zeros}};
    QTest::addRow("clear-all-tables-declined")
        << 10 << true << false << asked("Очистка таблиц - ВСЕХ таблиц") << SentList{};
    QTest::addRow("cancelled") << 4 << false << true << QString() << SentList{};
}

void TestRYNCmdWidget::commandFromTheList()
{
    QFETCH(int, row);
    QFETCH(bool, accept);
    QFETCH(bool, yes);
    QFETCH(QString, question);
    QFETCH(SentList, sent);
    RYNCmdWidget widget;
    widget.slotRynSelected(1);
    QListWidget *list = widget.cmdDialog()->list();
    QCOMPARE(list->count(), 11);
    QCOMPARE(list->currentRow(), 0);
    whenModal<RynCmdDialog>([row, accept](RynCmdDialog *dialog) {
        dialog->list()->setCurrentRow(row);
        dialog->findChild<QPushButton *>(QLatin1String(accept ? "executeButton" : "cancelButton"))->click();
    });
    QString title;
    QString text;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    if (!question.isEmpty()) {
        whenModal<QMessageBox>([&](QMessageBox *box) {
            title = box->windowTitle();
            text = box->text();
            defaultButton = box->standardButton(box->defaultButton());
            box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
    }
    // Every command of the list changes the controller: it goes out only once confirmed.
    const SentList recorded = record(
        widget, [&widget] { widget.findChild<QToolButton *>(QStringLiteral("commandsButton"))->click(); });
    QCOMPARE(recorded, sent);
    QCOMPARE(text, question);
    if (!question.isEmpty()) {
        QCOMPARE(title, QStringLiteral("Внимание!"));
        QCOMPARE(defaultButton, QMessageBox::No);
    }
}

void TestRYNCmdWidget::commandListShowsWhole_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("firstEntry");
    QTest::addRow("russian") << QString() << QStringLiteral("СЛИ слева            - включить");
    QTest::addRow("english") << QStringLiteral("testryn_EN.qm")
                             << QStringLiteral("Loop left            - on");
}

// Every entry of the command list is seen whole, without scrolling, in either language.
void TestRYNCmdWidget::commandListShowsWhole()
{
    QFETCH(QString, catalogue);
    QFETCH(QString, firstEntry);
    QTranslator translator;
    if (!catalogue.isEmpty()) {
        QVERIFY(translator.load(QDir(QCoreApplication::applicationDirPath()).filePath(catalogue)));
        QCoreApplication::installTranslator(&translator);
    }
    RynCmdDialog dialog;
    QCoreApplication::removeTranslator(&translator);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QListWidget *list = dialog.list();
    QCOMPARE(list->item(0)->text(), firstEntry);
    QVERIFY(!list->horizontalScrollBar()->isVisible());
    QVERIFY(!list->verticalScrollBar()->isVisible());
    const QRect viewport = list->viewport()->rect();
    const int textMargin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem *item = list->item(row);
        const QRect shown = list->visualItemRect(item);
        QVERIFY2(viewport.contains(shown), qPrintable(item->text()));
        QVERIFY2(list->fontMetrics().horizontalAdvance(item->text()) + 2 * textMargin <= shown.width(),
                 qPrintable(item->text()));
    }
    // On the smallest screen the tool is used on.
    QVERIFY(dialog.frameGeometry().width() <= 1366 && dialog.frameGeometry().height() <= 768);
}

QTEST_MAIN(TestRYNCmdWidget)
#include "tst_ryncmdwidget.moc"
