#include "startup.h"

#include "settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTextCodec>
#include <QTranslator>

namespace {

bool isRegularFile(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

// The toolkit's Russian catalogue may ship next to the executable; Debian keeps it with Qt.
void installQtRussian(QTranslator &translator)
{
    const QString name = QStringLiteral("qt_ru");
    if (!translator.load(name))
        translator.load(name, QLibraryInfo::location(QLibraryInfo::TranslationsPath));
    QCoreApplication::installTranslator(&translator);
}

} // namespace

void installTranslators(QTranslator &first, QTranslator &second, const QString &language)
{
    if (language.toUpper() == QLatin1String("RU")) {
        installQtRussian(first);
        return;
    }
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).baseName() + QLatin1Char('_') +
                            language + QStringLiteral(".qm");
    if (!isRegularFile(program) || !first.load(program)) {
        installQtRussian(first);
        return;
    }
    QCoreApplication::installTranslator(&first);
    const QString common = QStringLiteral("common_") + language + QStringLiteral(".qm");
    if (isRegularFile(common) && second.load(common))
        QCoreApplication::installTranslator(&second);
}

StartupPaths startupPaths(bool programFolderWritable)
{
    StartupPaths paths;
    paths.settingsFile = QStringLiteral("TestRYN.ini");
    if (programFolderWritable)
        return paths;
    paths.settingsFile = QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
                             .filePath(QStringLiteral("TestRYN.ini"));
    paths.userDataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    paths.inUserFolders = true;
    return paths;
}

QString prepareStartup(QTranslator &first, QTranslator &second)
{
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    const StartupPaths paths = startupPaths(QFileInfo(QCoreApplication::applicationDirPath()).isWritable());
    if (paths.inUserFolders)
        QDir().mkpath(QFileInfo(paths.settingsFile).absolutePath());
    Settings::fileName = paths.settingsFile;
    Settings::userDataDirectory = paths.userDataDir;
    const QString language =
        Settings::readValue(QStringLiteral("Lang"), QStringLiteral("Lang"), QStringLiteral("RU")).toString();
    installTranslators(first, second, language);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("utf-8"));
    return language;
}
