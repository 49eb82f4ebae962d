#pragma once

#include <QString>

// The event log's filter: which controller, unit and event code the table is narrowed to.
// Shared by the log, its filter dialog and the filter proxy.
struct EvFilter
{
    quint8 rynFilterOn = 0;
    quint8 rynAddr = 1;
    quint8 auFilterOn = 0;
    quint8 auAddr = 1;
    quint8 evCodeFilterOn = 0;
    quint8 evCode = 1;

    bool isActive() const { return rynFilterOn || auFilterOn || evCodeFilterOn; }
};

// The one-line summary that heads a saved log, e.g. "Фильтр по событиям: адрес RYN = 2, код события = 5
// [...]". evCodeDesc is the description of the filtered code (may be empty).
QString evFilterSummary(const EvFilter &filter, const QString &evCodeDesc);
