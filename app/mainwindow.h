#pragma once

#include "aucelltypes.h"
#include "modbusevent.h"
#include "registermap.h"
#include "settings.h"

#include <QList>
#include <QLocale>
#include <QMainWindow>
#include <QMap>

#include <memory>

class AboutDialog;
class AuInfoWidget;
class ControllerSearch;
class EvDescListDialog;
class EventsWidget;
class LineMonitorWindow;
class LinkCounters;
class ModbusMaster;
class OstrelCommPortDialog;
class QLabel;
class QPushButton;
class QSplitter;
class QTableWidget;
class QThread;
class QTimer;
class ReportRunProgress;
class ResponseDecoder;
class RYNInfoWidget;
class SetupDialog;
class StatusLabel;
class TrendsWindow;

// The one top-level window and the hub of the program: it lays out the views, owns them, the dialogs,
// the Modbus worker and the pieces that wire, count and search (MainWindowWiring, LinkCounters,
// ControllerSearch, ReportRunProgress), turns the views' requests into queued commands, selects the
// controllers the search finds and shows the traffic in the status bar.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void setLanguage(const QString &language);
    // The locale of the documents and of the numbers on show (decimal separator, month names): the
    // system's unless set. The controller panel and the properties page always share it.
    void setDocumentLocale(const QLocale &locale);

    // For tests and diagnostics.
    const Settings::PrgParams &prgParams() const { return m_prgParams; }
    ModbusMaster *worker() const { return m_modbusMaster; }
    AuInfoWidget *auInfoWidget() const { return m_auInfoWidget; }
    RYNInfoWidget *rynInfoWidget() const { return m_rynInfoWidget; }
    EventsWidget *eventsWidget() const { return m_eventsWidget; }
    OstrelCommPortDialog *portDialog() const { return m_portDialog; }
    LineMonitorWindow *lineMonitor() const { return m_lineMonitor; }
    TrendsWindow *trendsWindow() const { return m_trendsWindow; }
    QSplitter *splitter() const { return m_splitter; }
    quint16 foundMask() const;
    // The controller whose units are shown and commanded; 0 when none is selected.
    int selectedRyn() const { return m_selectedRyn; }
    bool isSearching() const;
    bool isPortOpened() const { return m_portOpened; }

signals:
    void signalReinit(QString portName);
    void signalStripEcho(bool strip);
    void signalSendCommand(int rynAddr, int id, int cmdCode, QByteArray info);
    void signalNeedSelectRyn(int rynAddr);
    void signalSelectRyn(int rynAddr);
    void signalRynRegistersUpdated(RynRegisterAddress regAddr, ushort regWord);
    void signalRynConstantsUpdated(RynRegisterAddress regAddr, ushort regWord, bool isDefault = true);
    void signalRxTimeoutErrCntChanged(uint rxTimeoutErrCnt);
    void signalRxCommErrCntChanged(uint rxCommErrCnt);
    void signalRxModbusErrCntChanged(uint rxModbusErrCnt);
    void signalModbusErrorCode(int modbusErrorCode);
    // The exceptions by code of the controller whose counters are shown, whenever that controller
    // changes or its counters start afresh; `signalModbusErrorCode` adds each further one.
    void signalModbusErrorCodes(QMap<int, int> modbusErrorMap);
    void signalSetType(int addr, int type);
    void signalSetGeneralState(int addr, int state);
    void signalSetGeneralState251(int state);
    void signalSetIonistorState(int addr, int state);
    void signalSetU(int addr, double U);
    void signalSetU1(int addr, double U1);
    void signalSetU2(int addr, double U2);
    void signalSetU3(int addr, double U3);
    void signalSet_T_ULo(int addr, uchar t_u);
    void signalSetThresholdT(int addr, uchar thresholdT);
    void signalSetSmoke(int addr, uchar smoke);
    void signalSetSmokeMid(int addr, uchar mid);
    void signalSetIPD_FireThreshold(int addr, uchar threshold);
    void signalSetIPD_resource(int addr, uchar resource);
    void signalSetPhoto(int addr, uchar photo);
    void signalSetDustiness(int addr, uchar dustiness);
    void signalSetLaser(int addr, uchar laser);
    void signalSetPyrosensor(int addr, uchar pyrosensor);
    void signalSetCumulaterS1(int addr, uchar cumulater);
    void signalSetCumulaterS2(int addr, uchar cumulater);
    void signalSetPyroTimer(int addr, uchar timer);
    void signalSetIPP_W(int addr, AuCellTypes::IPP_W_Number, uchar w);
    void signalSetNoResponseCounter(int addr, ushort counter);
    void signalSetAdditionData(int addr, uchar data);
    void signalSetFirmwareVersion(int addr, uchar firmVer);
    void signalSetPowerSupply(int addr, uchar powerSupply);
    void signalSetOp(int addr, uchar op);
    void signalSetRp(int addr, uchar rp);
    void signalSetLo(int addr, uchar lo);
    void signalSetPowerLo(int addr, uchar powerLo);
    void signalSetPowerLoInit(int addr, uchar powerLo);
    void signalSetInsulators(int addr, uchar insulators);
    void signalSetInput(int addr, AuCellTypes::IoNumber number, uchar state, bool isVexa2R2 = false);
    void signalSetOutput(int addr, AuCellTypes::IoNumber number, uchar state, bool isVexa2R2 = false);
    void signalSetOutputInit(int addr, AuCellTypes::IoNumber number, uchar state);
    void signalSetValve(int addr, AuCellTypes::ValveNumber number, uchar state);
    void signalSetInputADC(int addr, AuCellTypes::IoNumber number, uchar adc);
    void signalSetSbAmperage(int addr, double sbAmperage);
    void signalSetAverageAmperage(int addr, double averageAmperage);
    void signalSetButtonIPR_IPRV(int addr, uchar buttonIPR_IPRV);
    void signalSetTamperUDP_IPRV(int addr, uchar tamperUDP_IPRV);
    void signalSetButtonUDP(int addr, uchar buttonUDP);
    void signalSetSensor(int addr, uchar sensor);
    void signalSetConnection(int addr, uchar connect);
    void signalSetFire(int addr, bool fire);
    void signalSetPreAlarm(int addr, bool preAlarm);
    void signalSetHeater(int addr, uchar heater);
    void signalSet_R_NE(int addr, uchar R_NE);
    void signalSetBlocking(int addr, bool unBlocked);
    void signalSetProcType(int addr, uchar type);
    void signalSetIptChannelType(int addr, uchar type);
    void signalIppBorderData(QByteArray ba);
    // A border block with the code it was read by (58..60); empty when that read failed.
    void signalIppBorderRead(int cmdCode, QByteArray ba);

