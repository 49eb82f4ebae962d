#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QMutex>

#include <vector>

// One request as the line benchmarks saw it: when it went out, and how many bytes came back.
struct Transaction
{
    qint64 writtenNs = 0;
    QByteArray request;
    int answerBytes = 0;
};

// Every request and the bytes that came back, with the moment each request went out. Safe from
// any thread.
class Recorder
{
public:
    Recorder() { m_clock.start(); }

    void written(const QByteArray &request);
    void received(int bytes);
    std::vector<Transaction> since(qint64 ns) const;
    qint64 nowNs() const { return m_clock.nsecsElapsed(); }

private:
    mutable QMutex m_mutex;
    QElapsedTimer m_clock;
    std::vector<Transaction> m_transactions;
};
