#pragma once

#include "modbuslink.h"
#include "scriptedport.h"

// A link on one scripted port, opened, running on the port's virtual clock with instant sleeps: for
// driving what uses the link (event reads, commands) one transaction after another.
struct ScriptedLine
{
    ScriptedLine();

    ScriptedPort *port = nullptr;
    ModbusLink link{[this](const QString &) {
        auto created = std::make_unique<ScriptedPort>();
        port = created.get();
        return created;
    }};
};
