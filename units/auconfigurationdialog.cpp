#include "auconfigurationdialog.h"

#include "auconfigentries.h"
#include "commandcodes.h"
#include "linerecordtext.h"
#include "modbusprotocol.h"
#include "unittexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
constexpr int MinThreshold = 25;
constexpr int MaxThreshold = 99;
constexpr int LastTypeCode = 99;
constexpr int LoModeCount = 5;

// The blocks read, in the order they are asked for.
constexpr int ReadOrder[] = {CMD_READ_CFG_UNBLOCKED, CMD_READ_CFG_TYPES,       CMD_READ_CFG_THRESHOLD_T,
                             CMD_READ_CFG_HEAT_BITS, CMD_READ_CFG_OUTPUT_INIT, CMD_READ_CFG_POWER_LO_INIT};

int outputsOf(int type)
{
    return type == RelayModule4 ? 4 : 2;
}

void selectData(QComboBox *choice, int data)
{
    choice->setCurrentIndex(choice->findData(data));
}
} // namespace

AuConfigurationDialog::AuConfigurationDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_mainGroup = new QGroupBox(tr("Основные"), this);
    auto *mainForm = new QFormLayout(m_mainGroup);
    m_disabledChoice = new QComboBox(m_mainGroup);
    m_disabledChoice->addItem(tr("Да"), 0);
    m_disabledChoice->addItem(tr("Нет"), 1);
    mainForm->addRow(tr("Адрес отключен"), m_disabledChoice);
    m_typeChoice = new QComboBox(m_mainGroup);
    for (int type = 0; type <= LastTypeCode; ++type) {
        const QString name = auTypeName(type);
        if (!name.isEmpty())
            m_typeChoice->addItem(name, type);
    }
    m_typeChoice->addItem(tr("неизвестный"), int(UndefinedType));
    mainForm->addRow(tr("Тип устройства"), m_typeChoice);
    layout->addWidget(m_mainGroup);

    m_heatGroup = new QGroupBox(tr("Тепловой канал"), this);
    auto *heatForm = new QFormLayout(m_heatGroup);
    m_thresholdBox = new QSpinBox(m_heatGroup);
    m_thresholdBox->setRange(MinThreshold, MaxThreshold);
    m_thresholdBox->setSuffix(QStringLiteral("%1C").arg(QChar(0x00B0)));
    heatForm->addRow(tr("Пороговая температура"), m_thresholdBox);
    // Any edit counts, even one that ends on the value shown (a clipped one, maybe): a step, or
    // typing, which changes no value while it retypes the value shown.
    connect(m_thresholdBox, QOverload<int>::of(&QSpinBox::valueChanged), this,
            [this] { m_thresholdSet = true; });
    connect(m_thresholdBox->findChild<QLineEdit *>(), &QLineEdit::textEdited, this,
            [this] { m_thresholdSet = true; });
    m_channelTypeChoice = new QComboBox(m_heatGroup);
    for (int channelType = 0; channelType <= 1; ++channelType)
        m_channelTypeChoice->addItem(channelTypeText(channelType, true), channelType);
    heatForm->addRow(tr("Тип теплового канала"), m_channelTypeChoice);
    layout->addWidget(m_heatGroup);

    m_outputsGroup = new QGroupBox(tr("Начальное состояние выходов"), this);
    auto *outputsGroupLayout = new QVBoxLayout(m_outputsGroup);
    outputsGroupLayout->setContentsMargins(0, 0, 0, 0);
    m_outputsPanel = new QWidget(m_outputsGroup);
    outputsGroupLayout->addWidget(m_outputsPanel);
    auto *outputsLayout = new QVBoxLayout(m_outputsPanel);
    const QString outputNames[OutputCount] = {tr("Выход 1 вкл."), tr("Выход 2 вкл."), tr("Выход 3 вкл."),
                                              tr("Выход 4 вкл.")};
    for (int i = 0; i < OutputCount; ++i) {
        m_outputBoxes[i] = new QCheckBox(outputNames[i], m_outputsPanel);
        outputsLayout->addWidget(m_outputBoxes[i]);
    }
    layout->addWidget(m_outputsGroup);

    m_loGroup = new QGroupBox(tr("Начальное состояние ЛО"), this);
    auto *loForm = new QFormLayout(m_loGroup);
    m_loChoice = new QComboBox(m_loGroup);
    for (int mode = 0; mode < LoModeCount; ++mode)
        m_loChoice->addItem(loPowerText(mode, true), mode);
    loForm->addRow(tr("Питание ЛО"), m_loChoice);
    layout->addWidget(m_loGroup);

    m_statusLabel = new QLabel(this);
    m_statusLabel->setStyleSheet(QStringLiteral("QLabel {color: red;}"));
    m_statusLabel->setWordWrap(true);
    m_statusLabel->hide();
    layout->addWidget(m_statusLabel);

    m_applyButton = new QPushButton(QIcon(QStringLiteral(":/images/buttons/ok.png")), tr("Применить"), this);
    m_cancelButton =
        new QPushButton(QIcon(QStringLiteral(":/images/buttons/cancel.png")), tr("Отмена"), this);
    m_applyButton->setDefault(true);
    connect(m_applyButton, &QPushButton::clicked, this, &AuConfigurationDialog::slotAccept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_applyButton);
    buttons->addWidget(m_cancelButton);
    layout->addLayout(buttons);
}

