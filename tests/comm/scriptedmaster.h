#pragma once

#include "fakeslave.h"
#include "modbusmaster.h"
#include "scriptedport.h"

#include <memory>

// A worker without a thread of its own, on a scripted line to one fake slave whose clock it keeps,
// so that each doModbus() is a whole transaction that costs no real time. Fill the slave's memory
// before init().
class ScriptedMaster
{
public:
    explicit ScriptedMaster(quint8 slaveAddress, const QString &portName = QStringLiteral("line"));
    ~ScriptedMaster();

    FakeSlave slave;
    std::unique_ptr<ModbusMaster> master;

private:
    ScriptedPort *m_port = nullptr;
};
