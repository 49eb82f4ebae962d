#include "aumenu.h"

#include "aumenucontext.h"
#include "aupropertiesmodel.h"
#include "aureledialog.h"
#include "auvaluedialog.h"
#include "commandcodes.h"

#include <QInputDialog>
#include <QMessageBox>

#include <memory>

namespace {
constexpr int Address251 = 251;
constexpr int ReadBorderOffset = AuMenu::ReadBorderW1 - CMD_AU_READ_BORDER_W1;    // 485
constexpr int WriteBorderOffset = AuMenu::WriteBorderW1 - CMD_AU_WRITE_BORDER_W1; // 367

// Identifier -> command code and first parameter byte.
struct Choice
{
    int code = 0;
    quint8 param = 0;
};

Choice choiceOf(int identifier)
{
    switch (identifier) {
    case 1:
        return {AuMenu::ShowProperties};
    case AuMenu::TrendIdentifier:
        return {AuMenu::ShowTrend};
    case 2:
        return {AuMenu::ShowConfiguration};
    case 7:
        return {AuMenu::SetAddress};
    case 14:
        return {CMD_AU_PYRO_TEST};
    case 25:
    case 26:
        return {AuMenu::RelaysOn + identifier - 25};
    case 27:
    case 28:
        return {CMD_WRITE_UNBLOCKED_BIT, quint8(identifier - 27)};
    case 35:
    case 36:
    case 37:
        return {CMD_AU_PONA_RELAYS_OFF + identifier - 35};
    case 38:
    case 39:
    case 40:
        return {CMD_AU_PONA_VOLTAGE_MAIN + identifier - 38};
    default:
        break;
    }
    if (identifier >= 3 && identifier <= 6)
        return {CMD_AU_RED_LED_ON + identifier - 3};
    if (identifier >= 8 && identifier <= 13) {
        static const int codes[] = {CMD_AU_IONISTOR_CHARGE_ON, CMD_AU_IONISTOR_CHARGE_OFF,
                                    CMD_AU_HEATER_ON,          CMD_AU_HEATER_OFF,
                                    CMD_AU_LASER_ON,           CMD_AU_LASER_OFF};
        return {codes[identifier - 8]};
    }
    if (identifier >= 15 && identifier <= 20)
        return {CMD_AU_TEST_MODE_ON + identifier - 15};
    if (identifier >= 21 && identifier <= 24)
        return {CMD_WRITE_LO_MODE, quint8(identifier - 20)};
    if (identifier >= 29 && identifier <= 31)
        return {AuMenu::ReadBorderW1 + identifier - 29};
    if (identifier >= 32 && identifier <= 34)
        return {AuMenu::WriteBorderW1 + identifier - 32};
    return {};
}

bool between(int type, int first, int last)
{
    return type >= first && type <= last;
}

QByteArray unitInfo(int addr, int param1 = 0, int param2 = 0)
{
    QByteArray info(3, '\0');
    info[0] = char(addr);
    info[1] = char(param1);
    info[2] = char(param2);
    return info;
}

// An integer input with step 1; released by its caller once answered.
std::unique_ptr<QInputDialog> numberInput(QWidget *parent, const QString &title, const QString &label,
                                          int minimum, int maximum, int value)
{
    auto input = std::make_unique<QInputDialog>(parent);
    input->setWindowFlags(input->windowFlags() & ~Qt::WindowContextHelpButtonHint);
    input->setInputMode(QInputDialog::IntInput);
    input->setWindowTitle(title);
    input->setLabelText(label);
    input->setIntRange(minimum, maximum);
    input->setIntStep(1);
    input->setIntValue(value);
    return input;
}

// A border as the properties table last showed it; 0 without a table or when it has not heard of the unit.
int knownBorder(const AuMenuContext *context, int addr, int w)
{
    if (!context || !context->model)
        return 0;
    const int row = context->model->rowOfAddress(addr);
    return row < 0 ? 0 : context->model->record(row).ippW[w - 1];
}
} // namespace

