#pragma once

#include <QList>
#include <QMap>

// The controllers known to answer on this line, in the order they were found. The worker's event
// reads go round them in turn; one that leaves too many reads in a row unanswered is dropped.
class KnownControllers
{
public:
    const QList<int> &list() const { return m_ryns; }
    bool isEmpty() const { return m_ryns.isEmpty(); }
    bool contains(int rynAddr) const { return m_ryns.contains(rynAddr); }

    // A controller answered a probe.
    void add(int rynAddr);
    // Forgets every controller; the round goes on where it was.
    void clear();
    // The next event read goes to the first controller.
    void restartRound();
    // The controller whose events are read next; the list must not be empty.
    int nextInRound();
    // A read went unanswered: how many in a row now.
    int countNoAnswer(int rynAddr);
    void countAnswer(int rynAddr);
    // Drops the controller the round read last.
    void drop(int rynAddr);

private:
    QList<int> m_ryns;
    QMap<int, int> m_failures; // unanswered reads in a row
    int m_roundIndex = 0;
};
