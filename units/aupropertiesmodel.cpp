#include "aupropertiesmodel.h"

#include <QFont>

#include <algorithm>
#include <cstring>
#include <utility>

using namespace AuProperty;

namespace {
// What the controller reports for an address with nothing there.
constexpr int noDeviceType = 0;

// The application's font, bold: for the headers and the LO modes that drive the line.
QFont boldFont()
{
    QFont font;
    font.setWeight(75);
    return font;
}

// Number-carrying values name inputs, outputs, valves and borders from 1; anything else is no slot.
bool inRange(int number, int last)
{
    return number >= 1 && number <= last;
}

// Stores a value in a record's field; whether the field changed, bit for bit: what a cell shows
// follows from the record alone, so an unchanged record needs no repaint (a double that compares
// equal may still read differently, as -0 does).
template<typename T, typename V>
bool assign(T &field, V value)
{
    const T stored = T(value);
    if (std::memcmp(&field, &stored, sizeof(T)) == 0)
        return false;
    field = stored;
    return true;
}
} // namespace

AuPropertiesModel::AuPropertiesModel(ColumnValidRows *columnValidRows, QObject *parent)
    : QAbstractTableModel(parent)
    , m_columnValidRows(columnValidRows)
{
    m_rowOfAddress.fill(-1);
}

int AuPropertiesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_records.size();
}

int AuPropertiesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AuPropertiesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_records.size() || index.column() >= ColumnCount)
        return QVariant();
    const AuUnitRecord &record = m_records.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return auPropertyDisplay(record, index.column(), m_locale);
    case Qt::ForegroundRole: {
        const QColor colour = auPropertyColour(record, index.column());
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    case Qt::FontRole:
        return auPropertyBold(record, index.column()) ? QVariant(boldFont()) : QVariant();
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return QVariant();
    }
}

QVariant AuPropertiesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return auPropertyHeader(section);
    case Qt::FontRole:
        return boldFont();
    default:
        return QVariant();
    }
}

int AuPropertiesModel::rowOfAddress(int addr) const
{
    return addr >= 0 && addr <= MaxAddress ? m_rowOfAddress[addr] : -1;
}

AuUnitRecord AuPropertiesModel::record(int row) const
{
    return row >= 0 && row < m_records.size() ? m_records.at(row) : AuUnitRecord();
}

QList<int> AuPropertiesModel::meaningfulColumns(int addr) const
{
    QList<int> columns;
    const int row = rowOfAddress(addr);
    if (row < 0)
        return columns;
    const int type = m_records.at(row).type;
    for (int column = Address; column < ColumnCount; ++column) {
        if (auPropertyApplies(column, type))
            columns.append(column);
    }
    return columns;
}

QMap<HardTypes, QPair<QString, QString>> AuPropertiesModel::typeVersionCountMap() const
{
    struct Versions
    {
        int lowest = 0;
        int highest = 0;
        int count = 0;
    };
    QMap<int, Versions> perType;
    for (const AuUnitRecord &record : m_records) {
        // Type 0 is no device: the controller reports it for an address with nothing there.
        if (record.type == UndefinedType || record.type == noDeviceType || record.address == MaxAddress)
            continue;
        const int version = record.firmwareVersion;
        auto it = perType.find(record.type);
        if (it == perType.end()) {
            perType.insert(record.type, Versions{version, version, 1});
            continue;
        }
        it->lowest = std::min(it->lowest, version);
        it->highest = std::max(it->highest, version);
        ++it->count;
    }
    QMap<HardTypes, QPair<QString, QString>> summary;
    for (auto it = perType.cbegin(); it != perType.cend(); ++it) {
        const Versions &v = it.value();
        const QString versions = v.lowest == v.highest ? QString::number(v.lowest)
                                                       : QStringLiteral("%1/%2").arg(v.lowest).arg(v.highest);
        summary.insert(HardTypes(it.key()), qMakePair(versions, QString::number(v.count)));
    }
    return summary;
}

void AuPropertiesModel::setNumberLocale(const QLocale &locale)
{
    m_locale = locale;
    if (!m_records.isEmpty())
        emit dataChanged(index(0, 0), index(m_records.size() - 1, ColumnCount - 1), {Qt::DisplayRole});
}

