#pragma once

#include <QMetaType>
#include <QObject>

// The enumerations a unit cell is described by. They live apart from the cell widget so that code
// without widgets (the response decoder, the properties model) can carry them in signals; `AuCell`
// inherits them, so `AuCell::IoNumber` and `AuCellTypes::IoNumber` are one type.
class AuCellTypes
{
    Q_GADGET

public:
    // Which grid a cell belongs to; fixes what its state means and which colours apply.
    enum CellKind : int
    {
        GeneralCell = 0,
        IonistorCell = 1,
        SmokeCell = 2,
    };
    Q_ENUM(CellKind)

    // What the cells of a grid show besides their colour.
    enum ViewMode : int
    {
        FullView = 0,
        VersionView = 1,
        TempSmokeView = 2,
        IonistorVoltageView = 3,
    };
    Q_ENUM(ViewMode)

    // Number of an input or output of a module; other values are ignored by the receivers.
    enum IoNumber : int
    {
        Io1 = 1,
        Io2 = 2,
        Io3 = 3,
        Io4 = 4,
    };
    Q_ENUM(IoNumber)

    // Valve input of a valve module; other values are ignored.
    enum ValveNumber : int
    {
        Valve1 = 1,
        Valve2 = 2,
    };
    Q_ENUM(ValveNumber)

    // Border W1, W2 or W3 of a flame detector; other values are ignored.
    enum IPP_W_Number : int
    {
        W1 = 1,
        W2 = 2,
        W3 = 3,
    };
    Q_ENUM(IPP_W_Number)

    // Makes the number types known under the names the signals spell them with ("AuCell::IoNumber"),
    // for queued connections and QSignalSpy. Safe to call more than once.
    static void registerMetaTypes();
};
