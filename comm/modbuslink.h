#pragma once

#include "modbusport.h"
#include "modbusprotocol.h"

#include <QString>

#include <functional>
#include <memory>

// One Modbus transaction at a time on the line, and what happens when the line keeps failing:
// the failure count, the pause after a port error and the re-creation of the port.
class ModbusLink
{
public:
    using PortFactory = std::function<std::unique_ptr<ModbusPort>(const QString &portName)>;
    using Clock = std::function<qint64()>; // milliseconds, monotonic
    using Sleeper = std::function<void(int msecs)>;

    struct Transaction
    {
        ModbusProtocol::Result result = ModbusProtocol::ResultNoAnswer;
        QByteArray answer; // the bytes as collected, header and CRC included, an echo in front removed
        quint8 exceptionCode = 0;
        int echoLength = 0; // bytes of the request's echo that came before the answer
    };

    // What a transaction did on the line, as the traffic monitor records it. Times on the link's clock.
    struct Trace
    {
        const QByteArray &request;
        const Transaction &transaction;
        qint64 startedMs;
        qint64 finishedMs;
    };
    using Observer = std::function<void(const Trace &trace)>;

    static constexpr int portFailureLimit = 10;
    static constexpr int portErrorPauseMs = 100;

    // Without a factory the link opens real ports: a serial device, or a serial device server for a
    // name "tcp://HOST:PORT".
    explicit ModbusLink(PortFactory factory = PortFactory());
    static std::unique_ptr<ModbusPort> createPort(const QString &portName);
    ~ModbusLink();

    void setClock(Clock clock);
    qint64 now() const { return m_clock(); }
    void setSleeper(Sleeper sleeper);
    // Told the outcome of every re-open that recovery makes.
    void setPortOpenedHandler(std::function<void(bool)> handler);
    // Told of every transaction once it ended; none by default.
    void setObserver(Observer observer);

    QString portName() const { return m_portName; }
    bool hasPort() const { return m_port != nullptr; }
    bool isOpen() const;
    // The port's last open failed for want of permission.
    bool isAccessDenied() const;
    // Why the port's last open failed, when the port can say.
    QString openError() const;

    // Whether an echo of the request in front of the answer is taken off (on by default); told the
    // number of echoes taken off since the port was last opened, at each one.
    void setStripEcho(bool strip) { m_stripEcho = strip; }
    bool stripsEcho() const { return m_stripEcho; }
    void setEchoHandler(std::function<void(int echoes)> handler);
    int echoes() const { return m_echoes; }

    // Names the port; a new non-empty name creates the port object (not opened), an empty one removes it.
    void setPortName(const QString &portName);
    bool openPort();
    void closePort();

    // Sends the request and collects the answer for up to the answer window.
    Transaction transact(const QByteArray &request, int expectedLength);

    // Failure accounting, once per command, monitoring read or event-read transaction.
    void account(int result);
    int consecutiveFailures() const { return m_consecutiveFailures; }
    void resetFailures() { m_consecutiveFailures = 0; }

private:
    Transaction exchange(const QByteArray &request, int expectedLength);
    void recreatePort();
    void resetEchoes();

    PortFactory m_factory;
    Clock m_clock;
    Sleeper m_sleeper;
    std::function<void(bool)> m_portOpenedHandler;
    Observer m_observer;
    QString m_portName;
    std::unique_ptr<ModbusPort> m_port;
    int m_consecutiveFailures = 0;
    bool m_stripEcho = true;
    int m_echoes = 0;
    std::function<void(int)> m_echoHandler;
};