int AuConfigurationDialog::exec(int addr, HardTypes type)
{
    if (m_rynAddr == 0) {
        QMessageBox::warning(parentWidget(), tr("Внимание!"),
                             tr("Контроллер не выбран: конфигурацию АУ прочитать нельзя."));
        return QDialog::Rejected;
    }
    m_addr = addr;
    m_type = type;
    setWindowTitle(tr("Конфигурационные параметры %2 по адресу %1").arg(addr).arg(auTypeName(type)));
    m_heatGroup->setVisible(isHeatType(type));
    m_outputsGroup->setVisible(isRelayOutputType(type));
    m_outputBoxes[2]->setVisible(type == RelayModule4);
    m_outputBoxes[3]->setVisible(type == RelayModule4);
    m_loGroup->setVisible(isLoType(type));
    resetControls();

    m_running = true;
    for (int blockCode : ReadOrder)
        emit signalSendCmd(blockCode);
    const int result = QDialog::exec();
    m_running = false;
    m_pendingWrites.clear();
    return result;
}

void AuConfigurationDialog::resetControls()
{
    for (QGroupBox *group : {m_mainGroup, m_heatGroup, m_outputsGroup, m_loGroup})
        group->setEnabled(false);
    for (int blockCode : ReadOrder)
        controlOf(blockCode)->setEnabled(false);
    m_applyButton->setEnabled(false);
    selectData(m_disabledChoice, 1);
    selectData(m_typeChoice, int(UndefinedType));
    {
        const QSignalBlocker blocker(m_thresholdBox);
        m_thresholdBox->setValue(255);
    }
    m_thresholdSet = false;
    selectData(m_channelTypeChoice, 1);
    for (QCheckBox *box : m_outputBoxes)
        box->setChecked(false);
    selectData(m_loChoice, 0);
    m_blocks.clear();
    m_pendingWrites.clear();
    m_failedBlocks.clear();
    m_unreadBlocks.clear();
    updateStatus();
}

QWidget *AuConfigurationDialog::controlOf(int blockCode) const
{
    switch (blockCode) {
    case CMD_READ_CFG_UNBLOCKED:
        return m_disabledChoice;
    case CMD_READ_CFG_TYPES:
        return m_typeChoice;
    case CMD_READ_CFG_THRESHOLD_T:
        return m_thresholdBox;
    case CMD_READ_CFG_HEAT_BITS:
        return m_channelTypeChoice;
    case CMD_READ_CFG_OUTPUT_INIT:
        return m_outputsPanel;
    case CMD_READ_CFG_POWER_LO_INIT:
        return m_loChoice;
    default:
        return nullptr;
    }
}

QGroupBox *AuConfigurationDialog::groupOf(int blockCode) const
{
    switch (blockCode) {
    case CMD_READ_CFG_TYPES:
        return m_mainGroup;
    case CMD_READ_CFG_HEAT_BITS:
        return m_heatGroup;
    case CMD_READ_CFG_OUTPUT_INIT:
        return m_outputsGroup;
    case CMD_READ_CFG_POWER_LO_INIT:
        return m_loGroup;
    default:
        return nullptr; // blocks 100 and 101 share a group with a block that opens it
    }
}

