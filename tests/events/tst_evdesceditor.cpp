#include "evdescdialog.h"
#include "evdesclistdialog.h"
#include "eventsmodel.h"
#include "eventswidget.h"
#include "modalwatcher.h"
#include "testhelpers.h"

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray original =
    "{\"content\": \"Ostrel TestRyn events description\", \"version\": 3, \"data\": ["
    "{\"code\": 1, \"desc\": \"Пожар\", \"bgColor\": \"Red\", \"fgColor\": \"White\"},"
    "{\"code\": 5, \"desc\": \"Обрыв\", \"addDescPrefix\": \"тип\"},"
    "{\"code\": 7, \"desc\": \"Старт\", \"addDesc\": 0}]}";

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QAction *action(EvDescListDialog &editor, const QString &text)
{
    for (auto *act : editor.findChildren<QAction *>()) {
        if (act->text() == text)
            return act;
    }
    return nullptr;
}

// In the description dialog: records the offered codes, picks a background colour (none: the colour
// dialog is cancelled) and presses the given button. An expected error box is recorded, closed, and
// the dialog cancelled.
struct DialogRun
{
    QStringList codes;
    QString error;
};

void runDescDialog(DialogRun *run, const QColor &background, const QString &finalButton,
                   bool expectError = false)
{
    whenModal<EvDescDialog>([=](EvDescDialog *dialog) {
        auto *combo = dialog->findChild<QComboBox *>();
        for (int i = 0; i < combo->count(); ++i)
            run->codes << combo->itemText(i);
        whenModal<QColorDialog>([=](QColorDialog *colours) {
            if (background.isValid()) {
                colours->setCurrentColor(background);
                colours->accept();
            } else {
                colours->reject();
            }
        });
        buttonWithText(dialog, QStringLiteral("Изменить цвет фона"))->click();
        if (expectError) {
            whenModal<QMessageBox>([=](QMessageBox *box) {
                run->error = box->text();
                box->accept();
                buttonWithText(dialog, QStringLiteral("Отмена"))->click();
            });
        }
        buttonWithText(dialog, finalButton)->click();
    });
}

void answerQuestion(QMessageBox::StandardButton answer, QString *text)
{
    whenModal<QMessageBox>([=](QMessageBox *box) {
        *text = box->text();
        box->button(answer)->click();
    });
}

// Opens the editor on the description file and gives the first record a new background.
void recolourFirstRecord(EvDescListDialog &editor, const QColor &background)
{
    editor.exec(QStringLiteral("RU"));
    DialogRun run;
    runDescDialog(&run, background, QStringLiteral("Сохранить"));
    action(editor, QStringLiteral("Редактировать описание события"))->trigger();
}

} // namespace

class TestEvDescEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void opensFromFile_data();
    void opensFromFile();
    void recolourSaveCloseReloadsLog();
    void cancelOrNoColourChangesNothing_data();
    void cancelOrNoColourChangesNothing();
    void unsavedClose_data();
    void unsavedClose();
    void reopenDropsUnsavedChange();
    void failedSaveKeepsChanges();
    void codeZeroIsRefused();
    void saveOverDamagedFileAsksFirst_data();
    void saveOverDamagedFileAsksFirst();

private:
    QTemporaryDir *m_dir = nullptr;
};

void TestEvDescEditor::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

void TestEvDescEditor::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
    QVERIFY(QDir().mkpath(QStringLiteral("Resources")));
}

void TestEvDescEditor::cleanup()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->close();
    QDir::setCurrent(QDir::tempPath());
    delete m_dir;
    m_dir = nullptr;
}

void TestEvDescEditor::opensFromFile_data()
{
    QTest::addColumn<QByteArray>("contents"); // null: no file
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("rows");

    QTest::addRow("three-records") << original << QStringLiteral("Список событий [v. 3]") << 3;
    QTest::addRow("missing-file-opens-empty") << QByteArray() << QStringLiteral("Список событий [v. 0]") << 0;
}

