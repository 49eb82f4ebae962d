#pragma once

#include "aucelltypes.h"
#include "aupropertycolumns.h"
#include "auunitrecord.h"
#include "hardtypes.h"

#include <QAbstractTableModel>
#include <QList>
#include <QLocale>
#include <QMap>
#include <QPair>
#include <QVector>

#include <array>

// Everything the tool has heard about the units of the selected controller, one row per unit in the
// order they were first heard of, one column per property. Takes every decoded unit value, so each
// value costs one lookup, and one row's notification when it changed what the row shows; rows are
// never removed.
class AuPropertiesModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int MaxAddress = 251;

    // The map belongs to the properties page; the model keeps each row's entries current.
    explicit AuPropertiesModel(ColumnValidRows *columnValidRows, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Row of a unit, -1 when nothing was heard of it.
    int rowOfAddress(int addr) const;
    // A copy of a row's record; a record with address 0 for a row that does not exist.
    AuUnitRecord record(int row) const;
    int recordCount() const { return m_records.size(); }
    // Columns 1..66 that mean something for the unit's type, ascending; empty for an unknown unit.
    QList<int> meaningfulColumns(int addr) const;
    // Per known type (not 255): its firmware versions ("v" or "lowest/highest") and its unit count.
    // The unit waiting at 251 for an address of its own is no unit of the loop yet: left out.
    QMap<HardTypes, QPair<QString, QString>> typeVersionCountMap() const;
    // The locale voltages and currents are written in; the system's unless set.
    void setNumberLocale(const QLocale &locale);

signals:
    void signalColumnValidRowsChanged();
    void signalGeneralStateChanged();

public slots:
    void slotSetType(int addr, int type);
    void slotSetGeneralState(int addr, int state);
    void slotSetGeneralState251(int state);
    void slotSetIonistorState(int addr, int state);
    void slotSetU(int addr, double U);
    void slotSetU1(int addr, double U1);
    void slotSetU2(int addr, double U2);
    void slotSetU3(int addr, double U3);
    void slotSet_T_ULo(int addr, uchar t_u);
    void slotSetThresholdT(int addr, uchar thresholdT);
    void slotSetSmoke(int addr, uchar smoke);
    void slotSetSmokeMid(int addr, uchar mid);
    void slotSetIPD_FireThreshold(int addr, uchar threshold);
    void slotSetIPD_resource(int addr, uchar resource);
    void slotSetPhoto(int addr, uchar photo);
    void slotSetDustiness(int addr, uchar dustiness);
    void slotSetLaser(int addr, uchar laser);
    void slotSetPyrosensor(int addr, uchar pyrosensor);
    void slotSetCumulaterS1(int addr, uchar cumulater);
    void slotSetCumulaterS2(int addr, uchar cumulater);
    void slotSetPyroTimer(int addr, uchar timer);
    void slotSetIPP_W(int addr, AuCellTypes::IPP_W_Number number, uchar w);
    void slotSetNoResponseCounter(int addr, ushort counter);
    void slotSetAdditionData(int addr, uchar data);
    void slotSetFirmwareVersion(int addr, uchar firmVer);
    void slotSetPowerSupply(int addr, uchar powerSupply);
    void slotSetOp(int addr, uchar op);
    void slotSetRp(int addr, uchar rp);
    void slotSetLo(int addr, uchar lo);
    void slotSetPowerLo(int addr, uchar powerLo);
    void slotSetPowerLoInit(int addr, uchar powerLo);
    void slotSetInsulators(int addr, uchar insulators);
    void slotSetInput(int addr, AuCellTypes::IoNumber number, uchar state, bool isVexa2R2);
    void slotSetOutput(int addr, AuCellTypes::IoNumber number, uchar state, bool isVexa2R2);
    void slotSetOutputInit(int addr, AuCellTypes::IoNumber number, uchar state);
    void slotSetValve(int addr, AuCellTypes::ValveNumber number, uchar state);
    void slotSetInputADC(int addr, AuCellTypes::IoNumber number, uchar adc);
    void slotSetSbAmperage(int addr, double sbAmperage);
    void slotSetAverageAmperage(int addr, double averageAmperage);
    void slotSetButtonIPR_IPRV(int addr, uchar buttonIPR_IPRV);
    void slotSetTamperUDP_IPRV(int addr, uchar tamperUDP_IPRV);
    void slotSetButtonUDP(int addr, uchar buttonUDP);
    void slotSetSensor(int addr, uchar sensor);
    void slotSetConnection(int addr, uchar connect);
    void slotSetFire(int addr, bool fire);
    void slotSetPreAlarm(int addr, bool preAlarm);
    void slotSetHeater(int addr, uchar heater);
    void slotSet_R_NE(int addr, uchar R_NE);
    void slotSetBlocking(int addr, bool unBlocked);
    void slotSetProcType(int addr, uchar type);
    void slotSetIptChannelType(int addr, uchar type);

private:
    // Stores a value through `store` (which says whether the record changed) into the unit's record,
    // appending the record first when the address is new. A changed value announces the columns
    // first..last of its row, and otherColumn when there is one, as changed; a new row is announced
    // as inserted instead. False when nothing changed or the address is out of range.
    template<typename Store>
    bool update(int addr, int first, int last, Store &&store, int otherColumn = -1);
    // As update, for a value that is one field of the record, shown in one column.
    template<typename T, typename V>
    bool setField(int addr, int column, T AuUnitRecord::*field, V value, int otherColumn = -1);
    // Apart from the templates, so each kind of value adds only its store to the code a value runs.
    void announce(int row, int first, int last, int otherColumn);
    void appendRecord(const AuUnitRecord &record);
    void updateColumnValidity(int row);

    ColumnValidRows *m_columnValidRows = nullptr;
    QLocale m_locale = QLocale::system();
    QVector<AuUnitRecord> m_records;
    // Address -> row, -1 when not heard of: the lookup every decoded value goes through.
    std::array<int, MaxAddress + 1> m_rowOfAddress;
};
