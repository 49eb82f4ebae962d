#include "tcpmodbusport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHostInfo>
#include <QThread>

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(TcpModbusPort)
};

// A host name's look-up may take seconds (a name server far away or gone): it runs in a thread of its
// own, and an open that cannot wait for it leaves it running for the next open of the same name.
struct Lookup
{
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    QHostInfo info;
};

std::mutex lookupsMutex;
std::map<QString, std::shared_ptr<Lookup>> pendingLookups;

std::shared_ptr<Lookup> lookUp(const QString &host)
{
    const std::lock_guard<std::mutex> locker(lookupsMutex);
    std::shared_ptr<Lookup> &entry = pendingLookups[host];
    if (!entry) {
        entry = std::make_shared<Lookup>();
        std::thread([host, lookup = entry] {
            const QHostInfo info = QHostInfo::fromName(host);
            const std::lock_guard<std::mutex> locker(lookup->mutex);
            lookup->info = info;
            lookup->finished = true;
            lookup->done.notify_all();
        }).detach();
    }
    return entry;
}

// A finished look-up is used once: the next open asks again, so a server that moved is found.
void forget(const QString &host, const std::shared_ptr<Lookup> &lookup)
{
    const std::lock_guard<std::mutex> locker(lookupsMutex);
    const auto found = pendingLookups.find(host);
    if (found != pendingLookups.end() && found->second == lookup)
        pendingLookups.erase(found);
}

// The host's first address, or a null address and what went wrong.
QHostAddress resolve(const QString &host, const QDeadlineTimer &deadline, QString *error)
{
    const QHostAddress literal(host);
    if (!literal.isNull())
        return literal;
    const std::shared_ptr<Lookup> lookup = lookUp(host);
    std::unique_lock<std::mutex> locker(lookup->mutex);
    const auto wait = std::chrono::milliseconds(qMax<qint64>(0, deadline.remainingTime()));
    if (!lookup->done.wait_for(locker, wait, [&lookup] { return lookup->finished; })) {
        *error = Tr::tr("адрес %1 не найден за %2 мс").arg(host).arg(TcpModbusPort::openWindowMs);
        return QHostAddress();
    }
    const QHostInfo info = lookup->info;
    locker.unlock();
    forget(host, lookup);
    if (info.error() != QHostInfo::NoError || info.addresses().isEmpty()) {
        *error = Tr::tr("адрес %1 не найден").arg(host);
        return QHostAddress();
    }
    return info.addresses().constFirst();
}

QString connectError(const QTcpSocket &socket)
{
    switch (socket.error()) {
    case QAbstractSocket::ConnectionRefusedError:
        return Tr::tr("сервер отказал в соединении");
    case QAbstractSocket::SocketTimeoutError:
        return Tr::tr("сервер не ответил за %1 мс").arg(TcpModbusPort::openWindowMs);
    case QAbstractSocket::HostNotFoundError:
        return Tr::tr("адрес %1 не найден").arg(socket.peerName());
    case QAbstractSocket::NetworkError:
        return Tr::tr("сеть недоступна");
    default:
        return socket.errorString();
    }
}

} // namespace

TcpModbusPort::TcpModbusPort(const QString &portName)
    : m_address(TcpPortName::parse(portName))
{}

bool TcpModbusPort::open()
{
    m_socket.abort();
    if (m_address.error != TcpPortName::NoError) {
        m_error = TcpPortName::errorText(m_address.error);
        return false;
    }
    const QDeadlineTimer deadline(openWindowMs);
    const QHostAddress address = resolve(m_address.host, deadline, &m_error);
    if (address.isNull())
        return false;
    m_socket.connectToHost(address, m_address.port);
    if (!m_socket.waitForConnected(int(qMax<qint64>(1, deadline.remainingTime())))) {
        m_error = connectError(m_socket);
        m_socket.abort();
        return false;
    }
    // Each request goes out at once, not held back to be sent with the next.
    m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_error.clear();
    return true;
}

void TcpModbusPort::close()
{
    m_socket.abort();
}

bool TcpModbusPort::isOpen() const
{
    return isConnected();
}

void TcpModbusPort::flush()
{
    if (isConnected())
        m_socket.flush();
}

void TcpModbusPort::discardInput()
{
    // Without an event loop during a transaction late bytes may still wait in the system's buffer.
    for (int round = 0; round < 4 && isConnected(); ++round) {
        m_socket.readAll();
        if (!m_socket.waitForReadyRead(0))
            break;
    }
    if (isConnected())
        m_socket.readAll();
}

qint64 TcpModbusPort::write(const QByteArray &data)
{
    if (!isConnected())
        return -1;
    if (data.isEmpty())
        return 0;
    const qint64 written = m_socket.write(data);
    while (written == data.size() && m_socket.bytesToWrite() > 0) {
        if (!m_socket.waitForBytesWritten(ModbusProtocol::answerWindowMs)) {
            const qint64 sent = data.size() - m_socket.bytesToWrite();
            // The rest must not go out later, in front of the next request.
            m_error = connectError(m_socket);
            m_socket.abort();
            return sent;
        }
    }
    return written;
}

QByteArray TcpModbusPort::readAll()
{
    if (!isConnected())
        return QByteArray();
    // Takes in what reached the system since the last wait: the worker runs no event loop meanwhile.
    m_socket.waitForReadyRead(0);
    return m_socket.readAll();
}

bool TcpModbusPort::waitForReadyRead(int msecs)
{
    const QDeadlineTimer deadline(msecs);
    if (isConnected() && m_socket.waitForReadyRead(msecs))
        return true;
    // A dropped connection fails at once; keep the caller's polling pace instead of spinning.
    if (!isConnected())
        QThread::msleep(ulong(qMax<qint64>(0, deadline.remainingTime())));
    return false;
}
