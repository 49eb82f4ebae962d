#include "aucelltext.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPair>
#include <QWidget>

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
    painter->drawText(QRect(QPoint(), m_geometry.size()),
                      int(m_alignment) | LabelFlags | Qt::TextForceLeftToRight, m_text);
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
