#include "eventswidget.h"

#include "cachedcelldelegate.h"
#include "eventscsv.h"
#include "eventsfilterproxymodel.h"
#include "eventsmodel.h"
#include "evfilterdialog.h"
#include "filledgridtableview.h"
#include "numberheaderview.h"
#include "settings.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString settingsGroup = QStringLiteral("Ev");
const QString keyCsvFileName = QStringLiteral("CsvFileName");
constexpr int defaultColumnWidth = 100;

QString widthKey(int column)
{
    return QStringLiteral("Width") + QString::number(column);
}

QPixmap ball(const QString &name)
{
    const QPixmap pixmap(QStringLiteral(":/images/rxtx/") + name);
    return pixmap.isNull() ? pixmap : pixmap.scaled(10, 10, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QPushButton *toolButton(const QString &icon, const QString &toolTip, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(24, 24));
    button->setMinimumSize(32, 32);
    button->setToolTip(toolTip);
    button->setEnabled(false);
    return button;
}

} // namespace

EventsWidget::EventsWidget(QWidget *parent)
    : QWidget(parent)
{
    m_model = new EventsModel(this);
    m_proxy = new EventsFilterProxyModel(m_filter, this);
    m_proxy->setSourceModel(m_model);
    m_filterDialog = new EvFilterDialog(this);

    m_filterButton = new QPushButton(tr("Фильтр по событиям:"), this);
    const auto filterField = [this]() {
        auto *edit = new QLineEdit(this);
        edit->setReadOnly(true);
        edit->setEnabled(false);
        edit->setMaximumWidth(30);
        return edit;
    };
    m_rynEdit = filterField();
    m_auEdit = filterField();
    m_codeEdit = filterField();
    m_fixationCheck = new QCheckBox(tr("Фиксация"), this);

    m_versionLabel = new QLabel(this);
    m_countLabel = new QLabel(this);
    m_descIndicator = new QLabel(this);
    m_descIndicator->setObjectName(QStringLiteral("descIndicator"));
    m_overflowIndicator = new QLabel(this);
    m_overflowIndicator->setToolTip(
        tr("Индикатор превышения количества событий: белый - нет превышения, желтый - есть"));
    m_overflowIndicator->setPixmap(ball(QStringLiteral("ball_white.png")));
    m_receivedLabel = new QLabel(this);

    m_clearButton =
        toolButton(QStringLiteral(":/images/buttons/clear.png"), tr("Очистить список событий"), this);
    m_csvButton = toolButton(QStringLiteral(":/images/buttons/csv.png"),
                             tr("Сохранить отфильтрованные события в файл"), this);

    m_table = new FilledGridTableView(this);
    m_table->setVerticalHeader(new NumberHeaderView(m_table));
    m_table->setItemDelegate(new CachedCellDelegate(m_table));
    m_table->setGridFilled(true);
    m_table->setObjectName(QStringLiteral("eventsTable"));
    m_filterButton->setObjectName(QStringLiteral("filterButton"));
    m_rynEdit->setObjectName(QStringLiteral("rynEdit"));
    m_auEdit->setObjectName(QStringLiteral("auEdit"));
    m_codeEdit->setObjectName(QStringLiteral("codeEdit"));
    m_fixationCheck->setObjectName(QStringLiteral("fixationCheck"));
    m_versionLabel->setObjectName(QStringLiteral("versionLabel"));
    m_countLabel->setObjectName(QStringLiteral("countLabel"));
    m_receivedLabel->setObjectName(QStringLiteral("receivedLabel"));
    m_clearButton->setObjectName(QStringLiteral("clearButton"));
    m_csvButton->setObjectName(QStringLiteral("csvButton"));
    m_table->setModel(m_proxy);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->verticalHeader()->setHighlightSections(false);
    QFont headerFont = font();
    headerFont.setWeight(75);
    m_table->horizontalHeader()->setFont(headerFont);
    // The description is what the engineer reads: it takes whatever room the other columns leave.
    m_table->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < EventsModel::ColumnCount; ++column) {
        const int width = Settings::readValue(widthKey(column), settingsGroup).toInt();
        // Without a stored width a column is wide enough for its header text.
        const int fitting = qMax(defaultColumnWidth, m_table->horizontalHeader()->sectionSizeHint(column));
        m_table->setColumnWidth(column, width > 0 ? width : fitting);
    }
    // An installed program runs in a folder the user may not write to: the home folder then.
    const QString defaultCsvFolder =
        Settings::userDataDirectory.isEmpty() ? QDir::currentPath() : QDir::homePath();
    m_csvFileName = Settings::readValue(keyCsvFileName, settingsGroup, defaultCsvFolder).toString();

    auto *statusLine = new QHBoxLayout;
    statusLine->addWidget(m_countLabel);
    statusLine->addWidget(m_descIndicator);
    statusLine->addWidget(m_overflowIndicator);
    statusLine->addWidget(m_receivedLabel);
    statusLine->addStretch();
    auto *statusBlock = new QVBoxLayout;
    statusBlock->addWidget(m_versionLabel);
    statusBlock->addLayout(statusLine);

    auto *topRow = new QHBoxLayout;
    topRow->addWidget(m_filterButton);
    topRow->addWidget(new QLabel(tr("Адрес RYN:"), this));
    topRow->addWidget(m_rynEdit);
    topRow->addWidget(new QLabel(tr("Адрес АУ:"), this));
    topRow->addWidget(m_auEdit);
    topRow->addWidget(new QLabel(tr("Код события:"), this));
    topRow->addWidget(m_codeEdit);
    topRow->addWidget(m_fixationCheck);
    topRow->addLayout(statusBlock, 1);
    topRow->addWidget(m_clearButton);
    topRow->addWidget(m_csvButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(topRow);
    layout->addWidget(m_table);

    connect(m_filterButton, &QPushButton::clicked, this, &EventsWidget::slotSetFilter);
    connect(m_fixationCheck, &QCheckBox::clicked, this, &EventsWidget::slotFixationClicked);
    connect(m_clearButton, &QPushButton::clicked, this, &EventsWidget::slotClear);
    connect(m_csvButton, &QPushButton::clicked, this, &EventsWidget::slotSaveToCsv);
    // Queued: the view must have taken the new rows in before the scroll bar is moved past them.
    connect(m_proxy, &QAbstractItemModel::rowsInserted, this, &EventsWidget::slotEventsInserted,
            Qt::QueuedConnection);

    updateDescIndicator();
    updateStatus();
}

