#include "aupropertiesmodel.h"

#include <QFont>

#include <algorithm>
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
int AuPropertiesModel::update(int addr, int first, int last, Store &&store)
{
    if (addr < 1 || addr > MaxAddress)
        return -1;
    int row = m_rowOfAddress[addr];
    if (row >= 0) {
        store(m_records[row]);
        emit dataChanged(index(row, first), index(row, last));
        return row;
    }
    // A new unit: its record holds the value before the view first sees the row, and its columns
    // count as meaningful at once, so a unit whose type has not arrived yet still shows its address.
    AuUnitRecord record(addr);
    store(record);
    row = m_records.size();
    beginInsertRows(QModelIndex(), row, row);
    m_records.append(record);
    m_rowOfAddress[addr] = row;
    updateColumnValidity(row);
    endInsertRows();
    emit signalColumnValidRowsChanged();
    return row;
}

template<typename Store>
int AuPropertiesModel::updateTwo(int addr, int column, int otherColumn, Store &&store)
{
    const bool known = rowOfAddress(addr) >= 0;
    const int row = update(addr, column, column, std::forward<Store>(store));
    if (known && row >= 0)
        emit dataChanged(index(row, otherColumn), index(row, otherColumn));
    return row;
}

void AuPropertiesModel::slotSetType(int addr, int type)
{
    if (addr < 1 || addr > MaxAddress)
        return;
    const int row = m_rowOfAddress[addr];
    if (row < 0) {
        update(addr, Type, AdditionData, [type](AuUnitRecord &r) { r.type = type; });
        return;
    }
    m_records[row].type = type;
    updateColumnValidity(row);
    emit dataChanged(index(row, Type), index(row, AdditionData));
    emit signalColumnValidRowsChanged();
}

void AuPropertiesModel::slotSetGeneralState(int addr, int state)
{
    if (addr == MaxAddress)
        return;
    if (update(addr, GeneralState, GeneralState, [state](AuUnitRecord &r) { r.generalState = state; }) >= 0)
        emit signalGeneralStateChanged();
}

void AuPropertiesModel::slotSetGeneralState251(int state)
{
    update(MaxAddress, GeneralState, GeneralState, [state](AuUnitRecord &r) { r.generalState = state; });
    emit signalGeneralStateChanged();
}

void AuPropertiesModel::slotSetIonistorState(int addr, int state)
{
    update(addr, Ionistor, Charging, [state](AuUnitRecord &r) { r.ionistorState = state; });
}

void AuPropertiesModel::slotSetU(int addr, double U)
{
    update(addr, AuProperty::U, AuProperty::U, [U](AuUnitRecord &r) { r.u = U; });
}

void AuPropertiesModel::slotSetU1(int addr, double U1)
{
    update(addr, AuProperty::U1, AuProperty::U1, [U1](AuUnitRecord &r) { r.u1 = U1; });
}

void AuPropertiesModel::slotSetU2(int addr, double U2)
{
    update(addr, AuProperty::U2, AuProperty::U2, [U2](AuUnitRecord &r) { r.u2 = U2; });
}

void AuPropertiesModel::slotSetU3(int addr, double U3)
{
    update(addr, AuProperty::U3, AuProperty::U3, [U3](AuUnitRecord &r) { r.u3 = U3; });
}

void AuPropertiesModel::slotSet_T_ULo(int addr, uchar t_u)
{
    updateTwo(addr, Temperature, LoVoltage, [t_u](AuUnitRecord &r) { r.t_u = t_u; });
}

void AuPropertiesModel::slotSetThresholdT(int addr, uchar thresholdT)
{
    update(addr, ThresholdT, ThresholdT, [thresholdT](AuUnitRecord &r) { r.thresholdT = thresholdT; });
}

void AuPropertiesModel::slotSetSmoke(int addr, uchar smoke)
{
    update(addr, Smoke, Smoke, [smoke](AuUnitRecord &r) { r.smoke = smoke; });
}

void AuPropertiesModel::slotSetSmokeMid(int addr, uchar mid)
{
    update(addr, SmokeMid, SmokeMid, [mid](AuUnitRecord &r) { r.smokeMid = mid; });
}

void AuPropertiesModel::slotSetIPD_FireThreshold(int addr, uchar threshold)
{
    update(addr, FireThreshold, FireThreshold, [threshold](AuUnitRecord &r) { r.fireThreshold = threshold; });
}

void AuPropertiesModel::slotSetIPD_resource(int addr, uchar resource)
{
    update(addr, Resource, Resource, [resource](AuUnitRecord &r) { r.resource = resource; });
}