void AuPropertiesModel::updateColumnValidity(int row)
{
    if (!m_columnValidRows)
        return;
    const int type = m_records.at(row).type;
    for (int column = Address; column < ColumnCount; ++column) {
        QSet<int> &rows = (*m_columnValidRows)[column];
        if (auPropertyApplies(column, type))
            rows.insert(row);
        else
            rows.remove(row);
    }
}

template<typename Store>
bool AuPropertiesModel::update(int addr, int first, int last, Store &&store, int otherColumn)
{
    if (addr < 1 || addr > MaxAddress)
        return false;
    const int row = m_rowOfAddress[addr];
    if (row < 0) {
        AuUnitRecord record(addr);
        store(record);
        appendRecord(record);
        return true;
    }
    if (!store(m_records[row]))
        return false;
    announce(row, first, last, otherColumn);
    return true;
}

template<typename T, typename V>
bool AuPropertiesModel::setField(int addr, int column, T AuUnitRecord::*field, V value, int otherColumn)
{
    return update(
        addr, column, column, [field, value](AuUnitRecord &r) { return assign(r.*field, value); },
        otherColumn);
}

void AuPropertiesModel::announce(int row, int first, int last, int otherColumn)
{
    emit dataChanged(index(row, first), index(row, last));
    if (otherColumn >= 0)
        emit dataChanged(index(row, otherColumn), index(row, otherColumn));
}

void AuPropertiesModel::appendRecord(const AuUnitRecord &record)
{
    // A new unit: its record holds the value before the view first sees the row, and its columns
    // count as meaningful at once, so a unit whose type has not arrived yet still shows its address.
    const int row = m_records.size();
    beginInsertRows(QModelIndex(), row, row);
    m_records.append(record);
    m_rowOfAddress[record.address] = row;
    updateColumnValidity(row);
    endInsertRows();
    emit signalColumnValidRowsChanged();
}

void AuPropertiesModel::slotSetType(int addr, int type)
{
    if (addr < 1 || addr > MaxAddress)
        return;
    const int row = m_rowOfAddress[addr];
    if (row < 0) {
        setField(addr, Type, &AuUnitRecord::type, type);
        return;
    }
    if (!assign(m_records[row].type, type))
        return;
    updateColumnValidity(row);
    emit dataChanged(index(row, Type), index(row, AdditionData));
    emit signalColumnValidRowsChanged();
}

void AuPropertiesModel::slotSetGeneralState(int addr, int state)
{
    if (addr == MaxAddress)
        return;
    if (setField(addr, GeneralState, &AuUnitRecord::generalState, state))
        emit signalGeneralStateChanged();
}

void AuPropertiesModel::slotSetGeneralState251(int state)
{
    if (setField(MaxAddress, GeneralState, &AuUnitRecord::generalState, state))
        emit signalGeneralStateChanged();
}

void AuPropertiesModel::slotSetIonistorState(int addr, int state)
{
    update(addr, Ionistor, Charging, [state](AuUnitRecord &r) { return assign(r.ionistorState, state); });
}

void AuPropertiesModel::slotSetU(int addr, double U)
{
    setField(addr, AuProperty::U, &AuUnitRecord::u, U);
}

void AuPropertiesModel::slotSetU1(int addr, double U1)
{
    setField(addr, AuProperty::U1, &AuUnitRecord::u1, U1);
}

void AuPropertiesModel::slotSetU2(int addr, double U2)
{
    setField(addr, AuProperty::U2, &AuUnitRecord::u2, U2);
}

void AuPropertiesModel::slotSetU3(int addr, double U3)
{
    setField(addr, AuProperty::U3, &AuUnitRecord::u3, U3);
}

void AuPropertiesModel::slotSet_T_ULo(int addr, uchar t_u)
{
    setField(addr, Temperature, &AuUnitRecord::t_u, t_u, LoVoltage);
}

void AuPropertiesModel::slotSetThresholdT(int addr, uchar thresholdT)
{
    setField(addr, ThresholdT, &AuUnitRecord::thresholdT, thresholdT);
}

void AuPropertiesModel::slotSetSmoke(int addr, uchar smoke)
{
    setField(addr, Smoke, &AuUnitRecord::smoke, smoke);
}

