#include "trendcsv.h"

#include "atomicwrite.h"
#include "trendstore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTextCodec>

#include <limits>

namespace TrendCsv {

namespace {
const QString timeFormat = QStringLiteral("dd.MM.yyyy hh:mm:ss.zzz");
}

QByteArray text(const TrendStore &store, const QList<TrendSeries> &series, const QStringList &titles)
{
    QString out = QCoreApplication::translate("TrendCsv", "Время");
    for (int i = 0; i < series.size(); ++i)
        out += QLatin1Char(';') + titles.value(i);
    out += QLatin1Char('\n');

    QVector<int> next(series.size(), 0);
    QVector<int> counts(series.size());
    for (int i = 0; i < series.size(); ++i)
        counts[i] = store.count(series.at(i));
    for (;;) {
        qint64 rowMs = std::numeric_limits<qint64>::max();
        for (int i = 0; i < series.size(); ++i) {
            if (next[i] < counts[i])
                rowMs = qMin(rowMs, store.at(series.at(i), next[i]).timeMs);
        }
        if (rowMs == std::numeric_limits<qint64>::max())
            break;
        out += QDateTime::fromMSecsSinceEpoch(rowMs).toString(timeFormat);
        for (int i = 0; i < series.size(); ++i) {
            out += QLatin1Char(';');
            // Several samples of one series at one time: the last of them is the value then.
            bool found = false;
            TrendStore::Sample sample;
            while (next[i] < counts[i] && store.at(series.at(i), next[i]).timeMs == rowMs) {
                sample = store.at(series.at(i), next[i]);
                found = true;
                ++next[i];
            }
            if (found && !sample.isGap()) {
                const int decimals = TrendCatalogue::decimals(series.at(i).reading);
                out += QString::number(sample.value, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
            }
        }
        out += QLatin1Char('\n');
    }
    return QTextCodec::codecForName("Windows-1251")->fromUnicode(out);
}

QString save(const QString &fileName, const TrendStore &store, const QList<TrendSeries> &series,
             const QStringList &titles)
{
    QString error;
    if (!atomicWrite(fileName, text(store, series, titles), &error))
        return error.isEmpty() ? QCoreApplication::translate("TrendCsv", "файл не записан") : error;
    return QString();
}

} // namespace TrendCsv
