#include "scriptedmaster.h"

ScriptedMaster::ScriptedMaster(quint8 slaveAddress, const QString &portName)
    : slave(slaveAddress)
{
    ModbusMaster::Options options;
    options.ownThread = false;
    options.portFactory = [this](const QString &) {
        auto port = std::make_unique<ScriptedPort>();
        port->responder = slave.responder();
        port->onDestroyed = [this](const ScriptedPort &) { m_port = nullptr; };
        m_port = port.get();
        return port;
    };
    options.linkClock = [this] { return m_port ? m_port->now : 0; };
    options.sleeper = [this](int msecs) {
        if (m_port)
            m_port->advance(msecs);
    };
    master = std::make_unique<ModbusMaster>(portName, 0, false, options);
}

// The worker goes first: its port reports its end to this object.
ScriptedMaster::~ScriptedMaster()
{
    master.reset();
}
