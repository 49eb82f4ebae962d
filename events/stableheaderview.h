#pragma once

#include <QHeaderView>
#include <QMetaObject>

// A header that keeps its size hint while the cells change. A plain header forgets it at any change
// of any cell, and measures up to 200 of its sections again at the next layout of the view: on the
// unit page that is each time a row comes or goes. A header's texts come from the model's header
// data, not from its cells, so this one forgets its size hint for everything a plain one does but
// that: its own texts, sections coming or going, a new layout of the model, fonts and styles.
// Sections sized to their contents still follow the cells.
class StableHeaderView : public QHeaderView
{
    Q_OBJECT

public:
    explicit StableHeaderView(Qt::Orientation orientation, QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;

protected:
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QVector<int> &roles = QVector<int>()) override;

private:
    QMetaObject::Connection m_layoutConnection;
};
