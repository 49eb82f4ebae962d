#include "scriptedport.h"

bool ScriptedPort::open()
{
    m_open = openSucceeds;
    return m_open;
}

void ScriptedPort::discardInput()
{
    discarded += input.size();
    input.clear();
}

qint64 ScriptedPort::write(const QByteArray &data)
{
    if (!m_open)
        return -1;
    if (data.isEmpty())
        return 0;
    const int number = m_writes++;
    if (number == failWriteAt)
        return 0;
    const QByteArray sent = writeLimit >= 0 ? data.left(writeLimit) : data;
    requests.append(sent);
    requestTimes.append(now);
    if (responder && !sent.isEmpty()) {
        for (Chunk chunk : responder(sent)) {
            chunk.atMs += int(now);
            m_scheduled.append(chunk);
        }
    }
    return sent.size();
}

QByteArray ScriptedPort::readAll()
{
    const QByteArray bytes = input;
    input.clear();
    return bytes;
}

bool ScriptedPort::waitForReadyRead(int msecs)
{
    ++waits;
    // Like a real port: back as soon as something arrives, at the latest after msecs.
    qint64 until = now + msecs;
    for (const Chunk &chunk : qAsConst(m_scheduled))
        until = qMin(until, qMax(now, qint64(chunk.atMs)));
    if (input.isEmpty())
        advance(int(until - now));
    return !input.isEmpty();
}

void ScriptedPort::advance(int msecs)
{
    now += msecs;
    for (int i = 0; i < m_scheduled.size();) {
        if (m_scheduled.at(i).atMs <= now) {
            input.append(m_scheduled.takeAt(i).bytes);
        } else {
            ++i;
        }
    }
}
