#include "ryninfowidget.h"

#include "exlabel.h"
#include "modbuserrorsdialog.h"
#include "ryncmdwidget.h"

#include <QEvent>
#include <QFormLayout>
#include <QGuiApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace RynRegisterTexts;

namespace {

const QString innerGroupStyle = QStringLiteral("QGroupBox {color: #0066CC; font: normal}");
constexpr int ballSize = 10;

// The protocol table's unit types: a heading row, then one row per type, at least eight.
constexpr int typesHeadingRow = 2;
constexpr int firstTypeRow = 3;
constexpr int rowAfterTypes = firstTypeRow + RYNInfoWidget::protocolTypeRows;

// Registers shown as they are, with their rows in the information table and, for the counters the
// protocol lists, the column of their name in the protocol table (the value follows it).
struct WordRegister
{
    int reg;
    const char *name;
    int reportRow;
    int protocolRow;
    int protocolColumn;
};

constexpr WordRegister wordRegisters[] = {
    {976, QT_TRANSLATE_NOOP("RYNInfoWidget", "Тип"), 2, -1, -1},
    {981, "Parity", 31, 22, 3},
    {982, "Noise", 32, 22, 5},
    {983, "DataDlit", 33, 23, 3},
    {984, "SBDlit", 34, 23, 5},
    {985, "TimeOut", 35, 24, 3},
    {986, "OverFlow", 36, 24, 5},
    {987, "I_Big", 37, 25, 3},
    {988, "I_Small", 38, 25, 5},
    {989, "CRC", 44, 26, 3},
    {990, "FE", 45, 27, 3},
    {991, "NE", 46, 28, 3},
    {992, "ORE", 47, 26, 5},
    {993, "ModBus", 48, 27, 5},
    {996, QT_TRANSLATE_NOOP("RYNInfoWidget", "Запросы СЛИ"), 40, -1, -1},
    {997, QT_TRANSLATE_NOOP("RYNInfoWidget", "Запросы ModBus"), 55, -1, -1},
};

const WordRegister *wordRegister(int reg)
{
    for (const WordRegister &word : wordRegisters) {
        if (word.reg == reg)
            return &word;
    }
    return nullptr;
}

// Flags of registers 979 and 980 that the reports list: information table row, protocol row, bit.
struct FlagRow
{
    int reg;
    int bit;
    const char *title;
    int reportRow;
    int protocolRow;
};

const FlagRow flagRows[] = {
    {980, errorBit(Ball::LoopBreak), QT_TRANSLATE_NOOP("RYNInfoWidget", "Обрыв СЛИ"), 8, 11},
    {980, errorBit(Ball::LoopShort), QT_TRANSLATE_NOOP("RYNInfoWidget", "КЗ СЛИ"), 9, 12},
    {979, 8, QT_TRANSLATE_NOOP("RYNInfoWidget", "Двойные адреса"), 13, 15},
    {979, 7, QT_TRANSLATE_NOOP("RYNInfoWidget", "Наличие АУ с адресом 251"), 14, 16},
    {980, errorBit(Ball::MainPowerFault), QT_TRANSLATE_NOOP("RYNInfoWidget", "Неисправность ОП"), 17, 17},
    {980, errorBit(Ball::ReservePowerFault), QT_TRANSLATE_NOOP("RYNInfoWidget", "Неисправность РП"), 18, 18},
};

// OS error types 1..6 as the reports name them.
const char *const osErrorTitles[] = {
    QT_TRANSLATE_NOOP("RYNInfoWidget", "Тип 1"), QT_TRANSLATE_NOOP("RYNInfoWidget", "Тип 2"),
    QT_TRANSLATE_NOOP("RYNInfoWidget", "Тип 3"), QT_TRANSLATE_NOOP("RYNInfoWidget", "Тип 4"),
    QT_TRANSLATE_NOOP("RYNInfoWidget", "Тип 5"), QT_TRANSLATE_NOOP("RYNInfoWidget", "Тип 6"),
};

// The protocol lists OS error types 1..3 and 4..6 in two columns of three rows: the cell of a type's
// title (type 0..5); its box follows it.
int osErrorProtocolRow(int type)
{
    return 19 + type % 3;
}

int osErrorProtocolColumn(int type)
{
    return type < 3 ? 3 : 5;
}

const Ball osErrorBalls[] = {Ball::OsError1, Ball::OsError2, Ball::OsError3,
                             Ball::OsError4, Ball::OsError5, Ball::OsError6};

const char *const ballNames[ballCount] = {
    "leftKeyBall",    "rightKeyBall",       "leftStageBall",         "rightStageBall",
    "loopShortBall",  "loopBreakBall",      "caseOpenBall",          "shortLeftBall",
    "shortRightBall", "mainPowerFaultBall", "reservePowerFaultBall", "loopBufferOverflowBall",
    "osError1Ball",   "osError2Ball",       "osError3Ball",          "osError4Ball",
    "osError5Ball",   "osError6Ball",       "startRelayBall",        "fireRelayBall",
    "faultRelayBall",
};

QPixmap ballPixmap(const char *colour)
{
    return QPixmap(QStringLiteral(":/images/rxtx/ball_%1.png").arg(QLatin1String(colour)))
        .scaled(ballSize, ballSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QGroupBox *innerGroup(const QString &title, QWidget *parent)
{
    auto *group = new QGroupBox(title, parent);
    group->setStyleSheet(innerGroupStyle);
    return group;
}

QString yesNo(bool set)
{
    return set ? RYNInfoWidget::tr("Да") : RYNInfoWidget::tr("Нет");
}

} // namespace

RYNInfoWidget::RYNInfoWidget(QTableWidget *reportTable, QTableWidget *protocolTable, QWidget *parent)
    : QWidget(parent)
    , m_reportTable(reportTable)
    , m_protocolTable(protocolTable)
{
    m_ballPixmaps = {ballPixmap("white"), ballPixmap("red"), ballPixmap("green"), ballPixmap("yellow")};
    m_errorsDialog = new ModbusErrorsDialog(this);

    m_reportTable->setColumnCount(2);
    m_reportTable->setRowCount(reportRows);
    m_reportTable->setHorizontalHeaderItem(0, new QTableWidgetItem(QString()));
    m_reportTable->setHorizontalHeaderItem(1, new QTableWidgetItem(QString()));
    initProtocolTable();

    // The panel is taller than a small screen leaves it: its content scrolls, the commands stay below.
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setObjectName(QStringLiteral("panelScrollArea"));
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setWidget(createPanel());
    m_scrollArea->viewport()->installEventFilter(this);

    m_cmdWidget = new RYNCmdWidget(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scrollArea, 1);
    layout->addWidget(m_cmdWidget);
    // Room to spare belongs to the unit grids beside the panel.
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
}

// Every value shown asks the layouts up to the scroll area for a new layout, several times a second
// while the controller is watched. The scroll area answers each by repainting its bars and, as it is
// transparent, the window behind them: only a panel whose size wants to change needs its answer.
bool RYNInfoWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::LayoutRequest && watched == m_scrollArea->viewport()) {
        const QWidget *panel = m_scrollArea->widget();
        const QSize hint = panel->sizeHint();
        const QSize minimumHint = panel->minimumSizeHint();
        if (hint == m_panelHint && minimumHint == m_panelMinimumHint)
            return true;
        m_panelHint = hint;
        m_panelMinimumHint = minimumHint;
    }
    return QWidget::eventFilter(watched, event);
}

