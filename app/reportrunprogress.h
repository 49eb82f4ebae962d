#pragma once

#include <QList>
#include <QObject>

// The controllers a report or protocol run still has to read, in the worker's reading order (each
// until its completion), so that the link counters follow the controller being read: the next one's
// after the finished one's document is written, and the selected controller's once the run ends.
class ReportRunProgress : public QObject
{
    Q_OBJECT

public:
    explicit ReportRunProgress(QObject *parent = nullptr);

    // Selecting a controller ends a run in the worker too; nothing is reported.
    void forget();

public slots:
    void slotStarted(const QList<int> &rynAddrs);
    void slotCompleted(int rynAddr);
    void slotAborted();

signals:
    // The worker reads this controller now.
    void signalReading(int rynAddr);
    // No controller of the run is left to read.
    void signalEnded();

private:
    QList<int> m_readingRyns;
};
