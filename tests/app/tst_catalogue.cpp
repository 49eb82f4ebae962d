#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

// Every text the program shows goes through the English catalogue: a text added to the sources but
// not to the catalogue, or left untranslated there, would greet an English user in Russian.
class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void catalogueMatchesTheSources();
};

namespace {

struct Message
{
    QString translation;
    bool finished = false;
};
using Catalogue = QMap<QString, Message>; // "context | source" -> translation

QString sourcePath(const QString &relative)
{
    return QDir(QStringLiteral(RYN_SOURCE_DIR)).filePath(relative);
}

Catalogue readCatalogue(const QString &fileName, QString *error)
{
    Catalogue catalogue;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return catalogue;
    }
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            Message message;
            message.finished = xml.attributes().value(QLatin1String("type")).isEmpty();
            message.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            message.finished = message.finished && !message.translation.isEmpty();
            catalogue.insert(context + QStringLiteral(" | ") + source, message);
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return catalogue;
}

} // namespace

void TestCatalogue::catalogueMatchesTheSources()
{
    const QString committed = sourcePath(QStringLiteral("resources/testryn_EN.ts"));
    QTemporaryDir dir;
    const QString refreshed = dir.filePath(QStringLiteral("refreshed.ts"));
    QVERIFY(QFile::copy(committed, refreshed));
    QFile(refreshed).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    // The project's own refresh, run on a copy: what the sources hold today.
    QProcess update;
    update.start(QStringLiteral("sh"), {sourcePath(QStringLiteral("tools/update-translations.sh")), refreshed});
    QVERIFY(update.waitForFinished(120000));
    QVERIFY2(update.exitStatus() == QProcess::NormalExit && update.exitCode() == 0,
             update.readAllStandardError().constData());

    QString error;
    const Catalogue inTree = readCatalogue(committed, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const Catalogue fromSources = readCatalogue(refreshed, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!fromSources.isEmpty());

    QStringList missing;
    QStringList unused;
    QStringList untranslated;
    for (auto it = fromSources.cbegin(); it != fromSources.cend(); ++it) {
        if (!inTree.contains(it.key()))
            missing << it.key();
    }
    for (auto it = inTree.cbegin(); it != inTree.cend(); ++it) {
        if (!fromSources.contains(it.key()))
            unused << it.key();
        else if (!it->finished)
            untranslated << it.key();
    }
    const QString hint = QStringLiteral(" (run tools/update-translations.sh and translate)");
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("not in the catalogue: ") + missing.join(QStringLiteral("; ")) + hint));
    QVERIFY2(untranslated.isEmpty(), qPrintable(QStringLiteral("untranslated: ") + untranslated.join(QStringLiteral("; ")) + hint));
    QVERIFY2(unused.isEmpty(), qPrintable(QStringLiteral("no longer in the sources: ") + unused.join(QStringLiteral("; ")) + hint));
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
