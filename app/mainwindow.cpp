#include "mainwindow.h"

#include "aboutdialog.h"
#include "applogging.h"
#include "auinfowidget.h"
#include "aupropertieswidget.h"
#include "commandcodes.h"
#include "commandid.h"
#include "controllersearch.h"
#include "evdesclistdialog.h"
#include "eventswidget.h"
#include "linemonitorwindow.h"
#include "linkcounters.h"
#include "logsplitter.h"
#include "mainwindowwiring.h"
#include "modbusmaster.h"
#include "modbusprotocol.h"
#include "ostrelcommportdialog.h"
#include "reportrunprogress.h"
#include "responsedecoder.h"
#include "ryncmdwidget.h"
#include "ryninfowidget.h"
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
    m_counters = new LinkCounters(this);
    m_reportRun = new ReportRunProgress(this);
    m_search = new ControllerSearch(this);
    const MainWindowWiring wiring(this, m_auInfoWidget, m_rynInfoWidget, m_eventsWidget);
    wiring.connectDecoder(m_decoder);
    wiring.connectControllerViews(m_counters);
    connectCounting();
    connectSearch();

    m_eventsWidget->setMinimumHeight(200);

    auto *top = new QWidget;
    auto *topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->setSpacing(0);
    topLayout->addWidget(m_auInfoWidget);
    topLayout->addWidget(m_rynInfoWidget);
    m_splitter = new LogSplitter(Qt::Vertical);
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
    wiring.connectWorker(m_modbusMaster, m_portDialog, m_reportRun);
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

    wiring.connectSelection();

    setMinimumWidth(800);

    slotSearchRYN();

    m_auInfoWidget->selectWidget()->slotEnentsFromAllRyn(m_prgParams.eventsFromAllRyn);

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

quint16 MainWindow::foundMask() const
{
    return m_search->foundMask();
}

bool MainWindow::isSearching() const
{
    return m_search->isSearching();
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
    if (!effective.isEmpty()) {
        slotSearchRYN();
    } else {
        m_search->stop();
        setNoRynAnswered(false); // no line, nobody to answer
        emit signalNeedSelectRyn(0);
        m_reportRun->forget();
        m_counters->restart(0);
        m_counters->countFor(0);
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
    if (reopened && !m_search->isSearching())
        slotSearchRYN();
}

void MainWindow::connectCounting()
{
    connect(m_counters, &LinkCounters::signalAnswerHeard, this, &MainWindow::lightRx);
    connect(m_counters, &LinkCounters::signalTotalsChanged, this, &MainWindow::showTotals);
    connect(m_reportRun, &ReportRunProgress::signalReading, m_counters, &LinkCounters::countFor);
    connect(m_reportRun, &ReportRunProgress::signalEnded, this,
            [this] { m_counters->countFor(m_selectedRyn); });
}

void MainWindow::slotPortTx()
{
    m_counters->countTransmitted();
    m_txCounterLabel->showText(QString::number(m_counters->totals().transmitted));
    m_txLabel->showPixmap(ball(BallRed));
    m_txTimer->start();
}

void MainWindow::lightRx()
{
    m_rxLabel->showPixmap(ball(BallGreen));
    m_rxTimer->start();
}

void MainWindow::showTotals()
{
    const LinkCounters::Counts &totals = m_counters->totals();
    m_rxCounterLabel->showText(QString::number(totals.received));
    m_noAnswerLabel->showText(QString::number(totals.noAnswer));
    m_errorsLabel->showText(QString::number(totals.linkErrors + totals.modbusErrors));
    m_linkErrorsLabel->showText(QString::number(totals.linkErrors));
    m_modbusErrorsLabel->showText(QString::number(totals.modbusErrors));
}

void MainWindow::slotPortRx(int errCode, QByteArray answer)
{
    m_counters->countAnswer(errCode, answer, true);
}

void MainWindow::slotInfo(int rynAddr, int id, int cmdCode, int errCode, QByteArray info)
{
    m_counters->countAnswer(errCode, info, errCode == ResultOk);
    if (id > 0 && errCode != ResultOk)
        endBorderWait(cmdCode);
    if (cmdCode > 1000) {
        if (id > 0 && errCode != ResultOk)
            qCDebug(lcApp) << "Error execute command!";
        return;
    }
    if (cmdCode == CMD_PING) {
        m_search->probeAnswered(rynAddr, id, errCode);
        return;
    }
    if (!ResponseDecoder::decodes(cmdCode, errCode))
        return;
    m_decoder->enqueue(cmdCode, info);
}

void MainWindow::connectSearch()
{
    connect(m_search, &ControllerSearch::signalSendCommand, this, &MainWindow::signalSendCommand);
    connect(m_search, &ControllerSearch::signalStarted, m_rynInfoWidget->cmdWidget(),
            &RYNCmdWidget::slotDisableRynCommands);
    connect(m_search, &ControllerSearch::signalAnswered, m_auInfoWidget->selectWidget(),
            &RYNSelectWidget::setRynEnabled);
    connect(m_search, &ControllerSearch::signalFound, this, &MainWindow::rynFound);
    connect(m_search, &ControllerSearch::signalJoined, this, [this] {
        if (m_selectedRyn == 0)
            selectBySearchRule();
    });
    connect(m_search, &ControllerSearch::signalEnded, this, [this](quint16 foundMask) {
        setNoRynAnswered(foundMask == 0);
        selectBySearchRule();
    });
}

void MainWindow::rynFound(int rynAddr)
{
    m_counters->restart(rynAddr);
    if (rynAddr == m_counters->countedRyn())
        m_counters->countFor(rynAddr);
    m_rynInfoWidget->cmdWidget()->slotRynFound(rynAddr);
    setNoRynAnswered(false);
}

void MainWindow::selectBySearchRule()
{
    const int address = ControllerSearch::choice(m_search->foundMask(), m_prgParams.rynAddr);
    // The lowest controller that answered is stored when the stored one did not.
    if (address != 0 && address != m_prgParams.rynAddr) {
        m_prgParams.rynAddr = quint8(address);
        savePrgParams();
    }
    emit signalNeedSelectRyn(address);
    slotRynSelected(address);
}

void MainWindow::setNoRynAnswered(bool noneAnswered)
{
    m_noRynAnswered = noneAnswered;
    // Without an open port the port's own state says why nobody answers.
    m_noRynLabel->setVisible(noneAnswered && m_portOpened);
}

void MainWindow::slotSearchRYN()
{
    m_search->start();
}

void MainWindow::slotRynSelected(int rynAddr)
{
    m_selectedRyn = rynAddr;
    m_reportRun->forget();
    m_counters->restart(rynAddr);
    m_counters->countFor(rynAddr);
    if (rynAddr != 0) {
        m_prgParams.rynAddr = quint8(rynAddr);
        savePrgParams();
    }
    emit signalSelectRyn(rynAddr);
}

void MainWindow::slotEvents(ModbusProtocol::EventList events)
{
    m_counters->countEvents(events);
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