QSize RYNInfoWidget::sizeHint() const
{
    // Wide enough for the panel beside its vertical scroll bar, which a short window shows.
    QSize hint = QWidget::sizeHint();
    const int panelWidth = m_scrollArea->widget()->sizeHint().width() + 2 * m_scrollArea->frameWidth() +
                           m_scrollArea->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr,
                                                              m_scrollArea->verticalScrollBar());
    hint.setWidth(qMax(hint.width(), panelWidth));
    return hint;
}

QSize RYNInfoWidget::minimumSizeHint() const
{
    QSize hint = QWidget::minimumSizeHint();
    hint.setWidth(qMax(200, sizeHint().width()));
    return hint;
}

int RYNInfoWidget::panelColumns(const QSize &availableScreen)
{
    return availableScreen.width() >= 1600 ? 2 : 1;
}

void RYNInfoWidget::setPanelColumns(int columns)
{
    columns = qBound(1, columns, 2);
    if (columns == m_panelColumns)
        return;
    m_panelColumns = columns;
    while (QLayoutItem *item = m_columnsRow->takeAt(0)) {
        if (QLayout *column = item->layout()) {
            while (QLayoutItem *entry = column->takeAt(0))
                delete entry; // the groups stay, owned by the panel; they are placed again below
        }
        delete item;
    }
    // The second column starts with the operating system's errors.
    constexpr int firstOfSecondColumn = 2;
    QVBoxLayout *column = nullptr;
    for (int i = 0; i < m_groups.size(); ++i) {
        if (i == 0 || (columns > 1 && i == firstOfSecondColumn)) {
            if (column)
                column->addStretch();
            column = new QVBoxLayout;
            m_columnsRow->addLayout(column);
        }
        column->addWidget(m_groups.at(i));
    }
    column->addStretch();
    updateGeometry();
}

