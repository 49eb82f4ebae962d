#include "aupropertieswidget.h"

#include "aucellparametersmodel.h"
#include "auconfigurationdialog.h"
#include "aufilterproxymodel.h"
#include "aumenu.h"
#include "aumenucontext.h"
#include "aupropertiesmodel.h"
#include "copyabletableview.h"
#include "modbusprotocol.h"
#include "numberheaderview.h"
#include "plaintextitemdelegate.h"
#include "readingrynsprogressdialog.h"
#include "rynselectdialog.h"
#include "settings.h"
#include "stableheaderview.h"
#include "tableexport.h"
#include "unitslogging.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QSet>
#include <QStringList>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString settingsGroup = QStringLiteral("AuPropertiesWidget");
const QString keyReportTemplate = QStringLiteral("ReportFileNameTemplate");
const QString keyProtocolTemplate = QStringLiteral("ProtocolFileNameTemplate");
// Units whose general state is 8 have no configured address: they are not listed.
constexpr int notConfiguredState = 8;
constexpr int address251 = 251;
constexpr int doubleAddressState = 9;
// Codes 0..99 are unit types; the shown types of a filtered report are those with a label.
constexpr int unitTypeCodes = 100;
// The progress dialog has a row for each of the controller addresses 1..8.
constexpr int firstRynAddr = 1;
constexpr int lastRynAddr = ModbusProtocol::maxRynAddr;
// The controller information table holds the version text in row 3, column 1.
constexpr int versionRow = 3;
constexpr int valueColumn = 1;

QString readTemplate(const QString &key, const QString &defaultTemplate)
{
    // An empty template would put the documents into the working folder under a bare number.
    const QString stored = Settings::readValue(key, settingsGroup, defaultTemplate).toString();
    return stored.isEmpty() ? defaultTemplate : stored;
}

// Gives the copy every span of the original, each taken from the top-left cell of its rectangle.
void copySpans(const QTableView &from, QTableView &to)
{
    const QAbstractItemModel *model = from.model();
    if (!model)
        return;
    QSet<QPair<int, int>> covered;
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            if (covered.contains({row, column}))
                continue;
            const int rows = from.rowSpan(row, column);
            const int columns = from.columnSpan(row, column);
            if (rows * columns <= 1)
                continue;
            to.setSpan(row, column, rows, columns);
            for (int r = row; r < row + rows; ++r) {
                for (int c = column; c < column + columns; ++c)
                    covered.insert({r, c});
            }
        }
    }
}

} // namespace

