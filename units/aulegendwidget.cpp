#include "aulegendwidget.h"

#include "aucellswidget.h"
#include "settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int Cell251Side = 80;
constexpr int ZoomButtonSide = 24;

QString settingsGroup()
{
    return QStringLiteral("AuLegendWidget");
}
} // namespace

AuLegendWidget::AuLegendWidget(QWidget *parent)
    : QGroupBox(parent)
{
    auto *layout = new QVBoxLayout(this);
    // Packed close: the panel must fit beside the grids of a 1080-line screen without scrolling.
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(2);
    layout->addStretch();

    for (int kind = 0; kind < KindCount; ++kind) {
        const auto cellKind = AuCell::CellKind(kind);
        for (const auto &entry : entries(cellKind)) {
            auto *label = new QLabel(entry.second, this);
            label->setMargin(2);
            label->setStyleSheet(QStringLiteral("QLabel {background-color: %1;}")
                                     .arg(AuCellValues::cellColour(cellKind, entry.first).name()));
            layout->addWidget(label);
            m_entries[kind].append(label);
        }
    }

    auto *cells = new QGridLayout;
    cells->setContentsMargins(5, 2, 5, 2);
    for (int kind = 0; kind < KindCount; ++kind) {
        m_cells251[kind] = new AuCell(251, AuCell::CellKind(kind), nullptr, nullptr, this);
        m_cells251[kind]->setFixedSize(Cell251Side, Cell251Side);
        cells->addWidget(m_cells251[kind], 0, 0, Qt::AlignCenter);
    }
    layout->addLayout(cells);

    auto *information = new QGroupBox(tr("Информация"), this);
    auto *informationLayout = new QVBoxLayout(information);
    informationLayout->setContentsMargins(4, 2, 4, 2);
    m_selectors[AuCell::GeneralCell] = new QComboBox(information);
    m_selectors[AuCell::GeneralCell]->addItems(
        {tr("Полная"), tr("Версия"), tr("Т / задымл"), tr("U ионисторов")});
    m_selectors[AuCell::IonistorCell] = new QComboBox(information);
    m_selectors[AuCell::IonistorCell]->addItem(tr("U ионисторов"), int(AuCell::IonistorVoltageView));
    m_selectors[AuCell::SmokeCell] = new QComboBox(information);
    m_selectors[AuCell::SmokeCell]->addItem(tr("задымлённость"), int(AuCell::TempSmokeView));
    for (QComboBox *selector : m_selectors) {
        // As wide as the address-251 cell, or wider when the longest mode name needs it.
        selector->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        selector->setFixedWidth(qMax(Cell251Side, selector->sizeHint().width()));
        informationLayout->addWidget(selector, 0, Qt::AlignHCenter);
    }
    layout->addWidget(information);
    connect(m_selectors[AuCell::GeneralCell], QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &AuLegendWidget::signalViewModeChanged);

    m_scaleGroup = new QGroupBox(tr("Масштаб"), this);
    m_scaleGroup->setCheckable(true);
    auto *scaleLayout = new QHBoxLayout(m_scaleGroup);
    scaleLayout->setContentsMargins(4, 2, 4, 2);
    m_wrapBox = new QCheckBox(tr("Перенос\n строк"), m_scaleGroup);
    auto *zoomIn = new QPushButton(QStringLiteral("+"), m_scaleGroup);
    auto *zoomOut = new QPushButton(QStringLiteral("-"), m_scaleGroup);
    for (QPushButton *button : {zoomIn, zoomOut})
        button->setFixedSize(ZoomButtonSide, ZoomButtonSide);
    scaleLayout->addWidget(m_wrapBox);
    scaleLayout->addWidget(zoomIn);
    scaleLayout->addWidget(zoomOut);
    layout->addWidget(m_scaleGroup);

    connect(m_scaleGroup, &QGroupBox::clicked, this, &AuLegendWidget::signalScaleModeSwitched);
    connect(m_wrapBox, &QCheckBox::clicked, this, &AuLegendWidget::signalWrapModeSwitched);
    connect(zoomIn, &QPushButton::clicked, this, &AuLegendWidget::signalZoomInClicked);
    connect(zoomOut, &QPushButton::clicked, this, &AuLegendWidget::signalZoomOutClicked);

    const bool fixedScale = Settings::readValue(QStringLiteral("FixedScale"), settingsGroup(), true).toBool();
    const bool lineWrap = Settings::readValue(QStringLiteral("LineWrap"), settingsGroup(), true).toBool();
    slotSetScaleAndWrapModes(fixedScale, lineWrap);
    AuCellsWidget::sharedLayout().scaleMode = fixedScale;
    AuCellsWidget::sharedLayout().wrapMode = lineWrap;

    setKind(AuCell::GeneralCell, true);
}

AuLegendWidget::~AuLegendWidget()
{
    Settings::writeValue(m_scaleGroup->isChecked(), QStringLiteral("FixedScale"), settingsGroup());
    Settings::writeValue(m_wrapBox->isChecked(), QStringLiteral("LineWrap"), settingsGroup());
}

AuCell *AuLegendWidget::cell251(AuCell::CellKind kind) const
{
    return kind >= 0 && kind < KindCount ? m_cells251[kind] : nullptr;
}

void AuLegendWidget::setKind(int kind, bool show)
{
    m_kind = kind;
    if (kind < 0 || kind >= KindCount) {
        hide();
        return;
    }
    for (int other = 0; other < KindCount; ++other) {
        const bool current = other == kind;
        for (QLabel *entry : qAsConst(m_entries[other]))
            entry->setVisible(current);
        m_cells251[other]->setVisible(current);
        m_selectors[other]->setVisible(current);
    }
    if (show)
        this->show();
}

QList<QPair<int, QString>> AuLegendWidget::entries(AuCell::CellKind kind)
{
    switch (kind) {
    case AuCell::GeneralCell:
        return {{0, tr("норма")},         {1, tr("потеря связи")}, {2, tr("неиспр. АУ")},
                {3, tr("неверн. тип")},   {4, tr("пожар")},        {5, tr("вскрытие")},
                {6, tr("блокировка")},    {16, tr("скрыто")},      {9, tr("двойн. адрес")},
                {8, tr("адр. не сконф.")}};
    case AuCell::IonistorCell:
        return {{0, tr("норма")},      {2, tr("разряжен")}, {1, tr("треб. заряд")}, {5, tr("перезаряд")},
                {3, tr("неисправен")}, {16, tr("скрыто")},  {4, tr("не определ.")}};
    case AuCell::SmokeCell:
        return {{0, tr("норма")},         {1, tr("потеря связи")}, {2, tr("неисправен")},
                {4, tr("пожар")},         {6, tr("блокировка")},   {10, tr("крит. запыл.")},
                {11, tr("пред. запыл.")}, {16, tr("скрыто")},      {8, tr("не определ.")}};
    }
    return {};
}

void AuLegendWidget::slotSetScaleAndWrapModes(bool fixedScale, bool lineWrap)
{
    m_scaleGroup->setChecked(fixedScale);
    m_wrapBox->setChecked(lineWrap);
}
