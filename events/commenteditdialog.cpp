#include "commenteditdialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CommentEditDialog::CommentEditDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    m_label = new QLabel(this);
    m_edit = new QPlainTextEdit(this);
    auto *saveButton =
        new QPushButton(QIcon(QStringLiteral(":/images/buttons/ok.png")), tr("Сохранить"), this);
    auto *cancelButton =
        new QPushButton(QIcon(QStringLiteral(":/images/buttons/cancel.png")), tr("Отмена"), this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_edit);
    layout->addLayout(buttons);

    connect(saveButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

QString CommentEditDialog::getComment(const QString &title, const QString &label, QWidget *parent)
{
    CommentEditDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.m_label->setText(label);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.m_edit->toPlainText();
}
