#include "evfilter.h"

#include <QCoreApplication>

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(EventsWidget)
};
} // namespace

QString evFilterSummary(const EvFilter &filter, const QString &evCodeDesc)
{
    QString summary = Tr::tr("Фильтр по событиям:") + QLatin1Char(' ');
    if (!filter.isActive()) {
        summary += Tr::tr("не установлен");
    } else {
        // Each part ends in two spaces; every two spaces then read as ", ", those of a description too.
        if (filter.rynFilterOn)
            summary += Tr::tr("адрес RYN") + QStringLiteral(" = ") + QString::number(filter.rynAddr) +
                       QStringLiteral("  ");
        if (filter.auFilterOn)
            summary += Tr::tr("адрес АУ") + QStringLiteral(" = ") + QString::number(filter.auAddr) +
                       QStringLiteral("  ");
        if (filter.evCodeFilterOn) {
            summary += Tr::tr("код события") + QStringLiteral(" = ") + QString::number(filter.evCode);
            if (!evCodeDesc.isEmpty())
                summary += QStringLiteral(" [") + evCodeDesc + QLatin1Char(']');
        }
    }
    return summary.trimmed().replace(QStringLiteral("  "), QStringLiteral(", "));
}
