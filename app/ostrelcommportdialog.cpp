#include "ostrelcommportdialog.h"

#include "tcpportname.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>

OstrelCommPortDialog::OstrelCommPortDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("Выбор COM-порта"));

    m_disableCheckBox = new QCheckBox(tr("Отключить"), this);
    m_disableCheckBox->setObjectName(QStringLiteral("disableCheckBox"));
    m_portComboBox = new QComboBox(this);
    m_portComboBox->setObjectName(QStringLiteral("portComboBox"));
    // Editable for devices the enumeration misses (pseudo-terminals, renamed adapters); what is
    // typed is used as is and never added to the list. Device names are case-sensitive.
    m_portComboBox->setEditable(true);
    m_portComboBox->setInsertPolicy(QComboBox::NoInsert);
    m_portComboBox->completer()->setCaseSensitivity(Qt::CaseSensitive);
    m_portComboBox->setMinimumContentsLength(16);
    const QString tcpHint = tr("Сервер последовательных портов: tcp://адрес:порт");
    m_portComboBox->setToolTip(tr("Последовательный порт из списка или его имя, набранное вручную.") +
                               QLatin1Char('\n') + tcpHint);
    auto *hintLabel = new QLabel(tcpHint, this);
    hintLabel->setObjectName(QStringLiteral("tcpHintLabel"));
    hintLabel->setEnabled(false); // greyed: a hint, not a state
    m_statusLabel = new QLabel(this);
    m_statusLabel->setObjectName(QStringLiteral("statusLabel"));
    m_echoComboBox = new QComboBox(this);
    m_echoComboBox->setObjectName(QStringLiteral("echoComboBox"));
    m_echoComboBox->addItem(tr("авто"));
    m_echoComboBox->addItem(tr("нет"));
    m_echoComboBox->setToolTip(tr("Многие адаптеры RS-485 принимают то, что сами передают: ответ приходит "
                                  "за копией запроса.\n\"авто\" - копия убирается, \"нет\" - ответ "
                                  "берётся как пришёл."));
    m_echoCountLabel = new QLabel(this);
    m_echoCountLabel->setObjectName(QStringLiteral("echoCountLabel"));
    auto *okButton =
        new QPushButton(QIcon(QStringLiteral(":/images/buttons/ok.png")), QStringLiteral("Ok"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    auto *cancelButton =
        new QPushButton(QIcon(QStringLiteral(":/images/buttons/cancel.png")), tr("Отменить"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));

    auto *emptyRow = new QHBoxLayout;
    emptyRow->addStretch();
    m_formLayout = new QFormLayout;
    m_formLayout->setLabelAlignment(Qt::AlignRight);
    m_formLayout->addRow(tr("COM-порт:"), m_portComboBox);
    m_formLayout->addRow(new QLabel(this), hintLabel);
    m_formLayout->addRow(new QLabel(this), m_statusLabel);
    m_formLayout->addRow(tr("Эхо адаптера:"), m_echoComboBox);
    m_formLayout->addRow(new QLabel(this), m_echoCountLabel);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_disableCheckBox);
    layout->addLayout(emptyRow);
    layout->addLayout(m_formLayout);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(m_portComboBox, &QComboBox::currentTextChanged, this, &OstrelCommPortDialog::slotPortChanged);
    connect(m_disableCheckBox, &QCheckBox::clicked, this, &OstrelCommPortDialog::slotDisconnectChanged);
    connect(okButton, &QPushButton::clicked, this, &OstrelCommPortDialog::slotAcceptClicked);
    connect(cancelButton, &QPushButton::clicked, this, &OstrelCommPortDialog::slotCancelClicked);

    adjustSize();
    setFixedSize(width() + 60, height());
}

QString OstrelCommPortDialog::selectedPortName() const
{
    return m_portComboBox->currentText().trimmed();
}

bool OstrelCommPortDialog::isPortDisabled() const
{
    return m_disableCheckBox->checkState() == Qt::Checked;
}

void OstrelCommPortDialog::setStripEcho(bool strip)
{
    m_echoComboBox->setCurrentIndex(strip ? 0 : 1);
}

