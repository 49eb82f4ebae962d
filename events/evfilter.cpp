#include "evfilter.h"

#include <QCoreApplication>
#include <QStringList>

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(EventsWidget)
};
} // namespace

QString evFilterSummary(const EvFilter &filter, const QString &evCodeDesc)
{
    const QString head = Tr::tr("Фильтр по событиям:") + QLatin1Char(' ');
    if (!filter.isActive())
        return QString(head + Tr::tr("не установлен")).trimmed();

    // Parts are joined directly, so a description with double spaces is kept as it is.
    QStringList parts;
    if (filter.rynFilterOn)
        parts << Tr::tr("адрес RYN") + QStringLiteral(" = ") + QString::number(filter.rynAddr);
    if (filter.auFilterOn)
        parts << Tr::tr("адрес АУ") + QStringLiteral(" = ") + QString::number(filter.auAddr);
    if (filter.evCodeFilterOn) {
        QString part = Tr::tr("код события") + QStringLiteral(" = ") + QString::number(filter.evCode);
        if (!evCodeDesc.isEmpty())
            part += QStringLiteral(" [") + evCodeDesc + QLatin1Char(']');
        parts << part;
    }
    return QString(head + parts.join(QStringLiteral(", "))).trimmed();
}
