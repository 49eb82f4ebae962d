#pragma once

#include <QCache>
#include <QFont>
#include <QGlyphRun>
#include <QList>
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
// - The style paints the cell without its text (where it paints anything there at all, which is tried
//   once per kind of cell), and the text is drawn where the style would put it, elided where the
//   style elides it, from a layout kept per text, font and box: the dashes, the yes and no and the
//   small numbers that fill most cells are laid out once.
// - A text that does not show whole on one line (an elided label): the cell's paint onto the view's
//   own background is kept as an image and copied. An opaque copy of the same pixels onto the same
//   background is the same picture.
// Cells with icons, check boxes, focus, hover or an editor, right-to-left text, a style that paints
// items its own way, or a background or painter the copy could not reproduce go to the base class.
class PlainTextItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit PlainTextItemDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    // A cell's text as the style shows it in its text box (lines that do not fit elided) laid out to
    // be drawn, and the measure of the whole text, which places it. Not drawable: left to the style.
    struct TextLine
    {
        // The whole text as measured; the text shown, once it is to be drawn.
        QTextLayout layout;
        QSize size;
        int width = 0;
        QString shown;
        bool drawable = false;
        // Shown whole, on one line.
        bool whole = false;
        // The layout holds the text shown and its ink is known. An elided text is laid out again
        // only when it is drawn: many values elide alike ("70…"), and the cell's picture of the
        // text shown is kept.
        bool ready = false;
        // Where its glyphs' pixels may fall, in the layout's coordinates.
        QRectF ink;
        QList<QGlyphRun> runs;
    };
    struct LineKey
    {
        QString text;
        int font = 0;
        int width = 0;
        int height = 0;
        int flags = 0;
        bool operator==(const LineKey &o) const
        {
            return font == o.font && width == o.width && height == o.height && flags == o.flags && text == o.text;
        }
        friend uint qHash(const LineKey &k, uint seed = 0)
        {
            return qHash(k.text, seed) ^ uint(k.font * 31 + k.width * 131 + k.height * 1031 + k.flags * 7919);
        }
    };
    // Everything of a cell the style's paint depends on.
    struct CellKey
    {
        QString text;
        int font = 0;
        QSize size;
        int height = 0;
        std::array<int, 4> flags{};
        std::array<QRgb, 11> colours{};
        bool operator==(const CellKey &o) const
        {
            return font == o.font && size == o.size && height == o.height && flags == o.flags &&
                   colours == o.colours && text == o.text;
        }
        friend uint qHash(const CellKey &k, uint seed = 0)
        {
            uint h = qHash(k.text, seed) ^
                     uint(k.font * 31 + k.size.width() * 131 + k.size.height() * 7919 + k.height * 104729);
            for (int flag : k.flags)
                h = h * 33 + uint(flag);
            for (QRgb colour : k.colours)
                h = h * 33 + colour;
            return h;
        }
    };

    // A cell's text is keyed by the text shown, placed by the whole text's height.
    CellKey cellKey(const QStyleOptionViewItem &opt, const QColor &background, const TextLine *text = nullptr) const;
    // Whether the style paints anything in a cell without text (a selection, a background brush):
    // a plain cell on the view's background needs no paint behind its text.
    bool paintsBehindText(const QStyleOptionViewItem &blank, QStyle *style) const;
    TextLine *laidOut(const QStyleOptionViewItem &opt, const QSize &box) const;
    // Lays the text shown out to be drawn.
    static void makeReady(TextLine *text);
    static void drawRuns(QPainter *painter, const QPointF &at, const TextLine *text);
    // Lays lines of the width out one below the other, as the style does. With a height, stops after
    // the last line whose successor would not fit and returns its number; otherwise -1.
    static int layOutLines(QTextLayout &layout, int width, int height);
    // The text the style draws in the box: lines too wide, or followed by one that would not show,
    // elided.
    static QString shownText(const QTextLayout &measured, int lastShown, const QStyleOptionViewItem &opt,
                             const QSize &box, bool *drawable);
    // The style's paint of the cell without its text, and the text drawn from its layout.
    void paintText(QPainter *painter, QStyleOptionViewItem opt, QStyle *style, TextLine *text) const;
    // Paints through a kept image of the cell's paint; false when the cell cannot be copied.
    bool paintCopied(QPainter *painter, const QStyleOptionViewItem &opt, QStyle *style, TextLine *text) const;
    // A small number standing for the font in the keys: a table has a font or two.
    int fontId(const QFont &font) const;

    mutable QVector<QFont> m_fonts;
    mutable QCache<LineKey, TextLine> m_lines;
    mutable QCache<CellKey, QImage> m_cells;
    mutable QHash<CellKey, bool> m_blankPaints;
};