void TestEvDescEditor::opensFromFile()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, title);
    QFETCH(int, rows);
    if (!contents.isNull())
        QVERIFY(writeFile(QStringLiteral("Resources/Messages.ru"), contents));

    EvDescListDialog editor;
    editor.exec(QStringLiteral("RU"));
    QVERIFY(editor.isVisible());
    QCOMPARE(editor.windowTitle(), title);
    auto *table = editor.findChild<QTableWidget *>();
    QCOMPARE(table->rowCount(), rows);
    QCOMPARE(action(editor, QStringLiteral("Редактировать описание события"))->isEnabled(), rows > 0);
    QVERIFY(!action(editor, QStringLiteral("Сохранить описания"))->isEnabled());
    for (const char *disabled :
         {"Добавить описание события", "Удалить описание события", "Задать версию файла событий"})
        QVERIFY(!action(editor, QString::fromUtf8(disabled))->isEnabled());
    if (rows > 0) {
        QCOMPARE(table->currentRow(), 0);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("1"));
        QCOMPARE(table->item(0, 1)->background().color(), QColor(Qt::red));
        QCOMPARE(table->item(0, 1)->foreground().color(), QColor(Qt::white));
    }
}

void TestEvDescEditor::recolourSaveCloseReloadsLog()
{
    QVERIFY(writeFile(QStringLiteral("Resources/Messages.ru"), original));
    EventsWidget log;
    log.setEventDescLanguage(QStringLiteral("RU"));
    ModbusEvent ev;
    ev.evCode = 5;
    log.slotEvents({ev});
    const QModelIndex logCell = log.findChild<QTableView *>()->model()->index(0, EventsModel::ColumnDesc);
    QCOMPARE(logCell.data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));

    EvDescListDialog editor;
    connect(&editor, &EvDescListDialog::signalEventDescModifyed, &log, &EventsWidget::slotEventDescModifyed);
    QSignalSpy modified(&editor, &EvDescListDialog::signalEventDescModifyed);
    editor.exec(QStringLiteral("RU"));
    auto *table = editor.findChild<QTableWidget *>();
    table->selectRow(1);

    DialogRun run;
    runDescDialog(&run, QColor(255, 0, 0), QStringLiteral("Сохранить"));
    action(editor, QStringLiteral("Редактировать описание события"))->trigger();
    // The record's own code first, then the free codes.
    QCOMPARE(run.codes.mid(0, 5), (QStringList{QStringLiteral("5"), QStringLiteral("2"), QStringLiteral("3"),
                                               QStringLiteral("4"), QStringLiteral("6")}));
    QCOMPARE(run.error, QString());
    QCOMPARE(table->item(1, 0)->background().color(), QColor(Qt::red));
    QCOMPARE(editor.statusBar()->findChild<QLabel *>()->text(),
             QStringLiteral(" Есть изменения - не забудьте сохранить!"));
    QVERIFY(action(editor, QStringLiteral("Сохранить описания"))->isEnabled());

    action(editor, QStringLiteral("Сохранить описания"))->trigger();
    QVERIFY(!action(editor, QStringLiteral("Сохранить описания"))->isEnabled());
    QCOMPARE(editor.statusBar()->findChild<QLabel *>()->text(), QString());
    const QByteArray saved = readFile(QStringLiteral("Resources/Messages.ru"));
    QVERIFY(saved.contains("\"bgColor\": \"#ff0000\""));
    QCOMPARE(saved.count("bgColor"), 2); // code 7 had none and still has none
    QCOMPARE(QDir(QStringLiteral("Resources")).entryList(QDir::Files),
             QStringList{QStringLiteral("Messages.ru")});
    QCOMPARE(modified.size(), 0);

    QVERIFY(editor.close());
    QCOMPARE(modified.size(), 1);
    QCOMPARE(logCell.data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::red));
}

void TestEvDescEditor::cancelOrNoColourChangesNothing_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("finalButton");

    QTest::addRow("colour-chosen-then-cancel") << QColor(Qt::blue) << QStringLiteral("Отмена");
    QTest::addRow("colour-dialog-cancelled-then-save") << QColor() << QStringLiteral("Сохранить");
}

