#pragma once

#include "trendseries.h"

#include <QHash>
#include <QSet>
#include <QWidget>

class QCPAxis;
class QCPGraph;
class QCPItemStraightLine;
class QCustomPlot;
class QCheckBox;
class QLabel;
class QMouseEvent;
class QSplitter;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class TrendRecorder;

// The trend window: the series to plot, chosen in a tree of the monitored controller, its units and
// their readings, and the plot of them against time. One value axis per unit of measure, a legend,
// zoom and pan with the mouse on the time axis, a cursor that reads time and values, a unit's state
// changes marked on its series and its alarm threshold as a line. The plot follows the newest
// samples until the user zooms or pans, and is refreshed at most four times a second. While it is
// shown the recorder records (minimised counts as shown). Keeps its series, place and splitter in
// the settings group "TrendsWindow".
class TrendsWindow : public QWidget
{
    Q_OBJECT

public:
    explicit TrendsWindow(TrendRecorder *recorder, QWidget *parent = nullptr);
    ~TrendsWindow() override;

    TrendRecorder *recorder() const { return m_recorder; }
    QCustomPlot *plot() const { return m_plot; }
    QTreeWidget *tree() const { return m_tree; }
    QLabel *statusLabel() const { return m_statusLabel; }
    QLabel *cursorLabel() const { return m_cursorLabel; }
    // The plot's title of a series, with what is known of its unit's presence.
    QString title(const TrendSeries &series) const;
    // The graph of a recorded series; null when it has none.
    QCPGraph *graph(const TrendSeries &series) const;
    // The visible time span in seconds while following the newest samples.
    double followSpanSeconds() const { return m_spanSeconds; }
    void setFollowSpanSeconds(double seconds);

    // Writes the shown series' samples; a failure is reported in a message box. True when saved.
    bool saveCsv(const QString &fileName);
    bool savePng(const QString &fileName);
    // Takes the samples that arrived into the plot and repaints it now.
    void refresh();
    // Puts the cursor at a time, as the mouse does.
    void setCursorTime(qint64 timeMs);

public slots:
    // Adds every reading of a unit of the monitored controller and shows the window.
    void showUnit(int addr);
    void showWindow();
    void slotSaveCsv();
    void slotSavePng();
    void slotPrint();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Shown
    {
        QCPGraph *graph = nullptr;
        QCPItemStraightLine *threshold = nullptr;
        qint64 lastMs = 0; // of the newest sample in the graph
        int markers = 0;   // state markers drawn
        bool any = false;
    };

    void rebuildTree();
    void rebuildPlot();
    void appendSamples(const TrendSeries &series, Shown &shown);
    void drawMarkers(const TrendSeries &series, Shown &shown);
    void updateThreshold(const TrendSeries &series, Shown &shown);
    void updateStatus();
    void updateLegend();
    void follow();
    void itemChanged(QTreeWidgetItem *item);
    void mouseMoved(QMouseEvent *event);
    void scheduleRefresh();
    QCPAxis *axisFor(const QString &unitOfMeasure);
    QString chooseFile(const QString &title, const QString &filter, const QString &suffix);

    TrendRecorder *m_recorder = nullptr;
    QSplitter *m_splitter = nullptr;
    QTreeWidget *m_tree = nullptr;
    QCustomPlot *m_plot = nullptr;
    QCheckBox *m_followBox = nullptr;
    QLabel *m_statusLabel = nullptr;
    QLabel *m_cursorLabel = nullptr;
    QCPItemStraightLine *m_cursor = nullptr;
    QTimer *m_refreshTimer = nullptr;
    QTimer *m_treeTimer = nullptr;
    QHash<TrendSeries, Shown> m_shown;
    QHash<QString, QCPAxis *> m_axes; // by unit of measure
    QSet<QString> m_expanded;         // tree items the user opened, by their text key
    double m_spanSeconds = 600;
    bool m_settingRange = false;
    bool m_buildingTree = false;
    qint64 m_cursorMs = 0;
    QString m_folder;
};
