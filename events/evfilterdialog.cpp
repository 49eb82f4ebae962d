#include "evfilterdialog.h"

#include "eventdesc.h"
#include "evfilter.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QGroupBox *filterBox(const QString &title, const QString &label, QSpinBox *spin, QWidget *parent)
{
    auto *box = new QGroupBox(QLatin1Char(' ') + title + QLatin1Char(' '), parent);
    box->setCheckable(true);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(label, box));
    row->addWidget(spin);
    row->addStretch();
    auto *layout = new QVBoxLayout(box);
    layout->addLayout(row);
    return box;
}

QSpinBox *spinBox(int min, int max, QWidget *parent)
{
    auto *spin = new QSpinBox(parent);
    spin->setRange(min, max);
    return spin;
}

} // namespace

EvFilterDialog::EvFilterDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("Фильтр событий"));

    m_rynSpin = spinBox(1, 8, this);
    m_auSpin = spinBox(1, 250, this);
    m_codeSpin = spinBox(1, 255, this);
    m_rynBox = filterBox(tr("Выбор RYN"), tr("Адрес RYN:"), m_rynSpin, this);
    m_auBox = filterBox(tr("Выбор АУ"), tr("Адрес АУ:"), m_auSpin, this);
    m_codeBox = filterBox(tr("Выбор события"), tr("Код события:"), m_codeSpin, this);
    m_descLabel = new QLabel(m_codeBox);
    m_codeBox->layout()->addWidget(m_descLabel);

    auto *okButton = new QPushButton(QIcon(QStringLiteral(":/images/buttons/ok.png")), tr("Ввод"), this);
    auto *cancelButton =
        new QPushButton(QIcon(QStringLiteral(":/images/buttons/cancel.png")), tr("Отмена"), this);
    okButton->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_rynBox);
    layout->addWidget(m_auBox);
    layout->addWidget(m_codeBox);
    layout->addLayout(buttons);

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_codeSpin, qOverload<int>(&QSpinBox::valueChanged), this, &EvFilterDialog::slotSetEvDescLabel);
}

int EvFilterDialog::exec(EvFilter &evFilter, const EventDesc *evDesc)
{
    m_evDesc = evDesc;
    m_rynBox->setChecked(evFilter.rynFilterOn);
    m_rynSpin->setValue(evFilter.rynAddr);
    m_auBox->setChecked(evFilter.auFilterOn);
    m_auSpin->setValue(evFilter.auAddr);
    m_codeBox->setChecked(evFilter.evCodeFilterOn);
    m_codeSpin->setValue(evFilter.evCode);
    slotSetEvDescLabel(m_codeSpin->value());

    const int result = QDialog::exec();
    if (result == QDialog::Accepted) {
        evFilter.rynFilterOn = m_rynBox->isChecked() ? 1 : 0;
        evFilter.rynAddr = quint8(m_rynSpin->value());
        evFilter.auFilterOn = m_auBox->isChecked() ? 1 : 0;
        evFilter.auAddr = quint8(m_auSpin->value());
        evFilter.evCodeFilterOn = m_codeBox->isChecked() ? 1 : 0;
        evFilter.evCode = quint8(m_codeSpin->value());
    }
    m_evDesc = nullptr;
    return result;
}

void EvFilterDialog::slotSetEvDescLabel(int evCode)
{
    const QString desc = m_evDesc ? m_evDesc->description(evCode).desc : QString();
    m_descLabel->setText(QStringLiteral("       ") + desc);
}
