#include "mastersignals.h"

#include <QSignalSpy>
#include <QThread>

MasterSignals::MasterSignals(ModbusMaster *master, QObject *parent)
    : QObject(parent)
    , m_thread(master->workerThread())
{
    connect(master, &ModbusMaster::signalPortOpened, this, &MasterSignals::signalPortOpened, Qt::QueuedConnection);
    connect(master, &ModbusMaster::signalPortOpenError, this, &MasterSignals::signalPortOpenError,
            Qt::QueuedConnection);
    connect(master, &ModbusMaster::signalPortRx, this, &MasterSignals::signalPortRx, Qt::QueuedConnection);
    connect(master, &ModbusMaster::signalEchoCount, this, &MasterSignals::signalEchoCount, Qt::QueuedConnection);
    connect(master, &ModbusMaster::signalInfo, this, &MasterSignals::signalInfo, Qt::QueuedConnection);
    connect(master, &ModbusMaster::signalEvents, this, &MasterSignals::signalEvents, Qt::QueuedConnection);
    connect(master, &ModbusMaster::signalRynReadingCompleted, this, &MasterSignals::signalRynReadingCompleted,
            Qt::QueuedConnection);
}

bool MasterSignals::startThread()
{
    QSignalSpy opened(this, &MasterSignals::signalPortOpened);
    m_thread->start();
    return opened.wait(5000) && opened.first().at(0).toBool();
}

bool MasterSignals::stopThread()
{
    m_thread->quit();
    return m_thread->wait(5000);
}