void AuPropertiesModel::slotSetPhoto(int addr, uchar photo)
{
    update(addr, Photo, Photo, [photo](AuUnitRecord &r) { r.photo = photo; });
}

void AuPropertiesModel::slotSetDustiness(int addr, uchar dustiness)
{
    update(addr, Dustiness, Dustiness, [dustiness](AuUnitRecord &r) { r.dustiness = dustiness; });
}

void AuPropertiesModel::slotSetLaser(int addr, uchar laser)
{
    update(addr, Laser, Laser, [laser](AuUnitRecord &r) { r.laser = laser; });
}

void AuPropertiesModel::slotSetPyrosensor(int addr, uchar pyrosensor)
{
    update(addr, Pyrosensor, Pyrosensor, [pyrosensor](AuUnitRecord &r) { r.pyrosensor = pyrosensor; });
}

void AuPropertiesModel::slotSetCumulaterS1(int addr, uchar cumulater)
{
    update(addr, CumulaterS1, CumulaterS1, [cumulater](AuUnitRecord &r) { r.cumulaterS1 = cumulater; });
}

void AuPropertiesModel::slotSetCumulaterS2(int addr, uchar cumulater)
{
    update(addr, CumulaterS2, CumulaterS2, [cumulater](AuUnitRecord &r) { r.cumulaterS2 = cumulater; });
}

void AuPropertiesModel::slotSetPyroTimer(int addr, uchar timer)
{
    update(addr, PyroTimer, PyroTimer, [timer](AuUnitRecord &r) { r.pyroTimer = timer; });
}

void AuPropertiesModel::slotSetIPP_W(int addr, AuCellTypes::IPP_W_Number number, uchar w)
{
    if (!inRange(number, 3))
        return;
    update(addr, BorderW1, BorderW3, [number, w](AuUnitRecord &r) { r.ippW[number - 1] = w; });
}

void AuPropertiesModel::slotSetNoResponseCounter(int addr, ushort counter)
{
    update(addr, NoResponseCounter, NoResponseCounter,
           [counter](AuUnitRecord &r) { r.noResponseCounter = counter; });
}

void AuPropertiesModel::slotSetAdditionData(int addr, uchar data)
{
    update(addr, AdditionData, AdditionData, [data](AuUnitRecord &r) { r.additionData = data; });
}

void AuPropertiesModel::slotSetFirmwareVersion(int addr, uchar firmVer)
{
    update(addr, Firmware, Firmware, [firmVer](AuUnitRecord &r) { r.firmwareVersion = firmVer; });
}

void AuPropertiesModel::slotSetPowerSupply(int addr, uchar powerSupply)
{
    update(addr, PowerSupply, PowerSupply, [powerSupply](AuUnitRecord &r) { r.powerSupply = powerSupply; });
}

void AuPropertiesModel::slotSetOp(int addr, uchar op)
{
    update(addr, MainPower, MainPower, [op](AuUnitRecord &r) { r.op = op; });
}

void AuPropertiesModel::slotSetRp(int addr, uchar rp)
{
    update(addr, ReservePower, ReservePower, [rp](AuUnitRecord &r) { r.rp = rp; });
}

void AuPropertiesModel::slotSetLo(int addr, uchar lo)
{
    update(addr, LoLine, LoLine, [lo](AuUnitRecord &r) { r.lo = lo; });
}

void AuPropertiesModel::slotSetPowerLo(int addr, uchar powerLo)
{
    update(addr, LoMode, LoMode, [powerLo](AuUnitRecord &r) { r.powerLo = powerLo; });
}

void AuPropertiesModel::slotSetPowerLoInit(int addr, uchar powerLo)
{
    update(addr, LoModeInit, LoModeInit, [powerLo](AuUnitRecord &r) { r.powerLoInit = powerLo; });
}

void AuPropertiesModel::slotSetInsulators(int addr, uchar insulators)
{
    update(addr, LeftInsulator, RightInsulator, [insulators](AuUnitRecord &r) {
        r.insulatorLeft = insulators & 3;
        r.insulatorRight = (insulators >> 2) & 3;
    });
}

void AuPropertiesModel::slotSetInput(int addr, AuCellTypes::IoNumber number, uchar state, bool isVexa2R2)
{
    if (!inRange(number, 4))
        return;
    update(addr, Input1, Input4, [number, state, isVexa2R2](AuUnitRecord &r) {
        if (isVexa2R2 && number <= 2)
            r.inputVexa2R2[number - 1] = state;
        else
            r.input[number - 1] = state;
    });
}

