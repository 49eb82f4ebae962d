#pragma once

#include "simline.h"

#include <QString>

class QSocketNotifier;

// The simulator's end of the serial line: either a pseudo-terminal pair whose far end is published
// as a symbolic link for the tool to open, or a real serial device.
// The simulator keeps the far end of a pseudo-terminal open itself, so that the tool closing and
// reopening its port never leaves this end with a hang-up.
class SimSerialLine : public SimLine
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

    QString linkPath() const { return m_linkPath; }
    // The device the tool opens: the pseudo-terminal's far end, or the real device.
    QString farEnd() const { return m_farEnd; }

protected:
    void writeBytes(const char *data, int length) override;
    bool pacesItself() const override { return m_realDevice; }

private:
    void readAvailable();
    bool configure(int fd, int baud, QString *error);

    int m_fd = -1;       // the end the simulator reads and writes
    int m_farEndFd = -1; // the pseudo-terminal's other end, held open
    QSocketNotifier *m_notifier = nullptr;
    QString m_linkPath;
    QString m_farEnd;
    bool m_realDevice = false;
};
