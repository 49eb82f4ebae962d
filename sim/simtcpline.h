#pragma once

#include "simline.h"

#include <QHostAddress>
#include <QPointer>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

// The simulator as a serial device server: the tool connects over TCP and the RTU frames pass as they
// are ("RTU over TCP"). One connection at a time, as such servers keep it: a new one replaces the old.
class SimTcpLine : public SimLine
{
    Q_OBJECT

public:
    explicit SimTcpLine(QObject *parent = nullptr);
    ~SimTcpLine() override;

    // `where` is "[ADDRESS:]PORT": loopback unless an address is given; port 0 takes a free one.
    bool listen(const QString &where, QString *error);
    void close();

    // The port name the tool opens: "tcp://ADDRESS:PORT".
    QString portName() const;

signals:
    void clientConnected(const QString &peer);
    void clientDisconnected();

protected:
    void writeBytes(const char *data, int length) override;

private:
    void takeConnection();

    QTcpServer m_server;
    QPointer<QTcpSocket> m_client;
};
