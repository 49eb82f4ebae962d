#pragma once

#include <QByteArray>
#include <QList>

// Finds request frames in the byte stream from the master the way a slave on a real line does: by
// the length the function code gives and by the CRC. Bytes that do not make a frame are dropped one
// at a time until a frame starts; a silence on the line ends whatever is left (`lineIdle`).
class SimRequestFramer
{
public:
    // Appends received bytes and returns the complete frames they finish, CRC included.
    QList<QByteArray> feed(const QByteArray &bytes);

    // The line has been quiet: a frame of a function whose length only its end can tell is taken
    // when its CRC holds; anything else left over is a broken request and dropped.
    QList<QByteArray> lineIdle();

    bool hasPendingBytes() const { return !m_buffer.isEmpty(); }

    // The runs of bytes dropped as broken requests (a CRC error, a cut frame, noise) since the last
    // call, one entry a run.
    QList<QByteArray> takeBroken();

private:
    // The first offset from `offset` on where a whole request with a correct CRC starts, or -1.
    int completeFrameFrom(int offset) const;
    void dropByte();
    void closeBrokenRun();

    QByteArray m_buffer;
    QByteArray m_brokenRun;
    QList<QByteArray> m_broken;
};
