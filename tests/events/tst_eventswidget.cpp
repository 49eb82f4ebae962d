#include "eventsmodel.h"
#include "eventswidget.h"
#include "evfilterdialog.h"
#include "modalwatcher.h"
#include "settings.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QHeaderView>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QtTest>

namespace {

ModbusEvent makeEvent(int code, int ryn = 1)
{
    ModbusEvent ev;
    ev.received = QDateTime(QDate(2024, 3, 9), QTime(7, 5, 3));
    ev.rynAddr = quint8(ryn);
    ev.auAddr = 10;
    ev.evCode = quint8(code);
    return ev;
}

ModbusProtocol::EventList batch(int count, int ryn = 1, int firstCode = 1)
{
    ModbusProtocol::EventList events;
    for (int i = 0; i < count; ++i)
        events << makeEvent((firstCode + i) % 256, ryn);
    return events;
}

// The Russian description file with the given "data" array.
bool writeDescriptionFile(const QByteArray &data, int version)
{
    QFile file(QStringLiteral("Resources/Messages.RU"));
    const QByteArray json =
        "{\"content\": \"Ostrel TestRyn events description\", \"version\": " + QByteArray::number(version) +
        ", \"data\": " + data + "}";
    return file.open(QIODevice::WriteOnly) && file.write(json) == json.size();
}

bool writeDescriptions(const QByteArray &bgColor, int version)
{
    return writeDescriptionFile("[{\"code\": 5, \"desc\": \"Пожар\", \"bgColor\": \"" + bgColor + "\"}]",
                                version);
}

// Sets the controller filter in the dialog and presses the given button.
void answerFilterDialog(bool rynOn, int rynAddr, const QString &button)
{
    whenModal<EvFilterDialog>([=](EvFilterDialog *dialog) {
        const auto boxes = dialog->findChildren<QGroupBox *>();
        boxes.at(0)->setChecked(rynOn);
        boxes.at(0)->findChild<QSpinBox *>()->setValue(rynAddr);
        for (auto *push : dialog->findChildren<QPushButton *>()) {
            if (push->text() == button)
                push->click();
        }
    });
}

void answerQuestion(QMessageBox::StandardButton answer, QString *text)
{
    whenModal<QMessageBox>([=](QMessageBox *box) {
        *text = box->text();
        box->button(answer)->click();
    });
}

} // namespace

class TestEventsWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void filterControlsAndStatus_data();
    void filterControlsAndStatus();
    void fixationKeepsRowsStill();
    void clearAsksAndDeletesAll_data();
    void clearAsksAndDeletesAll();
    void overflowIndicators();
    void columnWidthsAndPathInSettings();
    void installedProgramSavesEventsInTheHomeFolder();
    void reloadRepaints();
    void damagedDescriptionsShownAndNamed_data();
    void damagedDescriptionsShownAndNamed();
    void rowNumbersAsAPlainTableShowsThem_data();
    void rowNumbersAsAPlainTableShowsThem();
    void cellsLookAsAPlainTableDrawsThem();

private:
    template<typename T>
    T *child(EventsWidget &widget, const char *name)
    {
        return widget.findChild<T *>(QString::fromLatin1(name));
    }
    QTemporaryDir *m_dir = nullptr;
};

void TestEventsWidget::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

void TestEventsWidget::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
    QVERIFY(QDir().mkpath(QStringLiteral("Resources")));
    Settings::fileName = QStringLiteral("TestRYN.ini");
}

void TestEventsWidget::cleanup()
{
    Settings::fileName.clear();
    Settings::userDataDirectory.clear();
    QDir::setCurrent(QDir::tempPath());
    delete m_dir;
    m_dir = nullptr;
}

