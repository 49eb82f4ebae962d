#include "readingrynsprogressdialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString okImage = QStringLiteral(":/images/buttons/ok.png");
const QString cancelImage = QStringLiteral(":/images/buttons/cancel.png");

QLabel *picture(const QString &image, const QString &objectName, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setPixmap(QPixmap(image));
    return label;
}

} // namespace

ReadingRynsProgressDialog::ReadingRynsProgressDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("Процесс сохранения данных"));

    m_bar = new QProgressBar(this);
    auto *form = new QFormLayout;
    for (int i = 0; i < rynRows; ++i) {
        const int rynAddr = i + 1;
        Row &row = m_rows[size_t(i)];
        row.label = new QLabel(tr("RYN %1 - ").arg(rynAddr), this);
        row.label->setObjectName(QStringLiteral("rynLabel%1").arg(rynAddr));
        row.pictures = new QWidget(this);
        row.success = picture(okImage, QStringLiteral("success%1").arg(rynAddr), row.pictures);
        row.failure = picture(cancelImage, QStringLiteral("failure%1").arg(rynAddr), row.pictures);
        auto *pictures = new QHBoxLayout(row.pictures);
        pictures->setContentsMargins(0, 0, 0, 0);
        pictures->addWidget(row.success);
        pictures->addWidget(row.failure);
        pictures->addStretch();
        form->addRow(row.label, row.pictures);
    }

    m_closeButton = new QPushButton(QIcon(okImage), tr("Закрыть"), this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_cancelButton = new QPushButton(QIcon(cancelImage), tr("Отмена"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_closeButton);
    buttons->addWidget(m_cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);
    // Sized with every row and both buttons showing, so no run makes it grow.
    setFixedSize(sizeHint());
}

int ReadingRynsProgressDialog::exec(int rynCount)
{
    for (const Row &row : m_rows) {
        row.label->hide();
        row.pictures->hide();
    }
    m_bar->setRange(0, qMax(0, rynCount));
    m_bar->setValue(0);
    showFinished(false);
    return QDialog::exec();
}

void ReadingRynsProgressDialog::slotRynReadingCompleted(int rynAddr, bool success)
{
    if (rynAddr >= 1 && rynAddr <= rynRows) {
        const Row &row = m_rows[size_t(rynAddr - 1)];
        row.label->show();
        row.pictures->show();
        row.success->setVisible(success);
        row.failure->setVisible(!success);
    }
    m_bar->setValue(qMin(m_bar->value() + 1, m_bar->maximum()));
    if (m_bar->value() >= m_bar->maximum())
        showFinished(true);
}

void ReadingRynsProgressDialog::showFinished(bool finished)
{
    m_closeButton->setVisible(finished);
    m_cancelButton->setVisible(!finished);
}