EventsWidget::~EventsWidget()
{
    for (int column = 0; column < EventsModel::ColumnCount; ++column)
        Settings::writeValue(m_table->columnWidth(column), widthKey(column), settingsGroup);
    Settings::writeValue(m_csvFileName, keyCsvFileName, settingsGroup);
}

void EventsWidget::setEventDescLanguage(const QString &language)
{
    m_language = language;
    auto eventDesc = std::make_unique<EventDesc>(language);
    m_model->setEventDesc(eventDesc.get());
    m_eventDesc = std::move(eventDesc);
    updateDescIndicator();
}

void EventsWidget::slotSetFilter()
{
    if (m_filterDialog->exec(m_filter, m_eventDesc.get()) != QDialog::Accepted)
        return;
    m_proxy->applyFilter();
    if (m_filter.isActive()) {
        m_filterButton->setMinimumHeight(m_filterButton->height());
        m_filterButton->setStyleSheet(QStringLiteral(
            "QPushButton {border: 3px solid orange; border-style: outset; border-radius: 5px;}"));
    } else {
        m_filterButton->setStyleSheet(QString());
    }
    updateFilterControls();
    m_csvButton->setEnabled(m_proxy->rowCount() > 0);
    updateStatus();
}

void EventsWidget::slotEventsInserted(const QModelIndex &parent, int first, int last)
{
    Q_UNUSED(parent)
    m_table->selectionModel()->clearCurrentIndex();
    if (!m_fixationCheck->isChecked())
        return;
    // The rows went in above the ones on screen; moving down by as many keeps the picture still.
    // The view lays itself out later, so the maximum may not have grown yet.
    QScrollBar *bar = m_table->verticalScrollBar();
    const int target = bar->value() + (last - first + 1);
    if (target > bar->maximum())
        bar->setMaximum(target);
    bar->setValue(target);
}

void EventsWidget::slotFixationClicked(bool checked)
{
    if (!checked)
        m_table->scrollToTop();
}

