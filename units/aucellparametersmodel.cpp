#include "aucellparametersmodel.h"

#include "aupropertiesmodel.h"
#include "hardtypes.h"

#include <QFont>

AuCellParametersModel::AuCellParametersModel(AuPropertiesModel *propertiesModel, QObject *parent)
    : QAbstractTableModel(parent)
    , m_propertiesModel(propertiesModel)
{
    connect(m_propertiesModel, &QAbstractItemModel::rowsInserted, this,
            &AuCellParametersModel::slotAuPropsRowsInserted);
    connect(m_propertiesModel, &QAbstractItemModel::dataChanged, this,
            &AuCellParametersModel::slotAuPropsDataChanged);
}

int AuCellParametersModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns.size();
}

int AuCellParametersModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

int AuCellParametersModel::propertyColumn(int row) const
{
    return row >= 0 && row < m_columns.size() ? m_columns.at(row) : -1;
}

QVariant AuCellParametersModel::data(const QModelIndex &index, int role) const
{
    const int column = propertyColumn(index.row());
    if (!index.isValid() || column < 0)
        return QVariant();
    if (index.column() == 0) {
        if (role != Qt::DisplayRole)
            return QVariant();
        return m_propertiesModel->headerData(column, Qt::Horizontal, Qt::DisplayRole);
    }
    const QVariant value = m_propertiesModel->index(m_row, column).data(role);
    if (column == AuProperty::Type && role == Qt::DisplayRole)
        return auTypeDisplayName(value.toInt());
    return value;
}

QVariant AuCellParametersModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section > 1)
        return QVariant();
    if (role == Qt::DisplayRole)
        return section == 0 ? tr("Свойство") : tr("Значение");
    if (role == Qt::FontRole) {
        QFont font;
        font.setWeight(75);
        return font;
    }
    return QVariant();
}

void AuCellParametersModel::rebuild()
{
    m_row = m_propertiesModel->rowOfAddress(m_addr);
    m_columns = m_propertiesModel->meaningfulColumns(m_addr);
    // The window's title names the address already.
    m_columns.removeOne(AuProperty::Address);
}

void AuCellParametersModel::slotSetAuAddr(int addr)
{
    beginResetModel();
    m_addr = addr;
    rebuild();
    endResetModel();
}

void AuCellParametersModel::slotAuPropsRowsInserted(const QModelIndex &parent, int first, int last)
{
    if (parent.isValid())
        return;
    const int row = m_propertiesModel->rowOfAddress(m_addr);
    if (row >= first && row <= last)
        slotSetAuAddr(m_addr);
}

void AuCellParametersModel::slotAuPropsDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    if (m_row < 0 || m_row < topLeft.row() || m_row > bottomRight.row())
        return;
    if (topLeft.column() <= AuProperty::Type && bottomRight.column() >= AuProperty::Type) {
        slotSetAuAddr(m_addr);
        return;
    }
    for (int row = 0; row < m_columns.size(); ++row) {
        const int column = m_columns.at(row);
        if (column >= topLeft.column() && column <= bottomRight.column())
            emit dataChanged(index(row, 1), index(row, 1));
    }
}
