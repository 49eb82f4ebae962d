#include "evdescfile.h"

#include "atomicwrite.h"
#include "eventslogging.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <limits>

namespace EvDescFile {

namespace {

const QString directory = QStringLiteral("Resources");
const QString baseName = QStringLiteral("Messages.");

const QString keyContent = QStringLiteral("content");
const QString keyVersion = QStringLiteral("version");
const QString keyLang = QStringLiteral("lang");
const QString keyData = QStringLiteral("data");
const QString keyCode = QStringLiteral("code");
const QString keyDesc = QStringLiteral("desc");
const QString keyBgColor = QStringLiteral("bgColor");
const QString keyFgColor = QStringLiteral("fgColor");
const QString keyAddDesc = QStringLiteral("addDesc");
const QString keyPrefix = QStringLiteral("addDescPrefix");
const QString keyPostfix = QStringLiteral("addDescPostfix");
const QString keyUseDesc = QStringLiteral("addDescUseDesc");
const QString keyDescDesc = QStringLiteral("addDescDesc");
const QString keyValue = QStringLiteral("value");
const QString keyName = QStringLiteral("name");

bool isInteger(const QJsonValue &value)
{
    if (!value.isDouble())
        return false;
    const double number = value.toDouble();
    return number == std::trunc(number) && number >= std::numeric_limits<qint32>::min() &&
           number <= std::numeric_limits<qint32>::max();
}

// Hand-edited files may hold fractions, strings or huge numbers where an integer belongs: all read as 0.
int toInt(const QJsonValue &value)
{
    return isInteger(value) ? int(value.toDouble()) : 0;
}

bool isDescription(const QJsonValue &element)
{
    return element.isObject() && isInteger(element.toObject().value(keyCode));
}

// An element of "data" as the user would find it in the file.
QString elementText(const QJsonValue &element)
{
    constexpr int longest = 80;
    QString text;
    if (element.isObject())
        text = QString::fromUtf8(QJsonDocument(element.toObject()).toJson(QJsonDocument::Compact));
    else if (element.isArray())
        text = QString::fromUtf8(QJsonDocument(element.toArray()).toJson(QJsonDocument::Compact));
    else if (element.isString())
        text = QLatin1Char('"') + element.toString() + QLatin1Char('"');
    else if (element.isDouble())
        text = QString::number(element.toDouble());
    else if (element.isBool())
        text = element.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    else
        text = QStringLiteral("null");
    return text.size() > longest ? text.left(longest - 3) + QStringLiteral("...") : text;
}

// Where an installed program keeps the user's own copies; empty for a program that keeps them beside
// itself.
QString userDirectory;

QString existingPathIn(const QDir &dir, const QString &language)
{
    const QString wanted = baseName + language;
    if (QFileInfo(dir.filePath(wanted)).isFile())
        return dir.filePath(wanted);
    if (QFileInfo(dir.filePath(wanted.toLower())).isFile())
        return dir.filePath(wanted.toLower());
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : names) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    }
    return QString();
}

QDir userResources()
{
    return QDir(QDir(userDirectory).filePath(directory));
}

// The user's saved copy first, when there is one, then the program's own file.
QString existingPath(const QString &language)
{
    if (!userDirectory.isEmpty()) {
        const QString saved = existingPathIn(userResources(), language);
        if (!saved.isEmpty())
            return saved;
    }
    return existingPathIn(QDir(directory), language);
}

EvDesc readElement(const QJsonObject &object)
{
    EvDesc evDesc;
    evDesc.code = toInt(object.value(keyCode));
    if (object.contains(keyDesc))
        evDesc.desc = object.value(keyDesc).toString();
    if (object.contains(keyBgColor))
        evDesc.bgColor = object.value(keyBgColor).toString();
    if (object.contains(keyFgColor))
        evDesc.fgColor = object.value(keyFgColor).toString();
    if (object.contains(keyAddDesc))
        evDesc.addDesc = toInt(object.value(keyAddDesc)) != 0;
    if (object.contains(keyPrefix))
        evDesc.addDescPrefix = object.value(keyPrefix).toString();
    if (object.contains(keyPostfix))
        evDesc.addDescPostfix = object.value(keyPostfix).toString();
    if (object.contains(keyUseDesc))
        evDesc.addDescUseDesc = toInt(object.value(keyUseDesc)) != 0;
    const QJsonArray names = object.value(keyDescDesc).toArray();
    for (const QJsonValue &entry : names) {
        if (!entry.isObject())
            continue;
        const QJsonObject nameObject = entry.toObject();
        evDesc.addDescDesc.insert(toInt(nameObject.value(keyValue)), nameObject.value(keyName).toString());
    }
    return evDesc;
}

QJsonObject writeElement(const EvDesc &evDesc)
{
    QJsonObject object;
    object.insert(keyCode, evDesc.code);
    object.insert(keyDesc, evDesc.desc);
    if (evDesc.bgColor != QLatin1String("White"))
        object.insert(keyBgColor, evDesc.bgColor);
    if (evDesc.fgColor != QLatin1String("Black"))
        object.insert(keyFgColor, evDesc.fgColor);
    object.insert(keyAddDesc, evDesc.addDesc ? 1 : 0);
    if (!evDesc.addDescPrefix.isEmpty())
        object.insert(keyPrefix, evDesc.addDescPrefix);
    if (!evDesc.addDescPostfix.isEmpty())
        object.insert(keyPostfix, evDesc.addDescPostfix);
    object.insert(keyUseDesc, evDesc.addDescUseDesc ? 1 : 0);
    if (!evDesc.addDescDesc.isEmpty()) {
        QJsonArray names;
        for (auto it = evDesc.addDescDesc.cbegin(); it != evDesc.addDescDesc.cend(); ++it)
            names.append(QJsonObject{{keyValue, it.key()}, {keyName, it.value()}});
        object.insert(keyDescDesc, names);
    }
    return object;
}

} // namespace

