#include "simtcpline.h"

#include <QTcpSocket>

SimTcpLine::SimTcpLine(QObject *parent)
    : SimLine(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &SimTcpLine::takeConnection);
}

SimTcpLine::~SimTcpLine()
{
    close();
}

bool SimTcpLine::listen(const QString &where, QString *error)
{
    close();
    QHostAddress address(QHostAddress::LocalHost);
    QString port = where;
    const int colon = where.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0) {
        QString host = where.left(colon);
        if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
            host = host.mid(1, host.size() - 2);
        if (!address.setAddress(host)) {
            *error = tr("--tcp: %1 is not an IP address").arg(host);
            return false;
        }
        port = where.mid(colon + 1);
    }
    bool ok = false;
    const uint number = port.toUInt(&ok);
    if (!ok || number > 65535) {
        *error = tr("--tcp takes [ADDRESS:]PORT, the port a number from 0 to 65535");
        return false;
    }
    if (!m_server.listen(address, quint16(number))) {
        *error = tr("cannot listen on %1: %2").arg(where, m_server.errorString());
        return false;
    }
    return true;
}

void SimTcpLine::close()
{
    stopSending();
    if (m_client)
        m_client->abort();
    delete m_client;
    m_server.close();
}

QString SimTcpLine::portName() const
{
    const QHostAddress address = m_server.serverAddress();
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                             ? QLatin1Char('[') + address.toString() + QLatin1Char(']')
                             : address.toString();
    return QStringLiteral("tcp://%1:%2").arg(host).arg(m_server.serverPort());
}

void SimTcpLine::takeConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        if (m_client) {
            m_client->abort();
            m_client->deleteLater();
        }
        stopSending();
        m_client = socket;
        socket->setParent(this);
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { received(socket->readAll()); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            if (m_client == socket)
                emit clientDisconnected();
            socket->deleteLater();
        });
        emit clientConnected(socket->peerAddress().toString() + QLatin1Char(':') +
                             QString::number(socket->peerPort()));
    }
}

void SimTcpLine::writeBytes(const char *data, int length)
{
    // Nobody connected: the bytes are lost, as on a line nobody listens to.
    if (m_client && m_client->state() == QAbstractSocket::ConnectedState)
        m_client->write(data, length);
}
