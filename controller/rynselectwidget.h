#pragma once

#include <QFrame>
#include <QList>
#include <QMap>

class FullyClickableCheckbox;
class QCheckBox;
class QPushButton;
class QRadioButton;
class QToolButton;

// The left edge of the summary tabs: which controller on the line is shown, which device types are
// filtered out of the views, whose events are received; below them the legend its owner hands in.
class RYNSelectWidget : public QFrame
{
    Q_OBJECT

public:
    explicit RYNSelectWidget(QWidget *parent = nullptr);

    // Puts the grid's legend at the foot of the column (the owner keeps its meaning).
    void setLegend(QWidget *legend);
    QPushButton *searchButton() const { return m_searchButton; }
    // The radio button of a controller address 1..8 (0: the hidden one that stands for "none").
    QRadioButton *rynButton(int rynAddr) const { return m_rynButtons.value(rynAddr); }
    // Checks or clears the button of a controller 1..8; checking 0 clears them all.
    void setRynChecked(int rynAddr, bool checked);
    void setRynEnabled(int rynAddr, bool enabled);

signals:
    void signalRynSelected(int rynAddr);
    void signalFilterChanged(QList<int> filterTypes);
    void signalEventsFromAllRyn(bool fromAll);

public slots:
    void slotSelectRYN(bool checked);
    void slotEnentsFromAllRyn(bool fromAll);
    void slotlDisableRyn(int rynAddr);
    void slotCheckAllTypes(bool checked);
    void slotUpdateCheckAllTypesState();
    void slotFilterChanged(QList<int> filterTypes);
    void slotSearchRYN();
    void slotSetEvMethod(bool on);

private:
    void emitFilter();

    QMap<int, QRadioButton *> m_rynButtons;
    QPushButton *m_searchButton = nullptr;
    QToolButton *m_filterButton = nullptr;
    QList<FullyClickableCheckbox *> m_typeBoxes;
    FullyClickableCheckbox *m_allTypesBox = nullptr;
    QRadioButton *m_fromAllButton = nullptr;
    QRadioButton *m_fromCurrentButton = nullptr;
};
