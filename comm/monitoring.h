#pragma once

#include <QDateTime>
#include <QList>
#include <QMap>

// What the monitoring cycle reads, and how often.
namespace Monitoring {

// Which list to build: one of the summary tabs, or everything the properties table shows.
enum Mode
{
    GeneralTab = 0,
    IonistorTab = 1,
    SmokeTab = 2,
    AllParameters = 3
};

// The read codes of one cycle for the tab (or all parameters), the grid's view mode and the
// device types present in the last types block.
QList<int> buildList(int mode, int viewMode, const QByteArray &types);

// Read policies: 1 = once, 2 = at most once a minute.
enum Policy
{
    ReadOnce = 1,
    ReadEveryMinute = 2
};
constexpr qint64 minuteMs = 61 * 1000;

QMap<int, int> defaultPolicy();

// Whether a code is due, given its policy (0 = none) and when it was last read (invalid = never).
bool isDue(int policy, const QDateTime &lastRead, const QDateTime &now);

} // namespace Monitoring
