#include "trendswindow.h"

#include "hardtypes.h"
#include "settings.h"
#include "trendcsv.h"
#include "trendlegenditem.h"
#include "trendrecorder.h"

#include <qcustomplot.h>

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

const QString group = QStringLiteral("TrendsWindow");
const QString geometryKey = QStringLiteral("Geometry");
const QString splitterKey = QStringLiteral("SplitterState");
const QString seriesKey = QStringLiteral("Series");
const QString spanKey = QStringLiteral("SpanSeconds");
const QString folderKey = QStringLiteral("Folder");
constexpr int refreshMs = 250;
constexpr int treeMs = 300;
constexpr int seriesRole = Qt::UserRole;
constexpr double minSpanSeconds = 10;
constexpr double maxSpanSeconds = 7 * 24 * 3600.0;
const QString timeFormat = QStringLiteral("dd.MM.yyyy hh:mm:ss");

QColor seriesColour(int index)
{
    static const QColor colours[] = {QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c),
                                     QColor(0xff, 0x7f, 0x0e), QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
                                     QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f), QColor(0xbc, 0xbd, 0x22),
                                     QColor(0x17, 0xbe, 0xcf)};
    return colours[index % int(sizeof(colours) / sizeof(colours[0]))];
}

// The colour of a general state, as the grids show it; normal marks green.
QColor stateColour(int state)
{
    switch (state) {
    case 0:
        return QColor(0x20, 0xa0, 0x20);
    case 1:
        return QColor(0xff, 0x8c, 0x00);
    case 2:
        return QColor(0xc8, 0xa0, 0x00);
    case 4:
        return Qt::red;
    default:
        return Qt::darkGray;
    }
}

double seconds(qint64 ms)
{
    return double(ms) / 1000.0;
}

QString timeText(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("hh:mm:ss"));
}

} // namespace