void AuPropertiesModel::slotSetSmokeMid(int addr, uchar mid)
{
    setField(addr, SmokeMid, &AuUnitRecord::smokeMid, mid);
}

void AuPropertiesModel::slotSetIPD_FireThreshold(int addr, uchar threshold)
{
    setField(addr, FireThreshold, &AuUnitRecord::fireThreshold, threshold);
}

void AuPropertiesModel::slotSetIPD_resource(int addr, uchar resource)
{
    setField(addr, Resource, &AuUnitRecord::resource, resource);
}

void AuPropertiesModel::slotSetPhoto(int addr, uchar photo)
{
    setField(addr, Photo, &AuUnitRecord::photo, photo);
}

void AuPropertiesModel::slotSetDustiness(int addr, uchar dustiness)
{
    setField(addr, Dustiness, &AuUnitRecord::dustiness, dustiness);
}

void AuPropertiesModel::slotSetLaser(int addr, uchar laser)
{
    setField(addr, Laser, &AuUnitRecord::laser, laser);
}

void AuPropertiesModel::slotSetPyrosensor(int addr, uchar pyrosensor)
{
    setField(addr, Pyrosensor, &AuUnitRecord::pyrosensor, pyrosensor);
}

void AuPropertiesModel::slotSetCumulaterS1(int addr, uchar cumulater)
{
    setField(addr, CumulaterS1, &AuUnitRecord::cumulaterS1, cumulater);
}

void AuPropertiesModel::slotSetCumulaterS2(int addr, uchar cumulater)
{
    setField(addr, CumulaterS2, &AuUnitRecord::cumulaterS2, cumulater);
}

void AuPropertiesModel::slotSetPyroTimer(int addr, uchar timer)
{
    setField(addr, PyroTimer, &AuUnitRecord::pyroTimer, timer);
}

void AuPropertiesModel::slotSetIPP_W(int addr, AuCellTypes::IPP_W_Number number, uchar w)
{
    if (!inRange(number, 3))
        return;
    update(addr, BorderW1, BorderW3, [number, w](AuUnitRecord &r) { return assign(r.ippW[number - 1], w); });
}

void AuPropertiesModel::slotSetNoResponseCounter(int addr, ushort counter)
{
    setField(addr, NoResponseCounter, &AuUnitRecord::noResponseCounter, counter);
}

void AuPropertiesModel::slotSetAdditionData(int addr, uchar data)
{
    setField(addr, AdditionData, &AuUnitRecord::additionData, data);
}

void AuPropertiesModel::slotSetFirmwareVersion(int addr, uchar firmVer)
{
    setField(addr, Firmware, &AuUnitRecord::firmwareVersion, firmVer);
}

void AuPropertiesModel::slotSetPowerSupply(int addr, uchar powerSupply)
{
    setField(addr, PowerSupply, &AuUnitRecord::powerSupply, powerSupply);
}

void AuPropertiesModel::slotSetOp(int addr, uchar op)
{
    setField(addr, MainPower, &AuUnitRecord::op, op);
}

void AuPropertiesModel::slotSetRp(int addr, uchar rp)
{
    setField(addr, ReservePower, &AuUnitRecord::rp, rp);
}

void AuPropertiesModel::slotSetLo(int addr, uchar lo)
{
    setField(addr, LoLine, &AuUnitRecord::lo, lo);
}

void AuPropertiesModel::slotSetPowerLo(int addr, uchar powerLo)
{
    setField(addr, LoMode, &AuUnitRecord::powerLo, powerLo);
}

void AuPropertiesModel::slotSetPowerLoInit(int addr, uchar powerLo)
{
    setField(addr, LoModeInit, &AuUnitRecord::powerLoInit, powerLo);
}

void AuPropertiesModel::slotSetInsulators(int addr, uchar insulators)
{
    update(addr, LeftInsulator, RightInsulator, [insulators](AuUnitRecord &r) {
        // Both stored, whether or not the first changed.
        return assign(r.insulatorLeft, insulators & 3) | assign(r.insulatorRight, (insulators >> 2) & 3);
    });
}

