#include "mainwindowwiring.h"

#include "aucell.h"
#include "aucellswidget.h"
#include "auconfigurationdialog.h"
#include "auinfowidget.h"
#include "aulegendwidget.h"
#include "aupropertiesmodel.h"
#include "aupropertieswidget.h"
#include "auvaluedialog.h"
#include "eventswidget.h"
#include "linkcounters.h"
#include "mainwindow.h"
#include "modbusmaster.h"
#include "ostrelcommportdialog.h"
#include "reportrunprogress.h"
#include "responsedecoder.h"
#include "ryncmdwidget.h"
#include "ryninfowidget.h"
#include "rynparamsmodel.h"
#include "rynselectwidget.h"
#include "rynsetupdialog.h"

MainWindowWiring::MainWindowWiring(MainWindow *window, AuInfoWidget *units, RYNInfoWidget *controller,
                                   EventsWidget *events)
    : m_window(window)
    , m_units(units)
    , m_controller(controller)
    , m_events(events)
{}

void MainWindowWiring::connectDecoder(ResponseDecoder *decoder) const
{
    MainWindow *w = m_window;
    ResponseDecoder *d = decoder;
    QObject::connect(d, &ResponseDecoder::signalRynRegistersUpdated, w,
                     &MainWindow::signalRynRegistersUpdated);
    QObject::connect(d, &ResponseDecoder::signalRynConstantsUpdated, w,
                     &MainWindow::signalRynConstantsUpdated);
    QObject::connect(d, &ResponseDecoder::signalSetType, w, &MainWindow::signalSetType);
    QObject::connect(d, &ResponseDecoder::signalSetGeneralState, w, &MainWindow::signalSetGeneralState);
    QObject::connect(d, &ResponseDecoder::signalSetGeneralState251, w, &MainWindow::signalSetGeneralState251);
    QObject::connect(d, &ResponseDecoder::signalSetIonistorState, w, &MainWindow::signalSetIonistorState);
    QObject::connect(d, &ResponseDecoder::signalSetU, w, &MainWindow::signalSetU);
    QObject::connect(d, &ResponseDecoder::signalSetU1, w, &MainWindow::signalSetU1);
    QObject::connect(d, &ResponseDecoder::signalSetU2, w, &MainWindow::signalSetU2);
    QObject::connect(d, &ResponseDecoder::signalSetU3, w, &MainWindow::signalSetU3);
    QObject::connect(d, &ResponseDecoder::signalSet_T_ULo, w, &MainWindow::signalSet_T_ULo);
    QObject::connect(d, &ResponseDecoder::signalSetThresholdT, w, &MainWindow::signalSetThresholdT);
    QObject::connect(d, &ResponseDecoder::signalSetSmoke, w, &MainWindow::signalSetSmoke);
    QObject::connect(d, &ResponseDecoder::signalSetSmokeMid, w, &MainWindow::signalSetSmokeMid);
    QObject::connect(d, &ResponseDecoder::signalSetIPD_FireThreshold, w,
                     &MainWindow::signalSetIPD_FireThreshold);
    QObject::connect(d, &ResponseDecoder::signalSetIPD_resource, w, &MainWindow::signalSetIPD_resource);
    QObject::connect(d, &ResponseDecoder::signalSetPhoto, w, &MainWindow::signalSetPhoto);
    QObject::connect(d, &ResponseDecoder::signalSetDustiness, w, &MainWindow::signalSetDustiness);
    QObject::connect(d, &ResponseDecoder::signalSetLaser, w, &MainWindow::signalSetLaser);
    QObject::connect(d, &ResponseDecoder::signalSetPyrosensor, w, &MainWindow::signalSetPyrosensor);
    QObject::connect(d, &ResponseDecoder::signalSetCumulaterS1, w, &MainWindow::signalSetCumulaterS1);
    QObject::connect(d, &ResponseDecoder::signalSetCumulaterS2, w, &MainWindow::signalSetCumulaterS2);
    QObject::connect(d, &ResponseDecoder::signalSetPyroTimer, w, &MainWindow::signalSetPyroTimer);
    QObject::connect(d, &ResponseDecoder::signalSetIPP_W, w, [w](int addr, int number, uchar value) {
        emit w->signalSetIPP_W(addr, AuCellTypes::IPP_W_Number(number), value);
    });
    QObject::connect(d, &ResponseDecoder::signalSetNoResponseCounter, w,
                     &MainWindow::signalSetNoResponseCounter);
    QObject::connect(d, &ResponseDecoder::signalSetAdditionData, w, &MainWindow::signalSetAdditionData);
    QObject::connect(d, &ResponseDecoder::signalSetFirmwareVersion, w, &MainWindow::signalSetFirmwareVersion);
    QObject::connect(d, &ResponseDecoder::signalSetPowerSupply, w, &MainWindow::signalSetPowerSupply);
    QObject::connect(d, &ResponseDecoder::signalSetOp, w, &MainWindow::signalSetOp);
    QObject::connect(d, &ResponseDecoder::signalSetRp, w, &MainWindow::signalSetRp);
    QObject::connect(d, &ResponseDecoder::signalSetLo, w, &MainWindow::signalSetLo);
    QObject::connect(d, &ResponseDecoder::signalSetPowerLo, w, &MainWindow::signalSetPowerLo);
    QObject::connect(d, &ResponseDecoder::signalSetPowerLoInit, w, &MainWindow::signalSetPowerLoInit);
    QObject::connect(d, &ResponseDecoder::signalSetInsulators, w, &MainWindow::signalSetInsulators);
    QObject::connect(d, &ResponseDecoder::signalSetInput, w,
                     [w](int addr, int number, uchar state, bool isVexa2R2) {
                         emit w->signalSetInput(addr, AuCellTypes::IoNumber(number), state, isVexa2R2);
                     });
    QObject::connect(d, &ResponseDecoder::signalSetOutput, w,
                     [w](int addr, int number, uchar state, bool isVexa2R2) {
                         emit w->signalSetOutput(addr, AuCellTypes::IoNumber(number), state, isVexa2R2);
                     });
    QObject::connect(d, &ResponseDecoder::signalSetOutputInit, w, [w](int addr, int number, uchar state) {
        emit w->signalSetOutputInit(addr, AuCellTypes::IoNumber(number), state);
    });
    QObject::connect(d, &ResponseDecoder::signalSetValve, w, [w](int addr, int number, uchar state) {
        emit w->signalSetValve(addr, AuCellTypes::ValveNumber(number), state);
    });
    QObject::connect(d, &ResponseDecoder::signalSetInputADC, w, [w](int addr, int number, uchar adc) {
        emit w->signalSetInputADC(addr, AuCellTypes::IoNumber(number), adc);
    });
    QObject::connect(d, &ResponseDecoder::signalSetSbAmperage, w, &MainWindow::signalSetSbAmperage);
    QObject::connect(d, &ResponseDecoder::signalSetAverageAmperage, w, &MainWindow::signalSetAverageAmperage);
    QObject::connect(d, &ResponseDecoder::signalSetButtonIPR_IPRV, w, &MainWindow::signalSetButtonIPR_IPRV);
    QObject::connect(d, &ResponseDecoder::signalSetTamperUDP_IPRV, w, &MainWindow::signalSetTamperUDP_IPRV);
    QObject::connect(d, &ResponseDecoder::signalSetButtonUDP, w, &MainWindow::signalSetButtonUDP);
    QObject::connect(d, &ResponseDecoder::signalSetSensor, w, &MainWindow::signalSetSensor);
    QObject::connect(d, &ResponseDecoder::signalSetConnection, w, &MainWindow::signalSetConnection);
    QObject::connect(d, &ResponseDecoder::signalSetFire, w, &MainWindow::signalSetFire);
    QObject::connect(d, &ResponseDecoder::signalSetPreAlarm, w, &MainWindow::signalSetPreAlarm);
    QObject::connect(d, &ResponseDecoder::signalSetHeater, w, &MainWindow::signalSetHeater);
    QObject::connect(d, &ResponseDecoder::signalSet_R_NE, w, &MainWindow::signalSet_R_NE);
    QObject::connect(d, &ResponseDecoder::signalSetBlocking, w, &MainWindow::signalSetBlocking);
    QObject::connect(d, &ResponseDecoder::signalSetProcType, w, &MainWindow::signalSetProcType);
    QObject::connect(d, &ResponseDecoder::signalSetIptChannelType, w, &MainWindow::signalSetIptChannelType);
    QObject::connect(d, &ResponseDecoder::signalIppBorderData, w, &MainWindow::signalIppBorderData);
    QObject::connect(d, &ResponseDecoder::signalIppBorderRead, w, &MainWindow::signalIppBorderRead);
    QObject::connect(w, &MainWindow::signalIppBorderRead, AuValueDialog::instance(w),
                     &AuValueDialog::slotIppBorderRead);

    // The summary tabs, in the order the grids expect the values.
    AuInfoWidget *tabs = m_units;
    QObject::connect(w, &MainWindow::signalSetType, tabs, &AuInfoWidget::slotSetGeneralType);
    QObject::connect(w, &MainWindow::signalSetType, tabs, &AuInfoWidget::slotSetIonistorType);
    QObject::connect(w, &MainWindow::signalSetType, tabs, &AuInfoWidget::slotSetSmType);
    QObject::connect(w, &MainWindow::signalSetGeneralState, tabs, &AuInfoWidget::slotSetGeneralState);
    QObject::connect(w, &MainWindow::signalSetGeneralState, tabs, &AuInfoWidget::slotSetSmState);
    QObject::connect(w, &MainWindow::signalSetGeneralState251, tabs, &AuInfoWidget::slotSetGeneralState251);
    QObject::connect(w, &MainWindow::signalSetIonistorState, tabs, &AuInfoWidget::slotSetIonistorState);
    QObject::connect(w, &MainWindow::signalSetU, tabs, &AuInfoWidget::slotSetGeneralVoltage);
    QObject::connect(w, &MainWindow::signalSetU, tabs, &AuInfoWidget::slotSetIonistorVoltage);
    QObject::connect(w, &MainWindow::signalSet_T_ULo, tabs, &AuInfoWidget::slotSetGeneralT_U);
    QObject::connect(w, &MainWindow::signalSetThresholdT, tabs, &AuInfoWidget::slotSetGeneralThresholdT);
    QObject::connect(w, &MainWindow::signalSetPhoto, tabs, &AuInfoWidget::slotSetSmPhoto);
    QObject::connect(w, &MainWindow::signalSetSmoke, tabs, &AuInfoWidget::slotSetGeneralSmoke);
    QObject::connect(w, &MainWindow::signalSetSmoke, tabs, &AuInfoWidget::slotSetSmSmoke);
    QObject::connect(w, &MainWindow::signalSetSmokeMid, tabs, &AuInfoWidget::slotSetGeneralSmokeMid);
    QObject::connect(w, &MainWindow::signalSetSmokeMid, tabs, &AuInfoWidget::slotSetSmSmokeMid);
    QObject::connect(w, &MainWindow::signalSetIPD_resource, tabs, &AuInfoWidget::slotSetSmIPD_resource);
    QObject::connect(w, &MainWindow::signalSetDustiness, tabs, &AuInfoWidget::slotSetSmDustiness);
    QObject::connect(w, &MainWindow::signalSetPowerLo, tabs, &AuInfoWidget::slotSetGeneralPowerLo);
    QObject::connect(w, &MainWindow::signalSetInsulators, tabs, &AuInfoWidget::slotSetGeneralInsulators);
    QObject::connect(w, &MainWindow::signalSetFirmwareVersion, tabs,
                     &AuInfoWidget::slotSetGeneralFirmwareVersion);
    QObject::connect(w, &MainWindow::signalSetInput, tabs, &AuInfoWidget::slotSetGeneralInput);
    QObject::connect(w, &MainWindow::signalSetOutput, tabs, &AuInfoWidget::slotSetGeneralOutput);
    QObject::connect(w, &MainWindow::signalSetValve, tabs, &AuInfoWidget::slotSetGeneralValve);
    QObject::connect(w, &MainWindow::signalSetSensor, tabs, &AuInfoWidget::slotSetSmSensor);
    QObject::connect(w, &MainWindow::signalSetConnection, tabs, &AuInfoWidget::slotSetSmConnection);
    QObject::connect(w, &MainWindow::signalSetFire, tabs, &AuInfoWidget::slotSetSmFire);
    QObject::connect(w, &MainWindow::signalSetBlocking, tabs, &AuInfoWidget::slotSetSmBlocking);

    // Every unit value also goes to the properties table, after the grids (a type reaches the grids
    // first).
    AuPropertiesModel *m = tabs->propertiesModel();
    QObject::connect(w, &MainWindow::signalSetType, m, &AuPropertiesModel::slotSetType);
    QObject::connect(w, &MainWindow::signalSetGeneralState, m, &AuPropertiesModel::slotSetGeneralState);
    QObject::connect(w, &MainWindow::signalSetGeneralState251, m, &AuPropertiesModel::slotSetGeneralState251);
    QObject::connect(w, &MainWindow::signalSetIonistorState, m, &AuPropertiesModel::slotSetIonistorState);
    QObject::connect(w, &MainWindow::signalSetU, m, &AuPropertiesModel::slotSetU);
    QObject::connect(w, &MainWindow::signalSetU1, m, &AuPropertiesModel::slotSetU1);
    QObject::connect(w, &MainWindow::signalSetU2, m, &AuPropertiesModel::slotSetU2);
    QObject::connect(w, &MainWindow::signalSetU3, m, &AuPropertiesModel::slotSetU3);
    QObject::connect(w, &MainWindow::signalSet_T_ULo, m, &AuPropertiesModel::slotSet_T_ULo);
    QObject::connect(w, &MainWindow::signalSetThresholdT, m, &AuPropertiesModel::slotSetThresholdT);
    QObject::connect(w, &MainWindow::signalSetSmoke, m, &AuPropertiesModel::slotSetSmoke);
    QObject::connect(w, &MainWindow::signalSetSmokeMid, m, &AuPropertiesModel::slotSetSmokeMid);
    QObject::connect(w, &MainWindow::signalSetIPD_FireThreshold, m,
                     &AuPropertiesModel::slotSetIPD_FireThreshold);
    QObject::connect(w, &MainWindow::signalSetIPD_resource, m, &AuPropertiesModel::slotSetIPD_resource);
    QObject::connect(w, &MainWindow::signalSetPhoto, m, &AuPropertiesModel::slotSetPhoto);
    QObject::connect(w, &MainWindow::signalSetDustiness, m, &AuPropertiesModel::slotSetDustiness);
    QObject::connect(w, &MainWindow::signalSetLaser, m, &AuPropertiesModel::slotSetLaser);
    QObject::connect(w, &MainWindow::signalSetPyrosensor, m, &AuPropertiesModel::slotSetPyrosensor);
    QObject::connect(w, &MainWindow::signalSetCumulaterS1, m, &AuPropertiesModel::slotSetCumulaterS1);
    QObject::connect(w, &MainWindow::signalSetCumulaterS2, m, &AuPropertiesModel::slotSetCumulaterS2);
    QObject::connect(w, &MainWindow::signalSetPyroTimer, m, &AuPropertiesModel::slotSetPyroTimer);
    QObject::connect(w, &MainWindow::signalSetIPP_W, m, &AuPropertiesModel::slotSetIPP_W);
    QObject::connect(w, &MainWindow::signalSetNoResponseCounter, m,
                     &AuPropertiesModel::slotSetNoResponseCounter);
    QObject::connect(w, &MainWindow::signalSetAdditionData, m, &AuPropertiesModel::slotSetAdditionData);
    QObject::connect(w, &MainWindow::signalSetFirmwareVersion, m, &AuPropertiesModel::slotSetFirmwareVersion);
    QObject::connect(w, &MainWindow::signalSetPowerSupply, m, &AuPropertiesModel::slotSetPowerSupply);
    QObject::connect(w, &MainWindow::signalSetOp, m, &AuPropertiesModel::slotSetOp);
    QObject::connect(w, &MainWindow::signalSetRp, m, &AuPropertiesModel::slotSetRp);
    QObject::connect(w, &MainWindow::signalSetLo, m, &AuPropertiesModel::slotSetLo);
    QObject::connect(w, &MainWindow::signalSetPowerLo, m, &AuPropertiesModel::slotSetPowerLo);
    QObject::connect(w, &MainWindow::signalSetPowerLoInit, m, &AuPropertiesModel::slotSetPowerLoInit);
    QObject::connect(w, &MainWindow::signalSetInsulators, m, &AuPropertiesModel::slotSetInsulators);
    QObject::connect(w, &MainWindow::signalSetInput, m, &AuPropertiesModel::slotSetInput);
    QObject::connect(w, &MainWindow::signalSetOutput, m, &AuPropertiesModel::slotSetOutput);
    QObject::connect(w, &MainWindow::signalSetOutputInit, m, &AuPropertiesModel::slotSetOutputInit);
    QObject::connect(w, &MainWindow::signalSetValve, m, &AuPropertiesModel::slotSetValve);
    QObject::connect(w, &MainWindow::signalSetInputADC, m, &AuPropertiesModel::slotSetInputADC);
    QObject::connect(w, &MainWindow::signalSetSbAmperage, m, &AuPropertiesModel::slotSetSbAmperage);
    QObject::connect(w, &MainWindow::signalSetAverageAmperage, m, &AuPropertiesModel::slotSetAverageAmperage);
    QObject::connect(w, &MainWindow::signalSetButtonIPR_IPRV, m, &AuPropertiesModel::slotSetButtonIPR_IPRV);
    QObject::connect(w, &MainWindow::signalSetTamperUDP_IPRV, m, &AuPropertiesModel::slotSetTamperUDP_IPRV);
    QObject::connect(w, &MainWindow::signalSetButtonUDP, m, &AuPropertiesModel::slotSetButtonUDP);
    QObject::connect(w, &MainWindow::signalSetSensor, m, &AuPropertiesModel::slotSetSensor);
    QObject::connect(w, &MainWindow::signalSetConnection, m, &AuPropertiesModel::slotSetConnection);
    QObject::connect(w, &MainWindow::signalSetFire, m, &AuPropertiesModel::slotSetFire);
    QObject::connect(w, &MainWindow::signalSetPreAlarm, m, &AuPropertiesModel::slotSetPreAlarm);
    QObject::connect(w, &MainWindow::signalSetHeater, m, &AuPropertiesModel::slotSetHeater);
    QObject::connect(w, &MainWindow::signalSet_R_NE, m, &AuPropertiesModel::slotSet_R_NE);
    QObject::connect(w, &MainWindow::signalSetBlocking, m, &AuPropertiesModel::slotSetBlocking);
    QObject::connect(w, &MainWindow::signalSetProcType, m, &AuPropertiesModel::slotSetProcType);
    QObject::connect(w, &MainWindow::signalSetIptChannelType, m, &AuPropertiesModel::slotSetIptChannelType);
}

