#pragma once

#include "aucell.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSize>
#include <QWidget>

class QGridLayout;
class QScrollArea;

// The 250 cells of one loop in a scrollable grid: routes each unit's values to its cell and lays the
// cells out either stretched to the window, at a fixed scale in 25 columns, or wrapped to the width.
class AuCellsWidget : public QWidget
{
    Q_OBJECT

public:
    // Layout choices shared by the three grids, so that switching tabs keeps the picture.
    struct SharedLayout
    {
        bool scaleMode = true;
        bool wrapMode = true;
        QSize cellSize;
        QSize scrollWgtSize;
    };
    static SharedLayout &sharedLayout();

    AuCellsWidget(AuCell::CellKind kind, const QList<int> *filterTypes, QWidget *parent = nullptr);

    AuCell::CellKind kind() const { return m_kind; }
    AuCell::ViewMode viewMode() const { return m_viewMode; }
    AuCell *cell(int addr) const { return m_cells.value(addr); }
    // Shows a cell made elsewhere (the legend's) as this grid's cell of address 251.
    void registerCell251(AuCell *cell);
    // What the menus of the grid's cells are told, the cell of address 251 included.
    void setMenuContext(const AuMenuContext *context);
    // Row and column of a cell in the grid's current layout; (-1, -1) when it is not placed.
    QPoint cellPosition(int addr) const;
    int layoutRowCount() const;

signals:
    void signalViewModeChanged();
    void signalFilterChanged();
    void signalSendCmd(int cmdCode, QByteArray info);
    void signalShowAuParams(int addr);
    void signalShowAuConfig(int addr, HardTypes type);

public slots:
    void slotSetState(int addr, int state);
    void slotSetBlocking(int addr, bool unBlocked);
    void slotSetConnection(int addr, uchar connect);
    void slotSetFire(int addr, bool fire);
    void slotSetPhoto(int addr, uchar photo);
    void slotSetSensor(int addr, uchar sensor);
    void slotSetState251(int state);
    void slotSetType(int addr, int type);
    void slotSetVoltage(int addr, double volt);
    void slotSetT_U(int addr, uchar t_u);
    void slotSetThresholdT(int addr, uchar thresholdT);
    void slotSetSmoke(int addr, uchar smoke);
    void slotSetSmokeMid(int addr, uchar mid);
    void slotSetIPD_resource(int addr, uchar resource);
    void slotSetDustiness(int addr, uchar dustiness);
    void slotSetFirmwareVersion(int addr, uchar firmVer);
    void slotSetPowerLo(int addr, uchar powerLo);
    void slotSetInsulators(int addr, uchar insulators);
    void slotSetInput(int addr, AuCell::IoNumber number, uchar state, bool isVexa2R2);
    void slotSetOutput(int addr, AuCell::IoNumber number, uchar state, bool isVexa2R2);
    void slotSetValve(int addr, AuCell::ValveNumber number, uchar state);
    void slotSendCmd(int cmdCode, QByteArray info);
    void slotViewModeChanged(int mode);
    void slotScaleModeSwitched(bool on);
    void slotWrapModeSwitched(bool on);
    void slotZoomInClicked();
    void slotZoomOutClicked();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    AuCell *gridCell(int addr) const;
    void newGridLayout();
    void buildUnscaledLayout();
    void applyWrapLayout(QSize size);
    void fixInnerSize(const QSize &size);

    AuCell::CellKind m_kind;
    AuCell::ViewMode m_viewMode = AuCell::FullView;
    const QList<int> *m_filterTypes = nullptr;
    QMap<int, AuCell *> m_cells;
    QScrollArea *m_scroll = nullptr;
    QWidget *m_inner = nullptr;
    QGridLayout *m_grid = nullptr;
    QLabel *m_filler = nullptr;
};