void TestEventsWidget::filterControlsAndStatus_data()
{
    QTest::addColumn<bool>("rynOn");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("rynField");
    QTest::addColumn<bool>("styled");
    QTest::addColumn<bool>("csvEnabled");

    QTest::addRow("controller-filter-accepted")
        << true << QStringLiteral("Ввод") << QStringLiteral("Событий: 2/5") << QStringLiteral("2") << true
        << true;
    QTest::addRow("cancel-leaves-filter-off")
        << true << QStringLiteral("Отмена") << QStringLiteral("Событий: 5") << QString() << false << true;
    QTest::addRow("filter-to-nothing-disables-csv")
        << true << QStringLiteral("Ввод") << QStringLiteral("Событий: 0/5") << QStringLiteral("7") << true
        << false;
}

void TestEventsWidget::filterControlsAndStatus()
{
    QFETCH(bool, rynOn);
    QFETCH(QString, button);
    QFETCH(QString, count);
    QFETCH(QString, rynField);
    QFETCH(bool, styled);
    QFETCH(bool, csvEnabled);

    EventsWidget widget;
    widget.slotEvents(batch(3, 1));
    widget.slotEvents(batch(2, 2));
    QCOMPARE(child<QLabel>(widget, "countLabel")->text(), QStringLiteral("Событий: 5"));

    answerFilterDialog(rynOn, rynField.isEmpty() ? 2 : rynField.toInt(), button);
    widget.slotSetFilter();
    QCOMPARE(child<QLabel>(widget, "countLabel")->text(), count);
    QCOMPARE(child<QLineEdit>(widget, "rynEdit")->text(), rynField);
    QCOMPARE(child<QLineEdit>(widget, "auEdit")->text(), QString());
    QCOMPARE(!child<QPushButton>(widget, "filterButton")->styleSheet().isEmpty(), styled);
    QCOMPARE(child<QPushButton>(widget, "csvButton")->isEnabled(), csvEnabled);

    // Turning the filter off again restores the plain count and style.
    answerFilterDialog(false, 1, QStringLiteral("Ввод"));
    widget.slotSetFilter();
    QCOMPARE(child<QLabel>(widget, "countLabel")->text(), QStringLiteral("Событий: 5"));
    QVERIFY(child<QPushButton>(widget, "filterButton")->styleSheet().isEmpty());
}

void TestEventsWidget::fixationKeepsRowsStill()
{
    EventsWidget widget;
    widget.resize(800, 300);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    widget.slotEvents(batch(200));
    QCoreApplication::processEvents();
    auto *table = child<QTableView>(widget, "eventsTable");
    table->verticalScrollBar()->setValue(50);
    QCoreApplication::processEvents();
    const int topNumber = table->model()->headerData(table->rowAt(0), Qt::Vertical).toInt();

    QTest::mouseClick(child<QCheckBox>(widget, "fixationCheck"), Qt::LeftButton);
    widget.slotEvents(batch(3, 1, 201));
    QTRY_COMPARE(table->verticalScrollBar()->value(), 53);
    QCOMPARE(table->model()->headerData(table->rowAt(0), Qt::Vertical).toInt(), topNumber);
    QVERIFY(!table->currentIndex().isValid());

    // Without fixation new rows push the picture down; unchecking returns to the newest.
    QTest::mouseClick(child<QCheckBox>(widget, "fixationCheck"), Qt::LeftButton);
    QCOMPARE(table->verticalScrollBar()->value(), 0);
    widget.slotEvents(batch(3, 1, 204));
    QCoreApplication::processEvents();
    QCOMPARE(table->verticalScrollBar()->value(), 0);
}

void TestEventsWidget::clearAsksAndDeletesAll_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("count");

    QTest::addRow("no-keeps-everything") << int(QMessageBox::No) << QStringLiteral("Событий: 2/3");
    QTest::addRow("yes-deletes-hidden-rows-too") << int(QMessageBox::Yes) << QStringLiteral("Событий: 0/0");
}

