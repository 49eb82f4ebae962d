#include "modbuslink.h"

#include "commlogging.h"
#include "serialmodbusport.h"
#include "tcpmodbusport.h"
#include "tcpportname.h"

#include <QElapsedTimer>
#include <QThread>

using namespace ModbusProtocol;

ModbusLink::ModbusLink(PortFactory factory)
    : m_factory(std::move(factory))
{
    if (!m_factory)
        m_factory = &ModbusLink::createPort;
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    m_clock = [timer] { return timer->elapsed(); };
    m_sleeper = [](int msecs) { QThread::msleep(ulong(msecs)); };
}

std::unique_ptr<ModbusPort> ModbusLink::createPort(const QString &portName)
{
    if (TcpPortName::isTcp(portName))
        return std::make_unique<TcpModbusPort>(portName);
    return std::make_unique<SerialModbusPort>(portName);
}

ModbusLink::~ModbusLink()
{
    closePort();
}

void ModbusLink::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

void ModbusLink::setSleeper(Sleeper sleeper)
{
    m_sleeper = std::move(sleeper);
}

void ModbusLink::setPortOpenedHandler(std::function<void(bool)> handler)
{
    m_portOpenedHandler = std::move(handler);
}

void ModbusLink::setEchoHandler(std::function<void(int)> handler)
{
    m_echoHandler = std::move(handler);
}

void ModbusLink::resetEchoes()
{
    m_echoes = 0;
    if (m_echoHandler)
        m_echoHandler(0);
}

void ModbusLink::setObserver(Observer observer)
{
    m_observer = std::move(observer);
}

bool ModbusLink::isOpen() const
{
    return m_port && m_port->isOpen();
}

bool ModbusLink::isAccessDenied() const
{
    return m_port && m_port->isAccessDenied();
}

QString ModbusLink::openError() const
{
    return m_port ? m_port->errorString() : QString();
}

void ModbusLink::setPortName(const QString &portName)
{
    if (portName != m_portName) {
        closePort();
        m_port.reset();
        m_portName = portName;
    }
    if (!m_port && !m_portName.isEmpty())
        m_port = m_factory(m_portName);
}

bool ModbusLink::openPort()
{
    if (!m_port)
        return false;
    m_port->close();
    resetEchoes();
    return m_port->open();
}

void ModbusLink::closePort()
{
    if (m_port)
        m_port->close();
}

ModbusLink::Transaction ModbusLink::transact(const QByteArray &request, int expectedLength)
{
    if (!m_observer)
        return exchange(request, expectedLength);
    const qint64 started = m_clock();
    const Transaction transaction = exchange(request, expectedLength);
    m_observer(Trace{request, transaction, started, m_clock()});
    return transaction;
}

ModbusLink::Transaction ModbusLink::exchange(const QByteArray &request, int expectedLength)
{
    Transaction transaction;
    if (!m_port) {
        transaction.result = ResultPortError;
        return transaction;
    }
    m_port->flush();
    m_port->discardInput();
    if (m_port->write(request) != request.size()) {
        transaction.result = ResultPortError;
        return transaction;
    }
    // Waits on the port instead of polling it: until bytes arrive or the window closes, and once part
    // of the answer is in, first for the time the rest needs on the line. The answer is read as a
    // 1 ms poll would read it: complete as soon as it is, and whatever came in the window's last
    // millisecond still counts.
    const qint64 start = m_clock();
    for (;;) {
        const QByteArray received = m_port->readAll();
        transaction.answer.append(received);
        const bool complete = m_stripEcho
                                  ? echoedAnswerComplete(transaction.answer, expectedLength, request)
                                  : transaction.answer.size() >= expectedLength;
        if (complete)
            break;
        const qint64 elapsed = m_clock() - start;
        if (elapsed > answerWindowMs)
            break;
        const int windowLeft = int(answerWindowMs + 1 - elapsed);
        if (!received.isEmpty()) {
            // An answer begins like its request, so the echo's length is not known before it is in:
            // the sleep counts on no echo, and the last bytes of an echoed answer are waited for.
            const int rest = lineTimeMs(expectedLength - transaction.answer.size());
            if (rest > 1) {
                m_sleeper(qMin(rest - 1, windowLeft));
                continue;
            }
        }
        m_port->waitForReadyRead(windowLeft);
    }
    if (m_stripEcho) {
        transaction.echoLength = echoLength(transaction.answer, expectedLength, request);
        if (transaction.echoLength > 0) {
            transaction.answer.remove(0, transaction.echoLength);
            ++m_echoes;
            if (m_echoHandler)
                m_echoHandler(m_echoes);
        }
    }
    const Validation validation = validate(transaction.answer, expectedLength, request);
    transaction.result = validation.result;
    transaction.exceptionCode = validation.exceptionCode;
    return transaction;
}

void ModbusLink::account(int result)
{
    if (result == ResultNoAnswer || result == ResultPortError)
        ++m_consecutiveFailures;
    else
        m_consecutiveFailures = 0;

    if (m_consecutiveFailures > portFailureLimit) {
        qCDebug(lcComm) << "<<<<<<<<<<<<<<<<<<<<<<<<< reinitCurrentPort(); <<<<<<<<<<<<<<<<<<<<<<";
        m_consecutiveFailures = 0;
        if (!m_portName.isEmpty())
            recreatePort();
        return;
    }
    if (result == ResultPortError)
        m_sleeper(portErrorPauseMs);
}

void ModbusLink::recreatePort()
{
    closePort();
    m_port.reset();
    m_port = m_factory(m_portName);
    resetEchoes();
    const bool opened = m_port->open();
    if (m_portOpenedHandler)
        m_portOpenedHandler(opened);
}