TrendsWindow::TrendsWindow(TrendRecorder *recorder, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_recorder(recorder)
{
    setWindowTitle(tr("Тренды"));

    m_tree = new QTreeWidget;
    m_tree->setHeaderLabel(tr("Показания"));
    m_tree->setMinimumWidth(160);
    connect(m_tree, &QTreeWidget::itemChanged, this, &TrendsWindow::itemChanged);
    connect(m_tree, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem *item) { m_expanded.insert(item->data(0, Qt::UserRole + 1).toString()); });
    connect(m_tree, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem *item) { m_expanded.remove(item->data(0, Qt::UserRole + 1).toString()); });

    m_plot = new QCustomPlot;
    m_plot->setMinimumSize(320, 240);
    QSharedPointer<QCPAxisTickerDateTime> ticker(new QCPAxisTickerDateTime);
    ticker->setDateTimeFormat(QStringLiteral("hh:mm:ss"));
    m_plot->xAxis->setTicker(ticker);
    m_plot->xAxis->setLabel(tr("Время"));
    m_plot->yAxis2->setVisible(false);
    m_plot->legend->setVisible(true);
    m_plot->setAutoAddPlottableToLegend(false);
    m_plot->legend->setFont(font());
    m_plot->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
    m_plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    m_plot->axisRect()->setRangeDrag(Qt::Horizontal);
    m_plot->axisRect()->setRangeZoom(Qt::Horizontal);
    m_plot->setNoAntialiasingOnDrag(true);
    // Thin lines without antialiasing, each series one polyline: a wide or smoothed pen costs several
    // times the repaint of 20 long series, and QCustomPlot's "fast polylines" (every segment drawn
    // on its own) half as much again (see the trend benchmark).
    m_plot->setNotAntialiasedElements(QCP::aePlottables);
    m_plot->setPlottingHints(QCP::phCacheLabels);
    // One picture for every layer: the overlay's own buffer (for replotting it alone, which this
    // window never does) would be cleared and laid over the plot on every repaint.
    m_plot->layer(QStringLiteral("overlay"))->setMode(QCPLayer::lmLogical);
    m_cursor = new QCPItemStraightLine(m_plot);
    m_cursor->setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
    m_cursor->setVisible(false);
    // Panning or zooming holds the plot where the user took it.
    connect(m_plot->xAxis, qOverload<const QCPRange &>(&QCPAxis::rangeChanged), this,
            [this](const QCPRange &range) {
                if (m_settingRange)
                    return;
                m_followBox->setChecked(false);
                m_spanSeconds = qBound(minSpanSeconds, range.size(), maxSpanSeconds);
            });
    connect(m_plot, &QCustomPlot::mouseMove, this, &TrendsWindow::mouseMoved);
    connect(m_plot, &QCustomPlot::mouseDoubleClick, this, [this] { m_followBox->setChecked(true); });

    m_followBox = new QCheckBox(tr("Следить за новыми"));
    m_followBox->setChecked(true);
    connect(m_followBox, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            refresh();
    });
    auto *csvButton = new QPushButton(tr("CSV ..."));
    connect(csvButton, &QPushButton::clicked, this, &TrendsWindow::slotSaveCsv);
    auto *pngButton = new QPushButton(tr("PNG ..."));
    connect(pngButton, &QPushButton::clicked, this, &TrendsWindow::slotSavePng);
    auto *printButton = new QPushButton(tr("Печать ..."));
    connect(printButton, &QPushButton::clicked, this, &TrendsWindow::slotPrint);
    m_statusLabel = new QLabel;
    m_statusLabel->setObjectName(QStringLiteral("trendStatus"));
    m_cursorLabel = new QLabel;
    m_cursorLabel->setObjectName(QStringLiteral("trendCursor"));
    m_cursorLabel->setWordWrap(true);
    m_cursorLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *tools = new QHBoxLayout;
    tools->addWidget(m_followBox);
    tools->addWidget(m_statusLabel, 1);
    tools->addWidget(csvButton);
    tools->addWidget(pngButton);
    tools->addWidget(printButton);

    auto *right = new QWidget;
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addLayout(tools);
    rightLayout->addWidget(m_plot, 1);
    rightLayout->addWidget(m_cursorLabel);

    m_splitter = new QSplitter(Qt::Horizontal);
    m_splitter->addWidget(m_tree);
    m_splitter->addWidget(right);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({260, 900});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_splitter);

    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setSingleShot(true);
    m_refreshTimer->setInterval(refreshMs);
    connect(m_refreshTimer, &QTimer::timeout, this, &TrendsWindow::refresh);
    m_treeTimer = new QTimer(this);
    m_treeTimer->setSingleShot(true);
    m_treeTimer->setInterval(treeMs);
    connect(m_treeTimer, &QTimer::timeout, this, &TrendsWindow::rebuildTree);

    connect(m_recorder, &TrendRecorder::signalSamplesAdded, this, &TrendsWindow::scheduleRefresh);
    connect(m_recorder, &TrendRecorder::signalSeriesChanged, this, [this] {
        rebuildPlot();
        m_treeTimer->start();
    });
    connect(m_recorder, &TrendRecorder::signalUnitsChanged, this, [this] {
        updateLegend();
        if (!m_treeTimer->isActive())
            m_treeTimer->start();
    });

    resize(1200, 640);
    restoreGeometry(Settings::readValue(geometryKey, group).toByteArray());
    m_splitter->restoreState(Settings::readValue(splitterKey, group).toByteArray());
    bool spanOk = false;
    const double span = Settings::readValue(spanKey, group, m_spanSeconds).toDouble(&spanOk);
    if (spanOk && span >= minSpanSeconds && span <= maxSpanSeconds)
        m_spanSeconds = span;
    m_folder = Settings::readValue(folderKey, group, QDir::homePath()).toString();
    // A saved series that no longer makes sense (a hand-edited file) is left out.
    const QStringList codes = Settings::readValue(seriesKey, group).toStringList();
    for (const QString &code : codes) {
        bool ok = false;
        const TrendSeries series = TrendSeries::fromCode(code.toUInt(&ok));
        if (ok)
            m_recorder->addSeries(series);
    }
    rebuildPlot();
    rebuildTree();

    // The window goes with the main window.
    if (parent)
        parent->installEventFilter(this);
}

