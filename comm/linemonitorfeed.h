#pragma once

#include "linerecorder.h"
#include "modbuslink.h"

#include <QObject>

#include <functional>

class QTimer;

// The worker's feed of the traffic monitor: while the monitor is on, every transaction of the
// worker is recorded with what it was done for (the controller and the command code), and so is a
// command refused before it reached the line. The records leave in batches, at most one every
// 100 ms. It lives in the worker's thread, a child of the worker, and never touches the link.
class LineMonitorFeed : public QObject
{
    Q_OBJECT

public:
    using Clock = std::function<qint64()>;

    // `wallMs`: the wall clock in milliseconds since the epoch, which the records carry.
    explicit LineMonitorFeed(Clock wallMs, QObject *parent = nullptr);

    bool isEnabled() const { return m_recorder.isEnabled(); }
    void setEnabled(bool on);
    // In the worker's thread, once its link exists: `lineMs` is the link's clock.
    void start(Clock lineMs);
    QTimer *timer() const { return m_timer; }

    // What the next transactions are done for.
    void begin(int rynAddr, int cmdCode);
    // Whether a transaction was recorded since the last begin.
    bool hasTransactions() const { return m_transactions != 0; }
    void recordTransaction(const ModbusLink::Trace &trace);
    void recordRefusal(int rynAddr, int cmdCode, int result);

signals:
    // `lost` counts records that found the buffer full since the last batch.
    void signalLineRecords(LineRecordList records, int lost);

private:
    void sendRecords();

    Clock m_wallMs;
    Clock m_lineMs;
    QTimer *m_timer = nullptr;
    LineRecorder m_recorder;
    int m_rynAddr = 0;
    int m_cmdCode = 0;
    int m_transactions = 0; // recorded since the last begin
};
