#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// The simulator's end of a line to the tool, whatever carries it: received bytes come out as a
// signal, and a silence ends a request; answers go out paced at the line rate after a turnaround, as
// a real line would carry them.
class SimLine : public QObject
{
    Q_OBJECT

public:
    explicit SimLine(QObject *parent = nullptr);

    // 0: answers go out at once, for fast tests. Otherwise bytes are paced at 11 bits a character.
    void setBaud(int baud) { m_baud = baud; }
    void setTurnaroundMs(int ms) { m_turnaroundMs = ms; }
    // Silence after which the bytes received so far are taken as complete.
    void setIdleGapMs(int ms) { m_idleTimer.setInterval(ms); }

    // Sends `bytes` after the turnaround plus `extraDelayMs`; from `burstFrom` on (if not -1) the rest
    // go out together. An answer still waiting or being sent is dropped: the master has moved on.
    void send(const QByteArray &bytes, int burstFrom, int extraDelayMs);

signals:
    void bytesReceived(const QByteArray &bytes);
    void lineIdle();
    void sendingStarted(const QByteArray &bytes);
    void answerDropped(int unsentBytes);

protected:
    // What the carrier took in from the tool.
    void received(const QByteArray &bytes);
    // Stops whatever is waiting to be sent.
    void stopSending();
    virtual void writeBytes(const char *data, int length) = 0;
    // A real serial device paces the bytes itself.
    virtual bool pacesItself() const { return false; }

private:
    void sendDue();

    int m_baud = 19200;
    int m_turnaroundMs = 3;
    QTimer m_idleTimer;
    QTimer m_sendTimer;
    QElapsedTimer m_clock;
    QByteArray m_pending;
    int m_sent = 0;
    int m_burstFrom = -1;
    qint64 m_sendStartNs = 0;
};
