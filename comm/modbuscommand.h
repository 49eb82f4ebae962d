#pragma once

#include <QByteArray>

// One queued command: who asked (id), which controller, what, and its arguments.
struct ModbusCommand
{
    int id = 0;
    int rynAddr = 0;
    int cmdCode = 0;
    QByteArray info;
};
