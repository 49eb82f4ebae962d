#include "settings.h"

#include <QFileInfo>
#include <QSettings>

namespace Settings {

QString fileName;
QString userDataDirectory;

QVariant readValue(const QString &key, const QString &group, const QVariant &defaultValue)
{
    if (fileName.isEmpty())
        return defaultValue;
    QSettings settings(fileName, QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    if (!group.isEmpty())
        settings.beginGroup(group);
    const QVariant value = settings.value(key, defaultValue);
    if (!group.isEmpty())
        settings.endGroup();
    return value;
}

namespace {

std::function<void(const QString &)> failureHandler;
bool failureReported = false;

// QSettings keeps quiet about a file it could not write: its status after a sync is the only sign.
// A format error only says that part of a hand-edited file could not be read; it is written all
// the same.
bool synced(QSettings &settings)
{
    settings.sync();
    if (settings.status() != QSettings::AccessError)
        return true;
    if (!failureReported) {
        failureReported = true;
        if (failureHandler)
            failureHandler(QFileInfo(settings.fileName()).absoluteFilePath());
    }
    return false;
}

} // namespace

void setWriteFailureHandler(std::function<void(const QString &path)> handler)
{
    failureHandler = std::move(handler);
    failureReported = false;
}

bool writeValue(const QVariant &value, const QString &key, const QString &group)
{
    if (fileName.isEmpty())
        return false;
    QSettings settings(fileName, QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    if (!group.isEmpty())
        settings.beginGroup(group);
    settings.setValue(key, value);
    if (!group.isEmpty())
        settings.endGroup();
    return synced(settings);
}

namespace {

// A hand-edited file may hold anything; a value that is not of the key's type keeps the current one.
bool toBool(const QVariant &value, bool current)
{
    if (value.type() == QVariant::Bool)
        return value.toBool();
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    return current;
}

int toInt(const QVariant &value, int current, int min, int max, bool clamp)
{
    bool ok = false;
    const qlonglong number = value.toString().trimmed().toLongLong(&ok);
    if (!ok)
        return current;
    if (number < min)
        return clamp ? min : current;
    if (number > max)
        return clamp ? max : current;
    return int(number);
}

} // namespace

bool readPrgParams(PrgParams &prgParams)
{
    if (fileName.isEmpty())
        return false;
    QSettings settings(fileName, QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    settings.beginGroup(QStringLiteral("System"));
    prgParams.portName = settings.value(QStringLiteral("PortName"), prgParams.portName).toString();
    prgParams.portDisable =
        toBool(settings.value(QStringLiteral("PortDisable"), prgParams.portDisable), prgParams.portDisable);
    prgParams.stripEcho =
        toBool(settings.value(QStringLiteral("StripEcho"), prgParams.stripEcho), prgParams.stripEcho);
    prgParams.rynAddr = quint8(toInt(settings.value(QStringLiteral("RynAddr"), prgParams.rynAddr),
                                     prgParams.rynAddr, 0, 255, false));
    prgParams.eventsFromAllRyn =
        toBool(settings.value(QStringLiteral("EventsFromAllRyn"), prgParams.eventsFromAllRyn),
               prgParams.eventsFromAllRyn);
    // A log that keeps no events would lose every one of them: out-of-range counts are clamped.
    prgParams.evCount = toInt(settings.value(QStringLiteral("EvCount"), prgParams.evCount), prgParams.evCount,
                              minEvCount, maxEvCount, true);
    settings.endGroup();
    return true;
}

bool writePrgParams(const PrgParams &prgParams)
{
    if (fileName.isEmpty())
        return false;
    QSettings settings(fileName, QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    settings.beginGroup(QStringLiteral("System"));
    settings.setValue(QStringLiteral("PortName"), prgParams.portName);
    settings.setValue(QStringLiteral("PortDisable"), prgParams.portDisable);
    settings.setValue(QStringLiteral("StripEcho"), prgParams.stripEcho);
    settings.setValue(QStringLiteral("RynAddr"), int(prgParams.rynAddr));
    settings.setValue(QStringLiteral("EventsFromAllRyn"), prgParams.eventsFromAllRyn);
    settings.setValue(QStringLiteral("EvCount"), prgParams.evCount);
    settings.endGroup();
    return synced(settings);
}

} // namespace Settings
