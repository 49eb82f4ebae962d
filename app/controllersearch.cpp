#include "controllersearch.h"

#include "commandcodes.h"
#include "commandid.h"
#include "modbusprotocol.h"

using namespace ModbusProtocol;

ControllerSearch::ControllerSearch(QObject *parent)
    : QObject(parent)
{}

int ControllerSearch::choice(quint16 foundMask, int storedRyn)
{
    if (storedRyn >= 1 && storedRyn <= maxRynAddr && (foundMask & (1u << storedRyn)))
        return storedRyn;
    for (int address = 1; address <= maxRynAddr; ++address) {
        if (foundMask & (1u << address))
            return address;
    }
    return 0;
}

void ControllerSearch::start()
{
    m_searching = true;
    m_foundMask = 0;
    m_searchProbeIds.clear();
    emit signalStarted();
    for (int address = 1; address <= maxRynAddr; ++address) {
        const int id = nextCommandId();
        m_searchProbeIds.append(id);
        emit signalSendCommand(address, id, CMD_PING, QByteArray());
    }
}

void ControllerSearch::stop()
{
    m_searching = false;
    m_foundMask = 0;
    m_searchProbeIds.clear();
}

void ControllerSearch::probeAnswered(int rynAddr, int id, int errCode)
{
    if (rynAddr < 1 || rynAddr > maxRynAddr)
        return;
    const bool found = errCode == ResultOk;
    emit signalAnswered(rynAddr, found);
    const bool background = id == 0;
    if (!background && !m_searchProbeIds.contains(id))
        return;
    if (found) {
        m_foundMask |= quint16(1u << rynAddr);
        emit signalFound(rynAddr);
    } else {
        m_foundMask &= quint16(~(1u << rynAddr));
    }

    if (background) {
        // A controller that comes up later is taken as the search would have taken it.
        if (found && !m_searching)
            emit signalJoined(rynAddr);
        return;
    }
    if (!m_searching || id != m_searchProbeIds.last())
        return;
    m_searching = false;
    m_searchProbeIds.clear();
    emit signalEnded(m_foundMask);
}