void AuPropertiesModel::slotSetInput(int addr, AuCellTypes::IoNumber number, uchar state, bool isVexa2R2)
{
    if (!inRange(number, 4))
        return;
    update(addr, Input1, Input4, [number, state, isVexa2R2](AuUnitRecord &r) {
        return isVexa2R2 && number <= 2 ? assign(r.inputVexa2R2[number - 1], state)
                                        : assign(r.input[number - 1], state);
    });
}

void AuPropertiesModel::slotSetOutput(int addr, AuCellTypes::IoNumber number, uchar state, bool isVexa2R2)
{
    if (!inRange(number, 4))
        return;
    update(addr, Output1, Output4, [number, state, isVexa2R2](AuUnitRecord &r) {
        return isVexa2R2 && number <= 2 ? assign(r.outputVexa2R2[number - 1], state)
                                        : assign(r.output[number - 1], state);
    });
}

void AuPropertiesModel::slotSetOutputInit(int addr, AuCellTypes::IoNumber number, uchar state)
{
    if (!inRange(number, 4))
        return;
    update(addr, OutputInit1, OutputInit4,
           [number, state](AuUnitRecord &r) { return assign(r.outputInit[number - 1], state); });
}

void AuPropertiesModel::slotSetValve(int addr, AuCellTypes::ValveNumber number, uchar state)
{
    if (!inRange(number, 2))
        return;
    update(addr, Input1, Input2,
           [number, state](AuUnitRecord &r) { return assign(r.valve[number - 1], state); });
}

void AuPropertiesModel::slotSetInputADC(int addr, AuCellTypes::IoNumber number, uchar adc)
{
    if (!inRange(number, 4))
        return;
    update(addr, Adc1, Adc4, [number, adc](AuUnitRecord &r) { return assign(r.inputADC[number - 1], adc); });
}

void AuPropertiesModel::slotSetSbAmperage(int addr, double sbAmperage)
{
    setField(addr, SbAmperage, &AuUnitRecord::sbAmperage, sbAmperage);
}

void AuPropertiesModel::slotSetAverageAmperage(int addr, double averageAmperage)
{
    setField(addr, AverageAmperage, &AuUnitRecord::averageAmperage, averageAmperage);
}

void AuPropertiesModel::slotSetButtonIPR_IPRV(int addr, uchar buttonIPR_IPRV)
{
    setField(addr, Button, &AuUnitRecord::buttonIPR_IPRV, buttonIPR_IPRV);
}

void AuPropertiesModel::slotSetTamperUDP_IPRV(int addr, uchar tamperUDP_IPRV)
{
    setField(addr, Cover, &AuUnitRecord::tamperUDP_IPRV, tamperUDP_IPRV);
}

void AuPropertiesModel::slotSetButtonUDP(int addr, uchar buttonUDP)
{
    setField(addr, Button, &AuUnitRecord::buttonUDP, buttonUDP);
}

void AuPropertiesModel::slotSetSensor(int addr, uchar sensor)
{
    setField(addr, Sensor, &AuUnitRecord::sensor, sensor, Led);
}

void AuPropertiesModel::slotSetConnection(int addr, uchar connect)
{
    setField(addr, Connection, &AuUnitRecord::connection, connect);
}

void AuPropertiesModel::slotSetFire(int addr, bool fire)
{
    setField(addr, Fire, &AuUnitRecord::fire, fire);
}

void AuPropertiesModel::slotSetPreAlarm(int addr, bool preAlarm)
{
    setField(addr, PreAlarm, &AuUnitRecord::preAlarm, preAlarm);
}

void AuPropertiesModel::slotSetHeater(int addr, uchar heater)
{
    setField(addr, Heater, &AuUnitRecord::heater, heater);
}

void AuPropertiesModel::slotSet_R_NE(int addr, uchar R_NE)
{
    setField(addr, HeaterResistance, &AuUnitRecord::r_NE, R_NE);
}

void AuPropertiesModel::slotSetBlocking(int addr, bool unBlocked)
{
    setField(addr, Blocking, &AuUnitRecord::unBlocked, unBlocked);
}

void AuPropertiesModel::slotSetProcType(int addr, uchar type)
{
    setField(addr, ProcType, &AuUnitRecord::procType, type);
}

void AuPropertiesModel::slotSetIptChannelType(int addr, uchar type)
{
    setField(addr, ChannelType, &AuUnitRecord::iptChannelType, type);
}
