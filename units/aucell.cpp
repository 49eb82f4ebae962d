#include "aucell.h"

#include "aucelltext.h"
#include "aumenu.h"

#include <QBoxLayout>
#include <QMouseEvent>
#include <QMovie>
#include <QPainter>

namespace {
constexpr int CellSide = 70;
constexpr int Address251 = 251;
constexpr int IsolatorSide = 10;
constexpr int BorderWidth = 2;

Qt::Alignment alignmentOf(AuCellValues::Label label)
{
    switch (label) {
    case AuCellValues::AddressLabel:
        return Qt::AlignRight | Qt::AlignTop;
    case AuCellValues::TypeLabel:
    case AuCellValues::VoltageLabel:
    case AuCellValues::FirmwareLabel:
    case AuCellValues::LoLabel:
        return Qt::AlignHCenter | Qt::AlignTop;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

// A font small enough for the texts to fit a cell's 70 pixels.
QFont cellFont(QFont font)
{
    constexpr double cellPointSize = 7;
    if (font.pointSizeF() > cellPointSize)
        font.setPointSizeF(cellPointSize);
    return font;
}

// Showing a label makes Qt lay out its cell at once, and every cell laid out makes the grid lay out
// its 250 cells again. While a batch of label changes runs, the cell's layout stands still; it is laid
// out once afterwards, from the event loop.
class LayoutBatch
{
public:
    explicit LayoutBatch(QLayout *layout)
        : m_layout(layout)
    {
        m_layout->setEnabled(false);
    }
    ~LayoutBatch() { m_layout->setEnabled(true); }
    LayoutBatch(const LayoutBatch &) = delete;
    LayoutBatch &operator=(const LayoutBatch &) = delete;

private:
    QLayout *m_layout;
};

void setFillColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}
} // namespace

AuCell::AuCell(int address, CellKind kind, const ViewMode *viewMode, const QList<int> *filterTypes,
               QWidget *parent)
    : QLabel(parent)
    , m_values(address, kind)
    , m_viewMode(viewMode)
    , m_filterTypes(filterTypes)
{
    setFrameStyle(QFrame::Panel | QFrame::Plain);
    setLineWidth(BorderWidth);
    // The cell paints every pixel itself: nothing beneath it needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(cellFont(font()));

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    m_rows = new QVBoxLayout;
    // A narrow side margin leaves a 70-pixel cell room for two readings in one row.
    m_rows->setContentsMargins(1, 2, 1, 2);
    m_rows->setSpacing(0);
    outer->addLayout(m_rows);

    if (kind == GeneralCell) {
        // Room for the isolator indicators; they are made when one first has a colour to show.
        m_isolatorRow = new QHBoxLayout;
        m_isolatorRow->setContentsMargins(0, 0, 0, 0);
        m_isolatorRow->setSpacing(0);
        m_isolatorRow->addStrut(IsolatorSide);
        m_isolatorRow->addStretch();
        outer->addLayout(m_isolatorRow);
    }

    applyFilter();
    m_texts = m_values.texts();
    refreshColour();
    rebuildLayout();
}

QString AuCell::labelText(AuCellValues::Label label) const
{
    return m_texts[label];
}

bool AuCell::isLabelShown(AuCellValues::Label label) const
{
    return m_items[label] && !m_items[label]->isEmpty();
}

QRect AuCell::labelRect(AuCellValues::Label label) const
{
    return isLabelShown(label) ? m_items[label]->geometry() : QRect();
}

bool AuCell::isChargingShown() const
{
    return m_charging && m_charging->isVisibleTo(this);
}

QColor AuCell::isolatorColour(bool left) const
{
    return AuCellValues::isolatorColour(left ? m_values.insulatorLeft : m_values.insulatorRight);
}

void AuCell::setSharedState(const ViewMode *viewMode, const QList<int> *filterTypes)
{
    m_viewMode = viewMode;
    m_filterTypes = filterTypes;
    slotFilterChanged();
    rebuildLayout();
}

QSize AuCell::sizeHint() const
{
    return QSize(CellSide, CellSide);
}

QSize AuCell::minimumSizeHint() const
{
    return QSize(CellSide, CellSide);
}

void AuCell::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.fillRect(rect().adjusted(BorderWidth, BorderWidth, -BorderWidth, -BorderWidth), m_colour);
    for (const AuCellText *item : m_items) {
        if (item)
            item->paint(&painter);
    }
}