QWidget *RYNInfoWidget::createPanel()
{
    auto *panel = new QWidget;
    m_mainGroup = new QGroupBox(tr("RYN"), panel);
    m_mainGroup->setObjectName(QStringLiteral("rynGroup"));
    m_mainGroup->setAlignment(Qt::AlignHCenter);
    m_mainGroup->setStyleSheet(QStringLiteral("QGroupBox {color: #0066CC; font: bold}"));

    auto *typeRow = new QHBoxLayout;
    typeRow->addWidget(new QLabel(tr("Тип: "), m_mainGroup));
    m_typeLabel = valueLabel(QStringLiteral("reg976"));
    m_wordLabels.insert(976, m_typeLabel);
    typeRow->addWidget(m_typeLabel);
    typeRow->addStretch();
    typeRow->addWidget(new QLabel(tr("Версия: "), m_mainGroup));
    m_versionLabel = valueLabel(QStringLiteral("versionLabel"), QStringLiteral("-"));
    typeRow->addWidget(m_versionLabel);

    auto *groupLayout = new QVBoxLayout(m_mainGroup);
    groupLayout->addLayout(typeRow);
    m_columnsRow = new QHBoxLayout;
    groupLayout->addLayout(m_columnsRow);
    m_groups = {createStateGroup(), createErrorsGroup(), createOsErrorsGroup(), createLoopErrorsGroup(),
                createModbusErrorsGroup()};
    // Two columns on a screen wide enough to spare the room: there the panel is as tall as the grids
    // beside it and never needs to scroll.
    const QScreen *screen = QGuiApplication::primaryScreen();
    setPanelColumns(panelColumns(screen ? screen->availableGeometry().size() : QSize()));

    m_operatingTimeLabel = valueLabel(QStringLiteral("operatingTimeLabel"), QStringLiteral("000:00:00:00"));
    m_operatingTimeLabel->setAlignment(Qt::AlignCenter);

    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_mainGroup);
    layout->addWidget(m_operatingTimeLabel);
    layout->addStretch();
    return panel;
}

QGroupBox *RYNInfoWidget::createStateGroup()
{
    QGroupBox *group = innerGroup(tr("Состояние RYN"), m_mainGroup);
    auto *layout = new QVBoxLayout(group);

    auto *counts = new QFormLayout;
    m_unitCountLabel = valueLabel(QStringLiteral("unitCountLabel"));
    m_polledCountLabel = valueLabel(QStringLiteral("polledCountLabel"));
    m_resistanceLabel = valueLabel(QStringLiteral("resistanceLabel"));
    counts->addRow(tr("Кол-во АУ:  "), m_unitCountLabel);
    counts->addRow(tr("В опросе:  "), m_polledCountLabel);
    counts->addRow(tr("R СЛИ(Ом):  "), m_resistanceLabel);
    layout->addLayout(counts);

    auto *keys = new QGridLayout;
    keys->addWidget(ball(Ball::LeftKey), 0, 0);
    keys->addWidget(new QLabel(tr(" ключи "), group), 0, 1, Qt::AlignCenter);
    keys->addWidget(ball(Ball::RightKey), 0, 2);
    keys->addWidget(ball(Ball::LeftStage), 1, 0);
    keys->addWidget(new QLabel(tr("ОЭ"), group), 1, 1, Qt::AlignCenter);
    keys->addWidget(ball(Ball::RightStage), 1, 2);
    keys->setColumnStretch(3, 1);
    layout->addLayout(keys);

    auto *charging = new QFormLayout;
    m_toChargeLabel = valueLabel(QStringLiteral("toChargeLabel"));
    m_chargingLabel = valueLabel(QStringLiteral("chargingLabel"));
    charging->addRow(tr("Заряжать:  "), m_toChargeLabel);
    charging->addRow(tr("Заряжаются:  "), m_chargingLabel);
    layout->addLayout(charging);

    auto *supplies = new QGridLayout;
    supplies->addWidget(new QLabel(tr("U(В)"), group), 0, 1);
    supplies->addWidget(new QLabel(tr("I(мА)"), group), 0, 2);
    m_voltage24Label = valueLabel(QStringLiteral("voltage24Label"));
    m_current24Label = valueLabel(QStringLiteral("current24Label"));
    m_voltage13Label = valueLabel(QStringLiteral("voltage13Label"));
    m_current13Label = valueLabel(QStringLiteral("current13Label"));
    supplies->addWidget(new QLabel(tr("\"24 В\""), group), 1, 0);
    supplies->addWidget(m_voltage24Label, 1, 1);
    supplies->addWidget(m_current24Label, 1, 2);
    supplies->addWidget(new QLabel(tr("\"13 В\""), group), 2, 0);
    supplies->addWidget(m_voltage13Label, 2, 1);
    supplies->addWidget(m_current13Label, 2, 2);
    layout->addLayout(supplies);

    auto *relaysCaption = new QLabel(tr("Состояние реле:"), group);
    relaysCaption->setStyleSheet(QStringLiteral("QLabel {color: #0066CC;}"));
    layout->addWidget(relaysCaption);
    auto *relays = new QHBoxLayout;
    relays->addWidget(new QLabel(tr("Пуск "), group));
    relays->addWidget(ball(Ball::StartRelay));
    relays->addWidget(new QLabel(tr("Пожар "), group));
    relays->addWidget(ball(Ball::FireRelay));
    relays->addWidget(new QLabel(tr("Неиспр. "), group));
    relays->addWidget(ball(Ball::FaultRelay));
    relays->addStretch();
    layout->addLayout(relays);
    return group;
}

