#include "trendrecorder.h"

#include "modbusprotocol.h"
#include "unitconversions.h"

#include <QDateTime>

#include <cmath>

namespace {
const double unknown = std::nan("");
constexpr int unconfiguredState = 8;
constexpr int lostState = 1;
constexpr int noThresholdT = 255;
constexpr int typeUnknown = 255;

quint32 unitKey(int rynAddr, int unitAddr)
{
    return quint32(rynAddr) << 8 | quint32(unitAddr);
}
} // namespace

TrendRecorder::TrendRecorder(QObject *parent, Clock clock)
    : QObject(parent)
    , m_clock(clock ? std::move(clock) : Clock([] { return QDateTime::currentMSecsSinceEpoch(); }))
{
    m_types.fill(typeUnknown);
    m_states.fill(unconfiguredState);
    for (auto &unit : m_values)
        unit.fill(unknown);
    m_controller.fill(unknown);
    m_thresholdT.fill(noThresholdT);
    m_smokeThreshold.fill(0);
}

bool TrendRecorder::addSeries(const TrendSeries &series)
{
    if (!series.isValid() || m_series.contains(series))
        return false;
    m_series.append(series);
    if (!series.isController() && !m_notes.contains(unitKey(series.rynAddr, series.unitAddr)))
        m_notes.insert(unitKey(series.rynAddr, series.unitAddr), UnitNote());
    if (!series.isController() && series.rynAddr == m_selectedRyn)
        updatePresence(series.unitAddr);
    emit signalSeriesChanged();
    announceReadEverything();
    return true;
}

void TrendRecorder::removeSeries(const TrendSeries &series)
{
    if (!m_series.removeOne(series))
        return;
    m_store.appendGap(series, now());
    emit signalSeriesChanged();
    announceReadEverything();
}

void TrendRecorder::setRecording(bool on)
{
    if (on == m_recording)
        return;
    m_recording = on;
    if (!on)
        gapAll(now());
    announceReadEverything();
}

void TrendRecorder::announceReadEverything()
{
    const bool readEverything = m_recording && !m_series.isEmpty();
    if (readEverything == m_readEverything)
        return;
    m_readEverything = readEverything;
    emit signalReadEverything(readEverything);
}

int TrendRecorder::unitType(int addr) const
{
    return addr >= 1 && addr < units ? m_types[size_t(addr)] : typeUnknown;
}

int TrendRecorder::generalState(int addr) const
{
    return addr >= 1 && addr < units ? m_states[size_t(addr)] : unconfiguredState;
}

double TrendRecorder::currentValue(const TrendSeries &series) const
{
    if (series.rynAddr != m_selectedRyn)
        return unknown;
    if (series.isController())
        return m_controller[series.reading];
    if (series.unitAddr < 1 || series.unitAddr >= units || series.reading > TrendCatalogue::MainsVoltage)
        return unknown;
    return m_values[size_t(series.unitAddr)][series.reading];
}

double TrendRecorder::threshold(const TrendSeries &series) const
{
    if (series.rynAddr != m_selectedRyn || series.isController() || series.unitAddr >= units)
        return unknown;
    const auto addr = size_t(series.unitAddr);
    if (series.reading == TrendCatalogue::Temperature && m_thresholdT[addr] != noThresholdT &&
        m_thresholdT[addr] != 0)
        return m_thresholdT[addr];
    if (series.reading == TrendCatalogue::Smoke && m_smokeThreshold[addr] != 0)
        return m_smokeThreshold[addr];
    return unknown;
}

TrendRecorder::Presence TrendRecorder::presence(const TrendSeries &series, qint64 *sinceMs) const
{
    if (series.isController())
        return series.rynAddr == m_selectedRyn ? Present : Unwatched;
    const UnitNote note = m_notes.value(unitKey(series.rynAddr, series.unitAddr));
    if (sinceMs)
        *sinceMs = note.sinceMs;
    if (note.presence == Present && series.rynAddr != m_selectedRyn)
        return Unwatched;
    return note.presence;
}

bool TrendRecorder::hasSeriesOf(int rynAddr, int addr) const
{
    return m_notes.contains(unitKey(rynAddr, addr));
}

// A unit is gone when its address is no longer configured or its type lost the readings recorded
// for it (another unit took the address); its samples stay.
void TrendRecorder::updatePresence(int addr)
{
    if (m_selectedRyn == 0 || !hasSeriesOf(m_selectedRyn, addr))
        return;
    const int type = m_types[size_t(addr)];
    const int state = m_states[size_t(addr)];
    bool typeFits = true;
    for (const TrendSeries &series : qAsConst(m_series)) {
        if (series.rynAddr == m_selectedRyn && series.unitAddr == addr &&
            !TrendCatalogue::unitReadings(type).contains(series.reading))
            typeFits = false;
    }
    Presence presence = Present;
    if (state == unconfiguredState || !typeFits)
        presence = Gone;
    else if (state == lostState)
        presence = Lost;
    UnitNote &note = m_notes[unitKey(m_selectedRyn, addr)];
    if (note.presence == presence)
        return;
    note.presence = presence;
    note.sinceMs = now();
    if (presence == Gone) {
        for (const TrendSeries &series : qAsConst(m_series)) {
            if (series.rynAddr == m_selectedRyn && series.unitAddr == addr)
                m_store.appendGap(series, note.sinceMs);
        }
    }
    emit signalUnitsChanged();
}

