#pragma once

#include "aupropertycolumns.h"
#include "exportresult.h"
#include "hardtypes.h"
#include "reportdocuments.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class AuCellParametersModel;
class AuConfigurationDialog;
class AuFilterProxyModel;
class AuMenu;
struct AuMenuContext;
class AuPropertiesModel;
class CopyableTableView;
class QAction;
class QDialog;
class QMenu;
class QTableView;
class QTableWidget;
class ReadingRynsProgressDialog;
class RynSelectDialog;

// The unit properties page: every unit of the selected controller with all its properties, the types
// the user filtered out and the units not configured left out, and the columns that mean nothing for
// the listed units hidden. Opens one unit's parameters in a window of their own, during which the
// worker reads every parameter of the loop.
//
// It also produces the documents of one or several controllers: the user picks the controllers and
// a file-name template, the worker reads each controller completely, and as each one completes the
// page writes its CSV state report or HTML inspection protocol from the tables as they stand.
class AuPropertiesWidget : public QWidget
{
    Q_OBJECT

public:
    // The two tables belong to the main window and the hidden-type list to the summary tabs; all three
    // must outlive the page.
    AuPropertiesWidget(QTableWidget *reportTable, QTableWidget *protocolTable, const QList<int> *filterTypes,
                       QWidget *parent = nullptr);
    ~AuPropertiesWidget() override;

    AuPropertiesModel *model() const { return m_model; }
    AuFilterProxyModel *proxyModel() const { return m_proxy; }
    CopyableTableView *view() const { return m_view; }
    QDialog *parametersDialog() const { return m_parametersDialog; }
    QTableView *parametersView() const { return m_parametersView; }
    AuCellParametersModel *parametersModel() const { return m_parametersModel; }
    QTableWidget *reportTable() const { return m_reportTable; }
    QTableWidget *protocolTable() const { return m_protocolTable; }
    // The menu of the view's own actions, shown where no unit command applies.
    QMenu *plainMenu() const { return m_plainMenu; }
    // The view's actions that start a run for a report and for a protocol.
    QAction *reportAction() const { return m_reportAction; }
    QAction *protocolAction() const { return m_protocolAction; }
    RynSelectDialog *rynSelectDialog() const { return m_rynSelectDialog; }
    ReadingRynsProgressDialog *progressDialog() const { return m_progressDialog; }
    // The unit command menu of a row, followed by the view's own actions.
    AuMenu *unitMenu() const { return m_unitMenu; }
    // What the unit menu is told by the page's owner.
    void setMenuContext(const AuMenuContext *context);
    AuConfigurationDialog *configurationDialog() const { return m_configurationDialog; }

    // Report and protocol file names without the controller number and extension; kept in the
    // settings from one run to the next.
    QString reportFileNameTemplate() const { return m_reportFileNameTemplate; }
    void setReportFileNameTemplate(const QString &fileNameTemplate);
    QString protocolFileNameTemplate() const { return m_protocolFileNameTemplate; }
    void setProtocolFileNameTemplate(const QString &fileNameTemplate);
    // The templates used when the settings hold none: the document name in the home folder.
    static QString defaultReportFileNameTemplate();
    static QString defaultProtocolFileNameTemplate();

    // The title of a controller's report and of the table's own exports: the controller address and,
    // with a type filter on, the hidden and the shown types.
    QString reportTitle(int rynAddr) const;

    // Re-runs a type or state filter that is still waiting for the event loop, so whoever reads the
    // listed units next (a document, a report) sees the current ones.
    void flushPendingFilter();
    // Sends the per-type versions and counts of the loop as signalTypeVersionCountMap.
    void sendTypeVersionCountMap();

    // Where the documents take their date and the locale that names the month and writes the
    // properties' numbers: the current time and the system's locale unless set.
    void setDocumentClock(const std::function<QDateTime()> &clock) { m_documentClock = clock; }
    void setDocumentLocale(const QLocale &locale);
    // Writes the controller's document of that kind from the tables as they stand now, under the
    // kind's template; an existing file is never replaced.
    ExportResult writeDocument(ReportDocuments::Kind kind, int rynAddr);
    // Whether a run is going on (from the request to the worker until the progress dialog closes).
    bool isRunActive() const { return m_runActive; }

signals:
    void signalShowAuParams(int addr);
    // The unit parameter window opens: the worker reads every parameter of the loop until it closes.
    void signalShowAuParams();
    void signalHideAuParams();
    void signalShowAuConfig(int addr, HardTypes type);
    void signalSendCmd(int cmdCode, QByteArray info);
    void signalTypeVersionCountMap(QMap<HardTypes, QPair<QString, QString>> typesInfoMap);
    void signalReadRyns(QList<int> rynAddrs);
    void signalReadingRynsAborted();

public slots:
    void slotFilterChanged();
    void slotShowAuParams(int addr);
    // The worker has finished reading a controller of the run: its document is written when the
    // reading succeeded, and the progress dialog shows whether the controller got one.
    void slotRynReadingCompleted(int rynAddr, bool success);
    void slotShowAuConfig(int addr, HardTypes type);
    void slotCustomMenuRequested(const QPoint &point);
    void slotMakeReport();
    void slotMakeProtocol();

private:
    void createParametersDialog();
    void createDocumentActions();
    void makeDocuments(ReportDocuments::Kind kind);
    bool askForTemplate(ReportDocuments::Kind kind);

    QTableWidget *m_reportTable = nullptr;
    QTableWidget *m_protocolTable = nullptr;
    const QList<int> *m_filterTypes = nullptr;
    // Which rows mean something in each column; the model keeps it, the proxy reads it.
    ColumnValidRows m_columnValidRows;
    AuPropertiesModel *m_model = nullptr;
    AuFilterProxyModel *m_proxy = nullptr;
    CopyableTableView *m_view = nullptr;
    QDialog *m_parametersDialog = nullptr;
    QTableView *m_parametersView = nullptr;
    AuCellParametersModel *m_parametersModel = nullptr;
    QMenu *m_plainMenu = nullptr;
    QAction *m_reportAction = nullptr;
    QAction *m_protocolAction = nullptr;
    RynSelectDialog *m_rynSelectDialog = nullptr;
    ReadingRynsProgressDialog *m_progressDialog = nullptr;
    AuMenu *m_unitMenu = nullptr;
    AuConfigurationDialog *m_configurationDialog = nullptr;
    QString m_reportFileNameTemplate;
    QString m_protocolFileNameTemplate;
    std::function<QDateTime()> m_documentClock;
    QLocale m_documentLocale = QLocale::system();

    // The run: what it writes, the controllers not yet completed, and the documents that could not
    // be written ("file: why"), told once when the run ends.
    bool m_runActive = false;
    ReportDocuments::Kind m_documentKind = ReportDocuments::Report;
    QList<int> m_pendingRyns;
    QStringList m_failedDocuments;
};