bool AuCell::offersMenu() const
{
    const int state = m_values.state;
    switch (kind()) {
    case GeneralCell:
        return state != 8 && state != 255 && !(address() == Address251 && state == 9);
    case IonistorCell:
        return state != 4 && state != 255;
    case SmokeCell:
        return isSmokeType(m_values.type) && state != 8 && state != 255;
    }
    return false;
}

AuMenu *AuCell::menu()
{
    if (!m_menu) {
        m_menu = new AuMenu(this);
        m_menu->setContext(m_menuContext);
        connect(m_menu, &AuMenu::signalSendCmd, this, &AuCell::signalSendCmd);
        connect(m_menu, &AuMenu::signalShowAuParams, this, &AuCell::signalShowAuParams);
        connect(m_menu, &AuMenu::signalShowAuConfig, this, &AuCell::signalShowAuConfig);
    }
    return m_menu;
}

void AuCell::setMenuContext(const AuMenuContext *context)
{
    m_menuContext = context;
    if (m_menu)
        m_menu->setContext(context);
}

void AuCell::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::RightButton || !offersMenu()) {
        QLabel::mousePressEvent(event);
        return;
    }
    AuMenu::Unit unit;
    unit.addr = address();
    unit.type = m_values.type;
    const auto &out = m_values.output;
    const auto &bank = m_values.outputVexa2R2;
    unit.relaysOn = AuMenu::relayMask(unit.type, {out[0], out[1], out[2], out[3]}, {bank[0], bank[1]});
    menu()->run(unit, event->globalPos());
}

void AuCell::setState(int state)
{
    if (m_values.state == state)
        return;
    m_values.state = state;
    refreshTexts();
    refreshColour();
}

void AuCell::setType(int type)
{
    if (m_values.type == type)
        return;
    m_values.type = type;
    applyFilter();
    refreshTexts();
    refreshColour();
}

void AuCell::setBlocking(bool unBlocked)
{
    if (m_values.unBlocked == unBlocked)
        return;
    m_values.unBlocked = unBlocked;
    refreshColour();
}

void AuCell::setConnection(quint8 connection)
{
    if (m_values.connection == connection)
        return;
    m_values.connection = connection;
    refreshColour();
}

void AuCell::setFire(int fire)
{
    if (m_values.fire == fire)
        return;
    m_values.fire = fire;
    refreshColour();
}

void AuCell::setPhoto(quint8 photo)
{
    if (m_values.photo == photo)
        return;
    m_values.photo = photo;
    refreshColour();
}

void AuCell::setSensor(quint8 sensor)
{
    if (m_values.sensor == sensor)
        return;
    m_values.sensor = sensor;
    refreshColour();
}

void AuCell::setDustiness(quint8 dustiness)
{
    if (m_values.dustiness == dustiness)
        return;
    m_values.dustiness = dustiness;
    refreshColour();
}

void AuCell::setVoltage(double voltage)
{
    if (m_values.voltage == voltage)
        return;
    m_values.voltage = voltage;
    refreshTexts();
}

void AuCell::setT_U(quint8 t_u)
{
    if (m_values.t_u == t_u)
        return;
    m_values.t_u = t_u;
    refreshTexts();
}

void AuCell::setThresholdT(quint8 thresholdT)
{
    if (m_values.thresholdT == thresholdT)
        return;
    m_values.thresholdT = thresholdT;
    refreshTexts();
}

void AuCell::setSmoke(quint8 smoke)
{
    if (m_values.smoke == smoke)
        return;
    m_values.smoke = smoke;
    refreshTexts();
}

void AuCell::setSmokeMid(quint8 mid)
{
    if (m_values.smokeMid == mid)
        return;
    m_values.smokeMid = mid;
    refreshTexts();
}

void AuCell::setResource(quint8 resource)
{
    if (m_values.resource == resource)
        return;
    m_values.resource = resource;
    refreshTexts();
}

void AuCell::setFirmwareVersion(quint8 firmwareVersion)
{
    if (m_values.firmwareVersion == firmwareVersion)
        return;
    m_values.firmwareVersion = firmwareVersion;
    refreshTexts();
}