AuPropertiesWidget::AuPropertiesWidget(QTableWidget *reportTable, QTableWidget *protocolTable,
                                       const QList<int> *filterTypes, QWidget *parent)
    : QWidget(parent)
    , m_reportTable(reportTable)
    , m_protocolTable(protocolTable)
    , m_filterTypes(filterTypes)
{
    qRegisterMetaType<QMap<HardTypes, QPair<QString, QString>>>();

    m_model = new AuPropertiesModel(&m_columnValidRows, this);
    m_proxy = new AuFilterProxyModel(m_filterTypes, &m_columnValidRows, this);
    m_proxy->setSourceModel(m_model);
    m_proxy->setFilterKeyColumn(AuProperty::GeneralState);
    m_proxy->setFilterRegularExpression(QStringLiteral("^(?!%1$)").arg(notConfiguredState));
    connect(m_model, &AuPropertiesModel::signalColumnValidRowsChanged, m_proxy,
            &AuFilterProxyModel::slotFilterChanged);
    connect(m_model, &AuPropertiesModel::signalGeneralStateChanged, m_proxy,
            &AuFilterProxyModel::slotFilterChanged);

    m_view = new CopyableTableView(this);
    m_view->setModel(m_proxy);
    m_view->setItemDelegate(new PlainTextItemDelegate(m_view));
    m_view->setRowChangesRepaintBelow(true);
    // The grid as filled rectangles: a fifth fewer instructions for a row's repaint than lines.
    m_view->setGridFilled(true);
    // Measures its sections once, not 200 of them each time a row comes or goes; looks as the
    // view's own header.
    auto *rowHeader = new NumberHeaderView(m_view);
    // The units' rows are not numbered.
    rowHeader->setSectionsBlank(true);
    m_view->setVerticalHeader(rowHeader);
    m_view->verticalHeader()->setHighlightSections(true);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Keeps its measure while values change: a plain header measures all its columns again at the
    // next row that comes or goes after any change of a value.
    m_view->setHorizontalHeader(new StableHeaderView(Qt::Horizontal, m_view));
    m_view->horizontalHeader()->setSectionsClickable(true);
    m_view->horizontalHeader()->setDefaultSectionSize(55);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->horizontalHeader()->setTextElideMode(Qt::ElideRight);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    createParametersDialog();
    m_configurationDialog = new AuConfigurationDialog(this);
    m_rynSelectDialog = new RynSelectDialog(this);
    m_progressDialog = new ReadingRynsProgressDialog(this);
    connect(this, qOverload<int>(&AuPropertiesWidget::signalShowAuParams), this,
            &AuPropertiesWidget::slotShowAuParams);
    connect(this, &AuPropertiesWidget::signalShowAuConfig, this, &AuPropertiesWidget::slotShowAuConfig);
    connect(m_configurationDialog, &AuConfigurationDialog::signalSendCmd, this,
            &AuPropertiesWidget::signalSendCmd);
    createDocumentActions();

    m_reportFileNameTemplate = readTemplate(keyReportTemplate, defaultReportFileNameTemplate());
    m_protocolFileNameTemplate = readTemplate(keyProtocolTemplate, defaultProtocolFileNameTemplate());

    m_unitMenu = new AuMenu(this);
    m_unitMenu->addSeparator();
    m_unitMenu->addActions(m_view->actions());
    connect(m_unitMenu, &AuMenu::signalSendCmd, this, &AuPropertiesWidget::signalSendCmd);
    connect(m_unitMenu, &AuMenu::signalShowAuParams, this,
            qOverload<int>(&AuPropertiesWidget::signalShowAuParams));
    connect(m_unitMenu, &AuMenu::signalShowAuConfig, this, &AuPropertiesWidget::signalShowAuConfig);
    m_plainMenu = new QMenu(this);
    m_plainMenu->addActions(m_view->actions());
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this, &AuPropertiesWidget::slotCustomMenuRequested);
}

AuPropertiesWidget::~AuPropertiesWidget()
{
    Settings::writeValue(m_reportFileNameTemplate, keyReportTemplate, settingsGroup);
    Settings::writeValue(m_protocolFileNameTemplate, keyProtocolTemplate, settingsGroup);
}

void AuPropertiesWidget::createParametersDialog()
{
    m_parametersDialog = new QDialog(this);
    m_parametersDialog->setModal(true);
    m_parametersDialog->resize(500, 500);
    m_parametersModel = new AuCellParametersModel(m_model, m_parametersDialog);
    m_parametersView = new QTableView(m_parametersDialog);
    m_parametersView->setModel(m_parametersModel);
    m_parametersView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_parametersView->horizontalHeader()->setDefaultSectionSize(200);
    m_parametersView->horizontalHeader()->setHighlightSections(false);
    auto *layout = new QVBoxLayout(m_parametersDialog);
    layout->addWidget(m_parametersView);
}

// After the view's own actions, so that both menus offer them last.
void AuPropertiesWidget::createDocumentActions()
{
    auto *separator = new QAction(m_view);
    separator->setSeparator(true);
    m_view->addAction(separator);
    m_reportAction = new QAction(tr("Сформировать отчёт..."), m_view);
    connect(m_reportAction, &QAction::triggered, this, &AuPropertiesWidget::slotMakeReport);
    m_view->addAction(m_reportAction);
    m_protocolAction = new QAction(tr("Сформировать протокол..."), m_view);
    connect(m_protocolAction, &QAction::triggered, this, &AuPropertiesWidget::slotMakeProtocol);
    m_view->addAction(m_protocolAction);
}

void AuPropertiesWidget::setReportFileNameTemplate(const QString &fileNameTemplate)
{
    m_reportFileNameTemplate = fileNameTemplate;
}

void AuPropertiesWidget::setProtocolFileNameTemplate(const QString &fileNameTemplate)
{
    m_protocolFileNameTemplate = fileNameTemplate;
}

QString AuPropertiesWidget::defaultReportFileNameTemplate()
{
    return QDir(QDir::homePath()).filePath(tr("Отчёт о состоянии АУ и RYN"));
}

