#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

// Which readings a trend can follow: per unit, those its type has; per controller, its supplies,
// loop resistance, unit counts and loop error counters. Each reading names the read block that
// carries it, its unit of measure and how many decimals it shows.
class TrendCatalogue
{
    Q_DECLARE_TR_FUNCTIONS(TrendCatalogue)

public:
    enum Reading : quint8
    {
        NoReading = 0,
        // A unit's readings.
        Smoke = 1,       // the smoke grid's value, relative units
        Temperature,     // heat types, degrees
        IonistorVoltage, // volts of the ionistor block
        LoVoltage,       // an LO control module's supply, volts
        MainsVoltage,    // a power module's mains voltage (the last one it was asked for), volts
        // A controller's readings.
        LoopResistance = 32,
        Supply24Voltage,
        Supply24Current,
        Supply13Voltage,
        Supply13Current,
        UnitsConfigured,
        UnitsPolled,
        LoopParity,
        LoopNoise,
        LoopDataDlit,
        LoopSbDlit,
        LoopTimeout,
        LoopOverflow,
        LoopIBig,
        LoopISmall,
    };

    static bool isControllerReading(Reading reading) { return reading >= LoopResistance; }
    static bool isKnown(int reading);

    // The readings a unit of this type has; empty for a type without any.
    static QList<Reading> unitReadings(int type);
    static QList<Reading> controllerReadings();

    static QString name(Reading reading);
    // "В", "мА", "Ом", "°C" or empty for counts and relative units.
    static QString unitOfMeasure(Reading reading);
    static int decimals(Reading reading);
    // The monitoring read code whose block carries the reading of this unit (0: the controller).
    static int blockCode(Reading reading, int unitAddr);
    // Whether the reading has an alarm threshold drawn with it.
    static bool hasThreshold(Reading reading) { return reading == Smoke || reading == Temperature; }
};
