#pragma once

#include "stableheaderview.h"

#include <QCache>
#include <QFont>
#include <QHash>
#include <QPixmap>

class QStyle;

// The row numbers of the event log. A plain header measures the text of up to 200 sections each
// time rows come or go, to keep as wide as its widest number: at a batch every second that is the
// largest part of the log's work. This one measures each number once and remembers it, so it stays
// exactly as wide as a plain header while a batch costs a look-up per section. It keeps the
// pictures of its sections too: a full log numbers its rows from the oldest kept, so the same few
// numbers come back to the top with every batch. Sections the model gives nothing for are measured
// once and kept as one picture too: the unit page's rows come and go under a header that shows no
// text.
class NumberHeaderView : public StableHeaderView
{
    Q_OBJECT

public:
    explicit NumberHeaderView(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;
    // For a model that gives its rows no header at all (the unit page): every section is then
    // measured and pictured as a blank one without asking the model, which through a sorting proxy
    // took three look-ups a section for each of up to 200 sections whenever rows came or went.
    void setSectionsBlank(bool blank);

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override;
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    void changeEvent(QEvent *event) override;

private:
    // Everything a section's picture depends on. Pictures are used only while the mouse is away:
    // the header alone knows which section it hovers or presses.
    struct Key
    {
        int number = 0;
        bool blank = false;
        QSize size;
        qreal pixelRatio = 1;
        int dpiX = 0;
        int dpiY = 0;
        const QStyle *style = nullptr;
        qint64 palette = 0;
        QRgb background = 0;
        QFont font;
        int renderHints = 0;
        int elideMode = 0;
        bool enabled = false;
        bool active = false;
        bool first = false;
        bool last = false;
        bool selected = false;
        bool previousSelected = false;
        bool nextSelected = false;

        bool operator==(const Key &other) const;
    };
    friend uint qHash(const Key &key, uint seed);

    bool sectionSelected(int visual) const;

    // Keyed by the section's number: its size depends on nothing else the log's model gives a row.
    mutable QHash<int, QSize> m_sizes;
    // A section that shows nothing (a table that numbers no rows): all measure alike.
    mutable QSize m_emptySize;
    bool m_sectionsBlank = false;
    mutable QCache<Key, QPixmap> m_pictures;
};