void TestEventsWidget::clearAsksAndDeletesAll()
{
    QFETCH(int, answer);
    QFETCH(QString, count);

    EventsWidget widget;
    widget.slotSetMaxEvCount(3);
    widget.slotEvents(batch(2, 1));
    widget.slotEvents(batch(2, 2));
    answerFilterDialog(true, 2, QStringLiteral("Ввод"));
    widget.slotSetFilter();
    QCOMPARE(child<QLabel>(widget, "countLabel")->text(), QStringLiteral("Событий: 2/3"));

    QString question;
    answerQuestion(QMessageBox::StandardButton(answer), &question);
    child<QPushButton>(widget, "clearButton")->click();
    QCOMPARE(question, QStringLiteral("Будут удалены все события, не только отфильтрованные!\nПродолжить?"));
    QCOMPARE(child<QLabel>(widget, "countLabel")->text(), count);
    QCOMPARE(child<QPushButton>(widget, "clearButton")->isEnabled(), answer == QMessageBox::No);
    // What was received and dropped is still told after clearing.
    QVERIFY(widget.hasOverflowed());
    QCOMPARE(child<QLabel>(widget, "receivedLabel")->text(), QStringLiteral("4"));
}

void TestEventsWidget::overflowIndicators()
{
    EventsWidget widget;
    widget.slotSetMaxEvCount(5);
    widget.slotEvents(batch(5));
    QVERIFY(!widget.hasOverflowed());
    QVERIFY(child<QLabel>(widget, "receivedLabel")->text().isEmpty());

    widget.slotSetMaxEvCount(3); // nothing is removed yet, but the user is told
    QVERIFY(widget.hasOverflowed());
    QCOMPARE(child<QLabel>(widget, "countLabel")->text(), QStringLiteral("Событий: 5"));
    QCOMPARE(child<QLabel>(widget, "receivedLabel")->text(), QString());

    widget.slotEvents(batch(1));
    QCOMPARE(child<QLabel>(widget, "countLabel")->text(), QStringLiteral("Событий: 3"));
    QCOMPARE(child<QLabel>(widget, "receivedLabel")->text(), QStringLiteral("6"));
    QVERIFY(child<QLabel>(widget, "receivedLabel")->styleSheet().contains(QLatin1String("darkgoldenrod")));
}

void TestEventsWidget::columnWidthsAndPathInSettings()
{
    const QString group = QStringLiteral("Ev");
    Settings::writeValue(55, QStringLiteral("Width3"), group);
    Settings::writeValue(0, QStringLiteral("Width5"), group);
    {
        EventsWidget widget;
        auto *table = child<QTableView>(widget, "eventsTable");
        QCOMPARE(table->columnWidth(0), 100);
        QCOMPARE(table->columnWidth(3), 55);
        QCOMPARE(table->columnWidth(5), 100);
        // Every header text is whole at the default width ("Доп. параметры" was cut at 100).
        const QHeaderView *header = table->horizontalHeader();
        for (int column = 0; column < table->model()->columnCount(); ++column) {
            if (column == 3)
                continue;
            const QString text = table->model()->headerData(column, Qt::Horizontal).toString();
            const int textWidth = QFontMetrics(header->font()).horizontalAdvance(text);
            QVERIFY2(table->columnWidth(column) >= textWidth + 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin),
                     qPrintable(text));
        }
        table->setColumnWidth(7, 321);
    }
    QCOMPARE(Settings::readValue(QStringLiteral("Width7"), group).toInt(), 321);
    QCOMPARE(Settings::readValue(QStringLiteral("Width3"), group).toInt(), 55);
    QCOMPARE(Settings::readValue(QStringLiteral("CsvFileName"), group).toString(), QDir::currentPath());
}

void TestEventsWidget::installedProgramSavesEventsInTheHomeFolder()
{
    Settings::userDataDirectory = QDir::temp().filePath(QStringLiteral("user-data"));
    {
        EventsWidget widget;
    }
    QCOMPARE(Settings::readValue(QStringLiteral("CsvFileName"), QStringLiteral("Ev")).toString(), QDir::homePath());
}

