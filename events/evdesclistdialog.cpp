#include "evdesclistdialog.h"

#include "evdescdialog.h"
#include "evdescfile.h"
#include "eventslogging.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>

EvDescListDialog::EvDescListDialog(QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
{
    setMinimumSize(700, 400);

    auto *toolBar = new QToolBar(tr("Редактирование описания событий"), this);
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setContextMenuPolicy(Qt::ActionsContextMenu);
    toolBar->setIconSize(QSize(32, 32));
    const auto action = [this, toolBar](const QString &icon, const QString &text) {
        auto *act = new QAction(QIcon(icon), text, this);
        toolBar->addAction(act);
        return act;
    };
    auto *addAction = action(QStringLiteral(":/images/buttons/add.png"), tr("Добавить описание события"));
    m_editAction = action(QStringLiteral(":/images/buttons/edit.png"), tr("Редактировать описание события"));
    auto *removeAction =
        action(QStringLiteral(":/images/buttons/remove.png"), tr("Удалить описание события"));
    auto *versionAction =
        action(QStringLiteral(":/images/buttons/version.png"), tr("Задать версию файла событий"));
    toolBar->addSeparator();
    m_saveAction = action(QStringLiteral(":/images/buttons/save.png"), tr("Сохранить описания"));
    // Only colours are edited in this tool; the list itself and the version stay as the file has them.
    addAction->setEnabled(false);
    removeAction->setEnabled(false);
    versionAction->setEnabled(false);
    addToolBar(toolBar);

    m_table = new QTableWidget(0, 2, this);
    m_table->setHorizontalHeaderLabels({tr("Номер"), tr("Описание события")});
    m_table->verticalHeader()->hide();
    m_table->setColumnWidth(0, 60);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    setCentralWidget(m_table);

    m_statusLabel = new QLabel(this);
    statusBar()->setSizeGripEnabled(true);
    statusBar()->addPermanentWidget(m_statusLabel);

    m_evDescDialog = new EvDescDialog(this);

    connect(m_editAction, &QAction::triggered, this, &EvDescListDialog::slotEditEventDesc);
    connect(m_saveAction, &QAction::triggered, this, &EvDescListDialog::slotSaveEventDescList);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &EvDescListDialog::slotEditEventDesc);
}

void EvDescListDialog::exec(const QString &curLang)
{
    m_eventDesc = std::make_unique<EventDesc>(curLang);
    m_curLang = curLang;
    m_evDescList = m_eventDesc->descriptions();
    m_version = m_eventDesc->version();
    setWindowTitle(tr("Список событий") + QStringLiteral(" [v. ") + QString::number(m_version) +
                   QLatin1Char(']'));

    m_table->setRowCount(m_evDescList.size());
    for (int row = 0; row < m_evDescList.size(); ++row)
        fillRow(row);
    if (!m_evDescList.isEmpty())
        m_table->selectRow(0);

    m_modified = false;
    m_saved = false;
    m_fileRewritten = false;
    updateState();
    setWindowModality(Qt::WindowModal);
    show();
}

void EvDescListDialog::slotEditEventDesc()
{
    const int row = m_table->currentRow();
    if (row < 0 || row >= m_evDescList.size())
        return;
    EvDesc evDesc = m_evDescList.at(row);
    if (m_evDescDialog->exec(evDesc, m_evDescList) != QDialog::Accepted)
        return;
    m_modified = true;
    m_evDescList[row] = evDesc;
    fillRow(row);
    updateState();
}

void EvDescListDialog::slotSaveEventDescList()
{
    // Records the reader had to skip, and bytes it had to replace, are not in the list: saving over
    // the file drops them, which only the user may decide.
    const EvDescFile::ReadReport &report = m_eventDesc->readReport();
    if (!m_fileRewritten && report.saveLosesData() &&
        QMessageBox::question(this, tr("Внимание!"),
                              tr("Файл описаний событий прочитан не полностью:\n%1\n"
                                 "Сохранение заменит файл, и это будет потеряно. Все равно сохранить?")
                                  .arg(EvDescFile::reportText(report, m_eventDesc->path())),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    if (!EvDescFile::save(m_curLang, m_evDescList, m_version)) {
        QMessageBox::critical(this, tr("Ошибка!"), tr("Не удалось сохранить описания событий!"));
        return;
    }
    m_fileRewritten = true;
    if (m_modified)
        m_saved = true;
    m_modified = false;
    updateState();
}

void EvDescListDialog::closeEvent(QCloseEvent *event)
{
    if (m_modified &&
        QMessageBox::question(this, tr("Внимание!"), tr("Изменения не сохранены!\nВсе равно выйти?"),
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        event->ignore();
        return;
    }
    qCDebug(lcEvents) << "Выход из окна";
    event->accept();
    if (m_saved) {
        m_saved = false;
        emit signalEventDescModifyed();
    }
}

void EvDescListDialog::fillRow(int row)
{
    const EvDesc &evDesc = m_evDescList.at(row);
    const QColor background(evDesc.bgColor);
    const QColor foreground(evDesc.fgColor);
    const QStringList texts{QString::number(evDesc.code), evDesc.desc};
    for (int column = 0; column < texts.size(); ++column) {
        auto *item = new QTableWidgetItem(texts.at(column));
        if (background.isValid())
            item->setBackground(background);
        if (foreground.isValid())
            item->setForeground(foreground);
        m_table->setItem(row, column, item);
    }
}

void EvDescListDialog::updateState()
{
    m_editAction->setEnabled(!m_evDescList.isEmpty());
    m_saveAction->setEnabled(m_modified);
    m_statusLabel->setText(m_modified ? QLatin1Char(' ') + tr("Есть изменения - не забудьте сохранить!")
                                      : QString());
}
