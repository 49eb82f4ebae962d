#pragma once

#include <QAbstractTableModel>
#include <QList>

class AuPropertiesModel;

// One unit's properties as a list of (property, value) rows, for the unit parameter window: only the
// properties that mean something for the unit's type, kept current as values arrive.
class AuCellParametersModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // Follows the properties model's row insertions and data changes by itself.
    explicit AuCellParametersModel(AuPropertiesModel *propertiesModel, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    int auAddr() const { return m_addr; }
    // The properties-model column shown in a row, -1 outside the list.
    int propertyColumn(int row) const;

public slots:
    void slotSetAuAddr(int addr);
    void slotAuPropsRowsInserted(const QModelIndex &parent, int first, int last);
    void slotAuPropsDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);

private:
    // Looks up the unit's row and the columns to list; the caller resets the model around it.
    void rebuild();

    AuPropertiesModel *m_propertiesModel = nullptr;
    int m_addr = 0;
    int m_row = -1;
    QList<int> m_columns;
};