QGroupBox *RYNInfoWidget::createErrorsGroup()
{
    QGroupBox *group = innerGroup(tr("Ошибки RYN"), m_mainGroup);
    auto *layout = new QVBoxLayout(group);
    auto *loop = new QHBoxLayout;
    loop->addWidget(new QLabel(tr("КЗ СЛИ"), group));
    loop->addWidget(ball(Ball::LoopShort));
    loop->addStretch();
    loop->addWidget(new QLabel(tr("Обрыв СЛИ"), group));
    loop->addWidget(ball(Ball::LoopBreak));
    layout->addLayout(loop);

    auto *form = new QFormLayout;
    form->addRow(tr("Корпус RYN вскрыт"), ball(Ball::CaseOpen));
    form->addRow(tr("КЗ на левом выходе СЛИ"), ball(Ball::ShortLeft));
    form->addRow(tr("КЗ на правом выходе СЛИ"), ball(Ball::ShortRight));
    form->addRow(tr("Неиспр. ОП"), ball(Ball::MainPowerFault));
    form->addRow(tr("Неиспр. РП"), ball(Ball::ReservePowerFault));
    form->addRow(tr("Переполнение буфера СЛИ"), ball(Ball::LoopBufferOverflow));
    layout->addLayout(form);
    return group;
}

QGroupBox *RYNInfoWidget::createOsErrorsGroup()
{
    QGroupBox *group = innerGroup(tr("Ошибки ОС"), m_mainGroup);
    auto *grid = new QGridLayout(group);
    const QString captions[] = {tr("Тип 1 "), tr("Тип 2 "), tr("Тип 3 "),
                                tr("Тип 4 "), tr("Тип 5 "), tr("Тип 6 ")};
    for (int type = 0; type < 6; ++type) {
        const int row = type % 2;
        const int column = 2 * (type / 2);
        grid->addWidget(new QLabel(captions[type], group), row, column);
        grid->addWidget(ball(osErrorBalls[type]), row, column + 1);
    }
    return group;
}

QGroupBox *RYNInfoWidget::createLoopErrorsGroup()
{
    QGroupBox *group = innerGroup(tr("Ошибки СЛИ"), m_mainGroup);
    auto *layout = new QVBoxLayout(group);
    auto *columns = new QHBoxLayout;
    columns->addLayout(counterForm({{QStringLiteral("Parity:  "), 981},
                                    {QStringLiteral("DataDlit:  "), 983},
                                    {QStringLiteral("TimeOut:  "), 985},
                                    {QStringLiteral("I_Big:  "), 987}}));
    columns->addLayout(counterForm({{QStringLiteral("Noise:  "), 982},
                                    {QStringLiteral("SBDlit:  "), 984},
                                    {QStringLiteral("Overflow:  "), 986},
                                    {QStringLiteral("I_Small:  "), 988}}));
    layout->addLayout(columns);
    layout->addLayout(counterForm({{tr("Запросы СЛИ:  "), 996}}));
    return group;
}

