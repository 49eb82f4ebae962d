#include "auinfowidget.h"

#include "aucellswidget.h"
#include "aulegendwidget.h"
#include "aupropertieswidget.h"
#include "rynselectwidget.h"
#include "settings.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>

namespace {
QString settingsGroup()
{
    return QStringLiteral("AuCellsWidget");
}
} // namespace

AuInfoWidget::AuInfoWidget(QTableWidget *reportTable, QTableWidget *protocolTable, QWidget *parent)
    : QWidget(parent)
    , m_reportTable(reportTable)
    , m_protocolTable(protocolTable)
{
    AuCell::registerMetaTypes();

    m_selectWidget = new RYNSelectWidget(this);
    m_legend = new AuLegendWidget(m_selectWidget);
    m_selectWidget->setLegend(m_legend);
    m_selectWidget->setFixedWidth(m_selectWidget->sizeHint().width());
    m_tabs = new QTabWidget(this);
    m_tabs->setTabPosition(QTabWidget::South);
    AuLegendWidget *legend = m_legend;
    for (int kind = AuCell::GeneralCell; kind <= AuCell::SmokeCell; ++kind) {
        const auto cellKind = AuCell::CellKind(kind);
        m_grids[kind] = new AuCellsWidget(cellKind, &m_filterTypes, m_tabs);
        m_grids[kind]->registerCell251(legend->cell251(cellKind));
    }
    m_propertiesWidget = new AuPropertiesWidget(reportTable, protocolTable, &m_filterTypes, m_tabs);
    m_menuContext.model = m_propertiesWidget->model();
    for (AuCellsWidget *grid : m_grids)
        grid->setMenuContext(&m_menuContext);
    m_propertiesWidget->setMenuContext(&m_menuContext);

    connect(m_selectWidget, &RYNSelectWidget::signalFilterChanged, this, &AuInfoWidget::slotFilterChanged);
    connect(m_selectWidget->searchButton(), &QPushButton::clicked, this, &AuInfoWidget::slotSearchRYN);
    for (AuCellsWidget *grid : m_grids) {
        connect(this, &AuInfoWidget::signalFilterChanged, grid, &AuCellsWidget::signalFilterChanged);
        connect(legend, &AuLegendWidget::signalScaleModeSwitched, grid,
                &AuCellsWidget::slotScaleModeSwitched);
        connect(legend, &AuLegendWidget::signalWrapModeSwitched, grid, &AuCellsWidget::slotWrapModeSwitched);
        connect(legend, &AuLegendWidget::signalZoomInClicked, grid, &AuCellsWidget::slotZoomInClicked);
        connect(legend, &AuLegendWidget::signalZoomOutClicked, grid, &AuCellsWidget::slotZoomOutClicked);
        connect(legend, &AuLegendWidget::signalViewModeChanged, grid, &AuCellsWidget::slotViewModeChanged);
        connect(grid, &AuCellsWidget::signalShowAuParams, m_propertiesWidget,
                &AuPropertiesWidget::slotShowAuParams);
        connect(grid, &AuCellsWidget::signalShowAuConfig, m_propertiesWidget,
                &AuPropertiesWidget::slotShowAuConfig);
    }
    connect(this, &AuInfoWidget::signalFilterChanged, m_propertiesWidget,
            &AuPropertiesWidget::slotFilterChanged);
    connect(m_tabs, &QTabWidget::currentChanged, this, &AuInfoWidget::slotTabCurrentChanged);

    m_tabs->addTab(m_grids[AuCell::GeneralCell], tr("Общее состояние"));
    m_tabs->addTab(m_grids[AuCell::IonistorCell], tr("Состояние ионисторов"));
    m_tabs->addTab(m_grids[AuCell::SmokeCell], tr("Задымлённость"));
    m_tabs->addTab(m_propertiesWidget, tr("Свойства АУ"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // On a small screen the panel scrolls rather than make the window taller than the screen.
    auto *selectScroll = new QScrollArea(this);
    selectScroll->setObjectName(QStringLiteral("selectScrollArea"));
    selectScroll->setFrameShape(QFrame::NoFrame);
    selectScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    selectScroll->setWidgetResizable(true);
    selectScroll->setWidget(m_selectWidget);
    selectScroll->setFixedWidth(m_selectWidget->width() +
                                selectScroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    layout->addWidget(selectScroll);
    layout->addWidget(m_tabs);

    AuCellsWidget::SharedLayout &shared = AuCellsWidget::sharedLayout();
    shared.cellSize = Settings::readValue(QStringLiteral("CellSize"), settingsGroup(), QSize()).toSize();
    shared.scrollWgtSize =
        Settings::readValue(QStringLiteral("ScrollWgtSize"), settingsGroup(), QSize()).toSize();
}

AuInfoWidget::~AuInfoWidget()
{
    const AuCellsWidget::SharedLayout &shared = AuCellsWidget::sharedLayout();
    Settings::writeValue(shared.cellSize, QStringLiteral("CellSize"), settingsGroup());
    Settings::writeValue(shared.scrollWgtSize, QStringLiteral("ScrollWgtSize"), settingsGroup());
}

AuPropertiesModel *AuInfoWidget::propertiesModel() const
{
    return m_propertiesWidget->model();
}

AuCellsWidget *AuInfoWidget::grid(AuCell::CellKind kind) const
{
    return kind >= AuCell::GeneralCell && kind <= AuCell::SmokeCell ? m_grids[kind] : nullptr;
}

AuCell *AuInfoWidget::cell251(AuCell::CellKind kind) const
{
    return legendWidget()->cell251(kind);
}

void AuInfoWidget::setUnitQuestions(std::function<bool(int)> isUnitTyped, std::function<bool(int)> isUnitReachable)
{
    m_menuContext.isUnitTyped = std::move(isUnitTyped);
    m_menuContext.isUnitReachable = std::move(isUnitReachable);
}

void AuInfoWidget::setTrendHandler(std::function<void(int)> showTrend)
{
    m_menuContext.showTrend = std::move(showTrend);
}

QString AuInfoWidget::selectedTabStyle(int index)
{
    QString colour;
    switch (index) {
    case GeneralTab:
        colour = QColor(QLatin1String("crimson")).lighter(150).name(QColor::HexArgb);
        break;
    case IonistorTab:
        colour = QColor(Qt::green).lighter(150).name(QColor::HexArgb);
        break;
    case SmokeTab:
        colour = QColor(QLatin1String("dodgerblue")).name(QColor::HexArgb);
        break;
    default:
        colour = QStringLiteral("yellow");
        break;
    }
    return QStringLiteral("QTabWidget QTabBar::tab:selected{background-color: %1;}").arg(colour);
}

void AuInfoWidget::slotSetGeneralState(int addr, int state)
{
    m_grids[AuCell::GeneralCell]->slotSetState(addr, state);
}

void AuInfoWidget::slotSetGeneralState251(int state)
{
    m_grids[AuCell::GeneralCell]->slotSetState251(state);
}

void AuInfoWidget::slotSetGeneralType(int addr, int type)
{
    m_grids[AuCell::GeneralCell]->slotSetType(addr, type);
}

void AuInfoWidget::slotSetGeneralVoltage(int addr, double volt)
{
    m_grids[AuCell::GeneralCell]->slotSetVoltage(addr, volt);
}

void AuInfoWidget::slotSetGeneralT_U(int addr, uchar t_u)
{
    m_grids[AuCell::GeneralCell]->slotSetT_U(addr, t_u);
}

void AuInfoWidget::slotSetGeneralThresholdT(int addr, uchar thresholdT)
{
    m_grids[AuCell::GeneralCell]->slotSetThresholdT(addr, thresholdT);
}

void AuInfoWidget::slotSetGeneralSmoke(int addr, uchar smoke)
{
    m_grids[AuCell::GeneralCell]->slotSetSmoke(addr, smoke);
}

void AuInfoWidget::slotSetGeneralSmokeMid(int addr, uchar mid)
{
    m_grids[AuCell::GeneralCell]->slotSetSmokeMid(addr, mid);
}

void AuInfoWidget::slotSetGeneralIPD_resource(int addr, uchar resource)
{
    m_grids[AuCell::GeneralCell]->slotSetIPD_resource(addr, resource);
}

void AuInfoWidget::slotSetGeneralFirmwareVersion(int addr, uchar firmVer)
{
    m_grids[AuCell::GeneralCell]->slotSetFirmwareVersion(addr, firmVer);
}

void AuInfoWidget::slotSetGeneralPowerLo(int addr, uchar powerLo)
{
    m_grids[AuCell::GeneralCell]->slotSetPowerLo(addr, powerLo);
}

void AuInfoWidget::slotSetGeneralInsulators(int addr, uchar insulators)
{
    m_grids[AuCell::GeneralCell]->slotSetInsulators(addr, insulators);
}

void AuInfoWidget::slotSetGeneralInput(int addr, AuCell::IoNumber number, uchar state, bool isVexa2R2)
{
    m_grids[AuCell::GeneralCell]->slotSetInput(addr, number, state, isVexa2R2);
}

void AuInfoWidget::slotSetGeneralOutput(int addr, AuCell::IoNumber number, uchar state, bool isVexa2R2)
{
    m_grids[AuCell::GeneralCell]->slotSetOutput(addr, number, state, isVexa2R2);
}

void AuInfoWidget::slotSetGeneralValve(int addr, AuCell::ValveNumber number, uchar state)
{
    m_grids[AuCell::GeneralCell]->slotSetValve(addr, number, state);
}

void AuInfoWidget::slotSetIonistorState(int addr, int state)
{
    m_grids[AuCell::IonistorCell]->slotSetState(addr, state);
}

void AuInfoWidget::slotSetIonistorType(int addr, int type)
{
    m_grids[AuCell::IonistorCell]->slotSetType(addr, type);
}

void AuInfoWidget::slotSetIonistorVoltage(int addr, double volt)
{
    m_grids[AuCell::IonistorCell]->slotSetVoltage(addr, volt);
}

void AuInfoWidget::slotSetSmState(int addr, int state)
{
    m_grids[AuCell::SmokeCell]->slotSetState(addr, state);
}

void AuInfoWidget::slotSetSmType(int addr, int type)
{
    m_grids[AuCell::SmokeCell]->slotSetType(addr, type);
}

void AuInfoWidget::slotSetSmBlocking(int addr, bool unBlocked)
{
    m_grids[AuCell::SmokeCell]->slotSetBlocking(addr, unBlocked);
}

void AuInfoWidget::slotSetSmConnection(int addr, uchar connect)
{
    m_grids[AuCell::SmokeCell]->slotSetConnection(addr, connect);
}

void AuInfoWidget::slotSetSmFire(int addr, bool fire)
{
    m_grids[AuCell::SmokeCell]->slotSetFire(addr, fire);
}

void AuInfoWidget::slotSetSmPhoto(int addr, uchar photo)
{
    m_grids[AuCell::SmokeCell]->slotSetPhoto(addr, photo);
}

void AuInfoWidget::slotSetSmSensor(int addr, uchar sensor)
{
    m_grids[AuCell::SmokeCell]->slotSetSensor(addr, sensor);
}

void AuInfoWidget::slotSetSmSmoke(int addr, uchar smoke)
{
    m_grids[AuCell::SmokeCell]->slotSetSmoke(addr, smoke);
}

void AuInfoWidget::slotSetSmSmokeMid(int addr, uchar mid)
{
    m_grids[AuCell::SmokeCell]->slotSetSmokeMid(addr, mid);
}

void AuInfoWidget::slotSetSmIPD_resource(int addr, uchar resource)
{
    m_grids[AuCell::SmokeCell]->slotSetIPD_resource(addr, resource);
}

void AuInfoWidget::slotSetSmDustiness(int addr, uchar dustiness)
{
    m_grids[AuCell::SmokeCell]->slotSetDustiness(addr, dustiness);
}

void AuInfoWidget::slotSearchRYN()
{
    emit signalSearchRYN();
}

void AuInfoWidget::slotNeedSelectRyn(int rynAddr)
{
    m_selectWidget->setRynChecked(rynAddr, true);
}

void AuInfoWidget::slotTabCurrentChanged(int index)
{
    m_tabs->tabBar()->setStyleSheet(selectedTabStyle(index));
    legendWidget()->setKind(index, true);
    emit signalTabCurrenChanged(index);
}

void AuInfoWidget::slotFilterChanged(QList<int> filterTypes)
{
    m_filterTypes = filterTypes;
    emit signalFilterChanged();
}
