#include "aucellswidget.h"

#include "gridgeometry.h"
#include "unitslogging.h"

#include <QGridLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {
constexpr int Address251 = 251;

QColor innerColour(AuCell::CellKind kind)
{
    switch (kind) {
    case AuCell::IonistorCell:
        return QColor(Qt::green).lighter(150);
    case AuCell::SmokeCell:
        return QColor(QLatin1String("dodgerblue"));
    case AuCell::GeneralCell:
        break;
    }
    return QColor(Qt::gray);
}

void releaseSize(QWidget *widget)
{
    widget->setMinimumSize(0, 0);
    widget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}
} // namespace

AuCellsWidget::SharedLayout &AuCellsWidget::sharedLayout()
{
    static SharedLayout layout;
    return layout;
}

AuCellsWidget::AuCellsWidget(AuCell::CellKind kind, const QList<int> *filterTypes, QWidget *parent)
    : QWidget(parent)
    , m_kind(kind)
    , m_filterTypes(filterTypes)
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(3, 3, 3, 1);

    m_scroll = new QScrollArea(this);
    m_scroll->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_scroll->setWidgetResizable(true);

    m_inner = new QWidget;
    QPalette innerPalette = m_inner->palette();
    innerPalette.setColor(QPalette::Window, innerColour(kind));
    m_inner->setPalette(innerPalette);
    m_inner->setAutoFillBackground(true);

    // Covers the unused end of the last row so that the grid seems to end at cell 250.
    m_filler = new QLabel(m_inner);
    m_filler->hide();

    for (int addr = 1; addr <= GridGeometry::CellCount; ++addr) {
        auto *cell = new AuCell(addr, kind, &m_viewMode, m_filterTypes, m_inner);
        m_cells.insert(addr, cell);
        connect(cell, &AuCell::signalSendCmd, this, &AuCellsWidget::slotSendCmd);
        connect(cell, &AuCell::signalShowAuParams, this, &AuCellsWidget::signalShowAuParams);
        connect(cell, &AuCell::signalShowAuConfig, this, &AuCellsWidget::signalShowAuConfig);
        connect(this, &AuCellsWidget::signalViewModeChanged, cell, &AuCell::slotViewModeChanged);
        connect(this, &AuCellsWidget::signalFilterChanged, cell, &AuCell::slotFilterChanged);
    }
    buildUnscaledLayout();

    m_scroll->setWidget(m_inner);
    outer->addWidget(m_scroll);

    const QWidget *viewport = m_scroll->viewport();
    m_filler->setStyleSheet(QStringLiteral("QLabel {background-color: %1;}")
                                .arg(viewport->palette().color(viewport->backgroundRole()).name()));
}

void AuCellsWidget::registerCell251(AuCell *cell)
{
    m_cells.insert(Address251, cell);
    cell->setSharedState(&m_viewMode, m_filterTypes);
    connect(this, &AuCellsWidget::signalViewModeChanged, cell, &AuCell::slotViewModeChanged);
    connect(this, &AuCellsWidget::signalFilterChanged, cell, &AuCell::slotFilterChanged);
}

void AuCellsWidget::setMenuContext(const AuMenuContext *context)
{
    for (AuCell *cell : qAsConst(m_cells))
        cell->setMenuContext(context);
}

QPoint AuCellsWidget::cellPosition(int addr) const
{
    const int index = m_grid->indexOf(m_cells.value(addr));
    if (index < 0)
        return QPoint(-1, -1);
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    m_grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    return QPoint(row, column);
}

int AuCellsWidget::layoutRowCount() const
{
    return m_grid->rowCount();
}

void AuCellsWidget::slotSetState(int addr, int state)
{
    if (AuCell *cell = gridCell(addr))
        cell->setState(state);
}

void AuCellsWidget::slotSetBlocking(int addr, bool unBlocked)
{
    if (AuCell *c = cell(addr))
        c->setBlocking(unBlocked);
}

void AuCellsWidget::slotSetConnection(int addr, uchar connect)
{
    if (AuCell *c = cell(addr))
        c->setConnection(connect);
}

void AuCellsWidget::slotSetFire(int addr, bool fire)
{
    if (AuCell *c = cell(addr))
        c->setFire(fire);
}

void AuCellsWidget::slotSetPhoto(int addr, uchar photo)
{
    if (AuCell *c = cell(addr))
        c->setPhoto(photo);
}