QString AuPropertiesWidget::defaultProtocolFileNameTemplate()
{
    return QDir(QDir::homePath()).filePath(tr("Протокол обследования RYN"));
}

QString AuPropertiesWidget::reportTitle(int rynAddr) const
{
    QString title = tr("RYN адрес %1.\n").arg(rynAddr);
    if (!m_filterTypes || m_filterTypes->isEmpty())
        return title;
    QStringList hidden;
    for (int type : *m_filterTypes)
        hidden << auTypeName(type);
    QStringList shown;
    for (int type = 0; type < unitTypeCodes; ++type) {
        const QString name = auTypeName(type);
        if (!name.isEmpty() && !m_filterTypes->contains(type))
            shown << name;
    }
    const QString separator = QStringLiteral(", ");
    return title + tr("Применён фильтр. Скрытые типы: %1.\nОтображаемые типы: %2.\n")
                       .arg(hidden.join(separator), shown.join(separator));
}

void AuPropertiesWidget::setDocumentLocale(const QLocale &locale)
{
    m_documentLocale = locale;
    m_model->setNumberLocale(locale);
}

void AuPropertiesWidget::flushPendingFilter()
{
    m_proxy->flushPendingFilter();
}

void AuPropertiesWidget::sendTypeVersionCountMap()
{
    emit signalTypeVersionCountMap(m_model->typeVersionCountMap());
}

void AuPropertiesWidget::setMenuContext(const AuMenuContext *context)
{
    m_unitMenu->setContext(context);
}

void AuPropertiesWidget::slotFilterChanged()
{
    m_proxy->slotFilterChanged();
}

void AuPropertiesWidget::slotShowAuParams(int addr)
{
    const QString title = tr("АУ адрес %1").arg(addr);
    if (m_parametersDialog->isVisible()) {
        // Already open and the worker already reading everything: only the unit changes.
        m_parametersModel->slotSetAuAddr(addr);
        m_parametersDialog->setWindowTitle(title);
        return;
    }
    emit signalShowAuParams();
    m_parametersModel->slotSetAuAddr(addr);
    m_parametersDialog->setWindowTitle(title);
    m_parametersDialog->exec();
    emit signalHideAuParams();
}

void AuPropertiesWidget::slotShowAuConfig(int addr, HardTypes type)
{
    m_configurationDialog->exec(addr, type);
}

void AuPropertiesWidget::slotCustomMenuRequested(const QPoint &point)
{
    const int rynAddr = Settings::readValue(QStringLiteral("RynAddr"), QStringLiteral("System"), 1).toInt();
    m_view->setTitle(reportTitle(rynAddr));
    const QPoint globalPos = m_view->viewport()->mapToGlobal(point);
    const QModelIndex index = m_view->indexAt(point);
    if (!index.isValid()) {
        m_plainMenu->popup(globalPos);
        return;
    }
    m_view->setCurrentIndex(index);
    const AuUnitRecord record = m_model->record(m_proxy->mapToSource(index).row());
    // A unit at 251 next to another one there: nobody can tell which of the two a command would reach.
    if (record.address == address251 && record.generalState == doubleAddressState)
        return;
    AuMenu::Unit unit;
    unit.addr = record.address;
    unit.type = record.type;
    const auto &out = record.output;
    const auto &bank = record.outputVexa2R2;
    unit.relaysOn = AuMenu::relayMask(unit.type, {out[0], out[1], out[2], out[3]}, {bank[0], bank[1]});
    m_unitMenu->run(unit, globalPos);
}

void AuPropertiesWidget::slotMakeReport()
{
    makeDocuments(ReportDocuments::Report);
}

void AuPropertiesWidget::slotMakeProtocol()
{
    makeDocuments(ReportDocuments::Protocol);
}

