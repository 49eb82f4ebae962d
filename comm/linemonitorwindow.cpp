#include "linemonitorwindow.h"

#include "linemonitorfile.h"
#include "linemonitormodel.h"
#include "linerecordtext.h"
#include "modbusprotocol.h"
#include "settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString group = QStringLiteral("LineMonitorWindow");
const QString geometryKey = QStringLiteral("Geometry");
const QString headerKey = QStringLiteral("HeaderState");
const QString fileNameKey = QStringLiteral("FileName");
constexpr int refreshMs = 250;

} // namespace

LineMonitorWindow::LineMonitorWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(tr("Монитор линии"));
    m_model = new LineMonitorModel(this);
    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setSingleShot(true);
    m_refreshTimer->setInterval(refreshMs);
    connect(m_refreshTimer, &QTimer::timeout, this, &LineMonitorWindow::takeArrived);

    m_pauseButton = new QPushButton(tr("Пауза"));
    m_pauseButton->setCheckable(true);
    connect(m_pauseButton, &QPushButton::toggled, m_model, &LineMonitorModel::setPaused);
    auto *clearButton = new QPushButton(tr("Очистить"));
    connect(clearButton, &QPushButton::clicked, m_model, &LineMonitorModel::clear);
    m_rynCombo = new QComboBox;
    m_rynCombo->addItem(tr("Все"), 0);
    for (int address = 1; address <= ModbusProtocol::maxRynAddr; ++address)
        m_rynCombo->addItem(QString::number(address), address);
    connect(m_rynCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
        m_model->setRynFilter(m_rynCombo->currentData().toInt());
        m_view->scrollToBottom();
    });
    m_errorsOnlyBox = new QCheckBox(tr("Только ошибки"));
    connect(m_errorsOnlyBox, &QCheckBox::toggled, this, [this](bool on) {
        m_model->setErrorsOnly(on);
        m_view->scrollToBottom();
    });
    auto *saveButton = new QPushButton(tr("Сохранить ..."));
    connect(saveButton, &QPushButton::clicked, this, &LineMonitorWindow::slotSave);
    m_statusLabel = new QLabel;

    auto *tools = new QHBoxLayout;
    tools->addWidget(m_pauseButton);
    tools->addWidget(clearButton);
    tools->addSpacing(12);
    tools->addWidget(new QLabel(tr("Контроллер:")));
    tools->addWidget(m_rynCombo);
    tools->addWidget(m_errorsOnlyBox);
    tools->addSpacing(12);
    tools->addWidget(m_statusLabel, 1);
    tools->addWidget(saveButton);

    m_view = new QTableView;
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // Rows of one fixed height: the view never measures 100,000 rows.
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setStretchLastSection(true);
    // Wide enough for the header and the usual content (a read request of 8 bytes); the
    // answer takes the rest.
    const int contentChars[] = {12, 1, 2, 10, 34, 12, 3, 23};
    const QFontMetrics headerMetrics(m_view->horizontalHeader()->font());
    const int charWidth = m_view->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (int column = 0; column < LineRecordText::ColumnAnswer; ++column) {
        const int headerWidth = headerMetrics.horizontalAdvance(LineRecordText::header(column));
        m_view->setColumnWidth(column, qMax(headerWidth, contentChars[column] * charWidth) + 2 * charWidth);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(m_view);

    QScrollBar *bar = m_view->verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this,
            [this, bar](int value) { m_followNewest = value >= bar->maximum(); });
    // Laid out at once, like scrollToBottom does: a layout left for later costs a second repaint.
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] {
        if (m_followNewest)
            m_view->scrollToBottom();
        else
            m_view->doItemsLayout();
    });
    connect(m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex &, int first, int last) {
                if (!m_followNewest && first == 0)
                    m_droppingRows += last + 1;
            });
    // The rows the user looks at stay in place while older ones leave the top.
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, [this, bar] {
        if (m_droppingRows > 0)
            bar->setValue(bar->value() - m_droppingRows);
        m_droppingRows = 0;
    });
    connect(m_model, &LineMonitorModel::signalCountsChanged, this, &LineMonitorWindow::updateStatus);
    connect(m_model, &QAbstractItemModel::modelReset, this, &LineMonitorWindow::updateStatus);
    updateStatus();

    resize(1280, 560);
    restoreGeometry(Settings::readValue(geometryKey, group).toByteArray());
    m_view->horizontalHeader()->restoreState(Settings::readValue(headerKey, group).toByteArray());
    m_fileName = Settings::readValue(fileNameKey, group, QDir::homePath()).toString();
}

LineMonitorWindow::~LineMonitorWindow()
{
    Settings::writeValue(saveGeometry(), geometryKey, group);
    Settings::writeValue(m_view->horizontalHeader()->saveState(), headerKey, group);
    Settings::writeValue(m_fileName, fileNameKey, group);
}

// Minimising sends spontaneous hide and show events: a minimised monitor goes on recording.
void LineMonitorWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        emit signalMonitoring(true);
}

void LineMonitorWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        emit signalMonitoring(false);
}

void LineMonitorWindow::slotLineRecords(LineRecordList records, int lost)
{
    m_arrived += records;
    m_arrivedLost += lost;
    if (!m_refreshTimer->isActive())
        m_refreshTimer->start();
}

void LineMonitorWindow::takeArrived()
{
    LineRecordList arrived;
    arrived.swap(m_arrived);
    const int lost = m_arrivedLost;
    m_arrivedLost = 0;
    m_model->slotLineRecords(arrived, lost);
}

void LineMonitorWindow::updateStatus()
{
    QString status = tr("Записей: %1, показано: %2").arg(m_model->keptCount()).arg(m_model->rowCount());
    if (m_model->isPaused())
        status += QStringLiteral(", ") + tr("ждут конца паузы: %1").arg(m_model->waitingCount());
    if (m_model->lostCount() > 0)
        status += QStringLiteral(", ") + tr("потеряно: %1").arg(m_model->lostCount());
    m_statusLabel->setText(status);
}

void LineMonitorWindow::slotSave()
{
    QString filter;
    QString fileName = QFileDialog::getSaveFileName(this, tr("Сохранить обмен"), m_fileName,
                                                    tr("CSV (*.csv);;Текст (*.txt)"), &filter);
    if (fileName.isEmpty())
        return;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += filter.contains(QLatin1String("*.csv")) ? QStringLiteral(".csv") : QStringLiteral(".txt");
    m_fileName = fileName;
    if (saveTo(fileName))
        QMessageBox::information(this, tr("Успех!"), tr("Обмен сохранён в файл %1").arg(fileName));
}

bool LineMonitorWindow::saveTo(const QString &fileName)
{
    const QString error = LineMonitorFile::save(fileName, m_model->shownRecords());
    if (error.isEmpty())
        return true;
    QMessageBox::critical(this, tr("Ошибка!"), tr("Не удалось сохранить файл %1: %2").arg(fileName, error));
    return false;
}
