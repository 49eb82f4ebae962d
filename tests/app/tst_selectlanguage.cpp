#include "selectlanguage.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

static const char twoGroups[] = "[RU]\nRU=Русский\nEN=Английский\n\n[EN]\nRU=Russian\nEN=English\n";

class TestSelectLanguage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void readLanguages_data();
    void readLanguages();
    void preselectedRow_data();
    void preselectedRow();
    void chosenRowStaysCurrent();
    void unconfiguredListShowsError();
    void openDialogAnswersNothing();
    void listFilledOnce();
    void processWideInstance();

private:
    QString writeIni(const QByteArray &content, const QString &name = QStringLiteral("languages.ini"));

    QTemporaryDir *m_dir = nullptr;
};

void TestSelectLanguage::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
}

void TestSelectLanguage::cleanup()
{
    QDir::setCurrent(QDir::tempPath());
    delete m_dir;
    m_dir = nullptr;
}

QString TestSelectLanguage::writeIni(const QByteArray &content, const QString &name)
{
    QFile file(m_dir->filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return file.fileName();
}

void TestSelectLanguage::readLanguages_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QStringList>("names");

    QTest::addRow("group-matched-regardless-of-case")
        << QByteArray("[ru]\nRU=Русский\nEN=Английский\n") << QStringLiteral("RU") << QStringList{"EN", "RU"}
        << QStringList{QStringLiteral("Английский"), QStringLiteral("Русский")};
    QTest::addRow("only-current-group-read") << QByteArray(twoGroups) << QStringLiteral("EN")
                                             << QStringList{"EN", "RU"} << QStringList{"English", "Russian"};
    QTest::addRow("no-group-for-language")
        << QByteArray(twoGroups) << QStringLiteral("DE") << QStringList{} << QStringList{};
    QTest::addRow("empty-file") << QByteArray() << QStringLiteral("RU") << QStringList{} << QStringList{};
    QTest::addRow("name-with-comma-kept-whole")
        << QByteArray("[RU]\nEN=Английский, британский\n") << QStringLiteral("RU") << QStringList{"EN"}
        << QStringList{QStringLiteral("Английский, британский")};
    QTest::addRow("empty-name-shows-code")
        << QByteArray("[RU]\nEN=\n") << QStringLiteral("RU") << QStringList{"EN"} << QStringList{"EN"};
    QTest::addRow("top-level-keys-ignored") << QByteArray("RU=Русский\n[EN]\nEN=English\n")
                                            << QStringLiteral("RU") << QStringList{} << QStringList{};
}

void TestSelectLanguage::readLanguages()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, current);
    QFETCH(QStringList, codes);
    QFETCH(QStringList, names);

    const QList<SelectLanguage::Language> languages =
        SelectLanguage::readLanguages(writeIni(content), current);
    QStringList readCodes, readNames;
    for (const SelectLanguage::Language &language : languages) {
        readCodes.append(language.code);
        readNames.append(language.name);
    }
    QCOMPARE(readCodes, codes);
    QCOMPARE(readNames, names);
}

void TestSelectLanguage::preselectedRow_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("current");
    QTest::addColumn<int>("row");

    QTest::addRow("current-code-listed") << QByteArray(twoGroups) << QStringLiteral("RU") << 1;
    QTest::addRow("code-in-other-case-falls-back-to-first-row")
        << QByteArray("[ru]\nru=Русский\nen=Английский\n") << QStringLiteral("RU") << 0;
}

void TestSelectLanguage::preselectedRow()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, current);
    QFETCH(int, row);

    SelectLanguage dialog;
    dialog.fill(current, writeIni(content));
    int shownRow = -1;
    QTimer::singleShot(0, &dialog, [&] {
        shownRow = dialog.findChild<QListWidget *>()->currentRow();
        dialog.reject();
    });
    QString chosen = QStringLiteral("untouched");
    QVERIFY(!dialog.choose(chosen));
    QCOMPARE(chosen, QStringLiteral("untouched"));
    QCOMPARE(shownRow, row);
}

void TestSelectLanguage::chosenRowStaysCurrent()
{
    SelectLanguage dialog;
    dialog.fill(QStringLiteral("RU"), writeIni(twoGroups));
    auto *list = dialog.findChild<QListWidget *>();
    QTimer::singleShot(0, &dialog, [&] {
        list->setCurrentRow(0);
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("saveButton")), Qt::LeftButton);
    });
    QString chosen;
    QVERIFY(dialog.choose(chosen));
    QCOMPARE(chosen, QStringLiteral("EN"));

    int rowAtSecondOpening = -1;
    QTimer::singleShot(0, &dialog, [&] {
        rowAtSecondOpening = list->currentRow();
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cancelButton")), Qt::LeftButton);
    });
    chosen.clear();
    QVERIFY(!dialog.choose(chosen));
    QCOMPARE(rowAtSecondOpening, 0);
    QVERIFY(chosen.isEmpty());
}

void TestSelectLanguage::unconfiguredListShowsError()
{
    SelectLanguage dialog;
    dialog.fill(QStringLiteral("RU"), m_dir->filePath(QStringLiteral("missing.ini")));
    QString title, text;
    bool dialogShown = true;
    QTimer::singleShot(0, &dialog, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        title = box->windowTitle();
        text = box->text();
        dialogShown = dialog.isVisible();
        box->accept();
    });
    QString chosen;
    QVERIFY(!dialog.choose(chosen));
    QCOMPARE(title, QStringLiteral("Ошибка"));
    QCOMPARE(text, QStringLiteral("Выбор языка не настроен\n(см. 'languages.ini')."));
    QVERIFY(!dialogShown);
}

void TestSelectLanguage::openDialogAnswersNothing()
{
    SelectLanguage dialog;
    dialog.fill(QStringLiteral("RU"), writeIni(twoGroups));
    bool secondAnswer = true;
    QTimer::singleShot(0, &dialog, [&] {
        QString nested;
        secondAnswer = dialog.choose(nested);
        dialog.accept();
    });
    QString chosen;
    QVERIFY(dialog.choose(chosen));
    QVERIFY(!secondAnswer);
    QCOMPARE(chosen, QStringLiteral("RU"));
}

void TestSelectLanguage::listFilledOnce()
{
    SelectLanguage dialog;
    const QString file = writeIni(twoGroups);
    dialog.fill(QStringLiteral("RU"), file);
    dialog.fill(QStringLiteral("EN"), writeIni("[EN]\nDE=German\n", QStringLiteral("other.ini")));
    QCOMPARE(dialog.languageCodes(), (QStringList{"EN", "RU"}));
    QCOMPARE(dialog.findChild<QListWidget *>()->count(), 2);
}

void TestSelectLanguage::processWideInstance()
{
    QVERIFY(QDir::setCurrent(m_dir->path()));
    writeIni(twoGroups);
    SelectLanguage::init(QStringLiteral("EN"), nullptr);
    QVERIFY(QFile::remove(QStringLiteral("languages.ini")));
    SelectLanguage::init(QStringLiteral("EN"), nullptr);
    QStringList shownNames;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<SelectLanguage *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto *list = dialog->findChild<QListWidget *>();
        for (int row = 0; row < list->count(); ++row)
            shownNames.append(list->item(row)->text());
        dialog->accept();
    });
    QString chosen;
    QVERIFY(SelectLanguage::selectLanguage(chosen));
    QCOMPARE(shownNames, (QStringList{"English", "Russian"}));
    QCOMPARE(chosen, QStringLiteral("EN"));
}

QTEST_MAIN(TestSelectLanguage)
#include "tst_selectlanguage.moc"