void TestEvDescEditor::cancelOrNoColourChangesNothing()
{
    QFETCH(QColor, colour);
    QFETCH(QString, finalButton);
    QVERIFY(writeFile(QStringLiteral("Resources/Messages.ru"), original));
    EvDescListDialog editor;
    editor.exec(QStringLiteral("RU"));
    auto *table = editor.findChild<QTableWidget *>();

    DialogRun run;
    runDescDialog(&run, colour, finalButton);
    action(editor, QStringLiteral("Редактировать описание события"))->trigger();
    QCOMPARE(table->item(0, 0)->background().color(), QColor(Qt::red));
    // Saving an unchanged record still counts as an edit; cancelling does not.
    QCOMPARE(action(editor, QStringLiteral("Сохранить описания"))->isEnabled(),
             finalButton == QStringLiteral("Сохранить"));
}

void TestEvDescEditor::unsavedClose_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");

    QTest::addRow("no-keeps-window-and-changes") << int(QMessageBox::No) << false;
    QTest::addRow("yes-closes-without-reload") << int(QMessageBox::Yes) << true;
}

void TestEvDescEditor::unsavedClose()
{
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QVERIFY(writeFile(QStringLiteral("Resources/Messages.ru"), original));
    EvDescListDialog editor;
    QSignalSpy modified(&editor, &EvDescListDialog::signalEventDescModifyed);
    recolourFirstRecord(editor, QColor(Qt::green));

    QString question;
    answerQuestion(QMessageBox::StandardButton(answer), &question);
    QCOMPARE(editor.close(), closed);
    QCOMPARE(question, QStringLiteral("Изменения не сохранены!\nВсе равно выйти?"));
    QCOMPARE(editor.isVisible(), !closed);
    QCOMPARE(editor.statusBar()->findChild<QLabel *>()->text().isEmpty(), false);
    QCOMPARE(modified.size(), 0);
    QCOMPARE(readFile(QStringLiteral("Resources/Messages.ru")), original);
}

void TestEvDescEditor::reopenDropsUnsavedChange()
{
    QVERIFY(writeFile(QStringLiteral("Resources/Messages.ru"), original));
    EvDescListDialog editor;
    recolourFirstRecord(editor, QColor(Qt::green));
    QCOMPARE(editor.findChild<QTableWidget *>()->item(0, 0)->background().color(), QColor(Qt::green));

    QString question;
    answerQuestion(QMessageBox::Yes, &question);
    QVERIFY(editor.close());
    editor.exec(QStringLiteral("RU"));
    QCOMPARE(editor.findChild<QTableWidget *>()->item(0, 0)->background().color(), QColor(Qt::red));
    QVERIFY(!action(editor, QStringLiteral("Сохранить описания"))->isEnabled());
    QCOMPARE(editor.statusBar()->findChild<QLabel *>()->text(), QString());
}

void TestEvDescEditor::failedSaveKeepsChanges()
{
    QVERIFY(writeFile(QStringLiteral("Resources/Messages.ru"), original));
    EvDescListDialog editor;
    QSignalSpy modified(&editor, &EvDescListDialog::signalEventDescModifyed);
    recolourFirstRecord(editor, QColor(Qt::green));

    QVERIFY(QDir(QStringLiteral("Resources")).removeRecursively());
    QString error;
    answerQuestion(QMessageBox::Ok, &error);
    action(editor, QStringLiteral("Сохранить описания"))->trigger();
    QCOMPARE(error, QStringLiteral("Не удалось сохранить описания событий!"));
    QVERIFY(action(editor, QStringLiteral("Сохранить описания"))->isEnabled());
    QVERIFY(!editor.statusBar()->findChild<QLabel *>()->text().isEmpty());

    // The user fixes the cause and tries again: the change is still there.
    QVERIFY(QDir().mkpath(QStringLiteral("Resources")));
    action(editor, QStringLiteral("Сохранить описания"))->trigger();
    QVERIFY(readFile(QStringLiteral("Resources/Messages.ru")).contains("\"bgColor\": \"#00ff00\""));
    QVERIFY(editor.close());
    QCOMPARE(modified.size(), 1);
}

