#include "simramp.h"

#include <QtGlobal>

#include <cmath>

double SimRamp::valueAt(qint64 nowMs, bool *done) const
{
    const qint64 elapsed = nowMs - startMs;
    switch (shape) {
    case Steps: {
        const double value = from + step * double(elapsed / durationMs);
        *done = step > 0 ? value >= to : value <= to;
        return *done ? to : value;
    }
    case Charge:
        // Five time constants bring it within 1 % of the target: it is there.
        *done = elapsed >= 5 * durationMs;
        return *done ? to : to + (from - to) * std::exp(-double(elapsed) / durationMs);
    case Dip:
        *done = elapsed >= durationMs;
        return *done ? from : to;
    case Linear:
        break;
    }
    const double progress = durationMs > 0 ? qBound(0.0, double(elapsed) / durationMs, 1.0) : 1.0;
    *done = progress >= 1.0;
    return from + (to - from) * progress;
}
