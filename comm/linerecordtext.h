#pragma once

#include "linerecord.h"

#include <QString>

// The texts of a traffic record, the same in the monitor's table and in its saved files.
namespace LineRecordText {

enum Column
{
    ColumnTime,
    ColumnRyn,
    ColumnFunction,
    ColumnRegisters,
    ColumnCommand,
    ColumnResult,
    ColumnDuration,
    ColumnRequest,
    ColumnAnswer,
    ColumnCount
};

QString header(int column);
// The table's text of a column; the time as "hh:mm:ss.zzz".
QString cell(const LineRecord &record, int column);
// The time with its date, "dd.MM.yyyy hh:mm:ss.zzz", as the files and the time's tool tip show it.
QString dateTime(const LineRecord &record);

// The request's function code in decimal; empty without a request.
QString function(const QByteArray &request);
// The first register and the number of registers of a read or write request, "976 (1)".
QString registers(const QByteArray &request);
// "Исключение 2" and the like.
QString result(int result, quint8 exceptionCode);
// The catalogue's name and the code, "CMD_READ_TYPES (4)".
QString command(int cmdCode);
// Bytes as upper-case hex pairs separated by spaces.
QString hex(const QByteArray &bytes);
// The same in lines of 16 bytes.
QString hexLines(const QByteArray &bytes);

} // namespace LineRecordText
