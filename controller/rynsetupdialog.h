#pragma once

#include <QDialog>
#include <QModelIndex>

class QComboBox;
class QSpinBox;
class QTableView;
class QTabWidget;
class RynParamsModel;

// The controller's constants on five tabs: the basic ones as input widgets, the others as tables of
// default and in-force values. The values are shown only; nothing is written to the controller.
class RynSetupDialog : public QDialog
{
    Q_OBJECT

public:
    explicit RynSetupDialog(QWidget *parent = nullptr);

    RynParamsModel *paramsModel() const { return m_model; }
    QTabWidget *tabWidget() const { return m_tabs; }
    // The table of an extended tab, group 1..4.
    QTableView *groupView(int group) const;

public slots:
    void slotRynParamsModelRowsInserted(const QModelIndex &parent, int first, int last);
    void slotRynParamsModelDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    int exec() override;

private:
    void showBasicValue(int row);

    static constexpr int groupCount = 5;

    RynParamsModel *m_model = nullptr;
    QTabWidget *m_tabs = nullptr;
    QTableView *m_views[groupCount] = {};
    QSpinBox *m_modbusAddrSpinBox = nullptr;
    QComboBox *m_langCombo = nullptr;
    QComboBox *m_backlightCombo = nullptr;
    QSpinBox *m_chargingCountSpinBox = nullptr;
};
