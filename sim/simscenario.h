#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

class SimBus;

// Reads a scenario file (JSON) into a bus: which controllers are on the line, their registers,
// constants and loops, and a timeline of control lines to run while the simulation goes on.
class SimScenario
{
    Q_DECLARE_TR_FUNCTIONS(SimScenario)

public:
    struct TimelineEntry
    {
        qint64 atMs = 0;
        QString line; // a control line
    };

    struct Contents
    {
        QList<TimelineEntry> timeline; // sorted by time
        qint64 repeatMs = 0;           // 0: the timeline runs once
        bool hasSeed = false;
        quint32 seed = 1;
    };

    // Return false with a message naming the place of the first mistake; the bus may then hold
    // part of the scenario. Every controller is powered up at the end.
    static bool load(const QString &path, SimBus &bus, Contents *contents, QString *error);
    static bool parse(const QByteArray &json, SimBus &bus, Contents *contents, QString *error);

    // "3", "10-20", "1-4,7" -> the addresses; empty on a mistake.
    static QList<int> parseAddresses(const QString &text);
};
