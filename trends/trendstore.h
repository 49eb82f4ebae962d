#pragma once

#include "trendseries.h"

#include <QHash>
#include <QList>
#include <QVector>

#include <deque>
#include <unordered_map>
#include <limits>
#include <memory>

// The samples of every recorded series, in memory of a fixed bound. Each series keeps its samples in
// chunks; when the store is full, the oldest chunk of all goes, so the oldest samples go first and
// every series stays complete from heldSinceMs() on. A gap (the line failed, the unit was not read)
// is a sample without a value. Pure: no Qt objects, no widgets, no clock of its own.
class TrendStore
{
public:
    struct Sample
    {
        qint64 timeMs = 0;
        double value = 0; // NaN: a gap
        bool isGap() const { return value != value; }
    };

    // A state change of a unit (its general state), marked on its series.
    struct Marker
    {
        qint64 timeMs = 0;
        int state = 0;
    };

    static constexpr int chunkSamples = 1024;
    // 12 bytes a sample: about 160 MB of samples, so that the tool stays under 200 MB with them. 8
    // hours of every series of a full loop take a fraction of it (see the trend benchmark).
    static constexpr qint64 defaultSampleBudget = 13000LL * chunkSamples;
    static constexpr int markersPerUnit = 4096;

    explicit TrendStore(qint64 sampleBudget = defaultSampleBudget);
    ~TrendStore();
    TrendStore(const TrendStore &) = delete;
    TrendStore &operator=(const TrendStore &) = delete;

    // Samples must come in time order per series; an older one than the last is taken as the last's.
    void append(const TrendSeries &series, qint64 timeMs, double value);
    // Marks a gap unless the series is empty or already in one.
    void appendGap(const TrendSeries &series, qint64 timeMs);
    void addMarker(int rynAddr, int unitAddr, qint64 timeMs, int state);
    void remove(const TrendSeries &series);
    void clear();

    bool contains(const TrendSeries &series) const { return m_series.count(series.code()) != 0; }
    int count(const TrendSeries &series) const;
    Sample at(const TrendSeries &series, int index) const;
    Sample last(const TrendSeries &series) const;
    // The index of the first sample at or after the time (count() when there is none).
    int lowerBound(const TrendSeries &series, qint64 timeMs) const;
    // The sample in force at the time: the last one at or before it; a gap when there is none.
    Sample valueAt(const TrendSeries &series, qint64 timeMs) const;
    QList<Marker> markers(int rynAddr, int unitAddr) const;

    // From when every series holds all its samples: the first sample, or once samples were dropped
    // for room, the time after the newest of them. Min of qint64 when there is nothing.
    qint64 heldSinceMs() const;
    bool hasDropped() const { return m_droppedUntilMs != std::numeric_limits<qint64>::min(); }
    qint64 sampleCount() const { return m_samples; }
    qint64 sampleBudget() const { return m_budgetChunks * chunkSamples; }
    // What the samples take: whole chunks, as allocated.
    qint64 bytes() const;

private:
    struct Chunk;
    // Every chunk but the last is full, so sample i is in chunk i / chunkSamples.
    struct Series
    {
        std::deque<std::unique_ptr<Chunk>> chunks;
        int count() const;
        Sample at(int index) const;
    };

    void push(Series &series, qint64 timeMs, double value);
    void makeRoom();

    std::unordered_map<quint32, Series> m_series; // by series code
    QHash<quint32, QVector<Marker>> m_markers; // (controller, unit) -> state changes, oldest first
    qint64 m_budgetChunks = 0;
    qint64 m_chunks = 0;
    qint64 m_samples = 0;
    qint64 m_droppedUntilMs = std::numeric_limits<qint64>::min();
};