void AuCellsWidget::slotSetSensor(int addr, uchar sensor)
{
    if (AuCell *c = cell(addr))
        c->setSensor(sensor);
}

void AuCellsWidget::slotSetState251(int state)
{
    if (AuCell *c = cell(Address251))
        c->setState(state);
}

void AuCellsWidget::slotSetType(int addr, int type)
{
    if (AuCell *c = cell(addr))
        c->setType(type);
}

void AuCellsWidget::slotSetVoltage(int addr, double volt)
{
    if (AuCell *c = cell(addr))
        c->setVoltage(volt);
}

void AuCellsWidget::slotSetT_U(int addr, uchar t_u)
{
    if (AuCell *c = cell(addr))
        c->setT_U(t_u);
}

void AuCellsWidget::slotSetThresholdT(int addr, uchar thresholdT)
{
    if (AuCell *c = cell(addr))
        c->setThresholdT(thresholdT);
}

void AuCellsWidget::slotSetSmoke(int addr, uchar smoke)
{
    if (AuCell *c = cell(addr))
        c->setSmoke(smoke);
}

void AuCellsWidget::slotSetSmokeMid(int addr, uchar mid)
{
    if (AuCell *c = cell(addr))
        c->setSmokeMid(mid);
}

void AuCellsWidget::slotSetIPD_resource(int addr, uchar resource)
{
    if (AuCell *c = cell(addr))
        c->setResource(resource);
}

void AuCellsWidget::slotSetDustiness(int addr, uchar dustiness)
{
    if (AuCell *c = cell(addr))
        c->setDustiness(dustiness);
}

void AuCellsWidget::slotSetFirmwareVersion(int addr, uchar firmVer)
{
    if (AuCell *c = cell(addr))
        c->setFirmwareVersion(firmVer);
}

void AuCellsWidget::slotSetPowerLo(int addr, uchar powerLo)
{
    if (AuCell *c = cell(addr))
        c->setPowerLo(powerLo);
}

void AuCellsWidget::slotSetInsulators(int addr, uchar insulators)
{
    if (AuCell *c = gridCell(addr))
        c->setInsulators(insulators);
}

void AuCellsWidget::slotSetInput(int addr, AuCell::IoNumber number, uchar state, bool isVexa2R2)
{
    if (AuCell *c = cell(addr))
        c->setInput(number, state, isVexa2R2);
}

void AuCellsWidget::slotSetOutput(int addr, AuCell::IoNumber number, uchar state, bool isVexa2R2)
{
    if (AuCell *c = cell(addr))
        c->setOutput(number, state, isVexa2R2);
}

void AuCellsWidget::slotSetValve(int addr, AuCell::ValveNumber number, uchar state)
{
    if (AuCell *c = cell(addr))
        c->setValve(number, state);
}

void AuCellsWidget::slotSendCmd(int cmdCode, QByteArray info)
{
    qCDebug(lcUnits) << "AuCellsWidget::slotSendCmd";
    emit signalSendCmd(cmdCode, info);
}

void AuCellsWidget::slotViewModeChanged(int mode)
{
    if (mode == m_viewMode)
        return;
    m_viewMode = AuCell::ViewMode(mode);
    emit signalViewModeChanged();
}

void AuCellsWidget::slotScaleModeSwitched(bool on)
{
    sharedLayout().scaleMode = on;
    if (!isVisible())
        return;
    if (!on) {
        buildUnscaledLayout();
        return;
    }
    fixInnerSize(m_inner->sizeHint());
    if (sharedLayout().wrapMode)
        applyWrapLayout(QSize());
}

void AuCellsWidget::slotWrapModeSwitched(bool on)
{
    sharedLayout().wrapMode = on;
    if (!isVisible() || !sharedLayout().scaleMode)
        return;
    if (on) {
        applyWrapLayout(QSize());
        return;
    }
    // Back to 25 columns at the zoom the wrapped cells had.
    const AuCell *first = m_cells.value(1);
    const int wrappedWidth = first->width();
    buildUnscaledLayout();
    fixInnerSize(m_inner->sizeHint());
    fixInnerSize(GridGeometry::scaled(m_inner->size(), double(wrappedWidth) / first->sizeHint().width()));
}

