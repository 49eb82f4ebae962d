#include "trendstore.h"

#include <algorithm>
#include <cmath>

struct TrendStore::Chunk
{
    qint64 timeMs[chunkSamples];
    float value[chunkSamples];
    int size = 0;
};

namespace {
quint32 unitKey(int rynAddr, int unitAddr)
{
    return quint32(rynAddr) << 8 | quint32(unitAddr);
}
} // namespace

TrendStore::TrendStore(qint64 sampleBudget)
    : m_budgetChunks(qMax<qint64>(2, (sampleBudget + chunkSamples - 1) / chunkSamples))
{
}

TrendStore::~TrendStore() = default;

int TrendStore::Series::count() const
{
    if (chunks.empty())
        return 0;
    return int(chunks.size() - 1) * chunkSamples + chunks.back()->size;
}

TrendStore::Sample TrendStore::Series::at(int index) const
{
    const Chunk &chunk = *chunks[size_t(index / chunkSamples)];
    const int within = index % chunkSamples;
    return {chunk.timeMs[within], double(chunk.value[within])};
}

void TrendStore::push(Series &series, qint64 timeMs, double value)
{
    if (!series.chunks.empty()) {
        const Chunk &last = *series.chunks.back();
        const qint64 lastMs = last.timeMs[last.size - 1];
        timeMs = qMax(timeMs, lastMs);
    }
    if (series.chunks.empty() || series.chunks.back()->size == chunkSamples) {
        series.chunks.push_back(std::make_unique<Chunk>());
        ++m_chunks;
    }
    Chunk &chunk = *series.chunks.back();
    chunk.timeMs[chunk.size] = timeMs;
    chunk.value[chunk.size] = float(value);
    ++chunk.size;
    ++m_samples;
    if (m_chunks > m_budgetChunks)
        makeRoom();
}

void TrendStore::append(const TrendSeries &series, qint64 timeMs, double value)
{
    push(m_series[series.code()], timeMs, value);
}

void TrendStore::appendGap(const TrendSeries &series, qint64 timeMs)
{
    auto found = m_series.find(series.code());
    if (found == m_series.end() || found->second.count() == 0 ||
        found->second.at(found->second.count() - 1).isGap())
        return;
    push(found->second, timeMs, std::nan(""));
}

// The chunk to go is the one whose newest sample is the oldest of all: every sample after that
// one is still held, in every series.
void TrendStore::makeRoom()
{
    Series *oldest = nullptr;
    qint64 oldestEnd = 0;
    for (auto &entry : m_series) {
        Series &series = entry.second;
        if (series.chunks.empty())
            continue;
        const Chunk &front = *series.chunks.front();
        const qint64 end = front.timeMs[front.size - 1];
        if (!oldest || end < oldestEnd) {
            oldest = &series;
            oldestEnd = end;
        }
    }
    if (!oldest)
        return;
    m_samples -= oldest->chunks.front()->size;
    oldest->chunks.pop_front();
    --m_chunks;
    m_droppedUntilMs = qMax(m_droppedUntilMs, oldestEnd);
}

void TrendStore::addMarker(int rynAddr, int unitAddr, qint64 timeMs, int state)
{
    QVector<Marker> &markers = m_markers[unitKey(rynAddr, unitAddr)];
    if (markers.size() >= markersPerUnit)
        markers.remove(0, markersPerUnit / 4);
    markers.append({timeMs, state});
}

void TrendStore::remove(const TrendSeries &series)
{
    auto found = m_series.find(series.code());
    if (found == m_series.end())
        return;
    m_samples -= found->second.count();
    m_chunks -= qint64(found->second.chunks.size());
    m_series.erase(found);
}

void TrendStore::clear()
{
    m_series.clear();
    m_markers.clear();
    m_chunks = 0;
    m_samples = 0;
    m_droppedUntilMs = std::numeric_limits<qint64>::min();
}

int TrendStore::count(const TrendSeries &series) const
{
    const auto found = m_series.find(series.code());
    return found == m_series.end() ? 0 : found->second.count();
}

TrendStore::Sample TrendStore::at(const TrendSeries &series, int index) const
{
    const auto found = m_series.find(series.code());
    if (found == m_series.end() || index < 0 || index >= found->second.count())
        return {0, std::nan("")};
    return found->second.at(index);
}

TrendStore::Sample TrendStore::last(const TrendSeries &series) const
{
    return at(series, count(series) - 1);
}

int TrendStore::lowerBound(const TrendSeries &series, qint64 timeMs) const
{
    const auto found = m_series.find(series.code());
    if (found == m_series.end())
        return 0;
    const Series &samples = found->second;
    int first = 0;
    int length = samples.count();
    while (length > 0) {
        const int half = length / 2;
        if (samples.at(first + half).timeMs < timeMs) {
            first += half + 1;
            length -= half + 1;
        } else {
            length = half;
        }
    }
    return first;
}

TrendStore::Sample TrendStore::valueAt(const TrendSeries &series, qint64 timeMs) const
{
    const int after = lowerBound(series, timeMs + 1);
    if (after == 0)
        return {timeMs, std::nan("")};
    return at(series, after - 1);
}

QList<TrendStore::Marker> TrendStore::markers(int rynAddr, int unitAddr) const
{
    const QVector<Marker> markers = m_markers.value(unitKey(rynAddr, unitAddr));
    return QList<Marker>(markers.cbegin(), markers.cend());
}

qint64 TrendStore::heldSinceMs() const
{
    qint64 first = std::numeric_limits<qint64>::max();
    for (const auto &entry : m_series) {
        if (!entry.second.chunks.empty())
            first = std::min(first, entry.second.chunks.front()->timeMs[0]);
    }
    if (hasDropped())
        return m_droppedUntilMs + 1;
    return first == std::numeric_limits<qint64>::max() ? std::numeric_limits<qint64>::min() : first;
}

qint64 TrendStore::bytes() const
{
    return m_chunks * qint64(sizeof(Chunk));
}
