#pragma once

#include "trendcatalogue.h"

#include <QHash>
#include <QtGlobal>

// One recorded series: a reading of a unit of a controller, or of the controller itself (unit 0).
struct TrendSeries
{
    int rynAddr = 0;
    int unitAddr = 0;
    TrendCatalogue::Reading reading = TrendCatalogue::NoReading;

    bool isController() const { return unitAddr == 0; }
    // One number for settings and hashing: controller, unit and reading in a byte each.
    quint32 code() const { return quint32(rynAddr) << 16 | quint32(unitAddr) << 8 | quint32(reading); }
    static TrendSeries fromCode(quint32 code)
    {
        return {int(code >> 16 & 0xff), int(code >> 8 & 0xff), TrendCatalogue::Reading(code & 0xff)};
    }
    bool isValid() const
    {
        return rynAddr >= 1 && rynAddr <= 8 && unitAddr >= 0 && unitAddr <= 251 &&
               TrendCatalogue::isKnown(reading) && TrendCatalogue::isControllerReading(reading) == isController();
    }
    bool operator==(const TrendSeries &other) const { return code() == other.code(); }
    bool operator!=(const TrendSeries &other) const { return code() != other.code(); }
    bool operator<(const TrendSeries &other) const { return code() < other.code(); }
};

inline uint qHash(const TrendSeries &series, uint seed = 0)
{
    return ::qHash(series.code(), seed);
}