void AuCell::setPowerLo(quint8 powerLo)
{
    if (m_values.powerLo == powerLo)
        return;
    m_values.powerLo = powerLo;
    refreshTexts();
}

void AuCell::setInsulators(quint8 insulators)
{
    const int left = insulators & 3;
    const int right = (insulators >> 2) & 3;
    if (m_values.insulatorLeft == left && m_values.insulatorRight == right)
        return;
    m_values.insulatorLeft = left;
    m_values.insulatorRight = right;
    refreshColour();
}

void AuCell::setInput(IoNumber number, quint8 state, bool isVexa2R2)
{
    if (m_values.setInput(number, state, isVexa2R2))
        refreshTexts();
}

void AuCell::setOutput(IoNumber number, quint8 state, bool isVexa2R2)
{
    if (m_values.setOutput(number, state, isVexa2R2))
        refreshTexts();
}

void AuCell::setValve(ValveNumber number, quint8 state)
{
    if (m_values.setValve(number, state))
        refreshTexts();
}

void AuCell::slotViewModeChanged()
{
    rebuildLayout();
}

void AuCell::slotFilterChanged()
{
    if (!applyFilter())
        return;
    refreshTexts();
    refreshColour();
}

void AuCell::placeText(AuCellValues::Label which)
{
    const Qt::Alignment alignment =
        which == AuCellValues::VoltageLabel ? m_voltageAlignment : alignmentOf(which);
    m_items[which] = new AuCellText(this, m_texts[which], alignment);
    // Keep the row's order: count the texts before this one that are placed already.
    int index = m_rowOf[which] == m_chargingRow && m_charging ? 1 : 0;
    for (int other = 0; other < AuCellValues::LabelCount; ++other) {
        if (m_items[other] && other != which && m_rowOf[other] == m_rowOf[which] &&
            m_placeOf[other] < m_placeOf[which])
            ++index;
    }
    m_rowOf[which]->insertItem(index, m_items[which]);
}

void AuCell::removeText(AuCellValues::Label which)
{
    m_rowOf[which]->removeItem(m_items[which]);
    delete m_items[which];
    m_items[which] = nullptr;
}

void AuCell::addRow(std::initializer_list<AuCellValues::Label> labels, Row row)
{
    auto *line = new QHBoxLayout;
    line->setSpacing(row == SpacedRow ? 4 : 0);
    int place = 0;
    for (const AuCellValues::Label which : labels) {
        m_rowOf[which] = line;
        m_placeOf[which] = place++;
        if (!m_texts[which].isEmpty())
            placeText(which);
    }
    m_rows->addLayout(line);
}

void AuCell::addStretch()
{
    m_rows->addStretch();
}

void AuCell::rebuildLayout()
{
    using L = AuCellValues;
    LayoutBatch batch(layout());
    while (QLayoutItem *item = m_rows->takeAt(0))
        delete item;
    m_items.fill(nullptr);
    m_rowOf.fill(nullptr);
    m_chargingRow = nullptr;
    update();

    const int mode = m_viewMode ? int(*m_viewMode) : int(FullView);
    // The voltage stands where the rest of the mode leaves room for it.
    m_voltageAlignment = alignmentOf(L::VoltageLabel);
    if (address() != Address251 && kind() == GeneralCell) {
        if (mode == FullView)
            m_voltageAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        else if (mode == IonistorVoltageView)
            m_voltageAlignment = Qt::AlignHCenter | Qt::AlignVCenter;
    }
    if (address() == Address251) {
        addRow({L::TypeLabel, L::AddressLabel});
    } else if (mode < FullView || mode > IonistorVoltageView) {
        // An unknown mode shows nothing rather than a guess.
    } else if (kind() == IonistorCell) {
        addRow({L::AddressLabel});
        m_chargingRow = m_rowOf[L::AddressLabel];
        if (m_charging)
            m_chargingRow->insertWidget(0, m_charging, 0, Qt::AlignLeft | Qt::AlignTop);
        addRow({L::VoltageLabel});
    } else if (kind() == SmokeCell) {
        addRow({L::AddressLabel});
        addRow({L::SmokeMidLabel});
        addRow({L::SmokeLabel});
        addRow({L::ResourceLabel});
    } else {
        switch (mode) {
        case FullView:
            addRow({L::TypeLabel, L::AddressLabel}, SpacedRow);
            addRow({L::ThresholdLabel, L::VoltageLabel}, SpacedRow);
            // A smoke-heat detector shows both readings: side by side they overrun the cell.
            addRow({L::TemperatureLabel});
            addRow({L::SmokeLabel});
            addRow({L::LoLabel});
            addRow({L::Input1Label, L::Input3Label, L::Output1Label, L::Output3Label, L::Valve1Label});
            addRow({L::Input2Label, L::Input4Label, L::Output2Label, L::Output4Label, L::Valve2Label});
            break;
        case VersionView:
            addRow({L::AddressLabel});
            addRow({L::TypeLabel});
            addStretch();
            addRow({L::FirmwareLabel});
            addStretch();
            break;
        case TempSmokeView:
            addRow({L::TypeLabel, L::AddressLabel}, SpacedRow);
            // Four rows are all a cell has room for above its isolator indicators.
            addRow({L::ThresholdLabel, L::SmokeMidLabel}, SpacedRow);
            addRow({L::TemperatureLabel});
            addRow({L::SmokeLabel});
            break;
        case IonistorVoltageView:
            addRow({L::AddressLabel});
            addRow({L::TypeLabel});
            addStretch();
            addRow({L::VoltageLabel});
            addStretch();
            break;
        }
    }
    updateCharging();
}