TrendsWindow::~TrendsWindow()
{
    QStringList codes;
    for (const TrendSeries &series : m_recorder->series())
        codes << QString::number(series.code());
    Settings::writeValue(saveGeometry(), geometryKey, group);
    Settings::writeValue(m_splitter->saveState(), splitterKey, group);
    Settings::writeValue(codes, seriesKey, group);
    Settings::writeValue(m_spanSeconds, spanKey, group);
    Settings::writeValue(m_folder, folderKey, group);
}

bool TrendsWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parent() && event->type() == QEvent::Close)
        close();
    return QWidget::eventFilter(watched, event);
}

// Minimising sends spontaneous hide and show events: a minimised window goes on recording.
void TrendsWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        m_recorder->setRecording(true);
        rebuildTree();
        refresh();
    }
}

void TrendsWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        m_recorder->setRecording(false);
}

void TrendsWindow::setFollowSpanSeconds(double seconds)
{
    m_spanSeconds = qBound(minSpanSeconds, seconds, maxSpanSeconds);
    m_followBox->setChecked(true);
    refresh();
}

void TrendsWindow::showWindow()
{
    show();
    raise();
    activateWindow();
}

void TrendsWindow::showUnit(int addr)
{
    const int rynAddr = m_recorder->selectedRyn();
    const QList<TrendCatalogue::Reading> readings = TrendCatalogue::unitReadings(m_recorder->unitType(addr));
    for (TrendCatalogue::Reading reading : readings)
        m_recorder->addSeries({rynAddr, addr, reading});
    showWindow();
    if (rynAddr == 0)
        m_statusLabel->setText(tr("Контроллер не выбран"));
    else if (readings.isEmpty())
        m_statusLabel->setText(tr("У АУ %1 нет показаний для тренда").arg(addr));
}

QString TrendsWindow::title(const TrendSeries &series) const
{
    QString text = series.isController()
                       ? tr("RYN %1: %2").arg(series.rynAddr).arg(TrendCatalogue::name(series.reading))
                       : tr("RYN %1, АУ %2: %3")
                             .arg(series.rynAddr)
                             .arg(series.unitAddr)
                             .arg(TrendCatalogue::name(series.reading));
    const QString unit = TrendCatalogue::unitOfMeasure(series.reading);
    if (!unit.isEmpty())
        text += QStringLiteral(", ") + unit;
    qint64 since = 0;
    switch (m_recorder->presence(series, &since)) {
    case TrendRecorder::Lost:
        text += QStringLiteral(" — ") + tr("потеря связи с %1").arg(timeText(since));
        break;
    case TrendRecorder::Gone:
        text += QStringLiteral(" — ") + tr("нет на линии с %1, записанное сохранено").arg(timeText(since));
        break;
    case TrendRecorder::Unwatched:
        text += QStringLiteral(" — ") + tr("контроллер не опрашивается");
        break;
    case TrendRecorder::Present:
        break;
    }
    return text;
}

QCPGraph *TrendsWindow::graph(const TrendSeries &series) const
{
    return m_shown.value(series).graph;
}

QCPAxis *TrendsWindow::axisFor(const QString &unitOfMeasure)
{
    if (QCPAxis *axis = m_axes.value(unitOfMeasure))
        return axis;
    QCPAxis *axis = nullptr;
    if (m_axes.isEmpty()) {
        axis = m_plot->yAxis;
    } else if (m_axes.size() == 1) {
        axis = m_plot->yAxis2;
        axis->setVisible(true);
    } else {
        axis = m_plot->axisRect()->addAxis(QCPAxis::atRight);
    }
    axis->setLabel(unitOfMeasure);
    m_axes.insert(unitOfMeasure, axis);
    return axis;
}

