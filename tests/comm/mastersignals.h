#pragma once

#include "modbusmaster.h"

#include <QObject>

class QThread;

// The signals of a worker that runs in a thread of its own, passed on in this object's thread.
// A QSignalSpy records in the thread that emits: spying on the worker itself would race with the
// test that reads the spy; spying on this relay does not.
class MasterSignals : public QObject
{
    Q_OBJECT

public:
    explicit MasterSignals(ModbusMaster *master, QObject *parent = nullptr);

    // Starts the worker's thread; true once the worker reported its port open.
    bool startThread();
    // Ends the thread; the worker deletes itself then.
    bool stopThread();

signals:
    void signalPortOpened(bool isOk);
    void signalPortOpenError(QString reason);
    void signalPortRx(int errType, QByteArray answer);
    void signalEchoCount(int echoes);
    void signalInfo(int rynAddr, int id, int cmdCode, int errCode, QByteArray info);
    void signalEvents(ModbusProtocol::EventList events);
    void signalRynReadingCompleted(int rynAddr, bool success);

private:
    QThread *m_thread = nullptr;
};
