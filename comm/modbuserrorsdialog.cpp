#include "modbuserrorsdialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

ModbusErrorsDialog::ModbusErrorsDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("Ошибки ModBus"));

    m_totalLabel = new QLabel(QStringLiteral("__"), this);
    m_totalLabel->setObjectName(QStringLiteral("totalLabel"));
    m_table = new QTableWidget(0, 2, this);
    m_table->setObjectName(QStringLiteral("errorTable"));
    m_table->setHorizontalHeaderLabels({tr("Ошибка"), tr("Количество")});
    m_table->verticalHeader()->hide();
    m_table->setColumnWidth(0, 570);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setMinimumHeight(210);

    auto *closeButton =
        new QPushButton(QIcon(QStringLiteral(":/images/buttons/cancel.png")), tr("Закрыть"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(closeButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_totalLabel);
    layout->addWidget(m_table);
    layout->addLayout(buttons);

    setMinimumWidth(700);
    adjustSize();
    m_width = width();
    m_height = height();
}

int ModbusErrorsDialog::exec(int errCnt, QMap<int, int> modbusErrorMap)
{
    resize(m_width, m_height);
    m_totalLabel->setText(tr("Всего ошибок: %1").arg(errCnt));
    m_table->clearContents();
    m_table->setRowCount(modbusErrorMap.size());
    int row = 0;
    for (auto it = modbusErrorMap.cbegin(); it != modbusErrorMap.cend(); ++it, ++row) {
        m_table->setItem(row, 0, new QTableWidgetItem(errorText(it.key())));
        m_table->setItem(row, 1, new QTableWidgetItem(QString::number(it.value())));
    }
    if (row > 0)
        m_table->selectRow(0);
    const int result = QDialog::exec();
    m_width = width();
    m_height = height();
    return result;
}

QString ModbusErrorsDialog::exceptionText(int code)
{
    switch (code) {
    case 1:
        return tr("Принятый код функции не может быть обработан на подчиненном");
    case 2:
        return tr("Адрес данных, указанный в запросе, не доступен данному подчиненному");
    case 3:
        return tr("Величина, содержащаяся в поле данных запроса, недопустима");
    case 4:
        return tr("Невосстанавливаемая ошибка при выполнении действия подчиненным");
    case 5:
        return tr("Подчиненный принял запрос и будет обрабатывать его долго");
    case 6:
        return tr("Подчиненный занят обработкой команды");
    default:
        return QString();
    }
}

QString ModbusErrorsDialog::errorText(int code)
{
    return QLatin1Char('[') + QString::number(code) + QStringLiteral("] ") + exceptionText(code);
}
