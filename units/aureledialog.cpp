#include "aureledialog.h"

#include "hardtypes.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Modules with two relays: their boxes 3 and 4 name relays that are not there.
bool hasTwoRelays(int auType)
{
    return auType == RelayModule2 || auType == InputRelayModule;
}
} // namespace

AuReleDialog::AuReleDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto *layout = new QVBoxLayout(this);
    const QString names[RelayCount] = {tr("Реле 1"), tr("Реле 2"), tr("Реле 3"), tr("Реле 4")};
    for (int i = 0; i < RelayCount; ++i) {
        m_boxes[i] = new QCheckBox(names[i], this);
        layout->addWidget(m_boxes[i]);
        connect(m_boxes[i], &QCheckBox::clicked, this, &AuReleDialog::slotSetOkBtnEnabled);
    }
    m_okButton =
        new QPushButton(QIcon(QStringLiteral(":/images/buttons/right_arrow.png")), tr("Выполнить"), this);
    m_cancelButton =
        new QPushButton(QIcon(QStringLiteral(":/images/buttons/cancel.png")), tr("Отмена"), this);
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    layout->addLayout(buttons);
}

int AuReleDialog::exec(const QString &title, int auType, quint16 &selection)
{
    setWindowTitle(title);
    const bool twoRelays = hasTwoRelays(auType);
    for (int i = 0; i < RelayCount; ++i) {
        const bool present = !(twoRelays && i >= 2);
        m_boxes[i]->setChecked(present && (selection & (1u << i)));
        m_boxes[i]->setEnabled(present);
    }
    slotSetOkBtnEnabled();
    const int result = QDialog::exec();
    if (result == QDialog::Accepted)
        selection = checkedMask();
    return result;
}

void AuReleDialog::slotSetOkBtnEnabled()
{
    m_okButton->setEnabled(checkedMask() != 0);
}

quint16 AuReleDialog::checkedMask() const
{
    quint16 mask = 0;
    for (int i = 0; i < RelayCount; ++i) {
        if (m_boxes[i]->isChecked())
            mask |= quint16(1u << i);
    }
    return mask;
}
