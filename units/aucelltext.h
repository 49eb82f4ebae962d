#pragma once

#include <QFont>
#include <QLayoutItem>
#include <QRect>
#include <QString>

class QPainter;
class QWidget;

// One text of a unit cell as an item of the cell's layout. The layout places it exactly as it would a
// label showing the text, and the cell paints it: a label widget per text made a change of the whole
// loop move, measure and paint a thousand widgets, each shaping its text again on every paint.
class AuCellText : public QLayoutItem
{
public:
    // `owner` is repainted where the text moves.
    AuCellText(QWidget *owner, const QString &text, Qt::Alignment alignment);

    const QString &text() const { return m_text; }
    // True when the text's size changed (or it appeared or vanished): the layout has to place the
    // texts again.
    bool setText(const QString &text);
    // Draws the text where a label of the item's geometry would.
    void paint(QPainter *painter) const;

    QSize sizeHint() const override;
    QSize minimumSize() const override;
    QSize maximumSize() const override;
    Qt::Orientations expandingDirections() const override;
    void setGeometry(const QRect &rect) override;
    QRect geometry() const override;
    bool isEmpty() const override;

private:
    QSize measure() const;

    QWidget *m_owner;
    QString m_text;
    Qt::Alignment m_alignment;
    QSize m_size;
    QRect m_geometry;
};
