#pragma once

#include "linerecord.h"

#include <QString>

// The traffic monitor's records saved for later: a CSV file (";" between fields, RFC 4180 quoting,
// Windows-1251 like the tool's other CSV files) or a plain text file in UTF-8 with aligned columns.
// Both have one header line and the time with its date and milliseconds.
namespace LineMonitorFile {

QString csv(const LineRecordList &records);
QString text(const LineRecordList &records);

// Replaces the file atomically: CSV when its name ends in ".csv", text otherwise. Returns why it
// failed, or an empty string.
QString save(const QString &fileName, const LineRecordList &records);

} // namespace LineMonitorFile
