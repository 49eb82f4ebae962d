#include "statuslabel.h"

#include <QEvent>
#include <QFontMetricsF>

#include <algorithm>

namespace {

bool isNumber(const QString &text)
{
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

bool digitsOfOneWidth(const QFont &font)
{
    const QFontMetricsF metrics(font);
    const qreal zero = metrics.horizontalAdvance(QLatin1Char('0'));
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (metrics.horizontalAdvance(QLatin1Char(digit)) != zero)
            return false;
    }
    return true;
}

} // namespace

StatusLabel::StatusLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    // Filled with the window colour the status bar shows beneath it: a change then repaints the
    // label alone, not the window, the status bar and the row behind it first.
    setAutoFillBackground(true);
    m_evenDigits = digitsOfOneWidth(font());
    fitSize();
}

void StatusLabel::showText(const QString &text)
{
    if (text == this->text())
        return;
    const bool sameSize =
        m_evenDigits && text.size() == this->text().size() && isNumber(text) && isNumber(this->text());
    setText(text);
    if (!sameSize)
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
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_evenDigits = digitsOfOneWidth(font());
        fitSize();
    }
}

void StatusLabel::fitSize()
{
    const QSize hint = sizeHint();
    if (hint != minimumSize() || hint != maximumSize())
        setFixedSize(hint);
}
