#include "rynselectdialog.h"

#include "modbusprotocol.h"
#include "settings.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int firstRynAddr = 1;
constexpr int lastRynAddr = ModbusProtocol::maxRynAddr;

} // namespace

RynSelectDialog::RynSelectDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("Выбор RYN"));

    const auto radio = [this](const QString &text, int type) {
        auto *button = new QRadioButton(text, this);
        button->setObjectName(QString::number(type));
        connect(button, &QRadioButton::clicked, this, &RynSelectDialog::slotSelectTypeChanged);
        return button;
    };
    QRadioButton *current = radio(tr("текущий RYN"), CurrentRyn);
    current->setChecked(true);
    QRadioButton *all = radio(tr("все RYN"), AllRyns);
    QRadioButton *range = radio(tr("RYN с адресами"), RynRange);

    const auto spinBox = [this](const QString &name, int value) {
        auto *box = new QSpinBox(this);
        box->setObjectName(name);
        box->setRange(firstRynAddr, lastRynAddr);
        box->setValue(value);
        connect(box, qOverload<int>(&QSpinBox::valueChanged), this, &RynSelectDialog::slotDiapasonChanged);
        return box;
    };
    m_rangeStart = spinBox(QStringLiteral("rangeStart"), firstRynAddr);
    m_rangeEnd = spinBox(QStringLiteral("rangeEnd"), lastRynAddr);
    slotDiapasonChanged();

    auto *rangeRow = new QHBoxLayout;
    rangeRow->addWidget(range);
    rangeRow->addWidget(new QLabel(tr(" с "), this));
    rangeRow->addWidget(m_rangeStart);
    rangeRow->addWidget(new QLabel(tr(" по "), this));
    rangeRow->addWidget(m_rangeEnd);
    rangeRow->addStretch();
    auto *form = new QFormLayout;
    form->addRow(current);
    form->addRow(all);
    form->addRow(rangeRow);

    auto *apply = new QPushButton(QIcon(QStringLiteral(":/images/buttons/ok.png")), tr("Применить"), this);
    apply->setObjectName(QStringLiteral("applyButton"));
    apply->setDefault(true);
    auto *cancel = new QPushButton(QIcon(QStringLiteral(":/images/buttons/cancel.png")), tr("Отмена"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(apply, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(apply);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

QList<int> RynSelectDialog::addresses(int selectionType, int currentRyn, int rangeStart, int rangeEnd)
{
    QList<int> result;
    switch (selectionType) {
    case CurrentRyn:
        result << currentRyn;
        break;
    case AllRyns:
        rangeStart = firstRynAddr;
        rangeEnd = lastRynAddr;
        Q_FALLTHROUGH();
    case RynRange:
        for (int address = rangeStart; address <= rangeEnd; ++address)
            result << address;
        break;
    default:
        break;
    }
    return result;
}

QList<int> RynSelectDialog::selectedAddresses() const
{
    const int current = Settings::readValue(QStringLiteral("RynAddr"), QStringLiteral("System"), 1).toInt();
    return addresses(m_selectionType, current, m_rangeStart->value(), m_rangeEnd->value());
}

void RynSelectDialog::slotSelectTypeChanged()
{
    bool ok = false;
    const int type = sender() ? sender()->objectName().toInt(&ok) : -1;
    if (ok && type >= CurrentRyn && type <= RynRange)
        m_selectionType = type;
}

void RynSelectDialog::slotDiapasonChanged()
{
    m_rangeStart->setMaximum(m_rangeEnd->value());
    m_rangeEnd->setMinimum(m_rangeStart->value());
}
