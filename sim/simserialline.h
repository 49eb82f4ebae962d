#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

// The simulator's end of the serial line: either a pseudo-terminal pair whose far end is published
// as a symbolic link for the tool to open, or a real serial device. Received bytes come out as a
// signal; answers go out paced at the line rate after a turnaround, as a real line would carry them.
// The simulator keeps the far end of a pseudo-terminal open itself, so that the tool closing and
// reopening its port never leaves this end with a hang-up.
class SimSerialLine : public QObject
{
    Q_OBJECT

public:
    explicit SimSerialLine(QObject *parent = nullptr);
    ~SimSerialLine() override;

    // Creates the pair and the link; an existing symbolic link at `linkPath` is replaced, anything
    // else there is left alone and reported.
    bool openPseudoTerminal(const QString &linkPath, QString *error);
    // Opens a device at `baud` (8 data bits, no parity, 2 stop bits).
    bool openDevice(const QString &device, int baud, QString *error);
    void close();

    // 0: answers go out at once, for fast tests. Otherwise bytes are paced at 11 bits a character.
    void setBaud(int baud) { m_baud = baud; }
    void setTurnaroundMs(int ms) { m_turnaroundMs = ms; }
    // Silence after which the bytes received so far are taken as complete.
    void setIdleGapMs(int ms) { m_idleTimer.setInterval(ms); }

    QString linkPath() const { return m_linkPath; }
    // The device the tool opens: the pseudo-terminal's far end, or the real device.
    QString farEnd() const { return m_farEnd; }

    // Sends `bytes` after the turnaround plus `extraDelayMs`; from `burstFrom` on (if not -1) the rest
    // go out together. An answer still waiting or being sent is dropped: the master has moved on.
    void send(const QByteArray &bytes, int burstFrom, int extraDelayMs);

signals:
    void bytesReceived(const QByteArray &bytes);
    void lineIdle();
    void sendingStarted(const QByteArray &bytes);
    void answerDropped(int unsentBytes);

private:
    void readAvailable();
    void sendDue();
    void writeBytes(const char *data, int length);
    bool configure(int fd, int baud, QString *error);

    int m_fd = -1;       // the end the simulator reads and writes
    int m_farEndFd = -1; // the pseudo-terminal's other end, held open
    QSocketNotifier *m_notifier = nullptr;
    QString m_linkPath;
    QString m_farEnd;
    bool m_realDevice = false;
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
