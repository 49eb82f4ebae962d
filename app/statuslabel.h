#pragma once

#include <QLabel>

// A status bar label that changes many times a second (a traffic light, a counter). A plain label
// asks for a new layout on every change, which lays out the status bar and the window and repaints
// the whole status bar; this one keeps its size fixed at its size hint, so a change of the same size
// repaints only the label, and only a change of size asks for a layout. A count that keeps its number
// of digits keeps its size where the font's digits are all of one width, as they are in most: it is
// not measured again.
class StatusLabel : public QLabel
{
    Q_OBJECT

public:
    explicit StatusLabel(const QString &text = QString(), QWidget *parent = nullptr);

    void showText(const QString &text);
    void showPixmap(const QPixmap &pixmap);

protected:
    void changeEvent(QEvent *event) override;

private:
    void fitSize();
    // Whether the font's ten digits are all of one width.
    bool m_evenDigits = false;
};