QGroupBox *RYNInfoWidget::createModbusErrorsGroup()
{
    QGroupBox *group = innerGroup(tr("Ошибки Modbus"), m_mainGroup);
    auto *layout = new QVBoxLayout(group);
    auto *columns = new QHBoxLayout;

    QGroupBox *ryn = innerGroup(tr("RYN"), group);
    ryn->setLayout(counterForm({{QStringLiteral("CRC:  "), 989},
                                {QStringLiteral("FE:  "), 990},
                                {QStringLiteral("NE:  "), 991},
                                {QStringLiteral("ORE:  "), 992},
                                {QStringLiteral("ModBus:  "), 993}}));
    columns->addWidget(ryn);

    QGroupBox *server = innerGroup(tr("Сервер"), group);
    auto *serverForm = new QFormLayout(server);
    m_serverCrcLabel = valueLabel(QStringLiteral("serverCrcLabel"));
    m_serverTimeoutLabel = valueLabel(QStringLiteral("serverTimeoutLabel"));
    serverForm->addRow(QStringLiteral("CRC:  "), m_serverCrcLabel);
    serverForm->addRow(QStringLiteral("TimeOut:  "), m_serverTimeoutLabel);
    auto *modbusCaption = new ExLabel(QStringLiteral("ModBus:  "), m_tag, server);
    modbusCaption->setObjectName(QStringLiteral("serverModbusCaption"));
    modbusCaption->setStyleSheet(QStringLiteral("color: blue; border-bottom-width: 1px; border-bottom-style: "
                                                "solid; border-radius: 0px; border-color: blue"));
    m_serverModbusLabel = new ExLabel(QString(), m_tag, server);
    m_serverModbusLabel->setObjectName(QStringLiteral("serverModbusLabel"));
    connect(modbusCaption, &ExLabel::clicked, this, &RYNInfoWidget::slotExLabelClicked);
    connect(m_serverModbusLabel, &ExLabel::clicked, this, &RYNInfoWidget::slotExLabelClicked);
    serverForm->addRow(modbusCaption, m_serverModbusLabel);
    columns->addWidget(server);
    layout->addLayout(columns);

    layout->addLayout(counterForm({{tr("Запросы ModBus:  "), 997}}));
    return group;
}

QFormLayout *RYNInfoWidget::counterForm(const QList<QPair<QString, int>> &rows)
{
    auto *form = new QFormLayout;
    for (const auto &row : rows) {
        QLabel *label = valueLabel(QStringLiteral("reg%1").arg(row.second));
        m_wordLabels.insert(row.second, label);
        form->addRow(row.first, label);
    }
    return form;
}

QLabel *RYNInfoWidget::valueLabel(const QString &objectName, const QString &text)
{
    auto *label = new QLabel(text, m_mainGroup);
    label->setObjectName(objectName);
    return label;
}

QLabel *RYNInfoWidget::ball(Ball which)
{
    auto *label = new QLabel(m_mainGroup);
    label->setObjectName(QLatin1String(ballNames[int(which)]));
    label->setPixmap(m_ballPixmaps[size_t(BallColour::White)]);
    m_balls[size_t(which)] = label;
    return label;
}

void RYNInfoWidget::setBall(Ball which, BallColour colour)
{
    m_balls[size_t(which)]->setPixmap(m_ballPixmaps[size_t(colour)]);
}

