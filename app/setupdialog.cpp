#include "setupdialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

SetupDialog::SetupDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("Настройки программы"));

    m_evCountSpinBox = new QSpinBox(this);
    m_evCountSpinBox->setObjectName(QStringLiteral("evCountSpinBox"));
    m_evCountSpinBox->setRange(Settings::minEvCount, Settings::maxEvCount);
    // A typed number out of range becomes the nearest limit rather than silently the old value.
    m_evCountSpinBox->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    auto *eventsPage = new QWidget(this);
    auto *form = new QFormLayout(eventsPage);
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(tr("Максимальное количество событий:"), m_evCountSpinBox);
    auto *tabs = new QTabWidget(this);
    tabs->addTab(eventsPage, tr("События"));

    auto *saveButton =
        new QPushButton(QIcon(QStringLiteral(":/images/buttons/ok.png")), tr("Сохранить"), this);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    auto *cancelButton =
        new QPushButton(QIcon(QStringLiteral(":/images/buttons/cancel.png")), tr("Отмена"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    connect(saveButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int SetupDialog::exec(Settings::PrgParams &prgParams)
{
    m_evCountSpinBox->setValue(prgParams.evCount);
    const int result = QDialog::exec();
    if (result == QDialog::Accepted) {
        // A number still being typed when the dialog is accepted counts too.
        m_evCountSpinBox->interpretText();
        prgParams.evCount = m_evCountSpinBox->value();
    }
    return result;
}
