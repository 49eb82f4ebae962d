#include "mainwindow.h"

#include "aboutdialog.h"
#include "applogging.h"
#include "aucell.h"
#include "aucellswidget.h"
#include "auconfigurationdialog.h"
#include "auinfowidget.h"
#include "aulegendwidget.h"
#include "aupropertiesmodel.h"
#include "aupropertieswidget.h"
#include "auvaluedialog.h"
#include "commandcodes.h"
#include "commandid.h"
#include "evdesclistdialog.h"
#include "linemonitorwindow.h"
#include "eventswidget.h"
#include "modbusmaster.h"
#include "modbusprotocol.h"
#include "ostrelcommportdialog.h"
#include "responsedecoder.h"
#include "ryncmdwidget.h"
#include "ryninfowidget.h"
#include "rynparamsmodel.h"
#include "rynsetupdialog.h"
#include "rynselectwidget.h"
#include "selectlanguage.h"
#include "setupdialog.h"
#include "statuslabel.h"
#include "trendsinstall.h"
#include "version.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QThread>
#include <QTimer>

using namespace ModbusProtocol;

namespace {

enum Ball
{
    BallTransparent,
    BallRed,
    BallGreen
};

// Loaded once: a pixmap made from a resource's name asks the resource for its time stamp on every
// lookup in the pixmap cache, and the traffic lights change tens of times a second.
const QPixmap &ball(Ball which)
{
    static const QPixmap balls[] = {QPixmap(QStringLiteral(":/images/rxtx/ball_transparrent.png")),
                                    QPixmap(QStringLiteral(":/images/rxtx/ball_red.png")),
                                    QPixmap(QStringLiteral(":/images/rxtx/ball_green.png"))};
    return balls[which];
}

constexpr int indicatorMs = 20;
constexpr int reopenMs = 15000;
constexpr int blankingBytes = 500;

StatusLabel *counterLabel(const QString &objectName)
{
    auto *label = new StatusLabel(QStringLiteral("0"));
    label->setObjectName(objectName);
    return label;
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(tr("Тест RYN") + QStringLiteral(" v. ") + QLatin1String(programVersion));
    setWindowIcon(QIcon(QStringLiteral(":/images/ostrel_logo.png")));
    Settings::setWriteFailureHandler([this](const QString &path) { settingsNotSaved(path); });

    m_reportTable = std::make_unique<QTableWidget>();
    m_protocolTable = std::make_unique<QTableWidget>();
    m_auInfoWidget = new AuInfoWidget(m_reportTable.get(), m_protocolTable.get());
    m_rynInfoWidget = new RYNInfoWidget(m_reportTable.get(), m_protocolTable.get());
    m_eventsWidget = new EventsWidget;

    m_decoder = new ResponseDecoder(this);
    connectDecoder();
    connectControllerViews();

    m_eventsWidget->setMinimumHeight(200);

    auto *top = new QWidget;
    auto *topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->setSpacing(0);
    topLayout->addWidget(m_auInfoWidget);
    topLayout->addWidget(m_rynInfoWidget);
    m_splitter = new QSplitter(Qt::Vertical);
    m_splitter->setStyleSheet(QStringLiteral("QSplitter::handle {background: silver;}"));
    m_splitter->addWidget(top);
    m_splitter->addWidget(m_eventsWidget);
    m_splitter->setStretchFactor(0, 255);
    m_splitter->setStretchFactor(1, 1);
    // Dragged down, the event log stops at its minimum height instead of vanishing.
    m_splitter->setChildrenCollapsible(false);
    setCentralWidget(m_splitter);
    adjustSize();
    // Un-maximized, the window takes most of the screen.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        resize(screen->availableGeometry().size() * 0.9);

    m_menuButton = new QPushButton;
    m_portStateLabel = new QLabel(QString(QChar(0x00BB)));
    m_portStateLabel->setObjectName(QStringLiteral("portStateLabel"));
    m_portButton = new QPushButton(tr("Порт не выбран"));
    m_portButton->setObjectName(QStringLiteral("portButton"));
    connect(m_portButton, &QPushButton::clicked, this, &MainWindow::selectComPort);

    m_portDialog = new OstrelCommPortDialog(this);
    m_setupDialog = new SetupDialog(this);
    m_evDescListDialog = new EvDescListDialog(this);
    connect(m_evDescListDialog, &EvDescListDialog::signalEventDescModifyed, m_eventsWidget,
            &EventsWidget::slotEventDescModifyed);

    Settings::readPrgParams(m_prgParams);
    m_language =
        Settings::readValue(QStringLiteral("Lang"), QStringLiteral("Lang"), QStringLiteral("RU")).toString();
    m_eventsWidget->slotSetMaxEvCount(m_prgParams.evCount);

    createStatusBar();
    createMenu();
    createWorker();
    // Connected before the worker's thread starts: a connection made later hands its slot object to
    // that thread through Qt's event queue alone.
    m_lineMonitor = new LineMonitorWindow(this);
    connect(m_lineMonitor, &LineMonitorWindow::signalMonitoring, m_modbusMaster, &ModbusMaster::slotRecordLine);
    connect(m_modbusMaster, &ModbusMaster::signalLineRecords, m_lineMonitor, &LineMonitorWindow::slotLineRecords);
    m_trendsWindow = installTrends(this, m_menuButton->menu(), m_modbusMaster);
    m_workerThread = m_modbusMaster->workerThread();
    m_workerThread->start(QThread::InheritPriority);

    m_txTimer = new QTimer(this);
    m_txTimer->setSingleShot(true);
    m_txTimer->setInterval(indicatorMs);
    connect(m_txTimer, &QTimer::timeout, this, &MainWindow::slotClearTx);
    m_rxTimer = new QTimer(this);
    m_rxTimer->setSingleShot(true);
    m_rxTimer->setInterval(indicatorMs);
    connect(m_rxTimer, &QTimer::timeout, this, &MainWindow::slotClearRx);
    m_reopenTimer = new QTimer(this);
    m_reopenTimer->setSingleShot(true);
    m_reopenTimer->setInterval(reopenMs);
    connect(m_reopenTimer, &QTimer::timeout, this, &MainWindow::slotReinit);

    RYNSelectWidget *select = m_auInfoWidget->selectWidget();
    connect(m_auInfoWidget, &AuInfoWidget::signalSearchRYN, this, &MainWindow::slotSearchRYN);
    connect(this, &MainWindow::signalNeedSelectRyn, m_auInfoWidget, &AuInfoWidget::slotNeedSelectRyn);
    connect(select, &RYNSelectWidget::signalRynSelected, this, &MainWindow::slotRynSelected);
    connect(this, &MainWindow::signalSelectRyn, m_rynInfoWidget, &RYNInfoWidget::slotRynSelected);

    setMinimumWidth(800);

    slotSearchRYN();

    select->slotEnentsFromAllRyn(m_prgParams.eventsFromAllRyn);

    m_cmdProcessTimer = new QTimer(this);
    m_cmdProcessTimer->setSingleShot(true);
    m_cmdProcessTimer->setInterval(0);
    connect(m_cmdProcessTimer, &QTimer::timeout, this, &MainWindow::slotCmdProcessTimeout);

    const QByteArray splitterState =
        Settings::readValue(QStringLiteral("SplitterState"), QStringLiteral("MainWindow")).toByteArray();
    if (!splitterState.isEmpty())
        m_splitter->restoreState(splitterState);
    const QByteArray geometry =
        Settings::readValue(QStringLiteral("Geometry"), QStringLiteral("MainWindow")).toByteArray();
    // The grids, the panels and the log want all the room there is: a first start fills the screen,
    // a later one restores what the user left.
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    else
        setWindowState(windowState() | Qt::WindowMaximized);
}

MainWindow::~MainWindow()
{
    m_closing = true;
    m_reopenTimer->stop();
    // The worker and its thread delete themselves when the thread has finished. The thread was taken
    // at the start: once it runs, the worker belongs to it.
    m_workerThread->quit();
    m_workerThread->wait();
    m_reportTable.reset();
    m_protocolTable.reset();
    Settings::writeValue(m_geometry, QStringLiteral("Geometry"), QStringLiteral("MainWindow"));
    Settings::writeValue(m_splitterState, QStringLiteral("SplitterState"), QStringLiteral("MainWindow"));
    savePrgParams();
    // Told here, with the line already stopped, when these were the first writes to fail. The
    // views write their own keys after this, to the same file: they are not asked to tell anyone.
    showSettingsNotSaved();
    Settings::setWriteFailureHandler(nullptr);
}

// Settings that cannot be written would be lost silently at exit: the user is told once, when the
// first write fails, where they could not be saved. Told from the event loop, not from inside the
// slot whose write failed.
void MainWindow::settingsNotSaved(const QString &path)
{
    m_settingsNotSaved = path;
    if (!m_closing)
        QTimer::singleShot(0, this, &MainWindow::showSettingsNotSaved);
}

void MainWindow::showSettingsNotSaved()
{
    if (m_settingsNotSaved.isEmpty())
        return;
    const QString path = QDir::toNativeSeparators(m_settingsNotSaved);
    m_settingsNotSaved.clear();
    QMessageBox::warning(isVisible() ? this : nullptr, tr("Внимание!"),
                         tr("Не удалось сохранить настройки программы в файл\n%1\n"
                            "Изменённые настройки будут потеряны при выходе.")
                             .arg(path));
}

void MainWindow::createStatusBar()
{
    m_menuButton->setFlat(true);
    m_menuButton->setIcon(QIcon(QStringLiteral(":/images/buttons/menu.png")));
    m_menuButton->setStyleSheet(QStringLiteral("QPushButton::menu-indicator{image:none;}"));

    auto *portWidget = new QWidget;
    auto *portLayout = new QHBoxLayout(portWidget);
    portLayout->setContentsMargins(0, 0, 0, 0);
    portLayout->addWidget(m_portStateLabel);
    portLayout->addWidget(m_portButton);

    m_txLabel = new StatusLabel;
    m_txLabel->setObjectName(QStringLiteral("txIndicator"));
    m_txLabel->showPixmap(ball(BallTransparent));
    m_rxLabel = new StatusLabel;
    m_rxLabel->setObjectName(QStringLiteral("rxIndicator"));
    m_rxLabel->showPixmap(ball(BallTransparent));
    m_txCounterLabel = counterLabel(QStringLiteral("txCounter"));
    m_rxCounterLabel = counterLabel(QStringLiteral("rxCounter"));
    m_noAnswerLabel = counterLabel(QStringLiteral("noAnswerCounter"));
    m_errorsLabel = counterLabel(QStringLiteral("errorCounter"));
    m_linkErrorsLabel = counterLabel(QStringLiteral("linkErrorCounter"));
    m_modbusErrorsLabel = counterLabel(QStringLiteral("modbusErrorCounter"));

    auto *traffic = new QWidget;
    auto *trafficLayout = new QHBoxLayout(traffic);
    trafficLayout->setContentsMargins(0, 0, 0, 0);
    trafficLayout->setSpacing(0);
    const QList<QWidget *> items{new QLabel(QStringLiteral("Tx:")),
                                 m_txLabel,
                                 new QLabel(QStringLiteral("Rx:")),
                                 m_rxLabel,
                                 new QLabel(QStringLiteral("   ") + tr("Передано:")),
                                 m_txCounterLabel,
                                 new QLabel(QStringLiteral("   ") + tr("Принято:")),
                                 m_rxCounterLabel,
                                 new QLabel(QStringLiteral("   ") + tr("Нет ответа:")),
                                 m_noAnswerLabel,
                                 new QLabel(QStringLiteral("   ") + tr("Ошибок:")),
                                 m_errorsLabel,
                                 new QLabel(QStringLiteral(" (") + tr("Связи:")),
                                 m_linkErrorsLabel,
                                 new QLabel(QStringLiteral(",   Modbus:")),
                                 m_modbusErrorsLabel,
                                 new QLabel(QStringLiteral(")"))};
    for (QWidget *item : items)
        trafficLayout->addWidget(item);

    statusBar()->addWidget(m_menuButton);
    statusBar()->addWidget(portWidget);
    statusBar()->addWidget(traffic);

    // Shown while no controller has answered, so that an idle line is not taken for a quiet one.
    m_noRynLabel = new QLabel(tr("Контроллеры RYN не отвечают"));
    m_noRynLabel->setObjectName(QStringLiteral("noRynLabel"));
    m_noRynLabel->setStyleSheet(QStringLiteral("QLabel{color: red}"));
    m_noRynLabel->hide();
    m_portAccessLabel = new QLabel(tr("Порт") + QStringLiteral(": ") + OstrelCommPortDialog::accessDeniedText());
    m_portAccessLabel->setObjectName(QStringLiteral("portAccessLabel"));
    m_portAccessLabel->setStyleSheet(QStringLiteral("QLabel{color: red}"));
    m_portAccessLabel->hide();
    // On a narrow window the notes give way (their whole text in the tool tip); the port and the
    // counters never do.
    for (QLabel *note : {m_noRynLabel, m_portAccessLabel}) {
        note->setToolTip(note->text());
        note->setMinimumWidth(0);
        note->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        statusBar()->addPermanentWidget(note, 1);
    }
}

void MainWindow::createMenu()
{
    auto *menu = new QMenu(tr("Меню"), this);
    QAction *setup = menu->addAction(tr("Настройки ..."));
    connect(setup, &QAction::triggered, this, &MainWindow::slotSetup);
    QAction *editor = menu->addAction(tr("Редактор событий ..."));
    connect(editor, &QAction::triggered, this, &MainWindow::slotEditEventDesc);
    QAction *language = menu->addAction(tr("Выбрать язык ..."));
    connect(language, &QAction::triggered, this, &MainWindow::slotShowSelectLangDialog);
    SelectLanguage::init(m_language, this);
    QAction *lineMonitor = menu->addAction(tr("Монитор линии ..."));
    connect(lineMonitor, &QAction::triggered, this, &MainWindow::slotShowLineMonitor);
    menu->addSeparator();
    QAction *about = menu->addAction(tr("О программе ..."));
    connect(about, &QAction::triggered, this, &MainWindow::slotShowAbout);
    menu->addSeparator();
    QAction *exit = menu->addAction(tr("Выход"));
    exit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    connect(exit, &QAction::triggered, this, &QWidget::close);
    // The shortcut works with the menu closed too.
    addAction(exit);
    m_menuButton->setMenu(menu);
}

void MainWindow::createWorker()
{
    qRegisterMetaType<QList<int>>("QList<int>");
    qRegisterMetaType<ModbusProtocol::EventList>("ModbusProtocol::EventList");
    m_modbusMaster = new ModbusMaster(effectivePortName(), 0, m_prgParams.eventsFromAllRyn);
    ModbusMaster *worker = m_modbusMaster;
    // Before a unit is moved onto an address, its menu asks whether the worker last read a unit there.
    m_auInfoWidget->setUnitQuestions([worker](int addr) { return worker->isUnitTyped(addr); },
                                     [worker](int addr) { return worker->isUnitReachable(addr); });
    // Its thread has not started: the choice is in place before the port opens.
    worker->slotSetStripEcho(m_prgParams.stripEcho);

    connect(this, &MainWindow::signalReinit, worker, &ModbusMaster::reinit);
    connect(this, &MainWindow::signalStripEcho, worker, &ModbusMaster::slotSetStripEcho);
    connect(this, &MainWindow::signalSendCommand, worker, &ModbusMaster::slotAddCommand);
    RYNCmdWidget *commands = m_rynInfoWidget->cmdWidget();
    connect(commands, &RYNCmdWidget::signalSendCmd, this, &MainWindow::slotSendCmd);
    connect(commands, &RYNCmdWidget::signalSendCmd2, this, &MainWindow::slotSendCmd2);
    for (AuCell::CellKind kind : {AuCell::GeneralCell, AuCell::IonistorCell, AuCell::SmokeCell}) {
        connect(m_auInfoWidget->grid(kind), &AuCellsWidget::signalSendCmd, this, &MainWindow::slotSendCmd);
        connect(m_auInfoWidget->cell251(kind), &AuCell::signalSendCmd, this, &MainWindow::slotSendCmd);
    }
    connect(worker, &ModbusMaster::signalPortOpened, this, &MainWindow::slotPortOpened);
    connect(worker, &ModbusMaster::signalPortAccessDenied, this, &MainWindow::slotPortAccessDenied);
    connect(worker, &ModbusMaster::signalPortOpenError, m_portDialog, &OstrelCommPortDialog::setOpenError);
    connect(worker, &ModbusMaster::signalEchoCount, m_portDialog, &OstrelCommPortDialog::setEchoCount);
    connect(worker, &ModbusMaster::signalPortTx, this, &MainWindow::slotPortTx);
    connect(worker, &ModbusMaster::signalPortRx, this, &MainWindow::slotPortRx);
    connect(worker, &ModbusMaster::signalInfo, this, &MainWindow::slotInfo);
    connect(this, &MainWindow::signalSelectRyn, worker, &ModbusMaster::slotSetAddr);
    connect(this, &MainWindow::signalSelectRyn, m_rynInfoWidget->cmdWidget(), &RYNCmdWidget::slotRynSelected);
    connect(m_auInfoWidget, &AuInfoWidget::signalTabCurrenChanged, worker,
            &ModbusMaster::slotTabCurrenChanged);
    connect(m_auInfoWidget->legendWidget(), &AuLegendWidget::signalViewModeChanged, worker,
            &ModbusMaster::slotViewModeChanged);
    AuPropertiesWidget *page = m_auInfoWidget->propertiesWidget();
    connect(page, qOverload<>(&AuPropertiesWidget::signalShowAuParams), worker,
            &ModbusMaster::slotShowAuParams);
    connect(page, &AuPropertiesWidget::signalHideAuParams, worker, &ModbusMaster::slotHideAuParams);
    // A report or protocol run: the worker reads the controllers one by one and reports each.
    connect(page, &AuPropertiesWidget::signalReadRyns, worker, &ModbusMaster::slotReadRyns);
    connect(page, &AuPropertiesWidget::signalReadingRynsAborted, worker,
            &ModbusMaster::slotReadingRynsAborted);
    connect(worker, &ModbusMaster::signalRynReadingCompleted, page,
            &AuPropertiesWidget::slotRynReadingCompleted);
    // The link counters in a controller's document are its own: while the run reads a controller
    // its counters are counted and shown (the next one's after the finished one's document is
    // written), and afterwards the selected controller's again.
    connect(page, &AuPropertiesWidget::signalReadRyns, this, &MainWindow::rynReadingStarted);
    connect(page, &AuPropertiesWidget::signalReadingRynsAborted, this, &MainWindow::rynReadingAborted);
    connect(worker, &ModbusMaster::signalRynReadingCompleted, this, &MainWindow::rynReadingCompleted);
    connect(page, &AuPropertiesWidget::signalSendCmd, this, &MainWindow::slotSendCmd);
    connect(worker, &ModbusMaster::signalConfigInfo, page->configurationDialog(),
            &AuConfigurationDialog::slotConfigInfo);
    connect(this, &MainWindow::signalSelectRyn, page->configurationDialog(),
            &AuConfigurationDialog::slotRynSelected);
    connect(worker, &ModbusMaster::signalEvents, m_eventsWidget, &EventsWidget::slotEvents);
    connect(worker, &ModbusMaster::signalEvents, this, &MainWindow::slotEvents);
    RYNSelectWidget *select = m_auInfoWidget->selectWidget();
    connect(worker, &ModbusMaster::signalDisableRyn, select, &RYNSelectWidget::slotlDisableRyn);
    connect(select, &RYNSelectWidget::signalEventsFromAllRyn, worker, &ModbusMaster::slotEnentsFromAllRyn);
    connect(select, &RYNSelectWidget::signalEventsFromAllRyn, this, &MainWindow::slotEnentsFromAllRyn);
}

void MainWindow::connectDecoder()
{
    ResponseDecoder *d = m_decoder;
    connect(d, &ResponseDecoder::signalRynRegistersUpdated, this, &MainWindow::signalRynRegistersUpdated);
    connect(d, &ResponseDecoder::signalRynConstantsUpdated, this, &MainWindow::signalRynConstantsUpdated);
    connect(d, &ResponseDecoder::signalSetType, this, &MainWindow::signalSetType);
    connect(d, &ResponseDecoder::signalSetGeneralState, this, &MainWindow::signalSetGeneralState);
    connect(d, &ResponseDecoder::signalSetGeneralState251, this, &MainWindow::signalSetGeneralState251);
    connect(d, &ResponseDecoder::signalSetIonistorState, this, &MainWindow::signalSetIonistorState);
    connect(d, &ResponseDecoder::signalSetU, this, &MainWindow::signalSetU);
    connect(d, &ResponseDecoder::signalSetU1, this, &MainWindow::signalSetU1);
    connect(d, &ResponseDecoder::signalSetU2, this, &MainWindow::signalSetU2);
    connect(d, &ResponseDecoder::signalSetU3, this, &MainWindow::signalSetU3);
    connect(d, &ResponseDecoder::signalSet_T_ULo, this, &MainWindow::signalSet_T_ULo);
    connect(d, &ResponseDecoder::signalSetThresholdT, this, &MainWindow::signalSetThresholdT);
    connect(d, &ResponseDecoder::signalSetSmoke, this, &MainWindow::signalSetSmoke);
    connect(d, &ResponseDecoder::signalSetSmokeMid, this, &MainWindow::signalSetSmokeMid);
    connect(d, &ResponseDecoder::signalSetIPD_FireThreshold, this, &MainWindow::signalSetIPD_FireThreshold);
    connect(d, &ResponseDecoder::signalSetIPD_resource, this, &MainWindow::signalSetIPD_resource);
    connect(d, &ResponseDecoder::signalSetPhoto, this, &MainWindow::signalSetPhoto);
    connect(d, &ResponseDecoder::signalSetDustiness, this, &MainWindow::signalSetDustiness);
    connect(d, &ResponseDecoder::signalSetLaser, this, &MainWindow::signalSetLaser);
    connect(d, &ResponseDecoder::signalSetPyrosensor, this, &MainWindow::signalSetPyrosensor);
    connect(d, &ResponseDecoder::signalSetCumulaterS1, this, &MainWindow::signalSetCumulaterS1);
    connect(d, &ResponseDecoder::signalSetCumulaterS2, this, &MainWindow::signalSetCumulaterS2);
    connect(d, &ResponseDecoder::signalSetPyroTimer, this, &MainWindow::signalSetPyroTimer);
    connect(d, &ResponseDecoder::signalSetIPP_W, this, [this](int addr, int number, uchar w) {
        emit signalSetIPP_W(addr, AuCellTypes::IPP_W_Number(number), w);
    });
    connect(d, &ResponseDecoder::signalSetNoResponseCounter, this, &MainWindow::signalSetNoResponseCounter);
    connect(d, &ResponseDecoder::signalSetAdditionData, this, &MainWindow::signalSetAdditionData);
    connect(d, &ResponseDecoder::signalSetFirmwareVersion, this, &MainWindow::signalSetFirmwareVersion);
    connect(d, &ResponseDecoder::signalSetPowerSupply, this, &MainWindow::signalSetPowerSupply);
    connect(d, &ResponseDecoder::signalSetOp, this, &MainWindow::signalSetOp);
    connect(d, &ResponseDecoder::signalSetRp, this, &MainWindow::signalSetRp);
    connect(d, &ResponseDecoder::signalSetLo, this, &MainWindow::signalSetLo);
    connect(d, &ResponseDecoder::signalSetPowerLo, this, &MainWindow::signalSetPowerLo);
    connect(d, &ResponseDecoder::signalSetPowerLoInit, this, &MainWindow::signalSetPowerLoInit);
    connect(d, &ResponseDecoder::signalSetInsulators, this, &MainWindow::signalSetInsulators);
    connect(d, &ResponseDecoder::signalSetInput, this,
            [this](int addr, int number, uchar state, bool isVexa2R2) {
                emit signalSetInput(addr, AuCellTypes::IoNumber(number), state, isVexa2R2);
            });
    connect(d, &ResponseDecoder::signalSetOutput, this,
            [this](int addr, int number, uchar state, bool isVexa2R2) {
                emit signalSetOutput(addr, AuCellTypes::IoNumber(number), state, isVexa2R2);
            });
    connect(d, &ResponseDecoder::signalSetOutputInit, this, [this](int addr, int number, uchar state) {
        emit signalSetOutputInit(addr, AuCellTypes::IoNumber(number), state);
    });
    connect(d, &ResponseDecoder::signalSetValve, this, [this](int addr, int number, uchar state) {
        emit signalSetValve(addr, AuCellTypes::ValveNumber(number), state);
    });
    connect(d, &ResponseDecoder::signalSetInputADC, this, [this](int addr, int number, uchar adc) {
        emit signalSetInputADC(addr, AuCellTypes::IoNumber(number), adc);
    });
    connect(d, &ResponseDecoder::signalSetSbAmperage, this, &MainWindow::signalSetSbAmperage);
    connect(d, &ResponseDecoder::signalSetAverageAmperage, this, &MainWindow::signalSetAverageAmperage);
    connect(d, &ResponseDecoder::signalSetButtonIPR_IPRV, this, &MainWindow::signalSetButtonIPR_IPRV);
    connect(d, &ResponseDecoder::signalSetTamperUDP_IPRV, this, &MainWindow::signalSetTamperUDP_IPRV);
    connect(d, &ResponseDecoder::signalSetButtonUDP, this, &MainWindow::signalSetButtonUDP);
    connect(d, &ResponseDecoder::signalSetSensor, this, &MainWindow::signalSetSensor);
    connect(d, &ResponseDecoder::signalSetConnection, this, &MainWindow::signalSetConnection);
    connect(d, &ResponseDecoder::signalSetFire, this, &MainWindow::signalSetFire);
    connect(d, &ResponseDecoder::signalSetPreAlarm, this, &MainWindow::signalSetPreAlarm);
    connect(d, &ResponseDecoder::signalSetHeater, this, &MainWindow::signalSetHeater);
    connect(d, &ResponseDecoder::signalSet_R_NE, this, &MainWindow::signalSet_R_NE);
    connect(d, &ResponseDecoder::signalSetBlocking, this, &MainWindow::signalSetBlocking);
    connect(d, &ResponseDecoder::signalSetProcType, this, &MainWindow::signalSetProcType);
    connect(d, &ResponseDecoder::signalSetIptChannelType, this, &MainWindow::signalSetIptChannelType);
    connect(d, &ResponseDecoder::signalIppBorderData, this, &MainWindow::signalIppBorderData);
    connect(d, &ResponseDecoder::signalIppBorderRead, this, &MainWindow::signalIppBorderRead);
    connect(this, &MainWindow::signalIppBorderRead, AuValueDialog::instance(this),
            &AuValueDialog::slotIppBorderRead);

    // The summary tabs, in the order the grids expect the values.
    AuInfoWidget *tabs = m_auInfoWidget;
    connect(this, &MainWindow::signalSetType, tabs, &AuInfoWidget::slotSetGeneralType);
    connect(this, &MainWindow::signalSetType, tabs, &AuInfoWidget::slotSetIonistorType);
    connect(this, &MainWindow::signalSetType, tabs, &AuInfoWidget::slotSetSmType);
    connect(this, &MainWindow::signalSetGeneralState, tabs, &AuInfoWidget::slotSetGeneralState);
    connect(this, &MainWindow::signalSetGeneralState, tabs, &AuInfoWidget::slotSetSmState);
    connect(this, &MainWindow::signalSetGeneralState251, tabs, &AuInfoWidget::slotSetGeneralState251);
    connect(this, &MainWindow::signalSetIonistorState, tabs, &AuInfoWidget::slotSetIonistorState);
    connect(this, &MainWindow::signalSetU, tabs, &AuInfoWidget::slotSetGeneralVoltage);
    connect(this, &MainWindow::signalSetU, tabs, &AuInfoWidget::slotSetIonistorVoltage);
    connect(this, &MainWindow::signalSet_T_ULo, tabs, &AuInfoWidget::slotSetGeneralT_U);
    connect(this, &MainWindow::signalSetThresholdT, tabs, &AuInfoWidget::slotSetGeneralThresholdT);
    connect(this, &MainWindow::signalSetPhoto, tabs, &AuInfoWidget::slotSetSmPhoto);
    connect(this, &MainWindow::signalSetSmoke, tabs, &AuInfoWidget::slotSetGeneralSmoke);
    connect(this, &MainWindow::signalSetSmoke, tabs, &AuInfoWidget::slotSetSmSmoke);
    connect(this, &MainWindow::signalSetSmokeMid, tabs, &AuInfoWidget::slotSetGeneralSmokeMid);
    connect(this, &MainWindow::signalSetSmokeMid, tabs, &AuInfoWidget::slotSetSmSmokeMid);
    connect(this, &MainWindow::signalSetIPD_resource, tabs, &AuInfoWidget::slotSetSmIPD_resource);
    connect(this, &MainWindow::signalSetDustiness, tabs, &AuInfoWidget::slotSetSmDustiness);
    connect(this, &MainWindow::signalSetPowerLo, tabs, &AuInfoWidget::slotSetGeneralPowerLo);
    connect(this, &MainWindow::signalSetInsulators, tabs, &AuInfoWidget::slotSetGeneralInsulators);
    connect(this, &MainWindow::signalSetFirmwareVersion, tabs, &AuInfoWidget::slotSetGeneralFirmwareVersion);
    connect(this, &MainWindow::signalSetInput, tabs, &AuInfoWidget::slotSetGeneralInput);
    connect(this, &MainWindow::signalSetOutput, tabs, &AuInfoWidget::slotSetGeneralOutput);
    connect(this, &MainWindow::signalSetValve, tabs, &AuInfoWidget::slotSetGeneralValve);
    connect(this, &MainWindow::signalSetSensor, tabs, &AuInfoWidget::slotSetSmSensor);
    connect(this, &MainWindow::signalSetConnection, tabs, &AuInfoWidget::slotSetSmConnection);
    connect(this, &MainWindow::signalSetFire, tabs, &AuInfoWidget::slotSetSmFire);
    connect(this, &MainWindow::signalSetBlocking, tabs, &AuInfoWidget::slotSetSmBlocking);

    // Every unit value also goes to the properties table, after the grids (a type reaches the grids
    // first).
    AuPropertiesModel *m = tabs->propertiesModel();
    connect(this, &MainWindow::signalSetType, m, &AuPropertiesModel::slotSetType);
    connect(this, &MainWindow::signalSetGeneralState, m, &AuPropertiesModel::slotSetGeneralState);
    connect(this, &MainWindow::signalSetGeneralState251, m, &AuPropertiesModel::slotSetGeneralState251);
    connect(this, &MainWindow::signalSetIonistorState, m, &AuPropertiesModel::slotSetIonistorState);
    connect(this, &MainWindow::signalSetU, m, &AuPropertiesModel::slotSetU);
    connect(this, &MainWindow::signalSetU1, m, &AuPropertiesModel::slotSetU1);
    connect(this, &MainWindow::signalSetU2, m, &AuPropertiesModel::slotSetU2);
    connect(this, &MainWindow::signalSetU3, m, &AuPropertiesModel::slotSetU3);
    connect(this, &MainWindow::signalSet_T_ULo, m, &AuPropertiesModel::slotSet_T_ULo);
    connect(this, &MainWindow::signalSetThresholdT, m, &AuPropertiesModel::slotSetThresholdT);
    connect(this, &MainWindow::signalSetSmoke, m, &AuPropertiesModel::slotSetSmoke);
    connect(this, &MainWindow::signalSetSmokeMid, m, &AuPropertiesModel::slotSetSmokeMid);
    connect(this, &MainWindow::signalSetIPD_FireThreshold, m, &AuPropertiesModel::slotSetIPD_FireThreshold);
    connect(this, &MainWindow::signalSetIPD_resource, m, &AuPropertiesModel::slotSetIPD_resource);
    connect(this, &MainWindow::signalSetPhoto, m, &AuPropertiesModel::slotSetPhoto);
    connect(this, &MainWindow::signalSetDustiness, m, &AuPropertiesModel::slotSetDustiness);
    connect(this, &MainWindow::signalSetLaser, m, &AuPropertiesModel::slotSetLaser);
    connect(this, &MainWindow::signalSetPyrosensor, m, &AuPropertiesModel::slotSetPyrosensor);
    connect(this, &MainWindow::signalSetCumulaterS1, m, &AuPropertiesModel::slotSetCumulaterS1);
    connect(this, &MainWindow::signalSetCumulaterS2, m, &AuPropertiesModel::slotSetCumulaterS2);
    connect(this, &MainWindow::signalSetPyroTimer, m, &AuPropertiesModel::slotSetPyroTimer);
    connect(this, &MainWindow::signalSetIPP_W, m, &AuPropertiesModel::slotSetIPP_W);
    connect(this, &MainWindow::signalSetNoResponseCounter, m, &AuPropertiesModel::slotSetNoResponseCounter);
    connect(this, &MainWindow::signalSetAdditionData, m, &AuPropertiesModel::slotSetAdditionData);
    connect(this, &MainWindow::signalSetFirmwareVersion, m, &AuPropertiesModel::slotSetFirmwareVersion);
    connect(this, &MainWindow::signalSetPowerSupply, m, &AuPropertiesModel::slotSetPowerSupply);
    connect(this, &MainWindow::signalSetOp, m, &AuPropertiesModel::slotSetOp);
    connect(this, &MainWindow::signalSetRp, m, &AuPropertiesModel::slotSetRp);
    connect(this, &MainWindow::signalSetLo, m, &AuPropertiesModel::slotSetLo);
    connect(this, &MainWindow::signalSetPowerLo, m, &AuPropertiesModel::slotSetPowerLo);
    connect(this, &MainWindow::signalSetPowerLoInit, m, &AuPropertiesModel::slotSetPowerLoInit);
    connect(this, &MainWindow::signalSetInsulators, m, &AuPropertiesModel::slotSetInsulators);
    connect(this, &MainWindow::signalSetInput, m, &AuPropertiesModel::slotSetInput);
    connect(this, &MainWindow::signalSetOutput, m, &AuPropertiesModel::slotSetOutput);
    connect(this, &MainWindow::signalSetOutputInit, m, &AuPropertiesModel::slotSetOutputInit);
    connect(this, &MainWindow::signalSetValve, m, &AuPropertiesModel::slotSetValve);
    connect(this, &MainWindow::signalSetInputADC, m, &AuPropertiesModel::slotSetInputADC);
    connect(this, &MainWindow::signalSetSbAmperage, m, &AuPropertiesModel::slotSetSbAmperage);
    connect(this, &MainWindow::signalSetAverageAmperage, m, &AuPropertiesModel::slotSetAverageAmperage);
    connect(this, &MainWindow::signalSetButtonIPR_IPRV, m, &AuPropertiesModel::slotSetButtonIPR_IPRV);
    connect(this, &MainWindow::signalSetTamperUDP_IPRV, m, &AuPropertiesModel::slotSetTamperUDP_IPRV);
    connect(this, &MainWindow::signalSetButtonUDP, m, &AuPropertiesModel::slotSetButtonUDP);
    connect(this, &MainWindow::signalSetSensor, m, &AuPropertiesModel::slotSetSensor);
    connect(this, &MainWindow::signalSetConnection, m, &AuPropertiesModel::slotSetConnection);
    connect(this, &MainWindow::signalSetFire, m, &AuPropertiesModel::slotSetFire);
    connect(this, &MainWindow::signalSetPreAlarm, m, &AuPropertiesModel::slotSetPreAlarm);
    connect(this, &MainWindow::signalSetHeater, m, &AuPropertiesModel::slotSetHeater);
    connect(this, &MainWindow::signalSet_R_NE, m, &AuPropertiesModel::slotSet_R_NE);
    connect(this, &MainWindow::signalSetBlocking, m, &AuPropertiesModel::slotSetBlocking);
    connect(this, &MainWindow::signalSetProcType, m, &AuPropertiesModel::slotSetProcType);
    connect(this, &MainWindow::signalSetIptChannelType, m, &AuPropertiesModel::slotSetIptChannelType);
}

void MainWindow::connectControllerViews()
{
    RYNInfoWidget *info = m_rynInfoWidget;
    connect(m_auInfoWidget->propertiesWidget(), &AuPropertiesWidget::signalTypeVersionCountMap, info,
            &RYNInfoWidget::slotTypeVersionCountMap);
    connect(this, &MainWindow::signalRxTimeoutErrCntChanged, info, &RYNInfoWidget::slotRxTimeoutErrCntChanged);
    connect(this, &MainWindow::signalRxCommErrCntChanged, info, &RYNInfoWidget::slotRxCommErrCntChanged);
    connect(this, &MainWindow::signalRxModbusErrCntChanged, info, &RYNInfoWidget::slotRxModbusErrCntChanged);
    connect(this, &MainWindow::signalRynRegistersUpdated, info, &RYNInfoWidget::slotRynRegistersUpdated);
    connect(this, &MainWindow::signalRynConstantsUpdated, info->cmdWidget()->setupDialog()->paramsModel(),
            &RynParamsModel::slotRynConstantsUpdated);
    connect(this, &MainWindow::signalModbusErrorCode, info, &RYNInfoWidget::slotModbusErrorCode);
    connect(this, &MainWindow::signalModbusErrorCodes, info, &RYNInfoWidget::slotModbusErrorCodes);
}

void MainWindow::setLanguage(const QString &language)
{
    m_eventLanguage = language;
    m_eventsWidget->setEventDescLanguage(language);
}

void MainWindow::setDocumentLocale(const QLocale &locale)
{
    m_rynInfoWidget->setDocumentLocale(locale);
    m_auInfoWidget->propertiesWidget()->setDocumentLocale(locale);
}

QString MainWindow::effectivePortName() const
{
    return m_prgParams.portDisable ? QString() : m_prgParams.portName;
}

void MainWindow::savePrgParams()
{
    Settings::writePrgParams(m_prgParams);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    m_geometry = saveGeometry();
    m_splitterState = m_splitter->saveState();
    m_reportTable->close();
    m_protocolTable->close();
    m_lineMonitor->close();
    QMainWindow::closeEvent(event);
}

void MainWindow::selectComPort()
{
    m_portDialog->setStripEcho(m_prgParams.stripEcho);
    if (m_portDialog->exec(m_prgParams.portName, m_prgParams.portDisable, m_portOpened) != QDialog::Accepted)
        return;
    const QString portName = m_portDialog->selectedPortName();
    const bool portDisable = m_portDialog->isPortDisabled();
    if (m_portDialog->isStripEcho() != m_prgParams.stripEcho) {
        m_prgParams.stripEcho = m_portDialog->isStripEcho();
        savePrgParams();
        emit signalStripEcho(m_prgParams.stripEcho);
    }
    if (portName == m_prgParams.portName && portDisable == m_prgParams.portDisable)
        return;

    RYNSelectWidget *select = m_auInfoWidget->selectWidget();
    for (int address = 1; address <= maxRynAddr; ++address) {
        select->setRynChecked(address, false);
        select->setRynEnabled(address, false);
    }
    m_selectedRyn = 0;
    emit signalSelectRyn(0);

    m_prgParams.portName = portName;
    m_prgParams.portDisable = portDisable;
    savePrgParams();

    m_decoder->enqueue(CMD_READ_TYPES, QByteArray(blankingBytes, '\xff'));
    m_decoder->enqueue(CMD_READ_GENERAL_STATE, QByteArray(blankingBytes, '\xff'));
    // The blanks also cover what other blocks show (the type and state of address 251): the new
    // line's first answers must show in full even where they equal the old line's.
    m_decoder->forgetDecodedWords();

    const QString effective = effectivePortName();
    emit signalReinit(effective);
    m_foundMask = 0;
    if (!effective.isEmpty()) {
        slotSearchRYN();
    } else {
        m_searching = false;
        m_searchProbeIds.clear();
        setNoRynAnswered(false); // no line, nobody to answer
        emit signalNeedSelectRyn(0);
        m_readingRyns.clear();
        restartRynCounters(0);
        countFor(0);
        emit signalSelectRyn(0);
    }
}

void MainWindow::slotClearTx()
{
    m_txLabel->showPixmap(ball(BallTransparent));
}

void MainWindow::slotClearRx()
{
    m_rxLabel->showPixmap(ball(BallTransparent));
}

void MainWindow::slotReinit()
{
    if (!m_prgParams.portDisable)
        emit signalReinit(m_prgParams.portName);
    m_reopenTimer->start();
}

void MainWindow::slotSetup()
{
    if (m_setupDialog->exec(m_prgParams) != QDialog::Accepted)
        return;
    savePrgParams();
    m_eventsWidget->slotSetMaxEvCount(m_prgParams.evCount);
}

void MainWindow::slotEditEventDesc()
{
    m_evDescListDialog->exec(m_language);
}

void MainWindow::slotShowSelectLangDialog()
{
    QString language;
    if (!SelectLanguage::selectLanguage(language) || language == m_language)
        return;
    m_language = language;
    Settings::writeValue(m_language, QStringLiteral("Lang"), QStringLiteral("Lang"));
    QMessageBox::information(
        this, tr("Смена языка"),
        tr("Язык приложения изменен!\nИзменения вступят в силу после перезагрузки программы."),
        QMessageBox::Ok);
}

void MainWindow::slotShowAbout()
{
    QString text = tr("Тест RYN.\nВерсия %1\nВерсия описания событий %2")
                       .arg(QLatin1String(programVersion))
                       .arg(m_eventsWidget->eventDescVersion());
    // An installed program keeps its settings in the user's folder, not beside itself: say where.
    if (!Settings::userDataDirectory.isEmpty())
        text += QStringLiteral("\n\n") + tr("Настройки хранятся в папке пользователя:\n%1")
                                            .arg(QDir::toNativeSeparators(QFileInfo(Settings::fileName).absoluteFilePath()));
    AboutDialog about(this);
    about.exec(text);
}

void MainWindow::slotCmdProcessTimeout()
{
    m_decoder->slotCmdProcessTimeout();
}

void MainWindow::slotPortAccessDenied(bool denied)
{
    m_portAccessLabel->setVisible(denied);
    m_portDialog->setAccessDenied(denied);
}

void MainWindow::slotPortOpened(bool isOpened)
{
    qCDebug(lcApp) << "Port Opened: " << isOpened;
    const bool reopened = isOpened && !m_portOpened;
    m_portOpened = isOpened;
    m_portButton->setText(m_prgParams.portName.isEmpty()
                              ? tr("Порт не выбран")
                              : tr("Порт") + QStringLiteral(": ") + m_prgParams.portName);
    setNoRynAnswered(m_noRynAnswered);
    if (isOpened) {
        m_portStateLabel->setStyleSheet(QStringLiteral("QLabel{color: green; font-weight: bold}"));
        m_reopenTimer->stop();
    } else {
        m_portStateLabel->setStyleSheet(QStringLiteral("QLabel{color: red; font-weight: bold}"));
        m_reopenTimer->start();
    }
    // A port that comes back has forgotten its controllers: find them again, or nothing is watched.
    if (reopened && !m_searching)
        slotSearchRYN();
}

void MainWindow::slotPortTx()
{
    ++m_rynCounters[m_countedRyn].transmitted;
    ++m_totalCounters.transmitted;
    m_txCounterLabel->showText(QString::number(m_totalCounters.transmitted));
    m_txLabel->showPixmap(ball(BallRed));
    m_txTimer->start();
}

void MainWindow::lightRx()
{
    m_rxLabel->showPixmap(ball(BallGreen));
    m_rxTimer->start();
}

void MainWindow::countAnswer(int errCode, const QByteArray &answer, bool countReceived)
{
    Counters &ryn = m_rynCounters[m_countedRyn];
    if (errCode == ResultNoAnswer || errCode == ResultPortError) {
        ++ryn.noAnswer;
        ++m_totalCounters.noAnswer;
    } else {
        lightRx();
        if (countReceived) {
            ++ryn.received;
            ++m_totalCounters.received;
        }
    }
    if (errCode == ResultBadFrame || errCode == ResultCrcError) {
        ++ryn.linkErrors;
        ++m_totalCounters.linkErrors;
    }
    if (errCode == ResultException) {
        ++ryn.modbusErrors;
        ++m_totalCounters.modbusErrors;
        if (!answer.isEmpty()) {
            const int code = int(qint8(answer.at(0)));
            ++m_modbusErrorCodes[m_countedRyn][code];
            emit signalModbusErrorCode(code);
        }
    }
    refreshCounters();
}

void MainWindow::refreshCounters()
{
    m_rxCounterLabel->showText(QString::number(m_totalCounters.received));
    m_noAnswerLabel->showText(QString::number(m_totalCounters.noAnswer));
    m_errorsLabel->showText(QString::number(m_totalCounters.linkErrors + m_totalCounters.modbusErrors));
    m_linkErrorsLabel->showText(QString::number(m_totalCounters.linkErrors));
    m_modbusErrorsLabel->showText(QString::number(m_totalCounters.modbusErrors));
    const Counters ryn = m_rynCounters.value(m_countedRyn);
    emit signalRxTimeoutErrCntChanged(ryn.noAnswer);
    emit signalRxCommErrCntChanged(ryn.linkErrors);
    emit signalRxModbusErrCntChanged(ryn.modbusErrors);
}

void MainWindow::restartRynCounters(int rynAddr)
{
    m_rynCounters.insert(rynAddr, Counters());
    m_modbusErrorCodes.remove(rynAddr);
}

void MainWindow::countFor(int rynAddr)
{
    m_countedRyn = rynAddr;
    refreshCounters();
    emit signalModbusErrorCodes(m_modbusErrorCodes.value(rynAddr));
}

// The worker reads the run's controllers in the order given, each until its completion.
void MainWindow::rynReadingStarted(const QList<int> &rynAddrs)
{
    m_readingRyns = rynAddrs;
    if (!m_readingRyns.isEmpty())
        countFor(m_readingRyns.first());
}

void MainWindow::rynReadingCompleted(int rynAddr)
{
    m_readingRyns.removeOne(rynAddr);
    countFor(m_readingRyns.isEmpty() ? m_selectedRyn : m_readingRyns.first());
}

void MainWindow::rynReadingAborted()
{
    m_readingRyns.clear();
    countFor(m_selectedRyn);
}

void MainWindow::slotPortRx(int errCode, QByteArray answer)
{
    countAnswer(errCode, answer, true);
}

void MainWindow::slotInfo(int rynAddr, int id, int cmdCode, int errCode, QByteArray info)
{
    countAnswer(errCode, info, errCode == ResultOk);
    if (id > 0 && errCode != ResultOk)
        endBorderWait(cmdCode);
    if (cmdCode > 1000) {
        if (id > 0 && errCode != ResultOk)
            qCDebug(lcApp) << "Error execute command!";
        return;
    }
    if (cmdCode == CMD_PING) {
        pingResult(rynAddr, id, errCode);
        return;
    }
    if (!ResponseDecoder::decodes(cmdCode, errCode))
        return;
    m_decoder->enqueue(cmdCode, info);
}

// A probe's answer. Those of the current search (matched by identifier) and of the worker's
// background probes (identifier 0) tell which controllers are on the line; answers to the probes of
// an earlier search, which may arrive late or failed after a port change, only set their button.
void MainWindow::pingResult(int rynAddr, int id, int errCode)
{
    if (rynAddr < 1 || rynAddr > maxRynAddr)
        return;
    const bool found = errCode == ResultOk;
    m_auInfoWidget->selectWidget()->setRynEnabled(rynAddr, found);
    const bool background = id == 0;
    if (!background && !m_searchProbeIds.contains(id))
        return;
    if (found) {
        restartRynCounters(rynAddr);
        if (rynAddr == m_countedRyn)
            countFor(rynAddr);
        m_rynInfoWidget->cmdWidget()->slotRynFound(rynAddr);
        m_foundMask |= quint16(1u << rynAddr);
        setNoRynAnswered(false);
    } else {
        m_foundMask &= quint16(~(1u << rynAddr));
    }

    if (background) {
        // A controller that comes up later is taken as the search would have taken it.
        if (found && !m_searching && m_selectedRyn == 0)
            selectBySearchRule();
        return;
    }
    if (!m_searching || id != m_searchProbeIds.last())
        return;
    m_searching = false;
    m_searchProbeIds.clear();
    setNoRynAnswered(m_foundMask == 0);
    selectBySearchRule();
}

// The stored controller when it answered, otherwise the lowest address that did (which is then
// stored), otherwise none.
void MainWindow::selectBySearchRule()
{
    const int stored = m_prgParams.rynAddr;
    if (stored >= 1 && stored <= maxRynAddr && (m_foundMask & (1u << stored))) {
        emit signalNeedSelectRyn(stored);
        slotRynSelected(stored);
        return;
    }
    for (int address = 1; address <= maxRynAddr; ++address) {
        if (m_foundMask & (1u << address)) {
            m_prgParams.rynAddr = quint8(address);
            savePrgParams();
            emit signalNeedSelectRyn(address);
            slotRynSelected(address);
            return;
        }
    }
    emit signalNeedSelectRyn(0);
    slotRynSelected(0);
}

void MainWindow::setNoRynAnswered(bool noneAnswered)
{
    m_noRynAnswered = noneAnswered;
    // Without an open port the port's own state says why nobody answers.
    m_noRynLabel->setVisible(noneAnswered && m_portOpened);
}

void MainWindow::slotSearchRYN()
{
    m_searching = true;
    m_foundMask = 0;
    m_searchProbeIds.clear();
    m_rynInfoWidget->cmdWidget()->slotDisableRynCommands();
    for (int address = 1; address <= maxRynAddr; ++address) {
        const int id = nextCommandId();
        m_searchProbeIds.append(id);
        emit signalSendCommand(address, id, CMD_PING, QByteArray());
    }
}

void MainWindow::slotRynSelected(int rynAddr)
{
    m_selectedRyn = rynAddr;
    // Selecting ends a report run in the worker too.
    m_readingRyns.clear();
    restartRynCounters(rynAddr);
    countFor(rynAddr);
    if (rynAddr != 0) {
        m_prgParams.rynAddr = quint8(rynAddr);
        savePrgParams();
    }
    emit signalSelectRyn(rynAddr);
}

void MainWindow::slotEvents(ModbusProtocol::EventList events)
{
    lightRx();
    Counters &ryn = m_rynCounters[m_countedRyn];
    ++ryn.received;
    ++m_totalCounters.received;
    for (const ModbusEvent &event : events) {
        if (event.evCode == 0x65) {
            ryn.noAnswer = 0;
            ryn.linkErrors = 0;
            ryn.modbusErrors = 0;
            m_modbusErrorCodes.remove(m_countedRyn);
            emit signalModbusErrorCodes({});
            break;
        }
    }
    refreshCounters();
}

void MainWindow::endBorderWait(int cmdCode)
{
    // An empty block is one without the unit's border: the value dialog shows the read failed.
    if (cmdCode >= CMD_AU_READ_BORDER_W1 && cmdCode <= CMD_AU_READ_BORDER_W3)
        emit signalIppBorderRead(CMD_READ_IPP_W1 + cmdCode - CMD_AU_READ_BORDER_W1, QByteArray());
    else if (cmdCode >= CMD_READ_IPP_W1 && cmdCode <= CMD_READ_IPP_W3)
        emit signalIppBorderRead(cmdCode, QByteArray());
}

bool MainWindow::refuseWithoutController(int rynAddr)
{
    if (rynAddr != 0)
        return false;
    // Address 0 is the broadcast address: every controller on the line would carry the command out.
    // A view may send several commands at once; the engineer is told once, after they are all refused.
    if (m_refusalPending)
        return true;
    m_refusalPending = true;
    QTimer::singleShot(0, this, [this] {
        QMessageBox::warning(this, tr("Внимание!"), tr("Контроллер не выбран: команда не отправлена."));
        m_refusalPending = false;
    });
    return true;
}

void MainWindow::slotSendCmd(int cmdCode, QByteArray info)
{
    // Only to the controller whose units are on screen, never to the one the settings last held.
    if (refuseWithoutController(m_selectedRyn)) {
        endBorderWait(cmdCode);
        return;
    }
    emit signalSendCommand(m_selectedRyn, nextCommandId(), cmdCode, info);
}

void MainWindow::slotSendCmd2(uchar rynAddr, int cmdCode, QByteArray info)
{
    if (refuseWithoutController(rynAddr))
        return;
    emit signalSendCommand(rynAddr, nextCommandId(), cmdCode, info);
}

void MainWindow::slotEnentsFromAllRyn(bool fromAll)
{
    m_prgParams.eventsFromAllRyn = fromAll;
    savePrgParams();
}

void MainWindow::slotShowLineMonitor()
{
    m_lineMonitor->show();
    m_lineMonitor->raise();
    m_lineMonitor->activateWindow();
}