void RYNInfoWidget::initProtocolTable()
{
    QTableWidget *table = m_protocolTable;
    table->clearSpans();
    table->setRowCount(protocolRows);
    table->setColumnCount(protocolColumns);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();

    for (int row = 0; row < protocolRows; ++row) {
        for (int column = 0; column < protocolColumns; ++column)
            setProtocolItem(row, column, QString());
    }
    setProtocolSpans();

    // Item numbers of the protocol's points.
    setProtocolCell(0, 0, QStringLiteral("1"));
    setProtocolCell(1, 0, QStringLiteral("2"));
    for (int row = 11; row <= 19; ++row)
        setProtocolCell(row, 0, QString::number(row - 8));
    setProtocolCell(22, 0, QStringLiteral("12"));
    setProtocolCell(26, 0, QStringLiteral("13"));

    setProtocolCell(0, 1, tr("Количество АУ в СЛИ согласно конфигурации"));
    setProtocolCell(1, 1, tr("Фактическое количество АУ, находящихся в СЛИ"));
    setProtocolCell(2, 1, tr("Тип, версия и кол-во АУ в СЛИ:"));
    setProtocolCell(2, 3, tr("<b>Тип</b>"));
    setProtocolCell(2, 5, tr("<b>Версия</b>"));
    setProtocolCell(2, 6, tr("<b>Кол-во</b>"));
    // Flags not yet read tick neither box.
    for (const FlagRow &flag : flagRows) {
        setProtocolCell(flag.protocolRow, 1, tr(flag.title));
        setProtocolCell(flag.protocolRow, 3, presentMark(false));
        setProtocolCell(flag.protocolRow, 5, absentMark(true));
    }
    setProtocolCell(13, 1, tr("Напряжение питания"));
    setProtocolCell(14, 1, tr("Сопротивление СЛИ"));
    setProtocolCell(19, 1, tr("Ошибки ОС"));
    for (int type = 0; type < 6; ++type) {
        const int row = osErrorProtocolRow(type);
        const int column = osErrorProtocolColumn(type);
        setProtocolCell(row, column, tr(osErrorTitles[type]));
        setProtocolCell(row, column + 1, tickBox(false));
    }
    for (const WordRegister &word : wordRegisters) {
        if (word.protocolRow >= 0)
            setProtocolCell(word.protocolRow, word.protocolColumn, QLatin1String(word.name));
    }
    setProtocolCell(26, 2, tr("RYN"));
    setProtocolCell(29, 2, tr("Сервер"));
    setProtocolCell(29, 3, QStringLiteral("CRC"));
    setProtocolCell(29, 5, QStringLiteral("ModBus"));
    setProtocolCell(30, 3, QStringLiteral("TimeOut"));
    writeOperatingTime(unknownOperatingTimeText());
}

void RYNInfoWidget::setReportRow(int row, const QString &title, const QString &value)
{
    for (int column = 0; column < 2; ++column) {
        const QString &text = column == 0 ? title : value;
        if (QTableWidgetItem *item = m_reportTable->item(row, column))
            item->setText(text);
        else
            m_reportTable->setItem(row, column, new QTableWidgetItem(text));
    }
}

void RYNInfoWidget::setProtocolCell(int row, int column, const QString &text)
{
    setProtocolItem(protocolTableRow(row), column, text);
}

void RYNInfoWidget::setProtocolItem(int tableRow, int column, const QString &text)
{
    if (QTableWidgetItem *item = m_protocolTable->item(tableRow, column))
        item->setText(text);
    else
        m_protocolTable->setItem(tableRow, column, new QTableWidgetItem(text));
}

int RYNInfoWidget::protocolTableRow(int row) const
{
    return row < rowAfterTypes ? row : row + m_protocolTypeRows - protocolTypeRows;
}

void RYNInfoWidget::setProtocolTypeRows(int typeRows)
{
    typeRows = qMax(typeRows, int(protocolTypeRows));
    if (typeRows == m_protocolTypeRows)
        return;
    // Rows are added or taken at the end of the types: the rows below keep their texts and numbers.
    const int end = firstTypeRow + m_protocolTypeRows;
    for (int row = end; row < firstTypeRow + typeRows; ++row) {
        m_protocolTable->insertRow(row);
        for (int column = 0; column < protocolColumns; ++column)
            setProtocolItem(row, column, QString());
    }
    for (int row = end - 1; row >= firstTypeRow + typeRows; --row)
        m_protocolTable->removeRow(row);
    m_protocolTypeRows = typeRows;
    setProtocolSpans();
}

void RYNInfoWidget::setProtocolSpans()
{
    QTableWidget *table = m_protocolTable;
    table->clearSpans();
    const auto span = [this, table](int row, int column, int rows, int columns) {
        table->setSpan(protocolTableRow(row), column, rows, columns);
    };
    for (int row : {0, 1, 13, 14}) {
        span(row, 1, 1, 2);
        span(row, 3, 1, 4);
    }
    // The heading of the types and every type row.
    table->setSpan(typesHeadingRow, 0, 1 + m_protocolTypeRows, 1);
    table->setSpan(typesHeadingRow, 1, 1 + m_protocolTypeRows, 2);
    for (int row = typesHeadingRow; row < firstTypeRow + m_protocolTypeRows; ++row)
        table->setSpan(row, 3, 1, 2);
    for (int row : {11, 12, 15, 16, 17, 18}) {
        span(row, 1, 1, 2);
        span(row, 3, 1, 2);
        span(row, 5, 1, 2);
    }
    span(19, 0, 3, 1);
    span(19, 1, 3, 2);
    span(22, 0, 4, 1);
    span(22, 1, 4, 2);
    span(26, 0, 5, 1);
    span(26, 1, 5, 1);
    span(26, 2, 3, 1);
    span(28, 5, 1, 2);
    span(29, 2, 2, 1);
    span(30, 5, 1, 2);
}

