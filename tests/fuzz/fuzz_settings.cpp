// Settings files as users edit them: the program's record and every kind of value its windows read
// (strings, numbers, sizes, byte arrays) come out of any file within their ranges.
#include "fuzzinput.h"
#include "settings.h"

#include <QDir>
#include <QFile>
#include <QSize>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    FUZZ_REQUIRE(dir.isValid());
    Settings::fileName = dir.filePath(QStringLiteral("TestRYN.ini"));
    {
        QFile file(Settings::fileName);
        FUZZ_REQUIRE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }

    Settings::PrgParams params;
    FUZZ_REQUIRE(Settings::readPrgParams(params));
    FUZZ_REQUIRE(params.evCount >= Settings::minEvCount && params.evCount <= Settings::maxEvCount);

    Settings::readValue(QStringLiteral("Lang"), QStringLiteral("Lang"), QStringLiteral("RU")).toString();
    Settings::readValue(QStringLiteral("Geometry"), QStringLiteral("MainWindow")).toByteArray();
    Settings::readValue(QStringLiteral("SplitterState"), QStringLiteral("MainWindow")).toByteArray();
    Settings::readValue(QStringLiteral("CellSize"), QStringLiteral("AuCellsWidget"), QSize()).toSize();
    Settings::readValue(QStringLiteral("FixedScale"), QStringLiteral("AuLegendWidget"), true).toBool();
    for (int column = 0; column < 8; ++column)
        Settings::readValue(QStringLiteral("Width") + QString::number(column), QStringLiteral("Ev")).toInt();
    Settings::readValue(QStringLiteral("CsvEncoding"), QStringLiteral("Encoding"), QString()).toString();

    // Whatever was read, the record is written back whole.
    FUZZ_REQUIRE(Settings::writePrgParams(params));
    Settings::PrgParams again;
    FUZZ_REQUIRE(Settings::readPrgParams(again));
    FUZZ_REQUIRE(again.portName == params.portName && again.portDisable == params.portDisable &&
                 again.rynAddr == params.rynAddr && again.evCount == params.evCount &&
                 again.eventsFromAllRyn == params.eventsFromAllRyn);
    return 0;
}
