#pragma once

#include <QCache>
#include <QFont>
#include <QPixmap>
#include <QStyledItemDelegate>

#include <array>

class QStyle;

// Paints a table's cells as a QStyledItemDelegate does, and keeps each picture for the next cell
// that would look the same. The event log repaints every row it shows with each batch, and most of
// its cells repeat (a controller, a code, a description with its colours): laying their text out
// anew each time was most of a batch's painting. A cell is kept only when everything its picture
// depends on is known: its text, font, size, state and every colour of its palette, over the
// view's own solid background.
class CachedCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit CachedCellDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    struct Key
    {
        QString text;
        QFont font;
        QSize size;
        QFont painterFont;
        qreal pixelRatio = 1;
        int dpiX = 0;
        int dpiY = 0;
        int renderHints = 0;
        const QStyle *style = nullptr;
        int state = 0;
        int features = 0;
        int alignment = 0;
        int elideMode = 0;
        int direction = 0;
        int colorGroup = 0;
        QRgb background = 0;
        QRgb viewBackground = 0;
        std::array<QRgb, QPalette::NColorGroups * QPalette::NColorRoles> palette{};

        bool operator==(const Key &other) const;
    };
    friend uint qHash(const Key &key, uint seed);

    mutable QCache<Key, QPixmap> m_cells;
};
