#include "serialmodbusport.h"

#include <QThread>

namespace {
// Long enough for the largest request (259 bytes, about 150 ms at 19200 baud).
constexpr int writeTimeoutMs = 1000;
} // namespace

SerialModbusPort::SerialModbusPort(const QString &portName)
{
    m_port.setPortName(portName);
    m_port.setBaudRate(QSerialPort::Baud19200);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setStopBits(QSerialPort::TwoStop);
    m_port.setParity(QSerialPort::NoParity);
}

bool SerialModbusPort::open()
{
    if (m_port.isOpen())
        m_port.close();
    const bool opened = m_port.open(QIODevice::ReadWrite);
    m_accessDenied = !opened && m_port.error() == QSerialPort::PermissionError;
    return opened;
}

void SerialModbusPort::close()
{
    if (m_port.isOpen())
        m_port.close();
}

bool SerialModbusPort::isOpen() const
{
    return m_port.isOpen();
}

void SerialModbusPort::flush()
{
    if (m_port.isOpen())
        m_port.flush();
}

void SerialModbusPort::discardInput()
{
    if (!m_port.isOpen())
        return;
    m_port.clear(QSerialPort::Input);
    m_port.readAll();
}

qint64 SerialModbusPort::write(const QByteArray &data)
{
    if (!m_port.isOpen())
        return -1;
    if (data.isEmpty())
        return 0;
    const qint64 written = m_port.write(data);
    if (written != data.size())
        return written;
    // Without an event loop in the worker the bytes leave only while we wait for them.
    while (m_port.bytesToWrite() > 0) {
        if (!m_port.waitForBytesWritten(writeTimeoutMs)) {
            const qint64 sent = data.size() - m_port.bytesToWrite();
            // A request reported as failed must not go out later, in front of the next one.
            m_port.clear(QSerialPort::Output);
            return sent;
        }
    }
    return written;
}

QByteArray SerialModbusPort::readAll()
{
    return m_port.isOpen() ? m_port.readAll() : QByteArray();
}

bool SerialModbusPort::waitForReadyRead(int msecs)
{
    if (m_port.isOpen() && m_port.waitForReadyRead(msecs))
        return true;
    // A vanished device fails at once; keep the caller's polling pace instead of spinning.
    if (!m_port.isOpen() || m_port.error() != QSerialPort::TimeoutError)
        QThread::msleep(ulong(msecs));
    return false;
}