public slots:
    void selectComPort();
    void slotClearTx();
    void slotClearRx();
    void slotReinit();
    void slotSetup();
    void slotEditEventDesc();
    void slotShowSelectLangDialog();
    void slotShowAbout();
    void slotCmdProcessTimeout();
    void slotPortOpened(bool isOpened);
    void slotPortAccessDenied(bool denied);
    void slotPortTx();
    void slotPortRx(int errCode, QByteArray answer);
    void slotInfo(int rynAddr, int id, int cmdCode, int errCode, QByteArray info);
    void slotSearchRYN();
    void slotRynSelected(int rynAddr);
    void slotEvents(ModbusProtocol::EventList events);
    void slotSendCmd(int cmdCode, QByteArray info);
    void slotSendCmd2(uchar rynAddr, int cmdCode, QByteArray info);
    void slotEnentsFromAllRyn(bool fromAll);
    // Opens the traffic monitor (created at the first opening) or brings it to the front.
    void slotShowLineMonitor();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createStatusBar();
    void createMenu();
    void createWorker();
    void connectCounting();
    void connectSearch();
    void lightRx();
    void showTotals();
    void rynFound(int rynAddr);
    void savePrgParams();
    QString effectivePortName() const;
    void selectBySearchRule();
    void setNoRynAnswered(bool noneAnswered);
    bool refuseWithoutController(int rynAddr);
    // A border the engineer asked for will not come: the value dialog must not wait for ever.
    void endBorderWait(int cmdCode);
    void settingsNotSaved(const QString &path);
    void showSettingsNotSaved();

    Settings::PrgParams m_prgParams;
    QString m_language;
    QString m_eventLanguage;
    bool m_portOpened = false;
    int m_selectedRyn = 0;
    bool m_refusalPending = false; // the message that commands were refused is about to show

    std::unique_ptr<QTableWidget> m_reportTable;
    std::unique_ptr<QTableWidget> m_protocolTable;
    AuInfoWidget *m_auInfoWidget = nullptr;
    RYNInfoWidget *m_rynInfoWidget = nullptr;
    EventsWidget *m_eventsWidget = nullptr;
    QSplitter *m_splitter = nullptr;
    OstrelCommPortDialog *m_portDialog = nullptr;
    SetupDialog *m_setupDialog = nullptr;
    EvDescListDialog *m_evDescListDialog = nullptr;
    LineMonitorWindow *m_lineMonitor = nullptr;
    TrendsWindow *m_trendsWindow = nullptr;
    ResponseDecoder *m_decoder = nullptr;
    LinkCounters *m_counters = nullptr;
    ReportRunProgress *m_reportRun = nullptr;
    ControllerSearch *m_search = nullptr;
    ModbusMaster *m_modbusMaster = nullptr;
    QThread *m_workerThread = nullptr;

    QPushButton *m_menuButton = nullptr;
    QLabel *m_portStateLabel = nullptr;
    QPushButton *m_portButton = nullptr;
    StatusLabel *m_txLabel = nullptr;
    StatusLabel *m_rxLabel = nullptr;
    StatusLabel *m_txCounterLabel = nullptr;
    StatusLabel *m_rxCounterLabel = nullptr;
    StatusLabel *m_noAnswerLabel = nullptr;
    StatusLabel *m_errorsLabel = nullptr;
    StatusLabel *m_linkErrorsLabel = nullptr;
    StatusLabel *m_modbusErrorsLabel = nullptr;
    QLabel *m_noRynLabel = nullptr;
    QLabel *m_portAccessLabel = nullptr;
    bool m_noRynAnswered = false;

    QTimer *m_txTimer = nullptr;
    QTimer *m_rxTimer = nullptr;
    QTimer *m_reopenTimer = nullptr;
    QTimer *m_cmdProcessTimer = nullptr;

    QByteArray m_geometry;
    QByteArray m_splitterState;
    QString m_settingsNotSaved; // the settings file a write did not reach, until the user is told
    bool m_closing = false;
};
