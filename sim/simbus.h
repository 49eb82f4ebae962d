#pragma once

#include "simcontroller.h"
#include "simfaultinjector.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <map>
#include <memory>

// The serial line with the simulated controllers on it: takes each request frame found on the line,
// gives it to the controller it is addressed to, and spoils the answer when the fault injector says
// so. Knows nothing about ports or time of day, so the tests drive it directly.
class SimBus
{
public:
    SimBus() = default;

    // Adds a controller (replacing one at the same address) and returns it.
    SimController *addController(int address, int eventCapacity = SimEventBuffer::defaultCapacity);
    SimController *controller(int address) const;
    QList<int> addresses() const;

    SimFaultInjector &faults() { return m_faults; }
    const SimFaultInjector &faults() const { return m_faults; }

    // How long a late answer is held back, counted from the end of the request.
    int lateMs() const { return m_lateMs; }
    void setLateMs(int ms) { m_lateMs = ms; }

    struct Answer
    {
        QByteArray bytes;
        int burstFrom = -1;
        int extraDelayMs = 0; // on top of the turnaround
        SimFaultInjector::Kind fault = SimFaultInjector::None;
        QString note; // for the trace
    };
    // A frame with a correct CRC. Returns false when nothing is to be sent; `answer->note` then
    // says why, for the trace.
    bool handleFrame(const QByteArray &frame, Answer *answer);
    // Bytes the framer dropped as a broken request.
    void brokenRequest(const QByteArray &bytes);

    void advance(int ms);

    int frames() const { return m_frames; }
    int answered() const { return m_answered; }
    int broken() const { return m_broken; }
    // "frames=.. answered=.. broken=.. noanswer=.. crc=.. ..."
    QString countsText() const;

private:
    std::map<int, std::unique_ptr<SimController>> m_controllers;
    SimFaultInjector m_faults;
    int m_lateMs = 250;
    int m_frames = 0;
    int m_answered = 0;
    int m_broken = 0;
};
