#pragma once

#include "aucell.h"
#include "aumenucontext.h"

#include <QList>
#include <QWidget>

#include <array>

class AuCellsWidget;
class AuLegendWidget;
class AuPropertiesModel;
class AuPropertiesWidget;
class QTabWidget;
class QTableWidget;
class RYNSelectWidget;

// The unit half of the main window: the controller selection panel and the tabs with the general,
// ionistor and smoke grids and the properties page. Owns the type filter they share and routes every
// unit value the main window decodes to the grid that shows it.
class AuInfoWidget : public QWidget
{
    Q_OBJECT

public:
    enum Tab
    {
        GeneralTab = 0,
        IonistorTab = 1,
        SmokeTab = 2,
        PropertiesTab = 3
    };

    // The report and protocol tables belong to the main window; the properties page assembles
    // reports in them.
    AuInfoWidget(QTableWidget *reportTable, QTableWidget *protocolTable, QWidget *parent = nullptr);
    ~AuInfoWidget() override;

    RYNSelectWidget *selectWidget() const { return m_selectWidget; }
    AuLegendWidget *legendWidget() const { return m_legend; }
    QTabWidget *tabWidget() const { return m_tabs; }
    AuCellsWidget *grid(AuCell::CellKind kind) const;
    AuCellsWidget *generalGrid() const { return grid(AuCell::GeneralCell); }
    AuCellsWidget *ionistorGrid() const { return grid(AuCell::IonistorCell); }
    AuCellsWidget *smokeGrid() const { return grid(AuCell::SmokeCell); }
    AuCell *cell251(AuCell::CellKind kind) const;
    QTableWidget *reportTable() const { return m_reportTable; }
    QTableWidget *protocolTable() const { return m_protocolTable; }
    const QList<int> &filterTypes() const { return m_filterTypes; }
    AuPropertiesWidget *propertiesWidget() const { return m_propertiesWidget; }
    // The table every unit value goes to, besides the grids.
    AuPropertiesModel *propertiesModel() const;
    // The style that marks the selected tab of the given index.
    static QString selectedTabStyle(int index);
    // The two questions every unit menu asks of the worker's last answers before re-addressing.
    void setUnitQuestions(std::function<bool(int addr)> isUnitTyped, std::function<bool(int addr)> isUnitReachable);
    // Where the unit menus' "Тренд ..." shows a unit; none hides the entry.
    void setTrendHandler(std::function<void(int addr)> showTrend);

signals:
    void signalSearchRYN();
    void signalFilterChanged();
    void signalTabCurrenChanged(int index);

public slots:
    void slotSetGeneralState(int addr, int state);
    void slotSetGeneralState251(int state);
    void slotSetGeneralType(int addr, int type);
    void slotSetGeneralVoltage(int addr, double volt);
    void slotSetGeneralT_U(int addr, uchar t_u);
    void slotSetGeneralThresholdT(int addr, uchar thresholdT);
    void slotSetGeneralSmoke(int addr, uchar smoke);
    void slotSetGeneralSmokeMid(int addr, uchar mid);
    void slotSetGeneralIPD_resource(int addr, uchar resource);
    void slotSetGeneralFirmwareVersion(int addr, uchar firmVer);
    void slotSetGeneralPowerLo(int addr, uchar powerLo);
    void slotSetGeneralInsulators(int addr, uchar insulators);
    void slotSetGeneralInput(int addr, AuCell::IoNumber number, uchar state, bool isVexa2R2);
    void slotSetGeneralOutput(int addr, AuCell::IoNumber number, uchar state, bool isVexa2R2);
    void slotSetGeneralValve(int addr, AuCell::ValveNumber number, uchar state);
    void slotSetIonistorState(int addr, int state);
    void slotSetIonistorType(int addr, int type);
    void slotSetIonistorVoltage(int addr, double volt);
    void slotSetSmState(int addr, int state);
    void slotSetSmType(int addr, int type);
    void slotSetSmBlocking(int addr, bool unBlocked);
    void slotSetSmConnection(int addr, uchar connect);
    void slotSetSmFire(int addr, bool fire);
    void slotSetSmPhoto(int addr, uchar photo);
    void slotSetSmSensor(int addr, uchar sensor);
    void slotSetSmSmoke(int addr, uchar smoke);
    void slotSetSmSmokeMid(int addr, uchar mid);
    void slotSetSmIPD_resource(int addr, uchar resource);
    void slotSetSmDustiness(int addr, uchar dustiness);
    void slotSearchRYN();
    void slotNeedSelectRyn(int rynAddr);
    void slotTabCurrentChanged(int index);
    void slotFilterChanged(QList<int> filterTypes);

private:
    QTableWidget *m_reportTable = nullptr;
    QTableWidget *m_protocolTable = nullptr;
    QList<int> m_filterTypes;
    RYNSelectWidget *m_selectWidget = nullptr;
    AuLegendWidget *m_legend = nullptr;
    QTabWidget *m_tabs = nullptr;
    std::array<AuCellsWidget *, 3> m_grids{};
    AuPropertiesWidget *m_propertiesWidget = nullptr;
    AuMenuContext m_menuContext;
};
