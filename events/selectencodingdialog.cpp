#include "selectencodingdialog.h"

#include "settings.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString settingsGroup = QStringLiteral("Encoding");
const QString keyCsvEncoding = QStringLiteral("CsvEncoding");
} // namespace

SelectEncodingDialog::SelectEncodingDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("Кодировка"));
    m_encodingCombo = new QComboBox(this);
    m_encodingCombo->addItems({QStringLiteral("UTF-8"), QStringLiteral("Windows-1251")});
    auto *okButton = new QPushButton(QIcon(QStringLiteral(":/images/buttons/ok.png")), tr("Ок"), this);
    okButton->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Выберите кодировку:"), this));
    layout->addWidget(m_encodingCombo);
    layout->addLayout(buttons);

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

QString SelectEncodingDialog::getEncoding(QWidget *parent)
{
    SelectEncodingDialog dialog(parent);
    const QString stored = Settings::readValue(keyCsvEncoding, settingsGroup, QString()).toString();
    const int storedIndex = dialog.m_encodingCombo->findText(stored);
    if (storedIndex >= 0)
        dialog.m_encodingCombo->setCurrentIndex(storedIndex);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QString encoding = dialog.m_encodingCombo->currentText();
    Settings::writeValue(encoding, keyCsvEncoding, settingsGroup);
    return encoding;
}