QString AuConfigurationDialog::entryName(int blockCode) const
{
    switch (blockCode) {
    case CMD_READ_CFG_UNBLOCKED:
        return tr("Адрес отключен");
    case CMD_READ_CFG_TYPES:
        return tr("Тип устройства");
    case CMD_READ_CFG_THRESHOLD_T:
        return tr("Пороговая температура");
    case CMD_READ_CFG_HEAT_BITS:
        return tr("Тип теплового канала");
    case CMD_READ_CFG_OUTPUT_INIT:
        return tr("Начальное состояние выходов");
    case CMD_READ_CFG_POWER_LO_INIT:
        return tr("Питание ЛО");
    default:
        return QString::number(blockCode);
    }
}

void AuConfigurationDialog::slotRynSelected(int rynAddr)
{
    if (rynAddr == m_rynAddr)
        return;
    m_rynAddr = rynAddr;
    // What is shown belongs to the controller that was selected: it must not be written to another.
    if (m_running)
        reject();
}

void AuConfigurationDialog::slotConfigInfo(int rynAddr, int id, int cmdCode, int errCode, QByteArray info)
{
    Q_UNUSED(id)
    if (!m_running || rynAddr != m_rynAddr)
        return;
    if (m_pendingWrites.contains(cmdCode)) {
        const int blockCode = m_pendingWrites.take(cmdCode);
        if (errCode != 0)
            m_failedBlocks.append(blockCode);
        if (m_pendingWrites.isEmpty()) {
            if (m_failedBlocks.isEmpty()) {
                accept();
                return;
            }
            updateStatus();
        }
        updateApplyButton();
        return;
    }
    QWidget *control = controlOf(cmdCode);
    if (!control)
        return;
    // A block that does not reach the unit is as good as a failed read: never written back.
    const bool stored = errCode == 0 && AuConfigEntries::entry(cmdCode, info, m_addr) >= 0;
    if (stored) {
        m_blocks.insert(cmdCode, info);
        showEntry(cmdCode);
        m_unreadBlocks.remove(cmdCode);
    } else {
        m_blocks.remove(cmdCode);
        if (concernsUnit(cmdCode)) {
            // An exception answer carries its code as the one byte of information.
            const quint8 exceptionCode =
                errCode == ModbusProtocol::ResultException && !info.isEmpty() ? quint8(info.at(0)) : 0;
            m_unreadBlocks.insert(cmdCode, errCode != 0 ? LineRecordText::result(errCode, exceptionCode)
                                                        : tr("нет записи АУ"));
        }
    }
    updateStatus();
    control->setEnabled(stored);
    if (QGroupBox *group = groupOf(cmdCode))
        group->setEnabled(true);
    updateApplyButton();
}

void AuConfigurationDialog::showEntry(int blockCode)
{
    const int value = AuConfigEntries::entry(blockCode, m_blocks.value(blockCode), m_addr);
    switch (blockCode) {
    case CMD_READ_CFG_UNBLOCKED:
        selectData(m_disabledChoice, value);
        break;
    case CMD_READ_CFG_TYPES:
        selectData(m_typeChoice, value);
        break;
    case CMD_READ_CFG_THRESHOLD_T: {
        const QSignalBlocker blocker(m_thresholdBox);
        m_thresholdBox->setValue(value); // the box keeps it within 25..99
        m_thresholdSet = false;
        break;
    }
    case CMD_READ_CFG_HEAT_BITS:
        selectData(m_channelTypeChoice, value);
        break;
    case CMD_READ_CFG_OUTPUT_INIT:
        for (int i = 0; i < OutputCount; ++i)
            m_outputBoxes[i]->setChecked(!(value & (1 << i)));
        break;
    case CMD_READ_CFG_POWER_LO_INIT:
        selectData(m_loChoice, (value + 1) % 16);
        break;
    default:
        break;
    }
}

