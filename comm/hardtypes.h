#pragma once

#include <QMetaType>
#include <QString>

// Device type code of an addressable unit, as the controller reports it. Kept a plain enumeration:
// codes arrive as integers and unknown codes must pass through untouched.
enum HardTypes
{
    ManualCallPoint = 1,
    HeatDetector = 2,
    HeatDetector2 = 3,
    SmokeDetector = 4,
    FlameDetector = 5,
    FlameDetector2 = 6,
    RemoteStartButton = 7,
    InputModule2 = 8,
    InputModule4 = 9,
    RelayModule2 = 10,
    RelayModule4 = 11,
    ManualCallPointV = 12,
    InputRelayModule = 13,
    InputModule2A = 14,
    ControlModuleA = 15,
    ControlModuleB = 16,
    ControlModuleC = 17,
    PowerModuleA = 18,
    PowerModuleB = 19,
    PowerModuleC = 20,
    PowerModuleD = 21,
    PowerModuleE = 22,
    SmokeHeatDetector = 23,
    SmokeHeatDetector2 = 24,
    RynController = 100,
    UndefinedType = 255,
};

Q_DECLARE_METATYPE(HardTypes)

// Type groups by which the views decide what applies to a unit.
bool isFireType(int type);
bool isHeatType(int type);
bool isSmokeType(int type);
bool isFlameType(int type);
bool isIonistorType(int type);
bool isVexaInputType(int type);
bool isRelayOutputType(int type);
bool isLoType(int type);

// Short model label of a type code: "..." for a type not yet known, empty for a code without a label.
QString auTypeName(int type);
// The label as a table row names the type: a code without a label reads "тип 12", never empty.
QString auTypeDisplayName(int type);
