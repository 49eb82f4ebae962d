#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>

// Finds the controllers on the line. A search probes every address, address 1 first, and ends with
// the answer to its own last probe. Those answers and the worker's background probes (identifier 0)
// tell which controllers are on the line; answers to the probes of an earlier search, which may
// arrive late or failed after a port change, only say whether their address answered.
class ControllerSearch : public QObject
{
    Q_OBJECT

public:
    explicit ControllerSearch(QObject *parent = nullptr);

    bool isSearching() const { return m_searching; }
    // One bit for each address that answered (bit 1 for address 1).
    quint16 foundMask() const { return m_foundMask; }

    // The controller to select after a search: the stored one when it answered, otherwise the lowest
    // address that did, otherwise none (0).
    static int choice(quint16 foundMask, int storedRyn);

    void start();
    // No line, nobody to find: any search ends unanswered.
    void stop();
    void probeAnswered(int rynAddr, int id, int errCode);

signals:
    // Before the probes go out.
    void signalStarted();
    void signalSendCommand(int rynAddr, int id, int cmdCode, QByteArray info);
    void signalAnswered(int rynAddr, bool found);
    void signalFound(int rynAddr);
    // A background probe found a controller while no search runs.
    void signalJoined(int rynAddr);
    void signalEnded(quint16 foundMask);

private:
    bool m_searching = false;
    quint16 m_foundMask = 0;
    QList<int> m_searchProbeIds; // the current search's probes, address 1 first
};
