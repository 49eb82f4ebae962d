#pragma once

#include "aucelltypes.h"
#include "aucellvalues.h"
#include "hardtypes.h"

#include <QByteArray>
#include <QLabel>
#include <QList>

#include <array>

class AuCellText;
class AuMenu;
struct AuMenuContext;
class QHBoxLayout;
class QMovie;
class QVBoxLayout;

// One unit on the loop as a small coloured square: the colour says the unit's state at a glance, the
// texts show what the grid's view mode asks for. It paints its colour, white border and texts itself:
// a style sheet change would re-polish the cell, and a label per text would be moved, measured and
// painted as a widget of its own; the cell's layout still places the texts, as it would labels.
class AuCell : public QLabel, public AuCellTypes
{
    Q_OBJECT

public:
    AuCell(int address, CellKind kind, const ViewMode *viewMode, const QList<int> *filterTypes,
           QWidget *parent = nullptr);

    int address() const { return m_values.address; }
    CellKind kind() const { return m_values.kind; }
    const AuCellValues &values() const { return m_values; }
    // The background colour currently shown.
    QColor colour() const { return m_colour; }
    // A label's text; visible only while the current layout places the label and the text is not empty.
    QString labelText(AuCellValues::Label label) const;
    bool isLabelShown(AuCellValues::Label label) const;
    // Where a shown label's text is drawn, in the cell's coordinates; empty when it is not shown.
    QRect labelRect(AuCellValues::Label label) const;
    bool isChargingShown() const;
    // Colours of the left and right isolator indicators (transparent: closed, nothing to show).
    QColor isolatorColour(bool left) const;

    // The view mode and filter list of the grid the cell is shown for (the address-251 cells are made
    // before their grids exist).
    void setSharedState(const ViewMode *viewMode, const QList<int> *filterTypes);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Whether a right click opens the unit's menu: not for a unit the grid knows nothing about.
    bool offersMenu() const;
    // The unit's menu; made on the first right click (three grids of cells would otherwise build
    // hundreds of menus nobody opens).
    AuMenu *menu();
    // What the unit's menu is told by the grid's owner.
    void setMenuContext(const AuMenuContext *context);

    void setState(int state);
    void setType(int type);
    void setBlocking(bool unBlocked);
    void setConnection(quint8 connection);
    void setFire(int fire);
    void setPhoto(quint8 photo);
    void setSensor(quint8 sensor);
    void setDustiness(quint8 dustiness);
    void setVoltage(double voltage);
    void setT_U(quint8 t_u);
    void setThresholdT(quint8 thresholdT);
    void setSmoke(quint8 smoke);
    void setSmokeMid(quint8 mid);
    void setResource(quint8 resource);
    void setFirmwareVersion(quint8 firmwareVersion);
    void setPowerLo(quint8 powerLo);
    void setInsulators(quint8 insulators);
    void setInput(IoNumber number, quint8 state, bool isVexa2R2);
    void setOutput(IoNumber number, quint8 state, bool isVexa2R2);
    void setValve(ValveNumber number, quint8 state);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

signals:
    void signalSendCmd(int cmdCode, QByteArray info);
    void signalShowAuParams(int addr);
    void signalShowAuConfig(int addr, HardTypes type);

public slots:
    void slotViewModeChanged();
    void slotFilterChanged();

private:
    enum Row
    {
        PlainRow,
        SpacedRow
    };

    void placeText(AuCellValues::Label which);
    void removeText(AuCellValues::Label which);
    void addRow(std::initializer_list<AuCellValues::Label> labels, Row row = PlainRow);
    void addStretch();
    void rebuildLayout();
    void refreshTexts();
    void refreshColour();
    void refreshIsolators();
    void updateCharging();
    bool applyFilter();

    AuCellValues m_values;
    const ViewMode *m_viewMode = nullptr;
    const QList<int> *m_filterTypes = nullptr;
    AuCellValues::Texts m_texts;
    // The texts the current layout places (owned by its rows). Only a text with something to show is
    // in its row: an empty item would still cap the row's height, where a hidden label did not.
    std::array<AuCellText *, AuCellValues::LabelCount> m_items{};
    // The row of the current layout that holds a text (none: not placed) and its place in that row.
    std::array<QHBoxLayout *, AuCellValues::LabelCount> m_rowOf{};
    std::array<int, AuCellValues::LabelCount> m_placeOf{};
    QColor m_colour;
    QVBoxLayout *m_rows = nullptr;
    QLabel *m_charging = nullptr;
    QMovie *m_chargingMovie = nullptr;
    QHBoxLayout *m_chargingRow = nullptr;
    Qt::Alignment m_voltageAlignment = Qt::AlignHCenter | Qt::AlignTop;
    QHBoxLayout *m_isolatorRow = nullptr;
    QLabel *m_isolatorLeft = nullptr;
    QLabel *m_isolatorRight = nullptr;
    AuMenu *m_menu = nullptr;
    const AuMenuContext *m_menuContext = nullptr;
};
