#include "aucelltext.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPair>
#include <QTextLayout>
#include <QWidget>

#include <memory>

namespace {
// What a label adds to its alignment: tabs are expanded.
constexpr int LabelFlags = Qt::TextExpandTabs;

// The sizes of the texts already measured: a loop brings back the same few hundred texts (addresses,
// type names, readings), and measuring one means shaping it.
QSize cachedSize(const QFont &font, int flags, const QString &text)
{
    static QHash<QFont, QHash<QPair<int, QString>, QSize>> cache;
    constexpr int maxTexts = 4096;
    QHash<QPair<int, QString>, QSize> &sizes = cache[font];
    const QPair<int, QString> key(flags, text);
    const auto found = sizes.constFind(key);
    if (found != sizes.constEnd())
        return *found;
    if (sizes.size() >= maxTexts)
        sizes.clear();
    // As a label measures its text: centring is left out, so that no half pixel rounds the size up.
    const int measured = flags & ~(Qt::AlignVCenter | Qt::AlignHCenter);
    const QSize size = QFontMetrics(font).boundingRect(0, 0, 2000, 2000, measured, text).size();
    sizes.insert(key, size);
    return size;
}

// A text laid out and placed in its box as QPainter::drawText() does it for one line, kept so that
// a repaint draws the shaped glyphs instead of shaping the text again.
struct PlacedText
{
    QTextLayout layout;
    QPointF origin;
};

const PlacedText &placedText(const QFont &font, const QPaintDevice *device, int flags, const QString &text,
                             const QSize &box)
{
    using Key = QPair<QPair<int, int>, QString>;
    static QHash<QFont, QHash<Key, std::shared_ptr<PlacedText>>> cache;
    constexpr int maxTexts = 4096;
    auto &placed = cache[font];
    const Key key({flags, box.width() << 16 | box.height()}, text);
    const auto found = placed.constFind(key);
    if (found != placed.constEnd())
        return **found;
    if (placed.size() >= maxTexts)
        placed.clear();
    auto kept = std::make_shared<PlacedText>();
    QTextLayout &layout = kept->layout;
    layout.setCacheEnabled(true);
    layout.setFont(QFont(font, device));
    layout.setText(text);
    QTextOption option(Qt::AlignLeft);
    option.setTextDirection(Qt::LeftToRight);
    option.setWrapMode(QTextOption::ManualWrap);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(0x01000000);
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    const qreal height = line.ascent() + line.descent();
    const qreal advance = line.horizontalAdvance();
    qreal x = 0;
    qreal y = 0;
    if (flags & Qt::AlignBottom)
        y = box.height() - height;
    else if (flags & Qt::AlignVCenter)
        y = (box.height() - height) / 2;
    if (flags & Qt::AlignRight)
        x = box.width() - advance;
    else if (flags & Qt::AlignHCenter)
        x = (box.width() - advance) / 2;
    kept->origin = QPointF(x, y);
    placed.insert(key, kept);
    return *kept;
}

// Texts drawText() lays out some other way than one plain line: several lines, tabs, mnemonics.
bool isOneLine(const QString &text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('&') ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return false;
    }
    return true;
}
} // namespace

AuCellText::AuCellText(QWidget *owner, const QString &text, Qt::Alignment alignment)
    : m_owner(owner)
    , m_text(text)
    , m_alignment(alignment)
{
    m_size = measure();
}

bool AuCellText::setText(const QString &text)
{
    if (text == m_text)
        return false;
    m_text = text;
    const QSize size = measure();
    const bool resized = size != m_size;
    m_size = size;
    return resized;
}

void AuCellText::paint(QPainter *painter) const
{
    if (m_text.isEmpty())
        return;
    // A label's bounds cut off whatever of a glyph reaches past them, and drawn from the label's own
    // origin a centred text rounds to the very pixels the label gave it.
    painter->setClipRect(m_geometry);
    painter->translate(m_geometry.topLeft());
    const int flags = int(m_alignment) | LabelFlags | Qt::TextForceLeftToRight;
    if (isOneLine(m_text)) {
        const PlacedText &placed = placedText(painter->font(), painter->device(), flags, m_text, m_geometry.size());
        placed.layout.draw(painter, placed.origin);
    } else {
        painter->drawText(QRect(QPoint(), m_geometry.size()), flags, m_text);
    }
    painter->translate(-m_geometry.topLeft());
}

QSize AuCellText::sizeHint() const
{
    return isEmpty() ? QSize(0, 0) : m_size;
}

QSize AuCellText::minimumSize() const
{
    return sizeHint();
}

QSize AuCellText::maximumSize() const
{
    return isEmpty() ? QSize(0, 0) : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

Qt::Orientations AuCellText::expandingDirections() const
{
    return {};
}

void AuCellText::setGeometry(const QRect &rect)
{
    if (isEmpty() || rect == m_geometry)
        return;
    m_geometry = rect;
    m_owner->update();
}

QRect AuCellText::geometry() const
{
    return m_geometry;
}

bool AuCellText::isEmpty() const
{
    return m_text.isEmpty();
}

QSize AuCellText::measure() const
{
    return m_text.isEmpty() ? QSize() : cachedSize(m_owner->font(), int(m_alignment) | LabelFlags, m_text);
}
