#include "aupropertieswidget.h"

#include "aucellparametersmodel.h"
#include "auconfigurationdialog.h"
#include "aufilterproxymodel.h"
#include "aumenu.h"
#include "aupropertiesmodel.h"
#include "copyabletableview.h"
#include "settings.h"

#include <QDialog>
#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QStringList>
#include <QTableView>
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

QString readTemplate(const QString &key, const QString &defaultTemplate)
{
    // An empty template would put the documents into the working folder under a bare number.
    const QString stored = Settings::readValue(key, settingsGroup, defaultTemplate).toString();
    return stored.isEmpty() ? defaultTemplate : stored;
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
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->horizontalHeader()->setDefaultSectionSize(55);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->horizontalHeader()->setTextElideMode(Qt::ElideRight);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    createParametersDialog();
    m_configurationDialog = new AuConfigurationDialog(this);
    connect(this, qOverload<int>(&AuPropertiesWidget::signalShowAuParams), this,
            &AuPropertiesWidget::slotShowAuParams);
    connect(this, &AuPropertiesWidget::signalShowAuConfig, this, &AuPropertiesWidget::slotShowAuConfig);
    connect(m_configurationDialog, &AuConfigurationDialog::signalSendCmd, this,
            &AuPropertiesWidget::signalSendCmd);

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

void AuPropertiesWidget::flushPendingFilter()
{
    m_proxy->flushPendingFilter();
}

void AuPropertiesWidget::sendTypeVersionCountMap()
{
    emit signalTypeVersionCountMap(m_model->typeVersionCountMap());
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