void RYNInfoWidget::slotRynSelected(int rynAddr)
{
    m_rynAddr = rynAddr;
    m_mainGroup->setTitle(rynAddr != 0 ? tr("RYN") + tr(" адрес %1").arg(rynAddr) : tr("RYN"));
    m_operatingTime = OperatingTime();
    showOperatingTime(unknownOperatingTimeText());
}

void RYNInfoWidget::slotRxTimeoutErrCntChanged(uint rxTimeoutErrCnt)
{
    const QString count = QString::number(rxTimeoutErrCnt);
    m_serverTimeoutLabel->setText(count);
    setReportRow(52, tr("TimeOut"), count);
    setProtocolCell(30, 4, count);
}

void RYNInfoWidget::slotRxCommErrCntChanged(uint rxCommErrCnt)
{
    const QString count = QString::number(rxCommErrCnt);
    m_serverCrcLabel->setText(count);
    setReportRow(50, tr("Ошибки ModBus  Сервер:"));
    setReportRow(51, tr("CRC"), count);
    setProtocolCell(29, 4, count);
}

void RYNInfoWidget::slotRxModbusErrCntChanged(uint rxModbusErrCnt)
{
    const QString count = QString::number(rxModbusErrCnt);
    m_serverModbusLabel->setText(count);
    setReportRow(53, tr("ModBus"), count);
    setProtocolCell(29, 6, count);
}

void RYNInfoWidget::slotRynRegistersUpdated(RynRegisterAddress regAddr, ushort regWord)
{
    if (regAddr < firstRegister || regAddr > lastRegister)
        return;
    const quint8 lo = quint8(regWord & 0xFF);
    const quint8 hi = quint8(regWord >> 8);
    for (const BallState &state : ballStates(regAddr, regWord))
        setBall(state.ball, state.colour);

    if (const WordRegister *word = wordRegister(regAddr)) {
        const QString value = QString::number(regWord);
        m_wordLabels.value(regAddr)->setText(value);
        setReportRow(word->reportRow, tr(word->name), value);
        if (word->protocolRow >= 0)
            setProtocolCell(word->protocolRow, word->protocolColumn + 1, value);
        if (regAddr >= 981 && regAddr <= 988)
            setReportRow(30, tr("Количество ошибок СЛИ:"));
        else if (regAddr >= 989 && regAddr <= 993)
            setReportRow(43, tr("Ошибки ModBus RYN:"));
        return;
    }

    switch (regAddr) {
    case 977:
        showVersion(versionWithMinor(m_versionLabel->text(), regWord));
        if (regWord < firstVersionWithOperatingTime)
            showOperatingTime(unknownOperatingTimeText());
        break;
    case 978:
        m_unitCountLabel->setText(QString::number(hi));
        m_polledCountLabel->setText(QString::number(lo));
        setReportRow(5, tr("Количество АУ в СЛИ согласно конфигурации"), QString::number(hi));
        setReportRow(6, tr("Фактическое количество АУ, находящихся в СЛИ"), QString::number(lo));
        setProtocolCell(0, 3, QString::number(hi));
        setProtocolCell(1, 3, QString::number(lo));
        break;
    case 979:
    case 980:
        showFlags(regAddr, regWord);
        break;
    case 994:
    case 995:
    case 998:
        m_decimalWords.insert(regAddr, regWord);
        showDecimalRegister(regAddr, regWord);
        break;
    case 999:
        m_toChargeLabel->setText(QString::number(lo));
        m_chargingLabel->setText(QString::number(hi));
        break;
    case 1000:
        showVersion(versionWithMajor(m_versionLabel->text(), regWord));
        break;
    case 1002:
        setSecondsAndMinutes(m_operatingTime, regWord);
        break;
    case 1003:
        setHoursAndDays(m_operatingTime, regWord);
        showOperatingTime(operatingTimeText(m_operatingTime));
        break;
    default:
        break;
    }
}

