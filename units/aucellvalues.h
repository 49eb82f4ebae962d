#pragma once

#include "aucelltypes.h"

#include <QColor>
#include <QList>
#include <QString>

#include <array>

// What one unit cell knows and what follows from it: the display code that picks its colour and the
// texts of its labels. Kept apart from the widget so that every decision can be checked without a
// window, and so that the widget can tell whether anything visible has changed.
class AuCellValues
{
public:
    // Set by the views, never reported: the unit's type is filtered out.
    static constexpr int HiddenCode = 16;

    enum Label
    {
        AddressLabel,
        TypeLabel,
        VoltageLabel,
        TemperatureLabel,
        ThresholdLabel,
        SmokeLabel,
        SmokeMidLabel,
        ResourceLabel,
        FirmwareLabel,
        LoLabel,
        Input1Label,
        Input2Label,
        Input3Label,
        Input4Label,
        Output1Label,
        Output2Label,
        Output3Label,
        Output4Label,
        Valve1Label,
        Valve2Label,
        LabelCount
    };
    using Texts = std::array<QString, LabelCount>;

    AuCellValues(int address, AuCellTypes::CellKind kind);

    int displayCode() const;
    // The ionistor block is being charged: shown by an animation in the ionistor grid.
    bool charging() const;
    Texts texts() const;

    static QColor cellColour(AuCellTypes::CellKind kind, int displayCode);
    static QColor isolatorColour(int isolator);

    // Store a module's input, output or valve by its number (1..4, 1..2); numbers out of range store
    // nothing. True when the stored value changed.
    bool setInput(int number, quint8 value, bool isVexa2R2);
    bool setOutput(int number, quint8 value, bool isVexa2R2);
    bool setValve(int number, quint8 value);

    int address = 0;
    AuCellTypes::CellKind kind = AuCellTypes::GeneralCell;
    int state = 8; // general state, or ionistor state in the ionistor grid
    int type = 255;
    bool hidden = false;
    bool unBlocked = true;
    quint8 connection = 0;
    int fire = 0;
    quint8 photo = 0;
    quint8 sensor = 0;
    quint8 dustiness = 0;
    double voltage = 0;
    quint8 t_u = 0;
    quint8 thresholdT = 0;
    quint8 smoke = 0;
    quint8 smokeMid = 0;
    quint8 resource = 0;
    quint8 firmwareVersion = 0;
    quint8 powerLo = 5;
    int insulatorLeft = 1;
    int insulatorRight = 1;
    std::array<quint8, 4> input = {4, 4, 4, 4};
    std::array<quint8, 2> inputVexa2R2 = {4, 4};
    std::array<quint8, 4> output = {4, 4, 4, 4};
    std::array<quint8, 2> outputVexa2R2 = {4, 4};
    std::array<quint8, 2> valve = {4, 4};
};