void AuCell::refreshTexts()
{
    const AuCellValues::Texts texts = m_values.texts();
    bool changed = false;
    bool resized = false;
    for (int which = 0; which < AuCellValues::LabelCount; ++which) {
        if (texts[which] == m_texts[which])
            continue;
        m_texts[which] = texts[which];
        if (!m_rowOf[which])
            continue;
        changed = true;
        const auto label = AuCellValues::Label(which);
        if (texts[which].isEmpty())
            removeText(label);
        else if (!m_items[which])
            placeText(label);
        else
            resized = m_items[which]->setText(texts[which]) || resized;
    }
    // A text of the same size keeps its place: only a new size needs the layout.
    if (resized)
        layout()->invalidate();
    if (changed)
        update();
}

void AuCell::refreshColour()
{
    const QColor colour = AuCellValues::cellColour(kind(), m_values.displayCode());
    if (colour != m_colour) {
        m_colour = colour;
        update();
    }
    updateCharging();
    refreshIsolators();
}

void AuCell::refreshIsolators()
{
    if (!m_isolatorRow)
        return;
    const QColor left = AuCellValues::isolatorColour(m_values.insulatorLeft);
    const QColor right = AuCellValues::isolatorColour(m_values.insulatorRight);
    if (!m_isolatorLeft) {
        if (left.alpha() == 0 && right.alpha() == 0)
            return;
        m_isolatorLeft = new QLabel(this);
        m_isolatorRight = new QLabel(this);
        for (QLabel *indicator : {m_isolatorLeft, m_isolatorRight}) {
            indicator->setFixedSize(IsolatorSide, IsolatorSide);
            indicator->setAutoFillBackground(true);
        }
        m_isolatorRow->insertWidget(0, m_isolatorLeft);
        m_isolatorRow->addWidget(m_isolatorRight);
    }
    // setPalette returns early when the colour is the same.
    setFillColour(m_isolatorLeft, left);
    setFillColour(m_isolatorRight, right);
}

void AuCell::updateCharging()
{
    const bool on = m_chargingRow && m_values.charging();
    if (on == isChargingShown())
        return;
    if (on && !m_charging) {
        m_charging = new QLabel(this);
        m_charging->setFixedSize(30, 16);
        m_chargingMovie =
            new QMovie(QStringLiteral(":/images/extended states/charging.gif"), QByteArray(), m_charging);
        m_chargingMovie->setScaledSize(m_charging->size());
        m_charging->setMovie(m_chargingMovie);
        m_chargingRow->insertWidget(0, m_charging, 0, Qt::AlignLeft | Qt::AlignTop);
    }
    m_charging->setVisible(on);
    if (on)
        m_chargingMovie->start();
    else
        m_chargingMovie->stop();
}

bool AuCell::applyFilter()
{
    const bool hidden = m_filterTypes && m_filterTypes->contains(m_values.type);
    if (hidden == m_values.hidden)
        return false;
    m_values.hidden = hidden;
    return true;
}
