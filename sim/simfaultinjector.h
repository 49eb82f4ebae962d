#pragma once

#include <QCoreApplication>
#include <QString>

#include <array>
#include <random>

// Spoils answers on purpose, at set rates and reproducibly from a seed, and counts every fault it
// injects so that a test can hold the master's own counts against them.
class SimFaultInjector
{
    Q_DECLARE_TR_FUNCTIONS(SimFaultInjector)

public:
    enum Kind : int
    {
        None = -1,
        NoAnswer,  // the request is lost on its way: nothing is done, nothing is sent
        CrcError,  // one bit of the answer flipped
        Truncated, // the answer is cut short
        ExtraBytes,
        Garbage,   // noise in front of the answer
        Exception, // the controller is busy: exception 6, the request is not carried out
        Late,      // the answer comes after the master's answer window
        KindCount
    };

    explicit SimFaultInjector(quint32 seed = 1);

    void setSeed(quint32 seed);
    // "noanswer=0.02,crc=0.01,...", "off" or "" for none. The rates must add up to at most 1.
    // Returns an error text, empty on success (the rates are then replaced).
    QString setRates(const QString &list);
    double rate(Kind kind) const { return m_rates[kind]; }
    QString ratesText() const;

    // Draws the fault for one answer; counts it.
    Kind draw();

    // What the fault does to a correct answer, and from which byte on the rest of it is sent in one
    // burst (so that a master polling the line sees the extra bytes together with the last ones).
    struct Spoiled
    {
        QByteArray bytes;
        int burstFrom = -1; // -1: every byte at the line rate
    };
    Spoiled spoil(Kind kind, const QByteArray &answer);

    int count(Kind kind) const { return m_counts[kind]; }
    // "noanswer=1 crc=0 ..."
    QString countsText() const;

    static QString kindName(Kind kind);

private:
    quint32 next() { return quint32(m_random()); }
    // Uniform in [0, 1), the same on every platform.
    double uniform() { return next() / 4294967296.0; }
    int between(int low, int high) { return low + int(next() % quint32(high - low + 1)); }

    std::mt19937 m_random;
    std::array<double, KindCount> m_rates{};
    std::array<int, KindCount> m_counts{};
};
