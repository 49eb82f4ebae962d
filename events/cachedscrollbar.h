#pragma once

#include <QPixmap>
#include <QScrollBar>
#include <QStyle>

#include <vector>

class QStyleOptionSlider;

// A scroll bar that keeps the picture of its last paint. A table view lays out its children each
// time rows come or go, and each layout raises both scroll bars, which repaints them whole though
// nothing on them changed: at a unit page's row that leaves the list, that was a third of the work.
// The picture is drawn again only when something the style draws from has changed. While the mouse
// is on the bar or a button is down, the bar paints as a plain one: only it knows which part is
// hovered or pressed. A bar whose picture covers it wholly says it is opaque, so the table behind it
// is not painted again either.
class CachedScrollBar : public QScrollBar
{
    Q_OBJECT

public:
    explicit CachedScrollBar(Qt::Orientation orientation, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Everything the style draws a bar from, when no part of it is hovered or pressed.
    struct Key
    {
        QSize size;
        qreal pixelRatio = 1;
        const QStyle *style = nullptr;
        qint64 palette = 0;
        QStyle::State state;
        Qt::LayoutDirection direction = Qt::LeftToRight;
        int minimum = 0;
        int maximum = 0;
        int sliderPosition = 0;
        int sliderValue = 0;
        int singleStep = 0;
        int pageStep = 0;
        bool upsideDown = false;

        bool operator==(const Key &other) const;
    };

    static Key keyOf(const QStyleOptionSlider &option, qreal pixelRatio, const QStyle *style);
    bool paintsPlain() const;

    struct Picture
    {
        Key key;
        QPixmap picture;
    };
    // The last one painted first.
    std::vector<Picture> m_pictures;
};