AuMenu::AuMenu(QWidget *parent)
    : QMenu(parent)
{
    const QString on = tr("ВКЛ.");
    const QString off = tr("ВЫКЛ.");
    const QString close = tr("Замкнуть");
    const QString open = tr("Разомкнуть");
    addItem(tr("Свойства ..."), 1);
    addItem(tr("Тренд ..."), TrendIdentifier);
    addItem(tr("Конфигурирование ..."), 2);
    m_items.append(addSeparator());
    addSubmenu(tr("Красный светодиод"), {{on, 3}, {off, 4}}, QStringLiteral(":/images/rxtx/ball_red.png"));
    addSubmenu(tr("Желтый светодиод"), {{on, 5}, {off, 6}}, QStringLiteral(":/images/rxtx/ball_yellow.png"));
    addItem(tr("Задать адрес ..."), 7);
    addSubmenu(tr("Заряд ионисторов"), {{on, 8}, {off, 9}});
    addSubmenu(tr("НЭ"), {{on, 10}, {off, 11}});
    addSubmenu(tr("Лазер"), {{on, 12}, {off, 13}});
    addItem(tr("Тест пиросенсора"), 14);
    addSubmenu(tr("Режим 'ТЕСТ'"), {{on, 15}, {off, 16}});
    addSubmenu(tr("Левый изолятор"), {{close, 17}, {open, 18}});
    addSubmenu(tr("Правый изолятор"), {{close, 19}, {open, 20}});
    addSubmenu(tr("ЛО"), {{tr("Прямое"), 21},
                          {tr("Прямое с миганием"), 22},
                          {tr("Обратное"), 23},
                          {tr("Обратное с миганием"), 24}});
    addSubmenu(tr("Реле Zirn"), {{tr("ВКЛ. ..."), 25}, {tr("ВЫКЛ. ..."), 26}});
    addSubmenu(tr("Блокировка"), {{on, 27}, {off, 28}});
    addSubmenu(tr("Чтение границ"),
               {{tr("Нижняя W1 ..."), 29}, {tr("Средняя W2 ..."), 30}, {tr("Верхняя W3 ..."), 31}});
    addSubmenu(tr("Запись границ"),
               {{tr("Нижняя W1 ..."), 32}, {tr("Средняя W2 ..."), 33}, {tr("Верхняя W3 ..."), 34}});
    addSubmenu(tr("Реле Pona"),
               {{tr("ВЫКЛ. все реле"), 35}, {tr("ВКЛ. реле К1"), 36}, {tr("ВКЛ. реле К2"), 37}});
    addSubmenu(tr("Напряжение Pona"), {{tr("Напряжение сети основное"), 38},
                                       {tr("Напряжение сети резервное"), 39},
                                       {tr("Напряжение сети привода"), 40}});

    m_releDialog = new AuReleDialog(this);
    connect(this, &QMenu::triggered, this, &AuMenu::slotActivated);
}

QAction *AuMenu::addItem(const QString &text, int identifier)
{
    QAction *item = addAction(text);
    item->setData(identifier);
    m_actions.insert(identifier, item);
    m_items.append(item);
    return item;
}

QMenu *AuMenu::addSubmenu(const QString &title, const QList<QPair<QString, int>> &entries,
                          const QString &icon)
{
    QMenu *menu = addMenu(title);
    if (!icon.isEmpty())
        menu->setIcon(QIcon(icon));
    for (const auto &entry : entries) {
        QAction *item = menu->addAction(entry.first);
        item->setData(entry.second);
        m_actions.insert(entry.second, item);
    }
    m_titles.append(title);
    m_items.append(menu->menuAction());
    return menu;
}

QMenu *AuMenu::submenu(const QString &title) const
{
    if (!m_titles.contains(title))
        return nullptr;
    for (QAction *item : m_items) {
        if (item->menu() && item->menu()->title() == title)
            return item->menu();
    }
    return nullptr;
}

void AuMenu::prepare(int addr, int type)
{
    for (QAction *item : qAsConst(m_items)) {
        item->setVisible(true);
        if (item->menu()) {
            for (QAction *entry : item->menu()->actions())
                entry->setVisible(true);
        }
    }
    if (addr == Address251) {
        // A unit at 251 waits to be given its place on the loop: nothing else applies to it.
        for (QAction *item : qAsConst(m_items))
            item->setVisible(item == m_actions.value(7));
        return;
    }
    m_actions.value(TrendIdentifier)->setVisible(m_context && m_context->showTrend);
    const bool outside = !between(type, 1, 24);
    const auto show = [this](const QString &title, bool visible) {
        submenu(title)->menuAction()->setVisible(visible);
    };
    show(tr("НЭ"), false);
    show(tr("Лазер"), isFlameType(type));
    m_actions.value(14)->setVisible(isFlameType(type));
    show(tr("Красный светодиод"), outside || between(type, 1, 7) || type == 12 || between(type, 17, 24));
    show(tr("Желтый светодиод"), outside || between(type, 2, 6) || between(type, 17, 24));
    show(tr("Заряд ионисторов"), outside || type == 3 || type == 6 || between(type, 17, 24));
    show(tr("ЛО"), outside || type == 15 || type == 16);
    show(tr("Реле Zirn"), outside || type == 10 || type == 11 || type == 13);
    show(tr("Чтение границ"), outside || type == 5 || type == 6);
    show(tr("Запись границ"), outside || type == 5 || type == 6);
    show(tr("Реле Pona"), outside || between(type, 18, 22));
    show(tr("Напряжение Pona"), outside || between(type, 18, 22));
}

