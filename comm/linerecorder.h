#pragma once

#include "linerecord.h"

// The worker's side of the traffic monitor: records wait here and leave in batches, at most one
// batch every 100 ms, so a busy line costs the window a few updates a second. Bounded: records that
// find it full are counted as lost and handed on as that count.
class LineRecorder
{
public:
    static constexpr int capacity = 10000;
    static constexpr int batchIntervalMs = 100;

    bool isEnabled() const { return m_enabled; }
    // Switching off drops whatever waits: nobody is there to see it.
    void setEnabled(bool enabled);

    void add(const LineRecord &record);
    bool isEmpty() const { return m_records.isEmpty() && m_lost == 0; }

    // Milliseconds until the next batch may leave (0 when it may leave now); `now` on a monotonic clock.
    qint64 msUntilDue(qint64 now) const;
    // Takes the waiting records and the count lost since the last batch.
    LineRecordList take(qint64 now, int &lost);

private:
    bool m_enabled = false;
    bool m_sentAny = false;
    qint64 m_lastSentMs = 0;
    LineRecordList m_records;
    int m_lost = 0;
};
