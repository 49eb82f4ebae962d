#pragma once

#include "registermap.h"
#include "trendseries.h"
#include "trendstore.h"

#include <QHash>
#include <QList>
#include <QObject>

#include <array>
#include <functional>

// Records the series a trend window shows from what the tool decodes anyway. The decoded values
// (the same update signals the views take) keep a table of every unit's and the controller's
// current readings; each monitoring read of a block (ModbusMaster::signalMonitoringRead) then
// samples the series that block carries, or marks a gap when the read failed. Samples are taken
// only while recording; stopping it, a closed port and a change of controller leave gaps.
// No widgets: tested through the real decoder.
class TrendRecorder : public QObject
{
    Q_OBJECT

public:
    using Clock = std::function<qint64()>; // milliseconds since the epoch

    // How the unit of a series stands on its line, as last heard.
    enum Presence
    {
        Present,
        Lost,     // general state "connection lost"
        Gone,     // not configured any more, or its type no longer has the reading (re-addressed)
        Unwatched // its controller is not the one monitored
    };

    explicit TrendRecorder(QObject *parent = nullptr, Clock clock = Clock());

    const TrendStore &store() const { return m_store; }
    TrendStore &store() { return m_store; }
    // The recorded series, in the order they were added.
    QList<TrendSeries> series() const { return m_series; }
    bool isRecorded(const TrendSeries &series) const { return m_series.contains(series); }
    // False for an invalid series or one already recorded.
    bool addSeries(const TrendSeries &series);
    // Stops recording the series; its samples stay in the store.
    void removeSeries(const TrendSeries &series);
    void setRecording(bool on);
    bool isRecording() const { return m_recording; }

    int selectedRyn() const { return m_selectedRyn; }
    // What the monitored line says about a unit (1..251): 255 and 8 until heard.
    int unitType(int addr) const;
    int generalState(int addr) const;
    // The alarm threshold of the series in its unit of measure; NaN when it has none or it is unknown.
    double threshold(const TrendSeries &series) const;
    // The current decoded value of the series on the monitored line; NaN when unknown.
    double currentValue(const TrendSeries &series) const;
    Presence presence(const TrendSeries &series, qint64 *sinceMs = nullptr) const;
    qint64 now() const { return m_clock(); }

signals:
    // New samples or markers went into the store.
    void signalSamplesAdded();
    void signalSeriesChanged();
    // A unit's type or presence changed, or another controller is monitored.
    void signalUnitsChanged();
    // Whether the monitoring should read every block (recording with at least one series).
    void signalReadEverything(bool on);

public slots:
    void slotRynSelected(int rynAddr);
    void slotPortOpened(bool opened);
    void slotMonitoringRead(int rynAddr, int cmdCode, int result);
    void slotSetType(int addr, int type);
    void slotSetGeneralState(int addr, int state);
    void slotSetSmoke(int addr, uchar smoke);
    void slotSet_T_ULo(int addr, uchar t_u);
    void slotSetThresholdT(int addr, uchar thresholdT);
    void slotSetIPD_FireThreshold(int addr, uchar threshold);
    void slotSetU(int addr, double U);
    void slotSetAdditionData(int addr, uchar data);
    void slotRynRegistersUpdated(RynRegisterAddress regAddr, ushort regWord);

private:
    static constexpr int units = 252; // 0 unused, 1..251
    static constexpr int readings = TrendCatalogue::LoopISmall + 1;

    struct UnitNote
    {
        Presence presence = Present;
        qint64 sinceMs = 0;
    };

    void gapAll(qint64 timeMs);
    void gapController(int rynAddr, qint64 timeMs);
    void updatePresence(int addr);
    bool hasSeriesOf(int rynAddr, int addr) const;
    void announceReadEverything();

    Clock m_clock;
    TrendStore m_store;
    QList<TrendSeries> m_series;
    bool m_recording = false;
    bool m_readEverything = false;
    int m_selectedRyn = 0;
    std::array<int, units> m_types;
    std::array<int, units> m_states;
    std::array<std::array<double, TrendCatalogue::MainsVoltage + 1>, units> m_values;
    std::array<double, readings> m_controller;
    std::array<int, units> m_thresholdT;
    std::array<int, units> m_smokeThreshold;
    QHash<quint32, UnitNote> m_notes; // (controller, unit) -> presence of units with series
};
