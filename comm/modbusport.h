#pragma once

#include <QByteArray>
#include <QString>

// What a Modbus transaction needs of a serial port (or of a connection to a serial device server). The worker talks to the line only through this,
// so tests can drive a transaction with a scripted port instead of a device.
class ModbusPort
{
public:
    virtual ~ModbusPort() = default;

    virtual bool open() = 0; // read-write; false when the device cannot be opened
    // The last open failed because the user may not use the device (on Linux: not in its group).
    virtual bool isAccessDenied() const { return false; }
    // Why the last open failed, for the user; empty when the port says nothing more.
    virtual QString errorString() const { return QString(); }
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual void flush() = 0;        // push out pending output
    virtual void discardInput() = 0; // throw away whatever has arrived and not been read
    virtual qint64 write(const QByteArray &data) = 0;
    virtual QByteArray readAll() = 0;
    virtual bool waitForReadyRead(int msecs) = 0; // blocks at most msecs
};
