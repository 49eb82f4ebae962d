#pragma once

#include <QHash>
#include <QHeaderView>

// The row numbers of the event log. A plain header measures the text of up to 200 sections each
// time rows come or go, to keep as wide as its widest number: at a batch every second that is the
// largest part of the log's work. This one measures each number once and remembers it, so it stays
// exactly as wide as a plain header while a batch costs a look-up per section.
class NumberHeaderView : public QHeaderView
{
    Q_OBJECT

public:
    explicit NumberHeaderView(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override;
    void changeEvent(QEvent *event) override;

private:
    // Keyed by the section's number: its size depends on nothing else the log's model gives a row.
    mutable QHash<int, QSize> m_sizes;
};
