#include "evdescdialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QPushButton *iconButton(const QString &icon, const QString &text, QWidget *parent)
{
    return new QPushButton(QIcon(icon), text, parent);
}

} // namespace

EvDescDialog::EvDescDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("Описание события"));
    setMinimumWidth(700);

    m_codeCombo = new QComboBox(this);
    m_codeCombo->setEnabled(false);
    auto *codeRow = new QHBoxLayout;
    codeRow->addWidget(new QLabel(tr("Код события:"), this));
    codeRow->addWidget(m_codeCombo);
    codeRow->addStretch();

    m_descEdit = new QLineEdit(this);
    m_descEdit->setEnabled(false);
    auto *fgButton =
        iconButton(QStringLiteral(":/images/buttons_24/font_color.png"), tr("Изменить цвет шрифта"), this);
    auto *bgButton =
        iconButton(QStringLiteral(":/images/buttons_24/fill_color.png"), tr("Изменить цвет фона"), this);
    auto *descRow = new QHBoxLayout;
    descRow->addWidget(new QLabel(tr("Событие:"), this));
    descRow->addSpacing(20);
    descRow->addWidget(m_descEdit, 1);
    descRow->addWidget(fgButton);
    descRow->addWidget(bgButton);

    m_addDescBox = new QGroupBox(tr("Отображать дополнительное описание"), this);
    m_addDescBox->setCheckable(true);
    m_prefixEdit = new QLineEdit(m_addDescBox);
    m_postfixEdit = new QLineEdit(m_addDescBox);
    auto *affixes = new QFormLayout;
    affixes->addRow(tr("Префикс:"), m_prefixEdit);
    affixes->addRow(tr("Постфикс:"), m_postfixEdit);
    m_useDescCheck = new QCheckBox(tr("Заменить значение (число) на описание:"), m_addDescBox);
    m_namesTable = new QTableWidget(0, 2, m_addDescBox);
    m_namesTable->setHorizontalHeaderLabels({tr("Значение"), tr("Описание")});
    m_namesTable->verticalHeader()->hide();
    m_namesTable->setColumnWidth(0, 70);
    m_namesTable->horizontalHeader()->setStretchLastSection(true);
    m_namesTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_namesTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_namesTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_namesTable->setMinimumHeight(120);
    auto *nameButtons = new QVBoxLayout;
    nameButtons->addWidget(
        iconButton(QStringLiteral(":/images/buttons_24/plus.png"), tr("Добавить описание"), m_addDescBox));
    nameButtons->addWidget(
        iconButton(QStringLiteral(":/images/buttons_24/edit.png"), tr("Изменить описание"), m_addDescBox));
    nameButtons->addWidget(
        iconButton(QStringLiteral(":/images/buttons_24/minus.png"), tr("Удалить описание"), m_addDescBox));
    nameButtons->addStretch();
    auto *namesRow = new QHBoxLayout;
    namesRow->addWidget(m_namesTable, 1);
    namesRow->addLayout(nameButtons);
    auto *boxLayout = new QVBoxLayout(m_addDescBox);
    boxLayout->addLayout(affixes);
    boxLayout->addWidget(m_useDescCheck);
    boxLayout->addLayout(namesRow);
    // Only colours are edited here; the rest is shown for reference.
    m_addDescBox->setEnabled(false);

    auto *saveButton = iconButton(QStringLiteral(":/images/buttons/ok.png"), tr("Сохранить"), this);
    auto *cancelButton = iconButton(QStringLiteral(":/images/buttons/cancel.png"), tr("Отмена"), this);
    saveButton->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(codeRow);
    layout->addLayout(descRow);
    layout->addWidget(m_addDescBox);
    layout->addLayout(buttons);

    resize(900, sizeHint().height());

    connect(fgButton, &QPushButton::clicked, this, &EvDescDialog::slotSetFgColor);
    connect(bgButton, &QPushButton::clicked, this, &EvDescDialog::slotSetBgColor);
    connect(saveButton, &QPushButton::clicked, this, &EvDescDialog::slotAccept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

int EvDescDialog::exec(EvDesc &evDesc, const EvDescList &evDescList)
{
    if (m_lastSize.isValid())
        resize(m_lastSize);

    m_codeCombo->clear();
    for (int code : offeredEvCodes(evDesc.code, evDescList))
        m_codeCombo->addItem(QString::number(code), code);
    m_codeCombo->setCurrentIndex(0);
    m_descEdit->setText(evDesc.desc);
    m_fgColor = evDesc.fgColor;
    m_bgColor = evDesc.bgColor;
    updatePreview();
    m_addDescBox->setChecked(evDesc.addDesc);
    m_prefixEdit->setText(evDesc.addDescPrefix);
    m_postfixEdit->setText(evDesc.addDescPostfix);
    m_useDescCheck->setChecked(evDesc.addDescUseDesc);
    m_namesTable->setRowCount(0);
    for (auto it = evDesc.addDescDesc.cbegin(); it != evDesc.addDescDesc.cend(); ++it) {
        const int row = m_namesTable->rowCount();
        m_namesTable->insertRow(row);
        auto *valueItem = new QTableWidgetItem(QString::number(it.key()));
        valueItem->setData(Qt::UserRole, it.key());
        m_namesTable->setItem(row, 0, valueItem);
        m_namesTable->setItem(row, 1, new QTableWidgetItem(it.value()));
    }

    const int result = QDialog::exec();
    m_lastSize = size();
    if (result == QDialog::Accepted)
        evDesc = readBack();
    return result;
}

void EvDescDialog::slotAccept()
{
    if (readBack().code == 0) {
        QMessageBox::critical(this, tr("Ошибка!"), tr("Номер события не должен быть '0'!"));
        return;
    }
    accept();
}

void EvDescDialog::slotSetFgColor()
{
    const QColor color = QColorDialog::getColor(QColor(m_fgColor), this);
    if (!color.isValid())
        return;
    m_fgColor = color.name();
    updatePreview();
}

void EvDescDialog::slotSetBgColor()
{
    const QColor color = QColorDialog::getColor(QColor(m_bgColor), this);
    if (!color.isValid())
        return;
    m_bgColor = color.name();
    updatePreview();
}

EvDesc EvDescDialog::readBack() const
{
    EvDesc evDesc;
    evDesc.code = m_codeCombo->currentData().toInt();
    evDesc.desc = m_descEdit->text();
    evDesc.fgColor = m_fgColor;
    evDesc.bgColor = m_bgColor;
    evDesc.addDesc = m_addDescBox->isChecked();
    evDesc.addDescPrefix = m_prefixEdit->text();
    evDesc.addDescPostfix = m_postfixEdit->text();
    evDesc.addDescUseDesc = m_useDescCheck->isChecked();
    for (int row = 0; row < m_namesTable->rowCount(); ++row)
        evDesc.addDescDesc.insert(m_namesTable->item(row, 0)->data(Qt::UserRole).toInt(),
                                  m_namesTable->item(row, 1)->text());
    return evDesc;
}

void EvDescDialog::updatePreview()
{
    m_descEdit->setStyleSheet(QStringLiteral("color:") + m_fgColor + QStringLiteral("; background:") +
                              m_bgColor);
}