void MainWindowWiring::connectControllerViews(LinkCounters *counters) const
{
    MainWindow *w = m_window;
    QObject::connect(counters, &LinkCounters::signalRxTimeoutErrCntChanged, w,
                     &MainWindow::signalRxTimeoutErrCntChanged);
    QObject::connect(counters, &LinkCounters::signalRxCommErrCntChanged, w,
                     &MainWindow::signalRxCommErrCntChanged);
    QObject::connect(counters, &LinkCounters::signalRxModbusErrCntChanged, w,
                     &MainWindow::signalRxModbusErrCntChanged);
    QObject::connect(counters, &LinkCounters::signalModbusErrorCode, w, &MainWindow::signalModbusErrorCode);
    QObject::connect(counters, &LinkCounters::signalModbusErrorCodes, w, &MainWindow::signalModbusErrorCodes);
    RYNInfoWidget *info = m_controller;
    QObject::connect(m_units->propertiesWidget(), &AuPropertiesWidget::signalTypeVersionCountMap, info,
                     &RYNInfoWidget::slotTypeVersionCountMap);
    QObject::connect(w, &MainWindow::signalRxTimeoutErrCntChanged, info,
                     &RYNInfoWidget::slotRxTimeoutErrCntChanged);
    QObject::connect(w, &MainWindow::signalRxCommErrCntChanged, info,
                     &RYNInfoWidget::slotRxCommErrCntChanged);
    QObject::connect(w, &MainWindow::signalRxModbusErrCntChanged, info,
                     &RYNInfoWidget::slotRxModbusErrCntChanged);
    QObject::connect(w, &MainWindow::signalRynRegistersUpdated, info,
                     &RYNInfoWidget::slotRynRegistersUpdated);
    QObject::connect(w, &MainWindow::signalRynConstantsUpdated,
                     info->cmdWidget()->setupDialog()->paramsModel(),
                     &RynParamsModel::slotRynConstantsUpdated);
    QObject::connect(w, &MainWindow::signalModbusErrorCode, info, &RYNInfoWidget::slotModbusErrorCode);
    QObject::connect(w, &MainWindow::signalModbusErrorCodes, info, &RYNInfoWidget::slotModbusErrorCodes);
}

