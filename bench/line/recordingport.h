#pragma once

#include "modbuslink.h"
#include "modbusport.h"

#include <memory>

class Recorder;

// The real port (a serial device, or a serial device server's connection), watched: every request and
// answer byte goes to the recorder.
class RecordingPort : public ModbusPort
{
public:
    RecordingPort(const QString &name, Recorder &recorder)
        : m_port(ModbusLink::createPort(name))
        , m_recorder(recorder)
    {}

    bool open() override { return m_port->open(); }
    void close() override { m_port->close(); }
    bool isOpen() const override { return m_port->isOpen(); }
    void flush() override { m_port->flush(); }
    void discardInput() override { m_port->discardInput(); }
    qint64 write(const QByteArray &data) override;
    QByteArray readAll() override;
    bool waitForReadyRead(int msecs) override { return m_port->waitForReadyRead(msecs); }

private:
    std::unique_ptr<ModbusPort> m_port;
    Recorder &m_recorder;
};