void TestEvDescEditor::codeZeroIsRefused()
{
    QVERIFY(writeFile(
        QStringLiteral("Resources/Messages.ru"),
        "{\"content\": \"Ostrel TestRyn events description\", \"data\": [{\"code\": 0, \"desc\": \"?\"}]}"));
    EvDescListDialog editor;
    editor.exec(QStringLiteral("RU"));
    DialogRun run;
    runDescDialog(&run, QColor(Qt::green), QStringLiteral("Сохранить"), true);
    action(editor, QStringLiteral("Редактировать описание события"))->trigger();
    QCOMPARE(run.error, QStringLiteral("Номер события не должен быть '0'!"));
    QCOMPARE(run.codes.first(), QStringLiteral("0"));
    QCOMPARE(editor.findChild<QTableWidget *>()->item(0, 0)->background().color(), QColor(Qt::white));
    QVERIFY(!action(editor, QStringLiteral("Сохранить описания"))->isEnabled());
}

void TestEvDescEditor::saveOverDamagedFileAsksFirst_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("names"); // what the question must name
    QTest::addColumn<int>("answer");

    QByteArray skipped = original;
    skipped.replace("{\"code\": 7,", "{\"code\": \"7\",");
    QByteArray replaced = original;
    replaced.replace("Обрыв", "\xCE\xE1\xF0\xFB\xE2"); // the same word in a one-byte code page
    QTest::addRow("skipped-record-no-keeps-file") << skipped << QStringLiteral("запись № 3") << int(QMessageBox::No);
    QTest::addRow("skipped-record-yes-saves") << skipped << QStringLiteral("запись № 3") << int(QMessageBox::Yes);
    QTest::addRow("replaced-bytes-no-keeps-file") << replaced << QStringLiteral("UTF-8") << int(QMessageBox::No);
    QTest::addRow("replaced-bytes-yes-saves") << replaced << QStringLiteral("UTF-8") << int(QMessageBox::Yes);
}

void TestEvDescEditor::saveOverDamagedFileAsksFirst()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, names);
    QFETCH(int, answer);
    QVERIFY(writeFile(QStringLiteral("Resources/Messages.ru"), contents));
    EvDescListDialog editor;
    recolourFirstRecord(editor, QColor(Qt::green));

    QString question;
    answerQuestion(QMessageBox::StandardButton(answer), &question);
    action(editor, QStringLiteral("Сохранить описания"))->trigger();
    QVERIFY2(question.contains(names), qPrintable(question));
    if (answer == QMessageBox::No) {
        // Nothing written: the file keeps what the editor could not read, and the change waits.
        QCOMPARE(readFile(QStringLiteral("Resources/Messages.ru")), contents);
        QVERIFY(action(editor, QStringLiteral("Сохранить описания"))->isEnabled());
        QVERIFY(!editor.statusBar()->findChild<QLabel *>()->text().isEmpty());
        answerQuestion(QMessageBox::Yes, &question); // leave without saving
        QVERIFY(editor.close());
        return;
    }
    QVERIFY(readFile(QStringLiteral("Resources/Messages.ru")).contains("\"bgColor\": \"#00ff00\""));
    QVERIFY(!action(editor, QStringLiteral("Сохранить описания"))->isEnabled());
    // The file now holds the list: a second save in the same opening loses nothing more and asks nothing.
    DialogRun run;
    runDescDialog(&run, QColor(Qt::blue), QStringLiteral("Сохранить"));
    action(editor, QStringLiteral("Редактировать описание события"))->trigger();
    action(editor, QStringLiteral("Сохранить описания"))->trigger();
    QVERIFY(!action(editor, QStringLiteral("Сохранить описания"))->isEnabled());
}

QTEST_MAIN(TestEvDescEditor)
#include "tst_evdesceditor.moc"
