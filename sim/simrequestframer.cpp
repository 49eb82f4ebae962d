#include "simrequestframer.h"

#include "simframe.h"

namespace {
// Longest request the slave accepts: function 16 with a byte count of 255.
constexpr int maxRequestLength = 9 + 255;
constexpr int minFrameLength = 4; // slave, function, CRC
} // namespace

QList<QByteArray> SimRequestFramer::feed(const QByteArray &bytes)
{
    m_buffer.append(bytes);
    QList<QByteArray> frames;
    for (;;) {
        const int length = SimFrame::requestLength(m_buffer);
        if (length == SimFrame::LengthUnknown && completeFrameFrom(1) > 0) {
            dropByte(); // noise in front of a request the slave recognises
            continue;
        }
        if (length == SimFrame::LengthNeedMore || length == SimFrame::LengthUnknown)
            break;
        if (length > maxRequestLength) {
            dropByte();
            continue;
        }
        if (m_buffer.size() < length)
            break;
        const QByteArray candidate = m_buffer.left(length);
        if (!SimFrame::hasValidCrc(candidate)) {
            dropByte();
            continue;
        }
        closeBrokenRun();
        frames.append(candidate);
        m_buffer.remove(0, length);
    }
    return frames;
}

QList<QByteArray> SimRequestFramer::lineIdle()
{
    QList<QByteArray> frames;
    while (!m_buffer.isEmpty()) {
        const int length = SimFrame::requestLength(m_buffer);
        if (length > 0 && length <= maxRequestLength && m_buffer.size() >= length &&
            SimFrame::hasValidCrc(m_buffer.left(length))) {
            closeBrokenRun();
            frames.append(m_buffer.left(length));
            m_buffer.remove(0, length);
            continue;
        }
        if (length == SimFrame::LengthUnknown && m_buffer.size() >= minFrameLength &&
            SimFrame::hasValidCrc(m_buffer)) {
            closeBrokenRun();
            frames.append(m_buffer);
            m_buffer.clear();
            break;
        }
        dropByte();
    }
    closeBrokenRun();
    return frames;
}

int SimRequestFramer::completeFrameFrom(int offset) const
{
    for (int at = offset; at + minFrameLength <= m_buffer.size(); ++at) {
        const QByteArray rest = m_buffer.mid(at);
        const int length = SimFrame::requestLength(rest);
        if (length > 0 && length <= rest.size() && SimFrame::hasValidCrc(rest.left(length)))
            return at;
    }
    return -1;
}

void SimRequestFramer::dropByte()
{
    m_brokenRun.append(m_buffer.at(0));
    m_buffer.remove(0, 1);
}

void SimRequestFramer::closeBrokenRun()
{
    if (m_brokenRun.isEmpty())
        return;
    m_broken.append(m_brokenRun);
    m_brokenRun.clear();
}

QList<QByteArray> SimRequestFramer::takeBroken()
{
    QList<QByteArray> broken;
    broken.swap(m_broken);
    return broken;
}