void AuPropertiesWidget::makeDocuments(ReportDocuments::Kind kind)
{
    if (m_runActive || m_rynSelectDialog->exec() != QDialog::Accepted)
        return;
    const QList<int> chosen = m_rynSelectDialog->selectedAddresses();
    // Only the current controller can lie outside 1..8 (a stray address in the settings): nothing is
    // read then, rather than a run whose progress could never show it.
    for (int rynAddr : chosen) {
        if (rynAddr < firstRynAddr || rynAddr > lastRynAddr) {
            QMessageBox::warning(
                this, tr("Внимание!"),
                tr("Адрес текущего RYN (%1) вне диапазона от 1 до 8: данные не читались.").arg(rynAddr));
            return;
        }
    }
    if (chosen.isEmpty() || !askForTemplate(kind))
        return;

    m_runActive = true;
    m_documentKind = kind;
    m_pendingRyns = chosen;
    m_failedDocuments.clear();
    qCDebug(lcUnits) << "getSelectedRynsAddrs" << m_pendingRyns;
    emit signalReadRyns(m_pendingRyns);
    const int result = m_progressDialog->exec(m_pendingRyns.size());
    m_runActive = false;

    if (result != QDialog::Accepted && !m_pendingRyns.isEmpty()) {
        emit signalReadingRynsAborted();
        QMessageBox::warning(this, tr("Внимание!"),
                             kind == ReportDocuments::Report
                                 ? tr("Процесс формирования отчётов был прерван пользователем.")
                                 : tr("Процесс формирования протоколов был прерван пользователем."));
    }
    m_pendingRyns.clear();
    if (!m_failedDocuments.isEmpty()) {
        QMessageBox::critical(this, tr("Ошибка!"),
                              tr("Не удалось записать файлы:") + QLatin1Char('\n') +
                                  m_failedDocuments.join(QLatin1Char('\n')));
        m_failedDocuments.clear();
    }
}

// Asks for the kind's template, starting at the one kept; false when the user cancels.
bool AuPropertiesWidget::askForTemplate(ReportDocuments::Kind kind)
{
    const bool report = kind == ReportDocuments::Report;
    QString &fileNameTemplate = report ? m_reportFileNameTemplate : m_protocolFileNameTemplate;
    const QString chosen = QFileDialog::getSaveFileName(
        this, report ? tr("Выберите шаблон имени для отчёта") : tr("Выберите шаблон имени для протокола"),
        fileNameTemplate, report ? tr("CSV files(*.csv)") : tr("HTML files(*.htm *.html)"), nullptr,
        QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty())
        return false;
    fileNameTemplate = ReportDocuments::templateFromChosenName(chosen, kind);
    return true;
}

void AuPropertiesWidget::slotRynReadingCompleted(int rynAddr, bool success)
{
    qCDebug(lcUnits) << "slotRynReadingCompleted" << rynAddr << success;
    // A completion that crossed an abort on its way belongs to no run: nothing is written for it.
    if (!m_runActive)
        return;
    bool documented = false;
    if (success) {
        const ExportResult written = writeDocument(m_documentKind, rynAddr);
        documented = written.ok;
        if (!written.ok)
            m_failedDocuments << QDir::toNativeSeparators(written.fileName) + QStringLiteral(": ") +
                                     written.error;
    }
    m_progressDialog->slotRynReadingCompleted(rynAddr, documented);
    m_pendingRyns.removeOne(rynAddr);
}

ExportResult AuPropertiesWidget::writeDocument(ReportDocuments::Kind kind, int rynAddr)
{
    const QDateTime now = m_documentClock ? m_documentClock() : QDateTime::currentDateTime();
    if (kind == ReportDocuments::Report) {
        // The export reads the proxy after its pending re-filter, never stale rows.
        return exportModelsCsv({m_reportTable->model(), m_proxy}, reportTitle(rynAddr),
                               ReportDocuments::fileName(m_reportFileNameTemplate, rynAddr, kind), now);
    }

    sendTypeVersionCountMap();
    CopyableTableView view;
    view.setModel(m_protocolTable->model());
    view.horizontalHeader()->setVisible(!m_protocolTable->horizontalHeader()->isHidden());
    view.verticalHeader()->setVisible(!m_protocolTable->verticalHeader()->isHidden());
    copySpans(*m_protocolTable, view);
    const QTableWidgetItem *version = m_reportTable->item(versionRow, valueColumn);
    const QString header = ReportDocuments::protocolHeader(now.date(), m_documentLocale, rynAddr,
                                                           version ? version->text() : QString());
    return exportHtmlFile(&view, header, ReportDocuments::protocolFooter(),
                          ReportDocuments::fileName(m_protocolFileNameTemplate, rynAddr, kind));
}
