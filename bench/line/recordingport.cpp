#include "recordingport.h"

#include "recorder.h"

qint64 RecordingPort::write(const QByteArray &data)
{
    m_recorder.written(data);
    return m_port->write(data);
}

QByteArray RecordingPort::readAll()
{
    const QByteArray bytes = m_port->readAll();
    m_recorder.received(bytes.size());
    return bytes;
}
