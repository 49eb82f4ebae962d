#include "rynsetupdialog.h"

#include "rynparamsmodel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

RynSetupDialog::RynSetupDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Параметры RYN"));
    m_model = new RynParamsModel(this);
    m_tabs = new QTabWidget(this);

    auto *basic = new QWidget(m_tabs);
    auto *form = new QFormLayout(basic);
    m_modbusAddrSpinBox = new QSpinBox(basic);
    m_modbusAddrSpinBox->setObjectName(QStringLiteral("modbusAddrSpinBox"));
    m_modbusAddrSpinBox->setRange(1, 8);
    m_langCombo = new QComboBox(basic);
    m_langCombo->setObjectName(QStringLiteral("langCombo"));
    m_langCombo->addItem(QStringLiteral("RU"), 0);
    m_langCombo->addItem(QStringLiteral("EN"), 1);
    m_backlightCombo = new QComboBox(basic);
    m_backlightCombo->setObjectName(QStringLiteral("backlightCombo"));
    m_backlightCombo->addItem(tr("1 мин"), 1);
    m_backlightCombo->addItem(tr("3 мин"), 3);
    m_backlightCombo->addItem(tr("5 мин"), 5);
    m_backlightCombo->addItem(tr("10 мин"), 10);
    m_backlightCombo->addItem(tr("Всегда"), 255);
    m_chargingCountSpinBox = new QSpinBox(basic);
    m_chargingCountSpinBox->setObjectName(QStringLiteral("chargingCountSpinBox"));
    m_chargingCountSpinBox->setRange(0, 10);
    form->addRow(tr("Адрес ModBus"), m_modbusAddrSpinBox);
    form->addRow(tr("Язык"), m_langCombo);
    form->addRow(tr("Подсветка ЖКИ"), m_backlightCombo);
    form->addRow(tr("Кол-во ионисторов"), m_chargingCountSpinBox);
    for (QWidget *input :
         {static_cast<QWidget *>(m_modbusAddrSpinBox), static_cast<QWidget *>(m_langCombo),
          static_cast<QWidget *>(m_backlightCombo), static_cast<QWidget *>(m_chargingCountSpinBox)}) {
        input->setEnabled(false);
    }
    m_tabs->addTab(basic, tr("RYN (основные)"));

    const QString titles[] = {tr("RYN (расширенные)"), tr("Тепловой канал"), tr("Дымовой канал"),
                              tr("Канал пламени")};
    for (int group = 1; group < groupCount; ++group) {
        auto *proxy = new QSortFilterProxyModel(this);
        proxy->setSourceModel(m_model);
        proxy->setFilterRole(RynParamsModel::GroupRole);
        proxy->setFilterRegExp(QStringLiteral("^%1$").arg(group));
        auto *view = new QTableView(m_tabs);
        view->setObjectName(QStringLiteral("groupView%1").arg(group));
        view->setModel(proxy);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setColumnWidth(RynParamsModel::ColumnName, 400);
        view->setColumnHidden(RynParamsModel::ColumnSet, true);
        m_views[group] = view;
        m_tabs->addTab(view, titles[group - 1]);
    }

    auto *closeButton =
        new QPushButton(QIcon(QStringLiteral(":/images/buttons/ok.png")), tr("Закрыть"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(closeButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);

    connect(m_model, &QAbstractItemModel::rowsInserted, this,
            &RynSetupDialog::slotRynParamsModelRowsInserted);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &RynSetupDialog::slotRynParamsModelDataChanged);
}

QTableView *RynSetupDialog::groupView(int group) const
{
    return group >= 1 && group < groupCount ? m_views[group] : nullptr;
}

void RynSetupDialog::slotRynParamsModelRowsInserted(const QModelIndex &parent, int first, int last)
{
    Q_UNUSED(parent)
    for (int row = first; row <= last; ++row) {
        const int group = m_model->index(row, 0).data(RynParamsModel::GroupRole).toInt();
        if (group == 0) {
            // A row that arrives with its value in force shows it at once.
            showBasicValue(row);
            continue;
        }
        QTableView *view = m_views[group];
        auto *proxy = static_cast<QSortFilterProxyModel *>(view->model());
        const QModelIndex proxyIndex = proxy->mapFromSource(m_model->index(row, 0));
        if (proxyIndex.isValid())
            view->resizeRowToContents(proxyIndex.row());
    }
}

void RynSetupDialog::slotRynParamsModelDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    if (topLeft.column() > RynParamsModel::ColumnCurrent ||
        bottomRight.column() < RynParamsModel::ColumnCurrent)
        return;
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        if (m_model->index(row, 0).data(RynParamsModel::GroupRole).toInt() == 0)
            showBasicValue(row);
    }
}

void RynSetupDialog::showBasicValue(int row)
{
    const RynParamsModel::RynParam &param = m_model->param(row);
    if (!param.currentValue.isValid())
        return;
    const int value = param.currentValue.toInt();
    QWidget *input = nullptr;
    if (param.regAddr == 1102)
        input = param.part == 0 ? static_cast<QWidget *>(m_modbusAddrSpinBox) : m_langCombo;
    else
        input = param.part == 0 ? static_cast<QWidget *>(m_backlightCombo) : m_chargingCountSpinBox;
    const QSignalBlocker blocker(input);
    if (auto *spinBox = qobject_cast<QSpinBox *>(input))
        spinBox->setValue(value);
    else if (auto *combo = qobject_cast<QComboBox *>(input))
        combo->setCurrentIndex(combo->findData(value));
}

int RynSetupDialog::exec()
{
    m_model->slotClearSetValues();
    return QDialog::exec();
}
