#include "aboutdialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("О программе"));

    auto *logoLabel = new QLabel(this);
    logoLabel->setObjectName(QStringLiteral("logoLabel"));
    logoLabel->setPixmap(QPixmap(QStringLiteral(":/images/ostrel_logo2.png")));
    m_textLabel = new QLabel(this);
    m_textLabel->setObjectName(QStringLiteral("textLabel"));
    auto *linkLabel = new QLabel(this);
    linkLabel->setObjectName(QStringLiteral("linkLabel"));
    linkLabel->setTextFormat(Qt::RichText);
    linkLabel->setTextInteractionFlags(Qt::TextBrowserInteraction);
    linkLabel->setOpenExternalLinks(true);
    linkLabel->setText(
        QStringLiteral("<a href=\"https://ostrel.example/\">%1</a>").arg(tr("Сайт производителя")));

    auto *texts = new QVBoxLayout;
    texts->addWidget(m_textLabel);
    texts->addWidget(new QLabel(this));
    texts->addWidget(new QLabel(this));
    texts->addWidget(linkLabel);
    auto *body = new QHBoxLayout;
    body->addWidget(logoLabel);
    body->addLayout(texts);

    auto *okButton = new QPushButton(tr("OK"), this);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
}

int AboutDialog::exec(const QString &text)
{
    m_textLabel->setText(text);
    // A size fixed earlier would cut a longer text: let the layout measure again first.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    adjustSize();
    setFixedSize(width() + 20, height() + 20);
    return QDialog::exec();
}
