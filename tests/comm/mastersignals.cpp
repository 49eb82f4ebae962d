#include "mastersignals.h"

MasterSignals::MasterSignals(ModbusMaster *master, QObject *parent)
    : QObject(parent)
{
    connect(master, &ModbusMaster::signalPortOpened, this, &MasterSignals::signalPortOpened, Qt::QueuedConnection);
    connect(master, &ModbusMaster::signalInfo, this, &MasterSignals::signalInfo, Qt::QueuedConnection);
    connect(master, &ModbusMaster::signalEvents, this, &MasterSignals::signalEvents, Qt::QueuedConnection);
}
