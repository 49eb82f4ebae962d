#pragma once

#include <QString>
#include <QVariant>

#include <functional>

// The program's INI file next to the executable: every window reads and writes its keys through here,
// each access on a fresh QSettings so nothing is cached between windows.
namespace Settings {

// Assigned once at start-up; while empty, reads give defaults and writes are skipped.
extern QString fileName;
// Where the user's own copies of the program's files go when the program's folder is not writable;
// empty when they live beside the program.
extern QString userDataDirectory;

// The "System" group in memory.
struct PrgParams
{
    QString portName = QStringLiteral("COM1");
    bool portDisable = false;
    bool stripEcho = true; // take an adapter's echo of the request off in front of the answer
    quint8 rynAddr = 1;
    qint32 evCount = 50000;
    bool eventsFromAllRyn = true;
};

constexpr qint32 minEvCount = 100;
constexpr qint32 maxEvCount = 50000;

QVariant readValue(const QString &key, const QString &group, const QVariant &defaultValue = QVariant());
// False when the value did not reach the file (a read-only file or folder, a folder in its place).
bool writeValue(const QVariant &value, const QString &key, const QString &group);

bool readPrgParams(PrgParams &prgParams);
// False when the file name is empty or the record did not reach the file.
bool writePrgParams(const PrgParams &prgParams);

// Told the full path of the file the first time a write does not reach it; later failures are quiet,
// so the user hears of it once. Setting a handler (or none) starts over.
void setWriteFailureHandler(std::function<void(const QString &path)> handler);

} // namespace Settings
