#pragma once

#include <QCache>
#include <QImage>
#include <QString>
#include <QStyledItemDelegate>

// Paints a cell exactly as QStyledItemDelegate does, with less work: the style lays a cell's text
// out five times per paint (three size queries, the elision check, the drawing).
// - One line of text that fits: the style paints the cell without its text, and the text is laid out
//   once, where the style would put it.
// - Any other text (elided, wrapped): the style's paint of the cell onto the view's own background
//   is kept as an image and copied, so a label shown in many cells and at every repaint is laid
//   out once. An opaque copy of the same pixels onto the same background is the same picture.
// Cells with icons, check boxes, focus, hover or an editor, right-to-left text, a style that paints
// items its own way, or a background or painter the copy could not reproduce go to the base class.
class PlainTextItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit PlainTextItemDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    // Paints through a kept image of the style's paint; false when the cell cannot be copied.
    bool paintCopied(QPainter *painter, const QStyleOptionViewItem &opt, QStyle *style) const;

    mutable QCache<QString, QImage> m_cells;
};
