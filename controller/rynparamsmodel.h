#pragma once

#include "registermap.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>

// The controller's working constants as named parameters, one row each, with the factory default
// and the value in force side by side. Rows appear in the order their words first arrive.
class RynParamsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        ColumnName,
        ColumnDefault,
        ColumnCurrent,
        ColumnSet,
        ColumnCount
    };
    // The tab a row belongs to: 0 basic, 1 extended, 2 heat, 3 smoke, 4 flame channel.
    static constexpr int GroupRole = Qt::UserRole + 1;

    struct RynParam
    {
        uint regAddr = 0; // register of the value in force, 1102..1133; the default lives 100 lower
        int part = 0;     // 0: low byte or whole word, 1: high byte
        QString name;     // caption between two line breaks
        QVariant defaultValue;
        QVariant currentValue;
        QVariant setValue; // never set: the constants are shown, not written
    };

    explicit RynParamsModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const RynParam &param(int row) const { return m_params.at(row); }
    static int groupOf(uint regAddr, int part);

public slots:
    void slotRynConstantsUpdated(RynRegisterAddress regAddr, ushort regWord, bool isDefault);
    void slotClearSetValues();

private:
    void store(uint regAddr, int part, const char *caption, const QVariant &value, bool isDefault);

    QVector<RynParam> m_params;
    QHash<quint32, int> m_rows; // (register << 1 | part) -> row
};
