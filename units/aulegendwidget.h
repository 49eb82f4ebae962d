#pragma once

#include "aucell.h"

#include <QGroupBox>
#include <QList>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;

// The panel beside the grids: what each colour of the current grid means, what the cells show, how the
// grid is scaled, and the three cells of address 251, which has no place in the grid.
class AuLegendWidget : public QGroupBox
{
    Q_OBJECT

public:
    explicit AuLegendWidget(QWidget *parent = nullptr);
    ~AuLegendWidget() override;

    AuCell *cell251(AuCell::CellKind kind) const;
    // Shows the legend of a grid (0..2) when `show` is set; any other kind hides the whole legend.
    void setKind(int kind, bool show);
    int kind() const { return m_kind; }
    // The legend entries of a kind: display code and text, in the order shown.
    static QList<QPair<int, QString>> entries(AuCell::CellKind kind);

signals:
    void signalViewModeChanged(int mode);
    void signalScaleModeSwitched(bool on);
    void signalWrapModeSwitched(bool on);
    void signalZoomInClicked();
    void signalZoomOutClicked();

public slots:
    void slotSetScaleAndWrapModes(bool fixedScale, bool lineWrap);

private:
    static constexpr int KindCount = 3;

    int m_kind = AuCell::GeneralCell;
    std::array<QList<QLabel *>, KindCount> m_entries;
    std::array<AuCell *, KindCount> m_cells251{};
    std::array<QComboBox *, KindCount> m_selectors{};
    QGroupBox *m_scaleGroup = nullptr;
    QCheckBox *m_wrapBox = nullptr;
};