void TrendsWindow::rebuildPlot()
{
    m_plot->legend->clearItems();
    m_plot->clearGraphs();
    // Thresholds and markers are items; the cursor stays.
    for (int i = m_plot->itemCount() - 1; i >= 0; --i) {
        if (m_plot->item(i) != m_cursor)
            m_plot->removeItem(i);
    }
    m_shown.clear();
    for (QCPAxis *axis : m_plot->axisRect()->axes(QCPAxis::atRight)) {
        if (axis != m_plot->yAxis2)
            m_plot->axisRect()->removeAxis(axis);
    }
    m_axes.clear();
    m_plot->yAxis->setLabel(QString());
    m_plot->yAxis2->setVisible(false);

    const QList<TrendSeries> all = m_recorder->series();
    for (int i = 0; i < all.size(); ++i) {
        const TrendSeries &series = all.at(i);
        const QString unit = TrendCatalogue::unitOfMeasure(series.reading);
        Shown shown;
        shown.graph = m_plot->addGraph(m_plot->xAxis, axisFor(unit.isEmpty() ? tr("ед.") : unit));
        shown.graph->setPen(QPen(seriesColour(i), 1));
        shown.graph->setName(title(series));
        shown.graph->setLineStyle(QCPGraph::lsLine);
        shown.graph->setAdaptiveSampling(true);
        m_plot->legend->addItem(new TrendLegendItem(m_plot->legend, shown.graph));
        m_shown.insert(series, shown);
    }
    refresh();
}

