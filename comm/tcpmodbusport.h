#pragma once

#include "modbusport.h"
#include "modbusprotocol.h"
#include "tcpportname.h"

#include <QTcpSocket>

// RTU over TCP: the frames of the serial line, CRC and all, on a connection to a serial device server.
// Made and used in the worker's thread only, by the blocking calls of the socket. Opening (the host
// name's look-up and the connection together) never takes longer than the answer window: a server
// that cannot connect within it could not answer within it either.
class TcpModbusPort : public ModbusPort
{
public:
    explicit TcpModbusPort(const QString &portName);

    bool open() override;
    void close() override;
    bool isOpen() const override;
    QString errorString() const override { return m_error; }
    void flush() override;
    void discardInput() override;
    qint64 write(const QByteArray &data) override;
    QByteArray readAll() override;
    bool waitForReadyRead(int msecs) override;

    static constexpr int openWindowMs = ModbusProtocol::answerWindowMs;

private:
    bool isConnected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }

    TcpPortName::Address m_address;
    QTcpSocket m_socket;
    QString m_error;
};
