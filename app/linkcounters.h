#pragma once

#include "modbusevent.h"

#include <QByteArray>
#include <QMap>
#include <QObject>

// The traffic counters of the status bar and of the controller panel: a row for each controller
// since it was last selected or found, with its exceptions by code, and one for the whole run. The
// line's traffic counts for one controller at a time: the selected one, or the one a report run is
// reading; a run thus leaves every other controller's counters as they were.
class LinkCounters : public QObject
{
    Q_OBJECT

public:
    struct Counts
    {
        quint32 transmitted = 0;
        quint32 received = 0;
        quint32 noAnswer = 0;
        quint32 linkErrors = 0;
        quint32 modbusErrors = 0;
    };

    explicit LinkCounters(QObject *parent = nullptr);

    const Counts &totals() const { return m_totals; }

    void countTransmitted();
    // A transaction's result; an answer counts as received only when `countReceived` says so.
    void countAnswer(int errCode, const QByteArray &answer, bool countReceived);
    // An event read that brought events; the controller's start clears its error counters.
    void countEvents(const ModbusProtocol::EventList &events);
    // Starts a controller's counters from zero (it was selected, or found); shows nothing.
    void restart(int rynAddr);
    // The line's traffic counts for this controller from now on; its counters are shown.
    void countFor(int rynAddr);
    int countedRyn() const { return m_countedRyn; }

signals:
    // Something came back from the line: the receive indicator lights.
    void signalAnswerHeard();
    // The run's totals changed (shown in the status bar); the counted controller's follow.
    void signalTotalsChanged();
    void signalRxTimeoutErrCntChanged(uint rxTimeoutErrCnt);
    void signalRxCommErrCntChanged(uint rxCommErrCnt);
    void signalRxModbusErrCntChanged(uint rxModbusErrCnt);
    void signalModbusErrorCode(int modbusErrorCode);
    void signalModbusErrorCodes(QMap<int, int> modbusErrorMap);

private:
    void refresh();

    QMap<int, Counts> m_rynCounts;
    QMap<int, QMap<int, int>> m_modbusErrorCodes;
    int m_countedRyn = 0;
    Counts m_totals;
};
