#pragma once

#include <QCache>
#include <QFont>
#include <QHash>
#include <QHashFunctions>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStyledItemDelegate>
#include <QTextLayout>
#include <QVector>

#include <array>

// Paints a cell exactly as QStyledItemDelegate does, with less work: the style lays a cell's text
// out five times per paint (three size queries, the elision check, the drawing).
// - One line of text that fits: the style paints the cell without its text (where it paints anything
//   there at all, which is tried once per kind of cell), and the text is drawn
//   where the style would put it from a layout kept per text, font and width: the dashes, the yes and
//   no and the small numbers that fill most cells are laid out once.
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
    // A text laid out in the cell's text width as the style lays it out, and whether it fits there
    // on one line.
    struct TextLine
    {
        QTextLayout layout;
        QSize size;
        bool fits = false;
    };
    struct LineKey
    {
        QString text;
        int font = 0;
        int width = 0;
        int flags = 0;
        bool operator==(const LineKey &o) const
        {
            return font == o.font && width == o.width && flags == o.flags && text == o.text;
        }
        friend uint qHash(const LineKey &k, uint seed = 0)
        {
            return qHash(k.text, seed) ^ uint(k.font * 31 + k.width * 131 + k.flags * 7919);
        }
    };
    // Everything of a cell the style's paint depends on.
    struct CellKey
    {
        QString text;
        int font = 0;
        QSize size;
        std::array<int, 4> flags{};
        std::array<QRgb, 11> colours{};
        bool operator==(const CellKey &o) const
        {
            return font == o.font && size == o.size && flags == o.flags && colours == o.colours && text == o.text;
        }
        friend uint qHash(const CellKey &k, uint seed = 0)
        {
            uint h = qHash(k.text, seed) ^ uint(k.font * 31 + k.size.width() * 131 + k.size.height() * 7919);
            for (int flag : k.flags)
                h = h * 33 + uint(flag);
            for (QRgb colour : k.colours)
                h = h * 33 + colour;
            return h;
        }
    };

    CellKey cellKey(const QStyleOptionViewItem &opt, const QColor &background) const;
    // Whether the style paints anything in a cell without text (a selection, a background brush):
    // a plain cell on the view's background needs no paint behind its text.
    bool paintsBehindText(const QStyleOptionViewItem &blank, QStyle *style) const;
    const TextLine *laidOut(const QStyleOptionViewItem &opt, int width) const;
    // Paints through a kept image of the style's paint; false when the cell cannot be copied.
    bool paintCopied(QPainter *painter, const QStyleOptionViewItem &opt, QStyle *style) const;
    // A small number standing for the font in the keys: a table has a font or two.
    int fontId(const QFont &font) const;

    mutable QVector<QFont> m_fonts;
    mutable QCache<LineKey, TextLine> m_lines;
    mutable QCache<CellKey, QImage> m_cells;
    mutable QHash<CellKey, bool> m_blankPaints;
};
