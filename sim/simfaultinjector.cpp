#include "simfaultinjector.h"

#include <QStringList>

namespace {
const char *const kindNames[SimFaultInjector::KindCount] = {"noanswer", "crc",       "truncated", "extra",
                                                            "garbage",  "exception", "late"};
}

SimFaultInjector::SimFaultInjector(quint32 seed)
    : m_random(seed)
{}

void SimFaultInjector::setSeed(quint32 seed)
{
    m_random.seed(seed);
}

QString SimFaultInjector::kindName(Kind kind)
{
    return QLatin1String(kindNames[kind]);
}

QString SimFaultInjector::setRates(const QString &list)
{
    std::array<double, KindCount> rates{};
    const QString text = list.trimmed();
    if (!text.isEmpty() && text.compare(QLatin1String("off"), Qt::CaseInsensitive) != 0) {
        for (const QString &item : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QStringList pair = item.split(QLatin1Char('='));
            int kind = -1;
            for (int i = 0; i < KindCount && pair.size() == 2; ++i) {
                if (pair.at(0).trimmed().compare(QLatin1String(kindNames[i]), Qt::CaseInsensitive) == 0)
                    kind = i;
            }
            if (kind < 0)
                return tr("\"%1\" is not a fault: use name=rate with the names %2")
                    .arg(item, QStringList({kindName(NoAnswer), kindName(CrcError), kindName(Truncated),
                                            kindName(ExtraBytes), kindName(Garbage), kindName(Exception),
                                            kindName(Late)})
                                   .join(QLatin1String(", ")));
            bool ok = false;
            const double rate = pair.at(1).trimmed().toDouble(&ok);
            if (!ok || rate < 0.0 || rate > 1.0)
                return tr("the rate of %1 must be a number from 0 to 1").arg(pair.at(0).trimmed());
            rates[kind] = rate;
        }
    }
    double sum = 0;
    for (const double rate : rates)
        sum += rate;
    if (sum > 1.0 + 1e-9)
        return tr("the fault rates add up to %1, more than 1").arg(sum);
    m_rates = rates;
    return QString();
}

QString SimFaultInjector::ratesText() const
{
    QStringList items;
    for (int i = 0; i < KindCount; ++i) {
        if (m_rates[i] > 0)
            items.append(kindName(Kind(i)) + QLatin1Char('=') + QString::number(m_rates[i]));
    }
    return items.isEmpty() ? QStringLiteral("off") : items.join(QLatin1Char(','));
}

SimFaultInjector::Kind SimFaultInjector::draw()
{
    double sum = 0;
    for (const double rate : m_rates)
        sum += rate;
    if (sum <= 0)
        return None;
    const double u = uniform();
    double edge = 0;
    for (int i = 0; i < KindCount; ++i) {
        edge += m_rates[i];
        if (u < edge) {
            ++m_counts[i];
            return Kind(i);
        }
    }
    return None;
}

SimFaultInjector::Spoiled SimFaultInjector::spoil(Kind kind, const QByteArray &answer)
{
    Spoiled spoiled;
    spoiled.bytes = answer;
    if (answer.isEmpty())
        return spoiled;
    switch (kind) {
    case CrcError: {
        const int index = between(0, answer.size() - 1);
        spoiled.bytes[index] = char(spoiled.bytes.at(index) ^ (1 << between(0, 7)));
        break;
    }
    case Truncated:
        spoiled.bytes.truncate(between(1, answer.size() - 1));
        break;
    case ExtraBytes: {
        const int extra = between(1, 4);
        for (int i = 0; i < extra; ++i)
            spoiled.bytes.append(char(between(0, 255)));
        spoiled.burstFrom = answer.size() - 1;
        break;
    }
    case Garbage: {
        QByteArray noise;
        const int length = between(1, 4);
        for (int i = 0; i < length; ++i)
            noise.append(char(between(0, 255)));
        spoiled.bytes.prepend(noise);
        // The byte that completes the answer's length, and all after it, arrive together.
        spoiled.burstFrom = answer.size() - 1;
        break;
    }
    default:
        break;
    }
    return spoiled;
}

QString SimFaultInjector::countsText() const
{
    QStringList items;
    for (int i = 0; i < KindCount; ++i)
        items.append(kindName(Kind(i)) + QLatin1Char('=') + QString::number(m_counts[i]));
    return items.join(QLatin1Char(' '));
}
