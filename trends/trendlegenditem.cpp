#include "trendlegenditem.h"

#include <QPainter>
#include <QtMath>

TrendLegendItem::TrendLegendItem(QCPLegend *legend, QCPGraph *graph)
    : QCPPlottableLegendItem(legend, graph)
    , m_graph(graph)
{
    m_text.setTextFormat(Qt::PlainText);
}

void TrendLegendItem::prepare() const
{
    const QFont font = selected() ? selectedFont() : this->font();
    if (m_name == m_graph->name() && m_font == font)
        return;
    m_name = m_graph->name();
    m_font = font;
    m_text.setText(m_name);
    m_text.prepare(QTransform(), m_font);
    m_picture = QPixmap();
}

QSize TrendLegendItem::minimumOuterSizeHint() const
{
    prepare();
    const QSize icon = mParentLegend->iconSize();
    const QSizeF text = m_text.size();
    return QSize(icon.width() + mParentLegend->iconTextPadding() + qCeil(text.width()) + mMargins.left() +
                     mMargins.right(),
                 qMax(qCeil(text.height()), icon.height()) + mMargins.top() + mMargins.bottom());
}

void TrendLegendItem::draw(QCPPainter *painter)
{
    prepare();
    const QSize icon = mParentLegend->iconSize();
    const QPointF textAt(mRect.x() + icon.width() + mParentLegend->iconTextPadding(), mRect.y());
    const QColor colour = selected() ? selectedTextColor() : textColor();
    if (painter->modes() & (QCPPainter::pmVectorized | QCPPainter::pmNoCaching)) {
        painter->setFont(m_font);
        painter->setPen(colour);
        painter->drawStaticText(textAt, m_text);
    } else {
        const qreal ratio = painter->device()->devicePixelRatioF();
        if (m_picture.isNull() || m_pictureColour != colour || m_picture.devicePixelRatioF() != ratio) {
            const QSizeF size = m_text.size();
            m_picture = QPixmap(qCeil(size.width() * ratio), qCeil(size.height() * ratio));
            m_picture.setDevicePixelRatio(ratio);
            m_picture.fill(Qt::transparent);
            QPainter text(&m_picture);
            text.setFont(m_font);
            text.setPen(colour);
            text.drawStaticText(QPointF(0, 0), m_text);
            m_pictureColour = colour;
        }
        painter->drawPixmap(textAt, m_picture);
    }
    // The series' line across the icon, as QCPGraph draws it.
    const QRectF iconRect(mRect.topLeft(), icon);
    painter->setPen(m_graph->pen());
    painter->drawLine(QLineF(iconRect.left(), iconRect.center().y(), iconRect.right(), iconRect.center().y()));
}
