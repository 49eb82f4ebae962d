#include "exlabel.h"

#include <QMouseEvent>

ExLabel::ExLabel(const QString &text, int tag, QWidget *parent)
    : QLabel(text, parent)
    , m_tag(tag)
{
    setCursor(Qt::PointingHandCursor);
}

void ExLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->pos()))
        emit clicked(m_tag);
}
