#include "ryncmdwidget.h"

#include "commandcodes.h"
#include "ryncmddialog.h"
#include "rynsetupdialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// Target, first and second parameter of a command addressed to the controller itself.
const QByteArray controllerTarget(3, '\0');
constexpr int configurationCommands = 6;
} // namespace

RYNCmdWidget::RYNCmdWidget(QWidget *parent)
    : QWidget(parent)
{
    auto *configuration = new QGroupBox(tr("Конфигурирование"), this);
    configuration->setAlignment(Qt::AlignHCenter);
    configuration->setStyleSheet(QStringLiteral("QGroupBox {color: red; font: bold}"));
    m_defaultsButton = new QPushButton(tr("По умолчанию"), configuration);
    m_defaultsButton->setObjectName(QStringLiteral("defaultsButton"));
    m_clearButton = new QPushButton(tr("Очистка"), configuration);
    m_clearButton->setObjectName(QStringLiteral("clearButton"));
    auto *configurationLayout = new QHBoxLayout(configuration);
    configurationLayout->setContentsMargins(0, 0, 0, 0);
    configurationLayout->setSpacing(0);
    configurationLayout->addWidget(m_defaultsButton);
    configurationLayout->addWidget(m_clearButton);

    auto *commands = new QGroupBox(this);
    m_resetButton = iconButton(QStringLiteral("resetButton"), QStringLiteral(":/images/commands/reset.png"),
                               tr("Сбросить выбранный RYN"));
    m_commandsButton = iconButton(QStringLiteral("commandsButton"),
                                  QStringLiteral(":/images/commands/commands.png"), tr("Выполнить команду"));
    m_paramsButton = iconButton(QStringLiteral("paramsButton"), QStringLiteral(":/images/commands/setup.png"),
                                tr("Параметры RYN"));
    m_resetAllButton = iconButton(QStringLiteral("resetAllButton"),
                                  QStringLiteral(":/images/commands/reset_all.png"), tr("Сбросить ВСЕ RYN"));
    auto *commandsLayout = new QHBoxLayout(commands);
    commandsLayout->setContentsMargins(2, 2, 2, 2);
    commandsLayout->addWidget(m_resetButton);
    commandsLayout->addWidget(m_commandsButton);
    commandsLayout->addWidget(m_paramsButton);
    commandsLayout->addSpacing(32);
    commandsLayout->addWidget(m_resetAllButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(configuration);
    layout->addWidget(commands);

    m_cmdDialog = new RynCmdDialog(this);
    m_setupDialog = new RynSetupDialog(this);
    m_setupDialog->resize(800, 550);

    connect(m_resetButton, &QToolButton::clicked, this, &RYNCmdWidget::slotResetRyn);
    connect(m_commandsButton, &QToolButton::clicked, this, &RYNCmdWidget::slotCmdToRyn);
    connect(m_paramsButton, &QToolButton::clicked, this, &RYNCmdWidget::slotRynParams);
    connect(m_resetAllButton, &QToolButton::clicked, this, &RYNCmdWidget::slotResetAllRyn);
    connect(m_defaultsButton, &QPushButton::clicked, this, &RYNCmdWidget::slotSetDefaultConfig);
    connect(m_clearButton, &QPushButton::clicked, this, &RYNCmdWidget::slotClearConfig);
}

QToolButton *RYNCmdWidget::iconButton(const QString &objectName, const QString &icon, const QString &toolTip)
{
    auto *button = new QToolButton(this);
    button->setObjectName(objectName);
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(24, 24));
    button->setMinimumSize(32, 32);
    button->setToolTip(toolTip);
    button->setEnabled(false);
    return button;
}

bool RYNCmdWidget::confirmed(const QString &question)
{
    // No is the default: Enter must not reset or reconfigure a controller by accident.
    return QMessageBox::question(this, tr("Внимание!"), question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void RYNCmdWidget::slotResetRyn()
{
    if (confirmed(tr("Будет выполнен сброс выбранного RYN!\nПродолжить?")))
        emit signalSendCmd(CMD_RYN_RESET, controllerTarget);
}

void RYNCmdWidget::slotResetAllRyn()
{
    if (!confirmed(tr("Будет выполнен сброс ВСЕХ RYN!\nПродолжить?")))
        return;
    for (int rynAddr : qAsConst(m_foundRyns))
        emit signalSendCmd2(uchar(rynAddr), CMD_RYN_RESET, controllerTarget);
}

void RYNCmdWidget::slotCmdToRyn()
{
    RynCmd rynCmd;
    if (m_cmdDialog->exec(rynCmd) != QDialog::Accepted || rynCmd.command == 0)
        return;
    // Every command of the list changes the controller: relays, loop outputs, its tables.
    if (!confirmed(tr("Будет выполнена команда RYN:\n%1\nПродолжить?").arg(rynCmd.text)))
        return;
    QByteArray info;
    info.append(char(rynCmd.target));
    info.append(char(rynCmd.param1));
    info.append(char(rynCmd.param2));
    emit signalSendCmd(1000 + rynCmd.command, info);
}

void RYNCmdWidget::slotRynParams()
{
    m_setupDialog->exec();
}

void RYNCmdWidget::slotSetDefaultConfig()
{
    if (!confirmed(tr("Вы уверены, что хотите сконфигурировать RYN значениями по умолчанию?")))
        return;
    for (int i = 0; i < configurationCommands; ++i)
        emit signalSendCmd(CMD_DEFAULT_CFG_UNBLOCKED + i, QByteArray());
}

void RYNCmdWidget::slotClearConfig()
{
    if (!confirmed(tr("Вы уверены, что хотите очистить конфигурацию?")))
        return;
    for (int i = 0; i < configurationCommands; ++i)
        emit signalSendCmd(CMD_CLEAR_CFG_UNBLOCKED + i, QByteArray());
}

void RYNCmdWidget::slotRynSelected(int rynAddr)
{
    if (rynAddr == 0)
        return;
    m_rynAddr = rynAddr;
    for (QToolButton *button : {m_resetButton, m_commandsButton, m_paramsButton, m_resetAllButton})
        button->setEnabled(true);
}

void RYNCmdWidget::slotRynFound(int rynAddr)
{
    if (!m_foundRyns.contains(rynAddr))
        m_foundRyns.append(rynAddr);
    m_resetAllButton->setEnabled(true);
}

void RYNCmdWidget::slotDisableRynCommands()
{
    m_foundRyns.clear();
    for (QToolButton *button : {m_resetButton, m_resetAllButton, m_commandsButton, m_paramsButton})
        button->setEnabled(false);
}
