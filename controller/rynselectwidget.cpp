#include "rynselectwidget.h"

#include "fullyclickablecheckbox.h"
#include "modbusprotocol.h"
#include "typefilter.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>

namespace {
constexpr int RynCount = ModbusProtocol::maxRynAddr;

void addToMenu(QMenu *menu, QWidget *widget)
{
    auto *action = new QWidgetAction(menu);
    action->setDefaultWidget(widget);
    menu->addAction(action);
}
} // namespace

RYNSelectWidget::RYNSelectWidget(QWidget *parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    setLineWidth(2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *rynGrid = new QGridLayout;
    rynGrid->setVerticalSpacing(0);
    rynGrid->addWidget(new QLabel(tr("RYN:"), this), 0, 0, 1, 2, Qt::AlignCenter);
    for (int addr = 0; addr <= RynCount; ++addr) {
        auto *button = new QRadioButton(QString::number(addr), this);
        button->setEnabled(false);
        m_rynButtons.insert(addr, button);
        if (addr == 0) {
            // Checking it clears the others: a checked radio button cannot simply be unchecked.
            button->hide();
            continue;
        }
        rynGrid->addWidget(button, (addr - 1) % 4 + 1, (addr - 1) / 4);
        connect(button, &QRadioButton::clicked, this, &RYNSelectWidget::slotSelectRYN);
    }
    layout->addLayout(rynGrid);

    m_searchButton = new QPushButton(tr("Поиск RYN"), this);
    m_searchButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    layout->addWidget(m_searchButton);
    connect(m_searchButton, &QPushButton::clicked, this, &RYNSelectWidget::slotSearchRYN);

    layout->addSpacing(10);
    auto *menu = new QMenu(this);
    const QStringList groupTexts = {tr("ИПТ"),  tr("ИПД"),  tr("ИПД/Т"), tr("ИПП"),     tr("ИПР/УДП"),
                                    tr("Fenk"), tr("Vexa"), tr("Zirn"),  tr("Vexa2Р2"), tr("Dulo")};
    for (int group = 0; group < TypeFilter::GroupCount; ++group) {
        auto *box = new FullyClickableCheckbox(groupTexts.at(group), menu);
        box->setObjectName(QString::number(group));
        box->setChecked(true);
        addToMenu(menu, box);
        m_typeBoxes.append(box);
        connect(box, &QCheckBox::clicked, this, &RYNSelectWidget::slotUpdateCheckAllTypesState);
    }
    menu->addSeparator();
    m_allTypesBox = new FullyClickableCheckbox(tr("Все типы"), menu);
    m_allTypesBox->setTristate(true);
    m_allTypesBox->setCheckState(Qt::Checked);
    addToMenu(menu, m_allTypesBox);
    connect(m_allTypesBox, &QCheckBox::clicked, this, &RYNSelectWidget::slotCheckAllTypes);

    m_filterButton = new QToolButton(this);
    auto *filterAction = new QAction(tr("Фильтрация"), m_filterButton);
    filterAction->setMenu(menu);
    m_filterButton->setDefaultAction(filterAction);
    m_filterButton->setPopupMode(QToolButton::InstantPopup);
    m_filterButton->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::Preferred);
    m_filterButton->setFixedHeight(m_searchButton->sizeHint().height());
    layout->addWidget(m_filterButton);

    auto *events = new QGroupBox(this);
    events->setStyleSheet(QStringLiteral("QGroupBox {border: none;}"));
    auto *eventsLayout = new QVBoxLayout(events);
    eventsLayout->setContentsMargins(6, 2, 6, 2);
    eventsLayout->setSpacing(0);
    eventsLayout->addWidget(new QLabel(tr("Прием событий:"), events));
    m_fromAllButton = new QRadioButton(tr("от всех RYN"), events);
    m_fromCurrentButton = new QRadioButton(tr("от тек. RYN"), events);
    eventsLayout->addWidget(m_fromAllButton);
    eventsLayout->addWidget(m_fromCurrentButton);
    layout->addWidget(events);

    layout->addSpacing(6);
    layout->addStretch();

    connect(this, &RYNSelectWidget::signalFilterChanged, this, &RYNSelectWidget::slotFilterChanged);
    connect(m_fromAllButton, &QRadioButton::toggled, this, &RYNSelectWidget::slotSetEvMethod);
}

void RYNSelectWidget::setLegend(QWidget *legend)
{
    layout()->addWidget(legend);
}

void RYNSelectWidget::setRynChecked(int rynAddr, bool checked)
{
    QRadioButton *button = m_rynButtons.value(rynAddr);
    if (!button)
        return;
    if (checked)
        button->setChecked(true);
    else if (button->isChecked())
        m_rynButtons.value(0)->setChecked(true);
}

void RYNSelectWidget::setRynEnabled(int rynAddr, bool enabled)
{
    if (rynAddr >= 1 && rynAddr <= RynCount)
        m_rynButtons.value(rynAddr)->setEnabled(enabled);
}

void RYNSelectWidget::slotSelectRYN(bool checked)
{
    if (!checked)
        return;
    for (int addr = 1; addr <= RynCount; ++addr) {
        if (m_rynButtons.value(addr)->isChecked()) {
            emit signalRynSelected(addr);
            return;
        }
    }
}

void RYNSelectWidget::slotEnentsFromAllRyn(bool fromAll)
{
    (fromAll ? m_fromAllButton : m_fromCurrentButton)->setChecked(true);
}

void RYNSelectWidget::slotlDisableRyn(int rynAddr)
{
    setRynEnabled(rynAddr, false);
}

void RYNSelectWidget::slotCheckAllTypes(bool checked)
{
    for (FullyClickableCheckbox *box : qAsConst(m_typeBoxes))
        box->setChecked(checked);
    m_allTypesBox->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    emitFilter();
}

void RYNSelectWidget::slotUpdateCheckAllTypesState()
{
    QVector<bool> checked;
    for (const FullyClickableCheckbox *box : qAsConst(m_typeBoxes))
        checked.append(box->isChecked());
    m_allTypesBox->setCheckState(TypeFilter::allTypesState(checked));
    emitFilter();
}

void RYNSelectWidget::slotFilterChanged(QList<int> filterTypes)
{
    m_filterButton->setStyleSheet(
        filterTypes.isEmpty() ? QString() : QStringLiteral("QToolButton {border: 2px solid orange;}"));
}

void RYNSelectWidget::slotSearchRYN()
{
    setRynChecked(0, true);
    for (int addr = 1; addr <= RynCount; ++addr)
        setRynEnabled(addr, false);
}

void RYNSelectWidget::slotSetEvMethod(bool on)
{
    emit signalEventsFromAllRyn(on);
}

void RYNSelectWidget::emitFilter()
{
    if (m_allTypesBox->checkState() == Qt::Checked) {
        emit signalFilterChanged(QList<int>());
        return;
    }
    QVector<bool> checked;
    for (const FullyClickableCheckbox *box : qAsConst(m_typeBoxes))
        checked.append(box->isChecked());
    emit signalFilterChanged(TypeFilter::filteredTypes(checked));
}
