#include "ostrelcommportdialog.h"

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
    m_statusLabel = new QLabel(this);
    m_statusLabel->setObjectName(QStringLiteral("statusLabel"));
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
    m_formLayout->addRow(new QLabel(this), m_statusLabel);
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
    emit signalComPortChanged(selectedPortName());
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
        m_statusLabel->setText(state);
        m_statusLabel->setStyleSheet(QStringLiteral("QLabel{color: red; font-weight: bold}"));
    }
    // The size is fixed, and a long device path must not cut the state off.
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
