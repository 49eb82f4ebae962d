#include "linerecordtext.h"

#include "commandnames.h"
#include "modbusprotocol.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QStringList>

#include <limits>

using namespace ModbusProtocol;

namespace LineRecordText {

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(LineMonitor)
};

constexpr int headerBytes = 6; // slave, function, first register, count (or quantity)

quint16 word(const QByteArray &bytes, int at)
{
    return quint16(quint8(bytes.at(at)) * 256 + quint8(bytes.at(at + 1)));
}

// The local time of the record's start, as a date-time without a time zone. Converting to local
// time asks the system for its time zone every time, a file lookup; the offset is therefore looked
// up once for each hour of records (offsets change on whole hours of UTC).
QDateTime started(const LineRecord &record)
{
    constexpr qint64 hourMs = 3600 * 1000;
    thread_local qint64 cachedHour = std::numeric_limits<qint64>::min();
    thread_local qint64 offsetMs = 0;
    const qint64 hour = record.startedMs >= 0 ? record.startedMs / hourMs : (record.startedMs + 1) / hourMs - 1;
    if (hour != cachedHour) {
        cachedHour = hour;
        offsetMs = QDateTime::fromMSecsSinceEpoch(hour * hourMs).offsetFromUtc() * qint64(1000);
    }
    return QDateTime::fromMSecsSinceEpoch(record.startedMs + offsetMs, Qt::UTC);
}

} // namespace

QString header(int column)
{
    switch (column) {
    case ColumnTime:
        return Tr::tr("Время");
    case ColumnRyn:
        return Tr::tr("RYN");
    case ColumnFunction:
        return Tr::tr("Функция");
    case ColumnRegisters:
        return Tr::tr("Регистры");
    case ColumnCommand:
        return Tr::tr("Команда");
    case ColumnResult:
        return Tr::tr("Результат");
    case ColumnDuration:
        return Tr::tr("Длит., мс");
    case ColumnRequest:
        return Tr::tr("Запрос");
    case ColumnAnswer:
        return Tr::tr("Ответ");
    default:
        return QString();
    }
}

QString cell(const LineRecord &record, int column)
{
    switch (column) {
    case ColumnTime:
        return started(record).toString(QStringLiteral("hh:mm:ss.zzz"));
    case ColumnRyn:
        return QString::number(record.rynAddr);
    case ColumnFunction:
        return function(record.request);
    case ColumnRegisters:
        return registers(record.request);
    case ColumnCommand:
        return command(record.cmdCode);
    case ColumnResult:
        return result(record.result, record.exceptionCode);
    case ColumnDuration:
        return QString::number(record.durationMs);
    case ColumnRequest:
        return hex(record.request);
    case ColumnAnswer:
        return hex(record.answer);
    default:
        return QString();
    }
}

QString dateTime(const LineRecord &record)
{
    return started(record).toString(QStringLiteral("dd.MM.yyyy hh:mm:ss.zzz"));
}

QString function(const QByteArray &request)
{
    return request.size() < 2 ? QString() : QString::number(quint8(request.at(1)));
}

QString registers(const QByteArray &request)
{
    if (request.size() < headerBytes)
        return QString();
    return QStringLiteral("%1 (%2)").arg(word(request, 2)).arg(word(request, 4));
}

QString result(int result, quint8 exceptionCode)
{
    switch (result) {
    case ResultOk:
        return Tr::tr("Успешно");
    case ResultNoAnswer:
        return Tr::tr("Нет ответа");
    case ResultBadFrame:
        return Tr::tr("Неверный кадр");
    case ResultCrcError:
        return Tr::tr("Ошибка CRC");
    case ResultPortError:
        return Tr::tr("Ошибка порта");
    case ResultException:
        return Tr::tr("Исключение %1").arg(exceptionCode);
    case ResultUnknownCommand:
        return Tr::tr("Неизвестная команда");
    case ResultNoTypes:
        return Tr::tr("Типы АУ не известны");
    default:
        return QString::number(result);
    }
}

QString command(int cmdCode)
{
    const QString name = CommandNames::nameOf(cmdCode);
    if (cmdCode == CommandNames::eventReadCode)
        return name;
    if (name.isEmpty())
        return QString::number(cmdCode);
    return QStringLiteral("%1 (%2)").arg(name).arg(cmdCode);
}

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString hexLines(const QByteArray &bytes)
{
    constexpr int bytesPerLine = 16;
    QStringList lines;
    for (int at = 0; at < bytes.size(); at += bytesPerLine)
        lines.append(hex(bytes.mid(at, bytesPerLine)));
    return lines.join(QLatin1Char('\n'));
}

} // namespace LineRecordText
