#pragma once

#include "modbusport.h"

#include <QList>

#include <functional>

// A port with a virtual clock: answers arrive in chunks at chosen moments after the request, so a
// transaction's timing is exact and costs no real time.
class ScriptedPort : public ModbusPort
{
public:
    struct Chunk
    {
        int atMs = 0; // after the request was written
        QByteArray bytes;
    };
    using Responder = std::function<QList<Chunk>(const QByteArray &request)>;

    // The link deletes a port when it re-creates or drops it; a harness that keeps a pointer to the
    // port (for its clock) learns of it here instead of reading freed memory.
    ~ScriptedPort() override
    {
        if (onDestroyed)
            onDestroyed(*this);
    }

    bool open() override;
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    bool isAccessDenied() const override { return !m_open && accessDenied; }
    void flush() override { ++flushes; }
    void discardInput() override;
    qint64 write(const QByteArray &data) override;
    QByteArray readAll() override;
    bool waitForReadyRead(int msecs) override;

    void advance(int msecs);

    qint64 now = 0;
    bool openSucceeds = true;
    bool accessDenied = false; // a failed open is for want of permission
    int writeLimit = -1;        // a short write when >= 0
    int failWriteAt = -1;       // this write (0 = the first) writes nothing
    QByteArray input;           // arrived, not yet read (garbage can be put here)
    QList<QByteArray> requests; // everything written, in order
    QList<qint64> requestTimes; // when each of them was written
    Responder responder;
    std::function<void(const ScriptedPort &port)> onDestroyed;
    int flushes = 0;
    int discarded = 0; // bytes thrown away before requests
    int waits = 0;     // calls of waitForReadyRead: how often the reader woke up

private:
    bool m_open = false;
    int m_writes = 0;
    QList<Chunk> m_scheduled; // atMs holds the absolute time here
};
