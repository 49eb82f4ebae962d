#include "statuslabel.h"

#include <QEvent>

StatusLabel::StatusLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    // Filled with the window colour the status bar shows beneath it: a change then repaints the
    // label alone, not the window, the status bar and the row behind it first.
    setAutoFillBackground(true);
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
