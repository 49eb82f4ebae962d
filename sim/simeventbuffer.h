#pragma once

#include <QList>

// One record of a simulated controller's event buffer, as the four bytes it is sent as.
struct SimEvent
{
    quint8 input = 0;
    quint8 unit = 0; // 0: the controller itself
    quint8 param = 0;
    quint8 code = 0;

    bool operator==(const SimEvent &other) const
    {
        return input == other.input && unit == other.unit && param == other.param && code == other.code;
    }
};

// The controller's event buffer as the master sees it: register 0 holds the number of waiting events,
// each event takes two registers from register 1 on. A read of events followed directly by a read of
// register 0 acknowledges the events that were read; anything else in between leaves them waiting.
// When full, the oldest event gives way and one overflow event (104) says how many were lost.
class SimEventBuffer
{
public:
    static constexpr int defaultCapacity = 256;
    static constexpr quint8 overflowCode = 104;

    explicit SimEventBuffer(int capacity = defaultCapacity);

    void push(const SimEvent &event);
    void clear();

    int waiting() const { return m_events.size(); }
    int capacity() const { return m_capacity; }
    const QList<SimEvent> &events() const { return m_events; }
    // Events dropped by overflow since the start.
    int totalLost() const { return m_totalLost; }
    // Events raised since the buffer was last emptied (power-up, reset, clearing), overflow reports
    // not counted.
    int totalRaised() const { return m_totalRaised; }

    // The last register of the event area: 2 * capacity.
    int lastRegister() const { return 2 * m_capacity; }
    quint16 registerValue(int reg) const;

    // Every request this controller answers passes through here, before its answer is built.
    // A read that starts at register 0 acknowledges what the previous request read.
    void noteRead(int start, int count);
    void noteOtherRequest();

private:
    void dropOldest();

    QList<SimEvent> m_events;
    int m_capacity = defaultCapacity;
    int m_readNotAcknowledged = 0; // events the previous request read
    int m_overflowIndex = -1;      // the waiting overflow event, if any
    int m_lostSinceReport = 0;
    int m_totalLost = 0;
    int m_totalRaised = 0;
};
