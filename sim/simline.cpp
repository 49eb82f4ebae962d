#include "simline.h"

namespace {

constexpr int bitsPerCharacter = 11; // start, 8 data, 2 stop

} // namespace

SimLine::SimLine(QObject *parent)
    : QObject(parent)
{
    m_idleTimer.setSingleShot(true);
    m_idleTimer.setInterval(20);
    connect(&m_idleTimer, &QTimer::timeout, this, &SimLine::lineIdle);
    m_sendTimer.setTimerType(Qt::PreciseTimer);
    m_sendTimer.setInterval(1);
    connect(&m_sendTimer, &QTimer::timeout, this, &SimLine::sendDue);
    m_clock.start();
}

void SimLine::stopSending()
{
    m_sendTimer.stop();
    m_idleTimer.stop();
    m_pending.clear();
}

void SimLine::received(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    if (!m_pending.isEmpty()) {
        const int unsent = m_pending.size() - m_sent;
        m_pending.clear();
        m_sendTimer.stop();
        emit answerDropped(unsent);
    }
    m_idleTimer.start();
    emit bytesReceived(bytes);
}

void SimLine::send(const QByteArray &bytes, int burstFrom, int extraDelayMs)
{
    if (!m_pending.isEmpty())
        emit answerDropped(m_pending.size() - m_sent);
    m_pending = bytes;
    m_sent = 0;
    m_burstFrom = burstFrom;
    const int delayMs = m_turnaroundMs + extraDelayMs;
    m_sendStartNs = m_clock.nsecsElapsed() + qint64(delayMs) * 1000000;
    // A real device paces the bytes itself; a pseudo-terminal or a socket passes on whatever it is given
    // at once.
    if (delayMs <= 0 && (m_baud <= 0 || pacesItself())) {
        sendDue();
        return;
    }
    m_sendTimer.start();
}

void SimLine::sendDue()
{
    if (m_pending.isEmpty()) {
        m_sendTimer.stop();
        return;
    }
    const qint64 elapsed = m_clock.nsecsElapsed() - m_sendStartNs;
    if (elapsed < 0)
        return;
    int due = m_pending.size();
    if (m_baud > 0 && !pacesItself()) {
        const qint64 characterNs = qint64(bitsPerCharacter) * 1000000000 / m_baud;
        due = int(qMin<qint64>(m_pending.size(), elapsed / characterNs + 1));
        if (m_burstFrom >= 0 && due > m_burstFrom)
            due = m_pending.size();
    }
    if (due <= m_sent)
        return;
    if (m_sent == 0)
        emit sendingStarted(m_pending);
    writeBytes(m_pending.constData() + m_sent, due - m_sent);
    m_sent = due;
    if (m_sent >= m_pending.size()) {
        m_pending.clear();
        m_sendTimer.stop();
    }
}
