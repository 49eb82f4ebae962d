#pragma once

#include "auunitrecord.h"

#include <QColor>
#include <QHash>
#include <QLocale>
#include <QSet>
#include <QString>
#include <QVariant>

// The columns of the unit properties table: which of them mean something for which device type, and
// how a unit record reads in each. Pure functions, so the table can be checked cell by cell and the
// model, the proxy and the reports all agree on it.
namespace AuProperty {
enum Column : int
{
    GeneralState = 0,
    Address = 1,
    Type = 2,
    Firmware = 3,
    ProcType = 4,
    Connection = 5,
    Fire = 6,
    PreAlarm = 7,
    Heater = 8,
    HeaterResistance = 9,
    U = 10,
    U1 = 11,
    U2 = 12,
    U3 = 13,
    Ionistor = 14,
    Charging = 15,
    LeftInsulator = 16,
    RightInsulator = 17,
    Blocking = 18,
    ChannelType = 19,
    Temperature = 20,
    ThresholdT = 21,
    Sensor = 22,
    Photo = 23,
    Smoke = 24,
    SmokeMid = 25,
    Dustiness = 26,
    FireThreshold = 27,
    Resource = 28,
    Led = 29,
    Laser = 30,
    Pyrosensor = 31,
    CumulaterS1 = 32,
    CumulaterS2 = 33,
    PyroTimer = 34,
    BorderW1 = 35,
    BorderW2 = 36,
    BorderW3 = 37,
    Input1 = 38,
    Input2 = 39,
    Input3 = 40,
    Input4 = 41,
    Adc1 = 42,
    Adc2 = 43,
    Adc3 = 44,
    Adc4 = 45,
    Output1 = 46,
    Output2 = 47,
    Output3 = 48,
    Output4 = 49,
    OutputInit1 = 50,
    OutputInit2 = 51,
    OutputInit3 = 52,
    OutputInit4 = 53,
    Button = 54,
    Cover = 55,
    LoMode = 56,
    LoModeInit = 57,
    LoVoltage = 58,
    PowerSupply = 59,
    MainPower = 60,
    ReservePower = 61,
    LoLine = 62,
    AverageAmperage = 63,
    SbAmperage = 64,
    NoResponseCounter = 65,
    AdditionData = 66,
    ColumnCount = 67
};
} // namespace AuProperty

// For each column 1..66, the rows whose unit has a meaningful value in it. Owned by the properties
// page; the model keeps it up to date and the filter proxy reads it to hide empty columns.
using ColumnValidRows = QHash<int, QSet<int>>;

// Whether a column means something for a unit of this type.
bool auPropertyApplies(int column, int type);

// Header text of a column (translated); empty outside the table.
QString auPropertyHeader(int column);

// What a cell shows: a number for the general state, address, type and firmware columns, a text
// otherwise (long value texts); null where the column does not apply to the unit's type. Voltages and
// currents are written with the locale's decimal separator.
QVariant auPropertyDisplay(const AuUnitRecord &record, int column, const QLocale &locale);

// The colour that says whether the value is normal; invalid where the cell has no colour.
QColor auPropertyColour(const AuUnitRecord &record, int column);

// LO output modes that actually drive the line are set in bold.
bool auPropertyBold(const AuUnitRecord &record, int column);
