#pragma once

#include <QList>
#include <QMap>
#include <QSet>

// Which address the worker's next background probe goes to, and when. The addresses no controller
// answers at are probed in turn, one every probe interval. A controller that was on this line before
// and is missing now (its search probe spoiled after the port came back, say) is asked again at
// once: every second, ten times, before it falls back to the slow round of the others. The worker
// runs the probes; times are on the link's clock, `known` the controllers that answer.
class BackgroundProbes
{
public:
    static constexpr int formerIntervalMs = 1000;
    static constexpr int formerAttempts = 10;

    explicit BackgroundProbes(int intervalMs);

    void restart(qint64 now);
    // A port that opens starts the quick probes of the former controllers afresh.
    void portOpened(qint64 now);
    // Another line has other controllers.
    void forgetFormer();
    void noteFound(int rynAddr);

    bool hasMissing(const QList<int> &known) const { return nextMissing(known) != 0; }
    bool isDue(qint64 now, const QList<int> &known) const;
    // Until the next probe is due; negative when overdue.
    qint64 msUntilDue(qint64 now, const QList<int> &known) const;
    // The address to probe now; the next probe is timed from now.
    int take(qint64 now, const QList<int> &known);

private:
    int nextMissing(const QList<int> &known) const;
    int nextFormer(const QList<int> &known) const;
    bool isFormerDue(qint64 now, const QList<int> &known) const;

    int m_intervalMs;
    int m_lastProbed = 0; // the address the last probe of the round went to
    qint64 m_nextProbeAt = 0;
    QSet<int> m_formerRyns; // every controller found on this line so far
    QMap<int, int> m_formerProbesLeft;
    qint64 m_nextFormerProbeAt = 0;
};