bool OstrelCommPortDialog::isStripEcho() const
{
    return m_echoComboBox->currentIndex() == 0;
}

void OstrelCommPortDialog::setEchoCount(int echoes)
{
    m_echoCount = echoes;
    showEchoCount();
}

// Only for the port in use while it is open: a count of another line would mislead.
void OstrelCommPortDialog::showEchoCount()
{
    if (m_isOpen && !m_portName.isEmpty() && selectedPortName() == m_portName)
        m_echoCountLabel->setText(tr("Принято эхо запросов: %1").arg(m_echoCount));
    else
        m_echoCountLabel->clear();
}

QStringList OstrelCommPortDialog::offeredPortNames(const QStringList &availablePortNames)
{
    QStringList offered;
    for (const QString &name : availablePortNames) {
        if (!name.contains(QLatin1String("LPT")))
            offered.append(name);
    }
    return offered;
}

void OstrelCommPortDialog::slotAcceptClicked()
{
    const QString name = selectedPortName();
    if (!isPortDisabled() && TcpPortName::isTcp(name)) {
        const TcpPortName::Error error = TcpPortName::parse(name).error;
        if (error != TcpPortName::NoError) {
            m_statusLabel->setText(tr("Неверное имя порта: %1").arg(TcpPortName::errorText(error)));
            m_statusLabel->setStyleSheet(QStringLiteral("QLabel{color: red; font-weight: bold}"));
            fitWidth();
            return;
        }
    }
    emit signalComPortChanged(name);
    accept();
}

void OstrelCommPortDialog::slotCancelClicked()
{
    reject();
}

QString OstrelCommPortDialog::accessDeniedText()
{
    return tr("нет доступа: добавьте пользователя в группу dialout");
}

void OstrelCommPortDialog::slotPortChanged(const QString &text)
{
    showEchoCount();
    if (text.trimmed().isEmpty() || text.trimmed() != m_portName) {
        m_statusLabel->clear();
        return;
    }
    if (m_isOpen) {
        m_statusLabel->setText(text.trimmed() + QStringLiteral("  -  ") + tr("порт открыт"));
        m_statusLabel->setStyleSheet(QStringLiteral("QLabel{color: green; font-weight: bold}"));
    } else {
        QString state = text.trimmed() + QStringLiteral("  -  ") + tr("порт не открыт");
        if (m_accessDenied)
            state += QStringLiteral(" (") + accessDeniedText() + QLatin1Char(')');
        else if (!m_openError.isEmpty())
            state += QStringLiteral(" (") + m_openError + QLatin1Char(')');
        m_statusLabel->setText(state);
        m_statusLabel->setStyleSheet(QStringLiteral("QLabel{color: red; font-weight: bold}"));
    }
    fitWidth();
}

// The size is fixed, and a long device path or reason must not cut the state off.
void OstrelCommPortDialog::fitWidth()
{
    // The form keeps its measurements until told they are stale.
    m_formLayout->invalidate();
    const int needed = sizeHint().width();
    if (needed > width())
        setFixedWidth(needed);
}

void OstrelCommPortDialog::slotDisconnectChanged(bool isChecked)
{
    m_portComboBox->setEnabled(!isChecked);
}

int OstrelCommPortDialog::exec(const QString &portName, bool isDisable, bool isOpen)
{
    m_portName = portName.trimmed();
    m_isOpen = isOpen;
    refillPortList();
    m_disableCheckBox->setChecked(isDisable);
    m_portComboBox->setEnabled(!isDisable);
    showEchoCount();
    return QDialog::exec();
}

QStringList OstrelCommPortDialog::availablePortNames() const
{
    QStringList names;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : ports)
        names.append(port.portName());
    return names;
}

void OstrelCommPortDialog::refillPortList()
{
    m_portComboBox->clear();
    const QStringList names = offeredPortNames(availablePortNames());
    for (const QString &name : names)
        m_portComboBox->addItem(QIcon(), name);
    // A stored port that is no longer listed is not offered: the first listed port stands in its
    // place. A path the enumeration misses is typed again in the dialog that uses it.
    const int current = names.lastIndexOf(m_portName);
    m_portComboBox->setCurrentIndex(current >= 0 ? current : 0);
}