void TestEventsWidget::reloadRepaints()
{
    QVERIFY(writeDescriptions("White", 1));
    EventsWidget widget;
    widget.setEventDescLanguage(QStringLiteral("RU"));
    widget.slotEvents({makeEvent(5)});
    auto *table = child<QTableView>(widget, "eventsTable");
    const QModelIndex cell = table->model()->index(0, EventsModel::ColumnDesc);
    QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
    QCOMPARE(widget.eventDescVersion(), 1);

    QVERIFY(writeDescriptions("#ff0000", 2));
    QSignalSpy changed(table->model(), &QAbstractItemModel::dataChanged);
    widget.slotEventDescModifyed();
    QVERIFY(!changed.isEmpty());
    QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::red));
    QCOMPARE(widget.eventDescVersion(), 2);
    QCOMPARE(child<QLabel>(widget, "versionLabel")->text(), QStringLiteral("Версия описания событий: 2"));
    QVERIFY(widget.isEventDescLoaded());

    QVERIFY(QFile::remove(QStringLiteral("Resources/Messages.RU")));
    widget.slotEventDescModifyed();
    QVERIFY(!widget.isEventDescLoaded());
    QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
    QCOMPARE(cell.data().toString(), QString());
}

void TestEventsWidget::damagedDescriptionsShownAndNamed_data()
{
    QTest::addColumn<QByteArray>("data"); // the "data" array of the file; null: no file
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("toolTipNames");
    QTest::addColumn<QString>("desc5");

    const QString fire = QStringLiteral("Пожар");
    QTest::addRow("sound-file") << QByteArray("[{\"code\": 5, \"desc\": \"Пожар\"}]") << true << QString()
                                << fire;
    QTest::addRow("code-not-a-number-skipped-rest-shown")
        << QByteArray("[{\"code\": 4}, {\"code\": \"five\", \"desc\": \"?\"}, {\"code\": 5, \"desc\": \"Пожар\"}]")
        << false << QStringLiteral("запись № 2: {\"code\":\"five\",\"desc\":\"?\"}") << fire;
    QTest::addRow("invalid-bytes-replaced-rest-shown")
        << QByteArray("[{\"code\": 4, \"desc\": \"\xFF\"}, {\"code\": 5, \"desc\": \"Пожар\"}]") << true
        << QStringLiteral("заменены знаком \uFFFD") << fire;
    QTest::addRow("not-json") << QByteArray("[{\"code\": 5,") << false << QStringLiteral("ошибка JSON в позиции")
                              << QString();
    QTest::addRow("missing-file") << QByteArray() << false << QStringLiteral("не найден") << QString();
}

void TestEventsWidget::damagedDescriptionsShownAndNamed()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, loaded);
    QFETCH(QString, toolTipNames);
    QFETCH(QString, desc5);
    if (!data.isNull())
        QVERIFY(writeDescriptionFile(data, 1));
    EventsWidget widget;
    widget.setEventDescLanguage(QStringLiteral("RU"));
    widget.slotEvents({makeEvent(5)});
    QCOMPARE(widget.isEventDescLoaded(), loaded);
    const QString toolTip = child<QLabel>(widget, "descIndicator")->toolTip();
    QVERIFY(toolTip.startsWith(QStringLiteral("Индикатор чтения описания событий: зеленый - норма, красный - ошибка")));
    if (toolTipNames.isEmpty())
        QVERIFY2(!toolTip.contains(QLatin1Char('\n')), qPrintable(toolTip));
    else
        QVERIFY2(toolTip.contains(toolTipNames), qPrintable(toolTip));
    const QModelIndex cell = child<QTableView>(widget, "eventsTable")->model()->index(0, EventsModel::ColumnDesc);
    QCOMPARE(cell.data().toString(), desc5);
}

