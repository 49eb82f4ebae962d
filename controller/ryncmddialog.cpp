#include "ryncmddialog.h"

#include <QFont>
#include <QHBoxLayout>
#include <QIcon>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

RynCmdDialog::RynCmdDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("Команды RYN"));

    auto *tabs = new QTabWidget(this);
    m_list = new QListWidget(tabs);
    m_list->setObjectName(QStringLiteral("commandList"));
    QFont font(QStringLiteral("Monospace"));
    font.setStyleHint(QFont::Monospace);
    m_list->setFont(font);
    tabs->addTab(m_list, tr("Из списка"));

    const QString off = tr("                     - выключить");
    addCommand(1001, tr("СЛИ слева            - включить"), 3);
    addCommand(1002, off, 5);
    addCommand(1003, tr("СЛИ справа           - включить"), 4);
    addCommand(1004, off, 6);
    addCommand(1005, tr("Реле 'Неисправность' - включить"), 7);
    addCommand(1006, off, 11);
    addCommand(1007, tr("Реле 'Пуск'          - включить"), 8);
    addCommand(1008, off, 12);
    addCommand(1009, tr("Реле 'Пожар'         - включить"), 9);
    addCommand(1010, off, 13);
    addCommand(1011, tr("Очистка таблиц       - ВСЕХ таблиц"), 19);
    // The on/off pairs alternate in colour so that each off line reads with its device.
    for (int row : {0, 1, 4, 5, 8, 9})
        m_list->item(row)->setBackground(QColor(QStringLiteral("bisque")));

    m_executeButton =
        new QPushButton(QIcon(QStringLiteral(":/images/buttons/right_arrow.png")), tr("Выполнить"), this);
    m_executeButton->setObjectName(QStringLiteral("executeButton"));
    auto *cancelButton =
        new QPushButton(QIcon(QStringLiteral(":/images/buttons/cancel.png")), tr("Отмена"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    connect(m_executeButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_executeButton);
    buttons->addWidget(cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(buttons);

    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    m_executeButton->setEnabled(m_list->count() > 0);
    fitListToEntries();
    adjustSize();
    setFixedSize(size());
}

// A list widget's own size hint is a fixed guess: it cut the entries and scrolled. The list is made
// exactly as large as its entries instead, in whatever language and font they come.
void RynCmdDialog::fitListToEntries()
{
    int height = 0;
    for (int row = 0; row < m_list->count(); ++row)
        height += m_list->sizeHintForRow(row);
    const int frame = 2 * m_list->frameWidth();
    m_list->setFixedSize(m_list->sizeHintForColumn(0) + frame, height + frame);
}

void RynCmdDialog::addCommand(int key, const QString &text, quint8 command)
{
    RynCmd cmd;
    cmd.command = command;
    // The text names the command whole, without the list's alignment: an off line ("- выключить")
    // takes the device from the on line above it.
    const QString action = text.simplified();
    if (text.startsWith(QLatin1Char(' ')) && m_list->count() > 0) {
        const QString above = m_list->item(m_list->count() - 1)->text().simplified();
        cmd.text = above.section(QStringLiteral(" - "), 0, 0) + QLatin1Char(' ') + action;
    } else {
        cmd.text = action;
    }
    m_commands.insert(key, cmd);
    auto *item = new QListWidgetItem(text, m_list);
    item->setData(Qt::UserRole, key);
}

int RynCmdDialog::exec(RynCmd &rynCmd)
{
    const int result = QDialog::exec();
    const QListWidgetItem *item = m_list->currentItem();
    if (result == QDialog::Accepted && item)
        rynCmd = m_commands.value(item->data(Qt::UserRole).toInt());
    return result;
}