QString marker()
{
    return QStringLiteral("Ostrel TestRyn events description");
}

QString readPath(const QString &language)
{
    const QString existing = existingPath(language);
    return existing.isEmpty() ? QDir(directory).filePath(baseName + language) : existing;
}

QString writePath(const QString &language)
{
    // Saves never go to the program's own file while the user has a folder of their own.
    const QDir dir = userDirectory.isEmpty() ? QDir(directory) : userResources();
    const QString existing = existingPathIn(dir, language);
    return existing.isEmpty() ? dir.filePath(baseName + language.toLower()) : existing;
}

void setUserDirectory(const QString &directoryPath)
{
    userDirectory = directoryPath;
}

ReadReport parse(const QByteArray &document, int &version, QMap<int, EvDesc> &descriptions)
{
    ReadReport report;
    // Editors on Windows like to put a byte-order mark in front; it is not part of the JSON.
    const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray bytes = document.startsWith(bom) ? document.mid(bom.size()) : document;
    // The JSON reader rejects a whole document for one byte that is not UTF-8: decoded first, such a
    // byte damages one text only.
    const QByteArray text = QString::fromUtf8(bytes).toUtf8();
    report.bytesReplaced = text != bytes;

    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError) {
        qCDebug(lcEvents).noquote().nospace() << "JSON error offset: " << error.offset;
        qCDebug(lcEvents) << error.error;
        report.failure = ReadReport::NotJson;
        report.jsonErrorOffset = error.offset;
        return report;
    }
    const QJsonObject root = json.object();
    if (!json.isObject() || root.value(keyContent).toString() != marker()) {
        report.failure = ReadReport::NotDescriptionFile;
        return report;
    }
    version = toInt(root.value(keyVersion));
    const QJsonValue data = root.value(keyData);
    if (!data.isUndefined() && !data.isArray()) {
        report.failure = ReadReport::NotDescriptionFile;
        return report;
    }

    const QJsonArray elements = data.toArray();
    for (int i = 0; i < elements.size(); ++i) {
        const QJsonValue element = elements.at(i);
        if (!isDescription(element)) {
            if (report.skippedRecords++ == 0) {
                report.firstSkipped = i;
                report.firstSkippedText = elementText(element);
            }
            continue;
        }
        const EvDesc evDesc = readElement(element.toObject());
        descriptions.insert(evDesc.code & 0xFF, evDesc);
    }
    if (report.skippedRecords > 0)
        report.failure = ReadReport::SkippedRecords;
    return report;
}

QString reportText(const ReadReport &report, const QString &path)
{
    const QString file = QDir::toNativeSeparators(path);
    QStringList lines;
    switch (report.failure) {
    case ReadReport::NoFailure:
        break;
    case ReadReport::Unreadable:
        lines << QCoreApplication::translate("EvDescFile", "Файл описаний событий %1 не найден или не открывается")
                     .arg(file);
        break;
    case ReadReport::NotJson:
        lines << QCoreApplication::translate("EvDescFile",
                                             "Файл описаний событий %1 испорчен: ошибка JSON в позиции %2")
                     .arg(file)
                     .arg(report.jsonErrorOffset);
        break;
    case ReadReport::NotDescriptionFile:
        lines << QCoreApplication::translate("EvDescFile", "Файл %1 не является файлом описаний событий").arg(file);
        break;
    case ReadReport::SkippedRecords:
        lines << QCoreApplication::translate(
                     "EvDescFile",
                     "Пропущено записей в файле описаний событий %1: %2. Первая из них - запись № %3: %4")
                     .arg(file)
                     .arg(report.skippedRecords)
                     .arg(report.firstSkipped + 1)
                     .arg(report.firstSkippedText);
        break;
    }
    if (report.bytesReplaced)
        lines << QCoreApplication::translate(
                     "EvDescFile", "Байты не в кодировке UTF-8 в файле описаний событий %1 заменены знаком %2")
                     .arg(file, QString(QChar::ReplacementCharacter));
    return lines.join(QLatin1Char('\n'));
}

QByteArray toJson(const EvDescList &descriptions, int version)
{
    QJsonArray data;
    for (const EvDesc &evDesc : descriptions)
        data.append(writeElement(evDesc));
    const QJsonObject root{
        {keyContent, marker()}, {keyVersion, version}, {keyLang, QStringLiteral("RU")}, {keyData, data}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool save(const QString &language, const EvDescList &descriptions, int version)
{
    const QString path = writePath(language);
    // The user's folder is made on the first save; the program's own must be there already.
    if (!userDirectory.isEmpty())
        QDir().mkpath(QFileInfo(path).absolutePath());
    return atomicWrite(path, toJson(descriptions, version));
}

} // namespace EvDescFile