void TestEventsWidget::rowNumbersAsAPlainTableShowsThem_data()
{
    QTest::addColumn<int>("maxCount");
    QTest::addColumn<bool>("filtered");
    QTest::addColumn<QVector<int>>("batches");

    QTest::addRow("one-then-two-digits") << 50000 << false << QVector<int>{9, 1, 5};
    QTest::addRow("known-row-grows-to-three-digits") << 50000 << false << QVector<int>{99, 1, 1};
    QTest::addRow("filtered-numbers-of-the-whole-log") << 50000 << true << QVector<int>{150, 900, 62};
    QTest::addRow("oldest-dropped") << 1000 << false << QVector<int>{999, 2, 62, 62};
}

void TestEventsWidget::rowNumbersAsAPlainTableShowsThem()
{
    QFETCH(int, maxCount);
    QFETCH(bool, filtered);
    QFETCH(QVector<int>, batches);

    EventsWidget widget;
    widget.slotSetMaxEvCount(maxCount);
    widget.resize(800, 300);
    widget.show();
    if (filtered) {
        answerFilterDialog(true, 2, QStringLiteral("Ввод"));
        widget.slotSetFilter();
    }
    auto *table = child<QTableView>(widget, "eventsTable");
    // In the same window, so that both are as active, and as the log sets its table up.
    QTableView plain(&widget);
    plain.setModel(table->model());
    plain.verticalHeader()->setHighlightSections(false);
    plain.setGeometry(table->geometry());
    plain.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    int controller = 0;
    for (int size : batches) {
        ModbusProtocol::EventList events;
        for (int i = 0; i < size; ++i)
            events << makeEvent(1, 1 + controller++ % 3);
        widget.slotEvents(events);
        QTRY_COMPARE(table->verticalHeader()->width(), plain.verticalHeader()->width());
        QCOMPARE(table->verticalHeader()->sizeHint(), plain.verticalHeader()->sizeHint());
        // Drawn, then remembered: both as the plain header draws its numbers.
        QCoreApplication::processEvents();
        const QImage expected = plain.verticalHeader()->grab().toImage();
        QCOMPARE(table->verticalHeader()->grab().toImage(), expected);
        QCOMPARE(table->verticalHeader()->grab().toImage(), expected);
        table->selectRow(1);
        plain.selectRow(1);
    }
}

void TestEventsWidget::cellsLookAsAPlainTableDrawsThem()
{
    QVERIFY(writeDescriptionFile("[{\"code\": 5, \"desc\": \"Пожар\", \"bgColor\": \"#ff0000\", "
                                 "\"fgColor\": \"#ffffff\"}, {\"code\": 6, \"desc\": \"Норма\"}]",
                                 1));
    EventsWidget widget;
    widget.setEventDescLanguage(QStringLiteral("RU"));
    widget.resize(900, 300);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    auto *table = child<QTableView>(widget, "eventsTable");
    QAbstractItemDelegate *delegate = table->itemDelegate();
    QStyledItemDelegate plain;
    // Twice with the log's own cells (drawn, then remembered), against a plain delegate's.
    const auto comparePictures = [&](const char *step) {
        table->setItemDelegate(delegate);
        const QImage drawn = table->viewport()->grab().toImage();
        const QImage remembered = table->viewport()->grab().toImage();
        table->setItemDelegate(&plain);
        const QImage expected = table->viewport()->grab().toImage();
        table->setItemDelegate(delegate);
        QVERIFY2(drawn == expected, step);
        QVERIFY2(remembered == expected, step);
    };

    for (int i = 0; i < 4; ++i)
        widget.slotEvents({makeEvent(5, 1), makeEvent(6, 2), makeEvent(7, 3)});
    comparePictures("coloured, plain and undescribed rows");
    table->selectRow(1);
    comparePictures("a row selected");
    widget.slotEvents({makeEvent(6, 2), makeEvent(5, 1)});
    comparePictures("rows moved under the selection");
    table->setColumnWidth(EventsModel::ColumnTime, 30);
    comparePictures("elided text");
    table->setEnabled(false);
    comparePictures("disabled");
}

QTEST_MAIN(TestEventsWidget)
#include "tst_eventswidget.moc"
