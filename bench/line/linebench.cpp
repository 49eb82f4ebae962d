#include "linebench.h"

#include "commandcodes.h"
#include "commandid.h"
#include "modbusmaster.h"
#include "modbusprotocol.h"

#include <QEventLoop>
#include <QTimer>

double bytesMs(int bytes)
{
    return bytes * ModbusProtocol::bitsPerCharacter * 1000.0 / ModbusProtocol::baudRate;
}

void wait(int msecs)
{
    QEventLoop loop;
    QTimer::singleShot(msecs, &loop, &QEventLoop::quit);
    loop.exec();
}

void search(ModbusMaster *master)
{
    for (int address = 1; address <= 8; ++address)
        QMetaObject::invokeMethod(master, "slotAddCommand", Q_ARG(int, address), Q_ARG(int, nextCommandId()),
                                  Q_ARG(int, CMD_PING), Q_ARG(QByteArray, QByteArray()));
    wait(8 * 210);
}