void AuPropertiesModel::slotSetOutput(int addr, AuCellTypes::IoNumber number, uchar state, bool isVexa2R2)
{
    if (!inRange(number, 4))
        return;
    update(addr, Output1, Output4, [number, state, isVexa2R2](AuUnitRecord &r) {
        if (isVexa2R2 && number <= 2)
            r.outputVexa2R2[number - 1] = state;
        else
            r.output[number - 1] = state;
    });
}

void AuPropertiesModel::slotSetOutputInit(int addr, AuCellTypes::IoNumber number, uchar state)
{
    if (!inRange(number, 4))
        return;
    update(addr, OutputInit1, OutputInit4,
           [number, state](AuUnitRecord &r) { r.outputInit[number - 1] = state; });
}

void AuPropertiesModel::slotSetValve(int addr, AuCellTypes::ValveNumber number, uchar state)
{
    if (!inRange(number, 2))
        return;
    update(addr, Input1, Input2, [number, state](AuUnitRecord &r) { r.valve[number - 1] = state; });
}

void AuPropertiesModel::slotSetInputADC(int addr, AuCellTypes::IoNumber number, uchar adc)
{
    if (!inRange(number, 4))
        return;
    update(addr, Adc1, Adc4, [number, adc](AuUnitRecord &r) { r.inputADC[number - 1] = adc; });
}

void AuPropertiesModel::slotSetSbAmperage(int addr, double sbAmperage)
{
    update(addr, SbAmperage, SbAmperage, [sbAmperage](AuUnitRecord &r) { r.sbAmperage = sbAmperage; });
}

void AuPropertiesModel::slotSetAverageAmperage(int addr, double averageAmperage)
{
    update(addr, AverageAmperage, AverageAmperage,
           [averageAmperage](AuUnitRecord &r) { r.averageAmperage = averageAmperage; });
}

void AuPropertiesModel::slotSetButtonIPR_IPRV(int addr, uchar buttonIPR_IPRV)
{
    update(addr, Button, Button, [buttonIPR_IPRV](AuUnitRecord &r) { r.buttonIPR_IPRV = buttonIPR_IPRV; });
}

void AuPropertiesModel::slotSetTamperUDP_IPRV(int addr, uchar tamperUDP_IPRV)
{
    update(addr, Cover, Cover, [tamperUDP_IPRV](AuUnitRecord &r) { r.tamperUDP_IPRV = tamperUDP_IPRV; });
}

void AuPropertiesModel::slotSetButtonUDP(int addr, uchar buttonUDP)
{
    update(addr, Button, Button, [buttonUDP](AuUnitRecord &r) { r.buttonUDP = buttonUDP; });
}

void AuPropertiesModel::slotSetSensor(int addr, uchar sensor)
{
    updateTwo(addr, Sensor, Led, [sensor](AuUnitRecord &r) { r.sensor = sensor; });
}

void AuPropertiesModel::slotSetConnection(int addr, uchar connect)
{
    update(addr, Connection, Connection, [connect](AuUnitRecord &r) { r.connection = connect; });
}

void AuPropertiesModel::slotSetFire(int addr, bool fire)
{
    update(addr, Fire, Fire, [fire](AuUnitRecord &r) { r.fire = fire; });
}

void AuPropertiesModel::slotSetPreAlarm(int addr, bool preAlarm)
{
    update(addr, PreAlarm, PreAlarm, [preAlarm](AuUnitRecord &r) { r.preAlarm = preAlarm; });
}

void AuPropertiesModel::slotSetHeater(int addr, uchar heater)
{
    update(addr, Heater, Heater, [heater](AuUnitRecord &r) { r.heater = heater; });
}

void AuPropertiesModel::slotSet_R_NE(int addr, uchar R_NE)
{
    update(addr, HeaterResistance, HeaterResistance, [R_NE](AuUnitRecord &r) { r.r_NE = R_NE; });
}

void AuPropertiesModel::slotSetBlocking(int addr, bool unBlocked)
{
    update(addr, Blocking, Blocking, [unBlocked](AuUnitRecord &r) { r.unBlocked = unBlocked; });
}

void AuPropertiesModel::slotSetProcType(int addr, uchar type)
{
    update(addr, ProcType, ProcType, [type](AuUnitRecord &r) { r.procType = type; });
}

void AuPropertiesModel::slotSetIptChannelType(int addr, uchar type)
{
    update(addr, ChannelType, ChannelType, [type](AuUnitRecord &r) { r.iptChannelType = type; });
}