void MainWindowWiring::connectWorker(ModbusMaster *worker, OstrelCommPortDialog *portDialog,
                                     ReportRunProgress *reportRun) const
{
    MainWindow *w = m_window;

    QObject::connect(w, &MainWindow::signalReinit, worker, &ModbusMaster::reinit);
    QObject::connect(w, &MainWindow::signalStripEcho, worker, &ModbusMaster::slotSetStripEcho);
    QObject::connect(w, &MainWindow::signalSendCommand, worker, &ModbusMaster::slotAddCommand);
    RYNCmdWidget *commands = m_controller->cmdWidget();
    QObject::connect(commands, &RYNCmdWidget::signalSendCmd, w, &MainWindow::slotSendCmd);
    QObject::connect(commands, &RYNCmdWidget::signalSendCmd2, w, &MainWindow::slotSendCmd2);
    for (AuCell::CellKind kind : {AuCell::GeneralCell, AuCell::IonistorCell, AuCell::SmokeCell}) {
        QObject::connect(m_units->grid(kind), &AuCellsWidget::signalSendCmd, w, &MainWindow::slotSendCmd);
        QObject::connect(m_units->cell251(kind), &AuCell::signalSendCmd, w, &MainWindow::slotSendCmd);
    }
    QObject::connect(worker, &ModbusMaster::signalPortOpened, w, &MainWindow::slotPortOpened);
    QObject::connect(worker, &ModbusMaster::signalPortAccessDenied, w, &MainWindow::slotPortAccessDenied);
    QObject::connect(worker, &ModbusMaster::signalPortOpenError, portDialog,
                     &OstrelCommPortDialog::setOpenError);
    QObject::connect(worker, &ModbusMaster::signalEchoCount, portDialog, &OstrelCommPortDialog::setEchoCount);
    QObject::connect(worker, &ModbusMaster::signalPortTx, w, &MainWindow::slotPortTx);
    QObject::connect(worker, &ModbusMaster::signalPortRx, w, &MainWindow::slotPortRx);
    QObject::connect(worker, &ModbusMaster::signalInfo, w, &MainWindow::slotInfo);
    QObject::connect(w, &MainWindow::signalSelectRyn, worker, &ModbusMaster::slotSetAddr);
    QObject::connect(w, &MainWindow::signalSelectRyn, m_controller->cmdWidget(),
                     &RYNCmdWidget::slotRynSelected);
    QObject::connect(m_units, &AuInfoWidget::signalTabCurrenChanged, worker,
                     &ModbusMaster::slotTabCurrenChanged);
    QObject::connect(m_units->legendWidget(), &AuLegendWidget::signalViewModeChanged, worker,
                     &ModbusMaster::slotViewModeChanged);
    AuPropertiesWidget *page = m_units->propertiesWidget();
    QObject::connect(page, qOverload<>(&AuPropertiesWidget::signalShowAuParams), worker,
                     &ModbusMaster::slotShowAuParams);
    QObject::connect(page, &AuPropertiesWidget::signalHideAuParams, worker, &ModbusMaster::slotHideAuParams);
    // A report or protocol run: the worker reads the controllers one by one and reports each.
    QObject::connect(page, &AuPropertiesWidget::signalReadRyns, worker, &ModbusMaster::slotReadRyns);
    QObject::connect(page, &AuPropertiesWidget::signalReadingRynsAborted, worker,
                     &ModbusMaster::slotReadingRynsAborted);
    QObject::connect(worker, &ModbusMaster::signalRynReadingCompleted, page,
                     &AuPropertiesWidget::slotRynReadingCompleted);
    // The link counters in a controller's document are its own: while the run reads a controller
    // its counters are counted and shown (the next one's after the finished one's document is
    // written), and afterwards the selected controller's again.
    QObject::connect(page, &AuPropertiesWidget::signalReadRyns, reportRun, &ReportRunProgress::slotStarted);
    QObject::connect(page, &AuPropertiesWidget::signalReadingRynsAborted, reportRun,
                     &ReportRunProgress::slotAborted);
    QObject::connect(worker, &ModbusMaster::signalRynReadingCompleted, reportRun,
                     &ReportRunProgress::slotCompleted);
    QObject::connect(page, &AuPropertiesWidget::signalSendCmd, w, &MainWindow::slotSendCmd);
    QObject::connect(worker, &ModbusMaster::signalConfigInfo, page->configurationDialog(),
                     &AuConfigurationDialog::slotConfigInfo);
    QObject::connect(w, &MainWindow::signalSelectRyn, page->configurationDialog(),
                     &AuConfigurationDialog::slotRynSelected);
    QObject::connect(worker, &ModbusMaster::signalEvents, m_events, &EventsWidget::slotEvents);
    QObject::connect(worker, &ModbusMaster::signalEvents, w, &MainWindow::slotEvents);
    RYNSelectWidget *select = m_units->selectWidget();
    QObject::connect(worker, &ModbusMaster::signalDisableRyn, select, &RYNSelectWidget::slotlDisableRyn);
    QObject::connect(select, &RYNSelectWidget::signalEventsFromAllRyn, worker,
                     &ModbusMaster::slotEnentsFromAllRyn);
    QObject::connect(select, &RYNSelectWidget::signalEventsFromAllRyn, w, &MainWindow::slotEnentsFromAllRyn);
}

void MainWindowWiring::connectSelection() const
{
    MainWindow *w = m_window;
    RYNSelectWidget *select = m_units->selectWidget();
    QObject::connect(m_units, &AuInfoWidget::signalSearchRYN, w, &MainWindow::slotSearchRYN);
    QObject::connect(w, &MainWindow::signalNeedSelectRyn, m_units, &AuInfoWidget::slotNeedSelectRyn);
    QObject::connect(select, &RYNSelectWidget::signalRynSelected, w, &MainWindow::slotRynSelected);
    QObject::connect(w, &MainWindow::signalSelectRyn, m_controller, &RYNInfoWidget::slotRynSelected);
}