void EventsWidget::slotClear()
{
    const auto answer = QMessageBox::question(
        this, tr("Внимание!"), tr("Будут удалены все события, не только отфильтрованные!\nПродолжить?"),
        QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        clearEvents();
}

void EventsWidget::clearEvents()
{
    m_model->clear();
    m_clearButton->setEnabled(false);
    m_csvButton->setEnabled(false);
    updateStatus();
}

void EventsWidget::slotSaveToCsv()
{
    const QString fileName = QFileDialog::getSaveFileName(this, tr("Сохранить события"), m_csvFileName,
                                                          QStringLiteral("CSV (*.csv)"));
    if (fileName.isEmpty())
        return;
    m_csvFileName = fileName;

    QVector<int> columns;
    for (int column = 0; column < m_proxy->columnCount(); ++column) {
        if (!m_table->isColumnHidden(column))
            columns << column;
    }
    const QString text =
        EventsCsv::text(*m_table->model(), columns, filterSummary(), QDateTime::currentDateTime());
    if (EventsCsv::write(fileName, text))
        QMessageBox::information(this, tr("Успех!"), tr("События успешно сохранены!"));
    else
        QMessageBox::critical(this, tr("Ошибка!"), tr("Не удалось сохранить события!"));
}

void EventsWidget::slotEvents(ModbusProtocol::EventList events)
{
    if (events.isEmpty())
        return;
    if (qint64(m_model->count()) + events.size() > m_maxEvCount)
        setOverflow();
    m_model->insertEvents(events);
    m_clearButton->setEnabled(true);
    m_csvButton->setEnabled(m_proxy->rowCount() > 0);
    m_receivedCount += quint64(events.size());
    updateStatus();
}

void EventsWidget::slotEventDescModifyed()
{
    if (m_eventDesc)
        m_eventDesc->load();
    updateDescIndicator();
    m_model->descriptionsChanged();
}

void EventsWidget::slotSetMaxEvCount(int maxEvCount)
{
    m_maxEvCount = maxEvCount;
    m_model->setMaxCount(maxEvCount);
    if (m_model->count() > maxEvCount)
        setOverflow();
}

void EventsWidget::updateFilterControls()
{
    m_rynEdit->setText(m_filter.rynFilterOn ? QString::number(m_filter.rynAddr) : QString());
    m_auEdit->setText(m_filter.auFilterOn ? QString::number(m_filter.auAddr) : QString());
    m_codeEdit->setText(m_filter.evCodeFilterOn ? QString::number(m_filter.evCode) : QString());
}

void EventsWidget::updateStatus()
{
    const QString count = m_filter.isActive() ? QString::number(m_proxy->rowCount()) + QLatin1Char('/') +
                                                    QString::number(m_model->count())
                                              : QString::number(m_model->count());
    m_countLabel->setText(tr("Событий: ") + count);
    if (m_receivedCount > quint64(qMax(0, m_maxEvCount))) {
        // Setting a style sheet polishes the label anew, even the same one: once is enough.
        if (m_receivedLabel->styleSheet().isEmpty())
            m_receivedLabel->setStyleSheet(QStringLiteral("QLabel { color : darkgoldenrod; }"));
        m_receivedLabel->setText(QString::number(m_receivedCount));
    }
    m_versionLabel->setText(tr("Версия описания событий") + QStringLiteral(": %1").arg(eventDescVersion()));
}

void EventsWidget::updateDescIndicator()
{
    m_descIndicator->setPixmap(
        ball(isEventDescLoaded() ? QStringLiteral("ball_green.png") : QStringLiteral("ball_red.png")));
    // What went wrong with the file, so that the engineer can mend it.
    QString toolTip = tr("Индикатор чтения описания событий: зеленый - норма, красный - ошибка");
    const QString problems =
        m_eventDesc ? EvDescFile::reportText(m_eventDesc->readReport(), m_eventDesc->path()) : QString();
    if (!problems.isEmpty())
        toolTip += QLatin1Char('\n') + problems;
    m_descIndicator->setToolTip(toolTip);
    m_versionLabel->setText(tr("Версия описания событий") + QStringLiteral(": %1").arg(eventDescVersion()));
}

void EventsWidget::setOverflow()
{
    // A full log overflows with every batch: the picture is loaded and scaled once.
    if (m_overflowed)
        return;
    m_overflowed = true;
    m_overflowIndicator->setPixmap(ball(QStringLiteral("ball_yellow.png")));
}

QString EventsWidget::filterSummary() const
{
    const QString codeDesc = m_eventDesc ? m_eventDesc->description(m_filter.evCode).desc : QString();
    return evFilterSummary(m_filter, codeDesc);
}
