#pragma once

#include "trendseries.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class TrendStore;

// The samples of some series as a CSV file: one header line ("Время" and a title a series), then
// one row per time at which any of them has a sample, oldest first, ";" between fields, Windows-1251.
// A series without a sample at a row's time, or in a gap there, leaves its field empty. Decimals are
// written with a comma, as in the reports.
namespace TrendCsv {

QByteArray text(const TrendStore &store, const QList<TrendSeries> &series, const QStringList &titles);
// Writes the file atomically; empty on success, otherwise why it failed (the old file is then kept).
QString save(const QString &fileName, const TrendStore &store, const QList<TrendSeries> &series,
             const QStringList &titles);

} // namespace TrendCsv