void TrendsWindow::updateLegend()
{
    for (auto shown = m_shown.begin(); shown != m_shown.end(); ++shown)
        shown->graph->setName(title(shown.key()));
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

void TrendsWindow::appendSamples(const TrendSeries &series, Shown &shown)
{
    const TrendStore &store = m_recorder->store();
    const int count = store.count(series);
    if (count == 0)
        return;
    // Samples the store dropped for room leave the graph too.
    const qint64 firstMs = store.at(series, 0).timeMs;
    shown.graph->data()->removeBefore(seconds(firstMs));
    int index = shown.any ? store.lowerBound(series, shown.lastMs + 1) : 0;
    if (index >= count)
        return;
    QVector<double> keys;
    QVector<double> values;
    keys.reserve(count - index);
    values.reserve(count - index);
    for (; index < count; ++index) {
        const TrendStore::Sample sample = store.at(series, index);
        keys.append(seconds(sample.timeMs));
        // NaN draws a gap.
        values.append(sample.value);
        shown.lastMs = sample.timeMs;
    }
    shown.any = true;
    shown.graph->addData(keys, values, true);
}

void TrendsWindow::drawMarkers(const TrendSeries &series, Shown &shown)
{
    if (series.isController())
        return;
    const QList<TrendStore::Marker> markers = m_recorder->store().markers(series.rynAddr, series.unitAddr);
    // A marker list that was trimmed starts over.
    if (markers.size() < shown.markers)
        shown.markers = 0;
    for (int i = shown.markers; i < markers.size(); ++i) {
        const TrendStore::Marker &marker = markers.at(i);
        const TrendStore::Sample at = m_recorder->store().valueAt(series, marker.timeMs);
        auto *text = new QCPItemText(m_plot);
        text->position->setAxes(m_plot->xAxis, shown.graph->valueAxis());
        text->position->setCoords(seconds(marker.timeMs), at.isGap() ? shown.graph->valueAxis()->range().lower
                                                                     : at.value);
        text->setPositionAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        text->setText(QString(QChar(0x25BC)));
        text->setColor(stateColour(marker.state));
        text->setClipToAxisRect(true);
    }
    shown.markers = markers.size();
}

void TrendsWindow::updateThreshold(const TrendSeries &series, Shown &shown)
{
    const double threshold = m_recorder->threshold(series);
    if (threshold != threshold) {
        if (shown.threshold)
            shown.threshold->setVisible(false);
        return;
    }
    if (!shown.threshold) {
        shown.threshold = new QCPItemStraightLine(m_plot);
        QPen pen(shown.graph->pen().color(), 1, Qt::DashLine);
        shown.threshold->setPen(pen);
        shown.threshold->point1->setAxes(m_plot->xAxis, shown.graph->valueAxis());
        shown.threshold->point2->setAxes(m_plot->xAxis, shown.graph->valueAxis());
    }
    shown.threshold->setVisible(true);
    shown.threshold->point1->setCoords(0, threshold);
    shown.threshold->point2->setCoords(1, threshold);
}

void TrendsWindow::scheduleRefresh()
{
    if (!m_refreshTimer->isActive())
        m_refreshTimer->start();
}

void TrendsWindow::refresh()
{
    m_refreshTimer->stop();
    for (auto shown = m_shown.begin(); shown != m_shown.end(); ++shown) {
        appendSamples(shown.key(), *shown);
        updateThreshold(shown.key(), *shown);
        drawMarkers(shown.key(), *shown);
    }
    if (m_followBox->isChecked())
        follow();
    updateStatus();
    if (m_cursor->visible())
        setCursorTime(m_cursorMs);
    if (isVisible())
        m_plot->replot();
}

// The newest samples at the right edge; every value axis fits what is in view, and its threshold.
void TrendsWindow::follow()
{
    const double end = seconds(m_recorder->now());
    m_settingRange = true;
    m_plot->xAxis->setRange(end - m_spanSeconds, end);
    m_settingRange = false;
    for (QCPAxis *axis : qAsConst(m_axes)) {
        bool any = false;
        QCPRange all;
        for (auto shown = m_shown.cbegin(); shown != m_shown.cend(); ++shown) {
            if (shown->graph->valueAxis() != axis)
                continue;
            bool found = false;
            QCPRange range = shown->graph->getValueRange(found, QCP::sdBoth, m_plot->xAxis->range());
            const double threshold = m_recorder->threshold(shown.key());
            if (threshold == threshold) {
                range = found ? QCPRange(qMin(range.lower, threshold), qMax(range.upper, threshold))
                              : QCPRange(threshold, threshold);
                found = true;
            }
            if (!found)
                continue;
            all = any ? QCPRange(qMin(all.lower, range.lower), qMax(all.upper, range.upper)) : range;
            any = true;
        }
        if (!any)
            continue;
        // Some room above and below; a flat line (a range of no size) gets some too.
        const double margin = qMax(all.size() * 0.08, qMax(qAbs(all.upper) * 0.02, 0.5));
        axis->setRange(all.lower - margin, all.upper + margin);
    }
}

void TrendsWindow::updateStatus()
{
    const TrendStore &store = m_recorder->store();
    const qint64 since = store.heldSinceMs();
    QString text;
    if (since == std::numeric_limits<qint64>::min())
        text = m_recorder->series().isEmpty() ? tr("Выберите показания слева") : tr("Данных пока нет");
    else if (store.hasDropped())
        text = tr("Данные с %1 (более старые удалены: память занята)")
                   .arg(QDateTime::fromMSecsSinceEpoch(since).toString(timeFormat));
    else
        text = tr("Данные с %1").arg(QDateTime::fromMSecsSinceEpoch(since).toString(timeFormat));
    m_statusLabel->setText(text);
}

void TrendsWindow::mouseMoved(QMouseEvent *event)
{
    if (!m_plot->axisRect()->rect().contains(event->pos()))
        return;
    setCursorTime(qRound64(m_plot->xAxis->pixelToCoord(event->pos().x()) * 1000.0));
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

void TrendsWindow::setCursorTime(qint64 timeMs)
{
    m_cursorMs = timeMs;
    m_cursor->point1->setCoords(seconds(timeMs), 0);
    m_cursor->point2->setCoords(seconds(timeMs), 1);
    m_cursor->setVisible(true);
    QStringList parts{QDateTime::fromMSecsSinceEpoch(timeMs).toString(QStringLiteral("dd.MM.yyyy hh:mm:ss.zzz"))};
    for (const TrendSeries &series : m_recorder->series()) {
        const TrendStore::Sample sample = m_recorder->store().valueAt(series, timeMs);
        const QString value = sample.isGap()
                                  ? QStringLiteral("—")
                                  : QString::number(sample.value, 'f', TrendCatalogue::decimals(series.reading));
        QString name = series.isController() ? tr("RYN %1: %2").arg(series.rynAddr).arg(TrendCatalogue::name(series.reading))
                                             : tr("АУ %1: %2").arg(series.unitAddr).arg(TrendCatalogue::name(series.reading));
        parts << name + QStringLiteral(" ") + value + QStringLiteral(" ") + TrendCatalogue::unitOfMeasure(series.reading);
    }
    m_cursorLabel->setText(parts.join(QStringLiteral(";  ")));
}

void TrendsWindow::rebuildTree()
{
    m_treeTimer->stop();
    m_buildingTree = true;
    m_tree->clear();
    const QList<TrendSeries> recorded = m_recorder->series();
    const int selected = m_recorder->selectedRyn();
    QList<int> controllers;
    if (selected != 0)
        controllers << selected;
    for (const TrendSeries &series : recorded) {
        if (!controllers.contains(series.rynAddr))
            controllers << series.rynAddr;
    }
    std::sort(controllers.begin(), controllers.end());

    const auto addLeaf = [this](QTreeWidgetItem *parentItem, const TrendSeries &series) {
        auto *leaf = new QTreeWidgetItem(parentItem, {TrendCatalogue::name(series.reading)});
        leaf->setData(0, seriesRole, series.code());
        leaf->setFlags(leaf->flags() | Qt::ItemIsUserCheckable);
        leaf->setCheckState(0, m_recorder->isRecorded(series) ? Qt::Checked : Qt::Unchecked);
    };
    const auto addGroup = [this](QTreeWidgetItem *parentItem, const QString &text, const QString &key) {
        auto *item = parentItem ? new QTreeWidgetItem(parentItem, {text}) : new QTreeWidgetItem(m_tree, {text});
        item->setData(0, Qt::UserRole + 1, key);
        item->setFlags(item->flags() & ~Qt::ItemIsSelectable);
        return item;
    };

    for (int rynAddr : qAsConst(controllers)) {
        const QString rynKey = QString::number(rynAddr);
        QTreeWidgetItem *ryn = addGroup(nullptr, tr("RYN %1").arg(rynAddr), rynKey);
        QTreeWidgetItem *own = addGroup(ryn, tr("Контроллер"), rynKey + QStringLiteral("/0"));
        for (TrendCatalogue::Reading reading : TrendCatalogue::controllerReadings())
            addLeaf(own, {rynAddr, 0, reading});
        for (int addr = 1; addr <= 251; ++addr) {
            QList<TrendCatalogue::Reading> readings;
            if (rynAddr == selected && m_recorder->generalState(addr) != 8)
                readings = TrendCatalogue::unitReadings(m_recorder->unitType(addr));
            for (const TrendSeries &series : recorded) {
                if (series.rynAddr == rynAddr && series.unitAddr == addr && !readings.contains(series.reading))
                    readings << series.reading;
            }
            if (readings.isEmpty())
                continue;
            QString text = tr("АУ %1").arg(addr);
            if (rynAddr == selected && !auTypeName(m_recorder->unitType(addr)).isEmpty())
                text += QStringLiteral(" ") + auTypeName(m_recorder->unitType(addr));
            QTreeWidgetItem *unit = addGroup(ryn, text, rynKey + QLatin1Char('/') + QString::number(addr));
            for (TrendCatalogue::Reading reading : qAsConst(readings))
                addLeaf(unit, {rynAddr, addr, reading});
        }
        ryn->setExpanded(true);
    }
    // What the user had open stays open; a group holding a shown series opens by itself.
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
        QTreeWidgetItem *item = *it;
        if (m_expanded.contains(item->data(0, Qt::UserRole + 1).toString()))
            item->setExpanded(true);
        if (item->checkState(0) == Qt::Checked && item->parent())
            item->parent()->setExpanded(true);
    }
    m_buildingTree = false;
}

void TrendsWindow::itemChanged(QTreeWidgetItem *item)
{
    if (m_buildingTree || !item->data(0, seriesRole).isValid())
        return;
    const TrendSeries series = TrendSeries::fromCode(item->data(0, seriesRole).toUInt());
    if (item->checkState(0) == Qt::Checked)
        m_recorder->addSeries(series);
    else
        m_recorder->removeSeries(series);
}

QString TrendsWindow::chooseFile(const QString &title, const QString &filter, const QString &suffix)
{
    QString fileName = QFileDialog::getSaveFileName(this, title, m_folder, filter);
    if (fileName.isEmpty())
        return fileName;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += suffix;
    m_folder = QFileInfo(fileName).absolutePath();
    return fileName;
}

void TrendsWindow::slotSaveCsv()
{
    const QString fileName = chooseFile(tr("Сохранить тренды"), tr("CSV (*.csv)"), QStringLiteral(".csv"));
    if (!fileName.isEmpty() && saveCsv(fileName))
        QMessageBox::information(this, tr("Успех!"), tr("Тренды сохранены в файл %1").arg(fileName));
}

bool TrendsWindow::saveCsv(const QString &fileName)
{
    const QList<TrendSeries> series = m_recorder->series();
    QStringList titles;
    for (const TrendSeries &one : series) {
        QString text = one.isController()
                           ? tr("RYN %1: %2").arg(one.rynAddr).arg(TrendCatalogue::name(one.reading))
                           : tr("RYN %1, АУ %2: %3").arg(one.rynAddr).arg(one.unitAddr).arg(TrendCatalogue::name(one.reading));
        const QString unit = TrendCatalogue::unitOfMeasure(one.reading);
        if (!unit.isEmpty())
            text += QStringLiteral(", ") + unit;
        titles << text;
    }
    const QString error = TrendCsv::save(fileName, m_recorder->store(), series, titles);
    if (error.isEmpty())
        return true;
    QMessageBox::critical(this, tr("Ошибка!"), tr("Не удалось сохранить файл %1: %2").arg(fileName, error));
    return false;
}

void TrendsWindow::slotSavePng()
{
    const QString fileName = chooseFile(tr("Сохранить график"), tr("PNG (*.png)"), QStringLiteral(".png"));
    if (!fileName.isEmpty() && savePng(fileName))
        QMessageBox::information(this, tr("Успех!"), tr("График сохранён в файл %1").arg(fileName));
}

bool TrendsWindow::savePng(const QString &fileName)
{
    // Binary, and in place only once complete.
    QSaveFile file(fileName);
    const bool saved = file.open(QIODevice::WriteOnly) && m_plot->toPixmap().save(&file, "PNG") && file.commit();
    if (!saved)
        QMessageBox::critical(this, tr("Ошибка!"),
                              tr("Не удалось сохранить файл %1: %2").arg(fileName, file.errorString()));
    return saved;
}

void TrendsWindow::slotPrint()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QCPPainter painter(&printer);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double scale = page.width() / double(m_plot->width());
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    painter.scale(scale, scale);
    m_plot->toPainter(&painter, m_plot->width(), int(page.height() / scale));
}