void AuMenu::slotActivated(QAction *pAction)
{
    m_code = 0;
    m_param1 = 0;
    m_param2 = 0;
    // Actions an owner added (the table's copy and export) are no unit commands.
    if (!pAction || m_actions.value(pAction->data().toInt()) != pAction)
        return;
    const Choice choice = choiceOf(pAction->data().toInt());
    m_code = choice.code;
    m_param1 = choice.param;
}

void AuMenu::run(const Unit &unit, const QPoint &globalPos)
{
    prepare(unit.addr, unit.type);
    m_addr = uchar(unit.addr);
    slotActivated(nullptr);
    exec(globalPos);
    carryOut(unit);
}

void AuMenu::carryOut(const Unit &unit)
{
    switch (m_code) {
    case 0:
        return;
    case ShowProperties:
        emit signalShowAuParams(unit.addr);
        return;
    case ShowConfiguration:
        emit signalShowAuConfig(unit.addr, HardTypes(unit.type));
        return;
    case ShowTrend:
        if (m_context && m_context->showTrend)
            m_context->showTrend(unit.addr);
        return;
    case RelaysOn:
    case RelaysOff:
        switchRelays(unit, m_code == RelaysOn);
        return;
    case SetAddress:
        setAddress(unit);
        return;
    default:
        break;
    }
    if (m_code >= ReadBorderW1 && m_code <= ReadBorderW3)
        readBorder(unit, m_code - ReadBorderW1 + 1);
    else if (m_code >= WriteBorderW1 && m_code <= WriteBorderW3)
        writeBorder(unit, m_code - WriteBorderW1 + 1);
    else if (m_code < RelaysOn)
        emit signalSendCmd(m_code, unitInfo(unit.addr, m_param1, m_param2));
}

quint16 AuMenu::relayMask(int type, const std::array<int, 4> &outputs, const std::array<int, 2> &bank)
{
    constexpr int On = 1;
    quint16 mask = 0;
    for (int i = 0; i < 4; ++i) {
        const int value = (type == InputRelayModule && i < 2) ? bank[i] : outputs[i];
        if (value == On)
            mask |= quint16(1u << i);
    }
    return mask;
}

void AuMenu::switchRelays(const Unit &unit, bool on)
{
    quint16 mask = unit.relaysOn;
    const QString title = on ? tr("Включение реле") : tr("Выключение реле");
    if (m_releDialog->exec(title, unit.type, mask) != QDialog::Accepted || mask == 0)
        return;
    const int code = (on ? CMD_AU_ZIRN_RELAY_ON : CMD_AU_ZIRN_RELAY_OFF) + mask;
    emit signalSendCmd(code, unitInfo(unit.addr));
}

void AuMenu::setAddress(const Unit &unit)
{
    const auto input =
        numberInput(parentWidget(), tr("Ввод адреса"), tr("Новый адрес:"), 1, Address251, unit.addr);
    if (input->exec() != QDialog::Accepted)
        return;
    const int newAddr = input->intValue();
    if (newAddr == unit.addr) {
        QMessageBox::warning(parentWidget(), tr("Информация"), tr("Вы пытаетесь задать тот же адрес!"));
        return;
    }
    if (!m_context || !m_context->isUnitTyped || !m_context->isUnitReachable)
        return;
    if (newAddr != Address251 && m_context->isUnitTyped(newAddr) && m_context->isUnitReachable(newAddr)) {
        const QMessageBox::StandardButton answer = QMessageBox::question(
            parentWidget(), tr("Информация"), tr("Выбранный адрес уже есть и он на связи!\nПродолжить?"),
            QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return;
    }
    emit signalSendCmd(CMD_AU_SET_ADDRESS, unitInfo(unit.addr, newAddr));
}

void AuMenu::readBorder(const Unit &unit, int w)
{
    AuValueDialog::instance()->open(uchar(unit.addr), CMD_READ_IPP_W1 + w - 1, tr("Подождите"),
                                    tr("Ожидаем значение ..."));
    emit signalSendCmd(m_code - ReadBorderOffset, unitInfo(unit.addr));
}

void AuMenu::writeBorder(const Unit &unit, int w)
{
    const auto input =
        numberInput(parentWidget(), tr("Введите значение"), tr("Граница") + QStringLiteral(" W%1:").arg(w), 0,
                    255, knownBorder(m_context, unit.addr, w));
    if (input->exec() != QDialog::Accepted)
        return;
    emit signalSendCmd(m_code - WriteBorderOffset, unitInfo(unit.addr, input->intValue()));
}
