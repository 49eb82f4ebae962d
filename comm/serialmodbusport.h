#pragma once

#include "modbusport.h"

#include <QSerialPort>

// The real line: 19200 baud, 8 data bits, no parity, 2 stop bits, no flow control, polled.
class SerialModbusPort : public ModbusPort
{
public:
    explicit SerialModbusPort(const QString &portName);

    bool open() override;
    bool isAccessDenied() const override { return m_accessDenied; }
    void close() override;
    bool isOpen() const override;
    void flush() override;
    void discardInput() override;
    qint64 write(const QByteArray &data) override;
    QByteArray readAll() override;
    bool waitForReadyRead(int msecs) override;

private:
    QSerialPort m_port;
    bool m_accessDenied = false;
};
