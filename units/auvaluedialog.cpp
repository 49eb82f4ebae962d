#include "auvaluedialog.h"

#include "unitpacking.h"

#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

namespace {
QPointer<AuValueDialog> theDialog;
} // namespace

AuValueDialog *AuValueDialog::instance(QWidget *parent)
{
    if (!theDialog)
        theDialog = new AuValueDialog(parent);
    return theDialog;
}

AuValueDialog::AuValueDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_label = new QLabel(tr("Ожидаем значение..."), this);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setMinimumWidth(180);
    layout->addWidget(m_label);
}

void AuValueDialog::open(uchar addr, int readCode, const QString &title, const QString &labelText)
{
    setWindowTitle(title);
    m_label->setText(labelText);
    m_addr = addr;
    m_readCode = readCode;
    show();
    raise();
    activateWindow();
}

QString AuValueDialog::text() const
{
    return m_label->text();
}

void AuValueDialog::slotIppBorderRead(int cmdCode, QByteArray ba)
{
    if (m_addr == 0 || cmdCode != m_readCode)
        return;
    // Border blocks are byte-packed: two units share a register, the odd one in the second byte.
    const int index = UnitPacking::byteIndexOfUnit(m_addr);
    setWindowTitle(tr("Значение"));
    if (index >= 0 && index < ba.size())
        m_label->setText(QString::number(quint8(ba.at(index))));
    else
        m_label->setText(tr("Ошибка!"));
}