void RYNInfoWidget::setDocumentLocale(const QLocale &locale)
{
    m_locale = locale;
    for (auto it = m_decimalWords.cbegin(); it != m_decimalWords.cend(); ++it)
        showDecimalRegister(it.key(), it.value());
}

void RYNInfoWidget::showDecimalRegister(int regAddr, quint16 word)
{
    switch (regAddr) {
    case 994: {
        const QString voltage = supplyVoltageText(word, m_locale);
        m_voltage24Label->setText(voltage);
        m_current24Label->setText(supply24CurrentText(word, m_locale));
        setReportRow(16, tr("Напряжение питания"), voltage);
        setProtocolCell(13, 3, voltage + QLatin1Char(' ') + tr("В"));
        break;
    }
    case 995:
        m_voltage13Label->setText(supplyVoltageText(word, m_locale));
        m_current13Label->setText(supply13CurrentText(word, m_locale));
        break;
    case 998: {
        const QString resistance = loopResistanceText(word, m_locale);
        m_resistanceLabel->setText(resistance);
        setReportRow(11, tr("Сопротивление СЛИ"), resistance);
        setProtocolCell(14, 3, resistance + QLatin1Char(' ') + tr("Ом."));
        break;
    }
    default:
        break;
    }
}

void RYNInfoWidget::showVersion(const QString &version)
{
    m_versionLabel->setText(version);
    setReportRow(3, tr("Версия"), reportVersionText(version));
}

void RYNInfoWidget::showOperatingTime(const QString &text)
{
    m_operatingTimeLabel->setText(text);
    writeOperatingTime(text);
}

void RYNInfoWidget::writeOperatingTime(const QString &text)
{
    setReportRow(0, tr("Продолжительность работы"), text);
    const QString underlined = QStringLiteral("<u>&nbsp;&nbsp;%1&nbsp;&nbsp;</u>").arg(text) + QChar(0x00B2);
    setProtocolCell(22, 1, tr("Количество ошибок СЛИ \n\nВремя работы ") + underlined);
    setProtocolCell(22, 2, text);
    setProtocolCell(26, 1, tr("Количество ошибок ModBus \n\nВремя работы ") + underlined);
}

void RYNInfoWidget::showFlags(int regAddr, quint16 word)
{
    for (const FlagRow &flag : flagRows) {
        if (flag.reg != regAddr)
            continue;
        const bool set = (word >> flag.bit) & 1u;
        setReportRow(flag.reportRow, tr(flag.title), yesNo(set));
        setProtocolCell(flag.protocolRow, 3, presentMark(set));
        setProtocolCell(flag.protocolRow, 5, absentMark(set));
    }
    if (regAddr != 980)
        return;
    setReportRow(21, tr("Ошибки ОС:"));
    for (int type = 0; type < 6; ++type) {
        const bool set = (word >> errorBit(osErrorBalls[type])) & 1u;
        setReportRow(22 + type, tr(osErrorTitles[type]), yesNo(set));
        setProtocolCell(osErrorProtocolRow(type), osErrorProtocolColumn(type) + 1, tickBox(set));
    }
}

void RYNInfoWidget::slotTypeVersionCountMap(QMap<HardTypes, QPair<QString, QString>> typesInfoMap)
{
    setProtocolTypeRows(typesInfoMap.size());
    int row = firstTypeRow;
    for (auto it = typesInfoMap.cbegin(); it != typesInfoMap.cend(); ++it, ++row) {
        setProtocolItem(row, 3, auTypeDisplayName(it.key()));
        setProtocolItem(row, 5, it.value().first);
        setProtocolItem(row, 6, it.value().second);
    }
    // Rows left over from a longer summary are emptied: they would name types no longer there.
    for (; row < firstTypeRow + m_protocolTypeRows; ++row) {
        for (int column : {3, 5, 6})
            setProtocolItem(row, column, QString());
    }
}

void RYNInfoWidget::slotModbusErrorCode(int modbusErrorCode)
{
    ++m_modbusErrorMap[modbusErrorCode];
}

void RYNInfoWidget::slotModbusErrorCodes(QMap<int, int> modbusErrorMap)
{
    m_modbusErrorMap = modbusErrorMap;
}

void RYNInfoWidget::slotExLabelClicked(int tag)
{
    if (tag != m_tag)
        return;
    m_errorsDialog->exec(m_serverModbusLabel->text().toInt(), m_modbusErrorMap);
}
