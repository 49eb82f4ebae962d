#pragma once

#include <QCache>
#include <QFont>
#include <QLocale>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <QVariant>

#include <array>

class QStyle;

// Paints a table's cells as a QStyledItemDelegate does, and keeps each picture for the next cell
// that would look the same. The event log repaints every row it shows with each batch, and most of
// its cells repeat (a controller, a code, a description with its colours): laying their text out
// anew each time was most of a batch's painting. A picture is found by what the view asks for (its
// option for the cell) and what the model gives (the cell's values of every role the delegate
// reads), over the view's own solid background; nothing else goes into it.
class CachedCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit CachedCellDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    // The roles QStyledItemDelegate reads to set a cell's option up.
    static constexpr std::array<int, 7> roles{{Qt::DisplayRole, Qt::FontRole, Qt::TextAlignmentRole,
                                               Qt::ForegroundRole, Qt::CheckStateRole, Qt::DecorationRole,
                                               Qt::BackgroundRole}};

    struct Key
    {
        std::array<QVariant, roles.size()> values;
        QFont font;
        QFont painterFont;
        QLocale locale;
        QSize size;
        QSize decorationSize;
        qreal pixelRatio = 1;
        int dpiX = 0;
        int dpiY = 0;
        int renderHints = 0;
        const QStyle *style = nullptr;
        qint64 palette = 0;
        int colorGroup = 0;
        int state = 0;
        int features = 0;
        int displayAlignment = 0;
        int decorationAlignment = 0;
        int decorationPosition = 0;
        int elideMode = 0;
        int direction = 0;
        int viewItemPosition = 0;
        bool showDecorationSelected = false;
        QRgb viewBackground = 0;

        bool operator==(const Key &other) const;
    };
    friend uint qHash(const Key &key, uint seed);

    mutable QCache<Key, QPixmap> m_cells;
};