void TrendRecorder::gapAll(qint64 timeMs)
{
    for (const TrendSeries &series : qAsConst(m_series))
        m_store.appendGap(series, timeMs);
    emit signalSamplesAdded();
}

void TrendRecorder::gapController(int rynAddr, qint64 timeMs)
{
    for (const TrendSeries &series : qAsConst(m_series)) {
        if (series.rynAddr == rynAddr)
            m_store.appendGap(series, timeMs);
    }
}

void TrendRecorder::slotRynSelected(int rynAddr)
{
    if (rynAddr == m_selectedRyn)
        return;
    gapController(m_selectedRyn, now());
    m_selectedRyn = rynAddr;
    for (int addr = 1; addr < units; ++addr)
        updatePresence(addr);
    emit signalUnitsChanged();
    emit signalSamplesAdded();
}

void TrendRecorder::slotPortOpened(bool opened)
{
    if (!opened)
        gapAll(now());
}

void TrendRecorder::slotMonitoringRead(int rynAddr, int cmdCode, int result)
{
    if (!m_recording)
        return;
    const qint64 timeMs = now();
    bool sampled = false;
    for (const TrendSeries &series : qAsConst(m_series)) {
        if (series.rynAddr != rynAddr || TrendCatalogue::blockCode(series.reading, series.unitAddr) != cmdCode)
            continue;
        const double value = currentValue(series);
        // A lost unit measures nothing: its last value is no reading of the time since.
        if (result == ModbusProtocol::ResultOk && presence(series) == Present && value == value)
            m_store.append(series, timeMs, value);
        else
            m_store.appendGap(series, timeMs);
        sampled = true;
    }
    if (sampled)
        emit signalSamplesAdded();
}

void TrendRecorder::slotSetType(int addr, int type)
{
    if (addr < 1 || addr >= units || m_types[size_t(addr)] == type)
        return;
    m_types[size_t(addr)] = type;
    updatePresence(addr);
    emit signalUnitsChanged();
}

void TrendRecorder::slotSetGeneralState(int addr, int state)
{
    if (addr < 1 || addr >= units || m_states[size_t(addr)] == state)
        return;
    m_states[size_t(addr)] = state;
    if (m_recording && hasSeriesOf(m_selectedRyn, addr)) {
        m_store.addMarker(m_selectedRyn, addr, now(), state);
        emit signalSamplesAdded();
    }
    updatePresence(addr);
}

void TrendRecorder::slotSetSmoke(int addr, uchar smoke)
{
    if (addr >= 1 && addr < units)
        m_values[size_t(addr)][TrendCatalogue::Smoke] = smoke;
}

void TrendRecorder::slotSet_T_ULo(int addr, uchar t_u)
{
    if (addr < 1 || addr >= units)
        return;
    // The ends of the thermistor's scale carry no reading.
    m_values[size_t(addr)][TrendCatalogue::Temperature] = (t_u == 0 || t_u == 255) ? unknown : thermistorToCelsius(t_u);
    m_values[size_t(addr)][TrendCatalogue::LoVoltage] = loVoltage(t_u);
}

void TrendRecorder::slotSetThresholdT(int addr, uchar thresholdT)
{
    if (addr >= 1 && addr < units)
        m_thresholdT[size_t(addr)] = thresholdT;
}

void TrendRecorder::slotSetIPD_FireThreshold(int addr, uchar threshold)
{
    if (addr >= 1 && addr < units)
        m_smokeThreshold[size_t(addr)] = threshold;
}

void TrendRecorder::slotSetU(int addr, double U)
{
    if (addr >= 1 && addr < units)
        m_values[size_t(addr)][TrendCatalogue::IonistorVoltage] = U;
}

void TrendRecorder::slotSetAdditionData(int addr, uchar data)
{
    if (addr >= 1 && addr < units)
        m_values[size_t(addr)][TrendCatalogue::MainsVoltage] = data;
}

// The scaling of the controller panel: supplies in steps of 0.112 V, currents of 1.36 mA (24 V)
// and 0.896 mA (13 V), the loop resistance in tenths of an ohm.
void TrendRecorder::slotRynRegistersUpdated(RynRegisterAddress regAddr, ushort regWord)
{
    using C = TrendCatalogue;
    const int lo = regWord & 0xff;
    const int hi = regWord >> 8;
    switch (regAddr) {
    case 978:
        m_controller[C::UnitsConfigured] = hi;
        m_controller[C::UnitsPolled] = lo;
        break;
    case 994:
        m_controller[C::Supply24Voltage] = lo * 0.007 * 16;
        m_controller[C::Supply24Current] = hi * 0.085 * 16;
        break;
    case 995:
        m_controller[C::Supply13Voltage] = lo * 0.007 * 16;
        m_controller[C::Supply13Current] = hi * 0.056 * 16;
        break;
    case 998:
        m_controller[C::LoopResistance] = regWord * 0.1;
        break;
    default:
        if (regAddr >= 981 && regAddr <= 988) {
            // The registers count Parity, Noise, DataDlit, SBDlit, TimeOut, Overflow, I_Big, I_Small.
            static const C::Reading counters[] = {C::LoopParity, C::LoopNoise, C::LoopDataDlit, C::LoopSbDlit,
                                                  C::LoopTimeout, C::LoopOverflow, C::LoopIBig, C::LoopISmall};
            m_controller[counters[regAddr - 981]] = regWord;
        }
        break;
    }
}