void AuCellsWidget::slotZoomInClicked()
{
    if (!isVisible() || !sharedLayout().scaleMode)
        return;
    if (sharedLayout().wrapMode) {
        const QSize size = GridGeometry::zoomedIn(m_cells.value(1)->size());
        if (GridGeometry::isUsableCellSize(size))
            applyWrapLayout(size);
    } else {
        const QSize size = GridGeometry::zoomedIn(m_inner->size());
        if (GridGeometry::isUsableScrollWidgetSize(size))
            fixInnerSize(size);
    }
}

void AuCellsWidget::slotZoomOutClicked()
{
    if (!isVisible() || !sharedLayout().scaleMode)
        return;
    if (sharedLayout().wrapMode) {
        const QSize size = GridGeometry::zoomedOut(m_cells.value(1)->size());
        if (GridGeometry::isUsableCellSize(size))
            applyWrapLayout(size);
    } else {
        const QSize size = GridGeometry::zoomedOut(m_inner->size());
        if (GridGeometry::isUsableScrollWidgetSize(size))
            fixInnerSize(size);
    }
}

void AuCellsWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    const SharedLayout &shared = sharedLayout();
    if (!shared.scaleMode) {
        buildUnscaledLayout();
    } else if (shared.wrapMode) {
        // Nothing stored yet (a first start): the cells' own size, not what the stretched layout gave them.
        applyWrapLayout(GridGeometry::isUsableCellSize(shared.cellSize) ? shared.cellSize
                                                                        : m_cells.value(1)->sizeHint());
    } else {
        buildUnscaledLayout();
        fixInnerSize(GridGeometry::isUsableScrollWidgetSize(shared.scrollWgtSize) ? shared.scrollWgtSize
                                                                                  : m_inner->sizeHint());
    }
}

void AuCellsWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (isVisible() && sharedLayout().scaleMode && sharedLayout().wrapMode)
        applyWrapLayout(QSize());
}

AuCell *AuCellsWidget::gridCell(int addr) const
{
    return addr >= 1 && addr <= GridGeometry::CellCount ? m_cells.value(addr) : nullptr;
}

void AuCellsWidget::newGridLayout()
{
    // A fresh layout: a grid layout never forgets rows it once had.
    delete m_grid;
    m_grid = new QGridLayout(m_inner);
    m_grid->setContentsMargins(1, 1, 1, 1);
    m_grid->setSpacing(1);
}

void AuCellsWidget::buildUnscaledLayout()
{
    m_filler->hide();
    newGridLayout();
    for (int addr = 1; addr <= GridGeometry::CellCount; ++addr) {
        AuCell *cell = m_cells.value(addr);
        releaseSize(cell);
        m_grid->addWidget(cell, GridGeometry::rowOf(addr, GridGeometry::FixedColumns),
                          GridGeometry::columnOf(addr, GridGeometry::FixedColumns));
    }
    releaseSize(m_inner);
}

void AuCellsWidget::applyWrapLayout(QSize size)
{
    AuCell *first = m_cells.value(1);
    if (!GridGeometry::isUsableCellSize(size)) {
        // A cell that was never laid out has no size of its own yet.
        size = first->testAttribute(Qt::WA_Resized) ? first->size() : first->sizeHint();
    }
    if (!GridGeometry::isUsableCellSize(size))
        size = first->sizeHint();

    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const int columns = GridGeometry::wrapColumns(m_scroll->viewport()->width(), size.width());
    const int rows = GridGeometry::rowCount(columns);
    sharedLayout().cellSize = size;

    newGridLayout();
    for (int addr = 1; addr <= GridGeometry::CellCount; ++addr) {
        AuCell *cell = m_cells.value(addr);
        cell->setFixedSize(size);
        m_grid->addWidget(cell, GridGeometry::rowOf(addr, columns), GridGeometry::columnOf(addr, columns));
    }
    for (int row = 0; row < rows; ++row)
        m_grid->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum), row, columns);
    for (int column = 0; column < columns; ++column)
        m_grid->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), rows, column);
    m_inner->setFixedSize(m_inner->sizeHint());
    m_grid->activate();

    const QRect last = m_cells.value(GridGeometry::CellCount)->geometry();
    const int left = last.right() + 2;
    m_filler->setGeometry(left, last.top(), qMax(0, m_inner->width() - left), last.height() + 1);
    m_filler->show();
    m_filler->raise();

    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void AuCellsWidget::fixInnerSize(const QSize &size)
{
    m_inner->setFixedSize(size);
    sharedLayout().scrollWgtSize = size;
}
