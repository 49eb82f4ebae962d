#pragma once

#include <qcustomplot.h>

#include <QPixmap>
#include <QStaticText>

// A legend entry of a trend series: the series' line and its title. The title is laid out and drawn
// into a picture once, and again only when it, its font or its colour changes; QCustomPlot's own
// entry lays out and draws its text twice on every repaint, which for 20 series costs as much as
// drawing their lines. Printing draws the text itself.
class TrendLegendItem : public QCPPlottableLegendItem
{
    Q_OBJECT

public:
    TrendLegendItem(QCPLegend *legend, QCPGraph *graph);

protected:
    void draw(QCPPainter *painter) override;
    QSize minimumOuterSizeHint() const override;

private:
    // Lays the title out anew when it or its font changed.
    void prepare() const;

    QCPGraph *m_graph = nullptr;
    mutable QStaticText m_text;
    mutable QString m_name;
    mutable QFont m_font;
    mutable QPixmap m_picture; // null when the title changed since it was drawn
    QColor m_pictureColour;
};