bool AuConfigurationDialog::concernsUnit(int blockCode) const
{
    switch (blockCode) {
    case CMD_READ_CFG_UNBLOCKED:
    case CMD_READ_CFG_TYPES:
        return true;
    case CMD_READ_CFG_THRESHOLD_T:
    case CMD_READ_CFG_HEAT_BITS:
        return isHeatType(m_type);
    case CMD_READ_CFG_OUTPUT_INIT:
        return isRelayOutputType(m_type);
    case CMD_READ_CFG_POWER_LO_INIT:
        return isLoType(m_type);
    default:
        return false;
    }
}

int AuConfigurationDialog::editedEntry(int blockCode) const
{
    if (!concernsUnit(blockCode))
        return -1;
    const int stored = AuConfigEntries::entry(blockCode, m_blocks.value(blockCode), m_addr);
    // A choice that does not list the stored value shows nothing; the stored value then stays.
    const auto chosen = [stored](const QComboBox *choice) {
        return choice->currentIndex() >= 0 ? choice->currentData().toInt() : stored;
    };
    switch (blockCode) {
    case CMD_READ_CFG_THRESHOLD_T:
        // A stored value outside the box's range (255: no threshold) is shown clipped: it stays
        // unless the engineer sets one, even the value shown.
        return m_thresholdSet ? m_thresholdBox->value() : stored;
    case CMD_READ_CFG_UNBLOCKED:
        return chosen(m_disabledChoice);
    case CMD_READ_CFG_TYPES:
        return chosen(m_typeChoice);
    case CMD_READ_CFG_POWER_LO_INIT:
        return m_loChoice->currentIndex() >= 0 ? (m_loChoice->currentData().toInt() + 15) % 16 : stored;
    case CMD_READ_CFG_OUTPUT_INIT: {
        int value = stored;
        for (int i = 0; i < outputsOf(m_type); ++i) {
            if (m_outputBoxes[i]->isChecked())
                value &= ~(1 << i);
            else
                value |= 1 << i;
        }
        return value;
    }
    case CMD_READ_CFG_HEAT_BITS:
        return chosen(m_channelTypeChoice);
    default:
        return -1;
    }
}

void AuConfigurationDialog::slotAccept()
{
    if (!m_pendingWrites.isEmpty())
        return;
    m_failedBlocks.clear();
    updateStatus();
    QList<QPair<int, QByteArray>> writes;
    for (auto it = m_blocks.cbegin(); it != m_blocks.cend(); ++it) {
        const int value = editedEntry(it.key());
        if (value < 0)
            continue;
        const QByteArray info = AuConfigEntries::writeInfo(it.key(), it.value(), m_addr, value);
        if (!info.isEmpty())
            writes.append({it.key(), info});
    }
    if (writes.isEmpty()) {
        accept();
        return;
    }
    // All are pending before the first goes out: an answer may come back before the next is sent.
    for (const auto &write : qAsConst(writes))
        m_pendingWrites.insert(AuConfigEntries::writeCode(write.first), write.first);
    updateApplyButton();
    for (const auto &write : qAsConst(writes))
        emit signalSendCmd(AuConfigEntries::writeCode(write.first), write.second);
}

void AuConfigurationDialog::updateApplyButton()
{
    const bool answered = m_mainGroup->isEnabled() && m_heatGroup->isEnabled() &&
                          m_outputsGroup->isEnabled() && m_loGroup->isEnabled();
    m_applyButton->setEnabled(answered && m_pendingWrites.isEmpty());
}

// What was not read (with why) and what the last "Применить" did not write.
void AuConfigurationDialog::updateStatus()
{
    QStringList lines;
    QStringList unread;
    for (int blockCode : ReadOrder) {
        if (m_unreadBlocks.contains(blockCode))
            unread.append(
                QStringLiteral("%1 (%2)").arg(entryName(blockCode), m_unreadBlocks.value(blockCode)));
    }
    if (!unread.isEmpty())
        lines.append(tr("Не прочитано: %1").arg(unread.join(QStringLiteral(", "))));
    if (m_pendingWrites.isEmpty() && !m_failedBlocks.isEmpty()) {
        QStringList names;
        for (int failed : qAsConst(m_failedBlocks))
            names.append(entryName(failed));
        lines.append(tr("Не записано: %1").arg(names.join(QStringLiteral(", "))));
    }
    m_statusLabel->setText(lines.join(QLatin1Char('\n')));
    m_statusLabel->setVisible(!lines.isEmpty());
}
