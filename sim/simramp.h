#pragma once

#include <QString>

// A value moving to a target on the simulated controller's clock: evenly (`ramp`), by a step every
// few seconds (`drift`), along a charge curve (`charge`), or down and back after a while (`dip`).
class SimRamp
{
public:
    enum Shape
    {
        Linear,
        Steps,
        Charge,
        Dip
    };

    int address = 0; // 0 names a controller field
    QString name;
    double from = 0;
    double to = 0; // for a dip, the value at the bottom
    qint64 startMs = 0;
    qint64 durationMs = 0; // the whole ramp, the time between steps, the time constant or the dip
    Shape shape = Linear;
    double step = 0;

    // The value at `nowMs` on the controller's clock; `done` says whether the movement is over.
    double valueAt(qint64 nowMs, bool *done) const;
};
