#include "statuslabel.h"

#include <QEvent>

StatusLabel::StatusLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    fitSize();
}

void StatusLabel::showText(const QString &text)
{
    if (text == this->text())
        return;
    setText(text);
    fitSize();
}

void StatusLabel::showPixmap(const QPixmap &pixmap)
{
    setPixmap(pixmap);
    fitSize();
}

void StatusLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitSize();
}

void StatusLabel::fitSize()
{
    const QSize hint = sizeHint();
    if (hint != minimumSize() || hint != maximumSize())
        setFixedSize(hint);
}
