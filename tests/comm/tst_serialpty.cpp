#include "fakeslave.h"
#include "modbuslink.h"
#include "serialmodbusport.h"

#include <QElapsedTimer>
#include <QtTest>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

using namespace ModbusProtocol;

// The far end of a pseudo-terminal pair: reads each request and answers as the test scripts it.
class PtyResponder
{
public:
    using Script = std::function<void(int fd, const QByteArray &request)>;

    bool open()
    {
        int slave = -1;
        char name[256] = {};
        if (openpty(&m_master, &slave, name, nullptr, nullptr) != 0)
            return false;
        termios raw{};
        tcgetattr(slave, &raw);
        cfmakeraw(&raw);
        tcsetattr(slave, TCSANOW, &raw);
        m_slave = slave; // kept open so the master never sees a hang-up
        m_path = QString::fromLocal8Bit(name);
        m_thread = std::thread([this] { run(); });
        return true;
    }

    ~PtyResponder()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_master >= 0)
            ::close(m_master);
        if (m_slave >= 0)
            ::close(m_slave);
    }

    QString path() const { return m_path; }
    // The responder thread runs the script: it is handed over under the lock.
    void setScript(Script script)
    {
        const std::lock_guard<std::mutex> locker(m_scriptMutex);
        m_script = std::move(script);
    }
    QByteArray lastRequest()
    {
        const std::lock_guard<std::mutex> locker(m_scriptMutex);
        return m_lastRequest;
    }
    void send(const QByteArray &bytes) const { ::write(m_master, bytes.constData(), size_t(bytes.size())); }

private:
    void run()
    {
        QByteArray request;
        while (!m_stop) {
            pollfd descriptor{m_master, POLLIN, 0};
            if (poll(&descriptor, 1, 10) <= 0 || !(descriptor.revents & POLLIN))
                continue;
            char buffer[512];
            const ssize_t got = ::read(m_master, buffer, sizeof buffer);
            if (got <= 0)
                continue;
            request.append(buffer, int(got));
            const std::lock_guard<std::mutex> locker(m_scriptMutex);
            if (request.size() >= 8 && m_script) {
                m_lastRequest = request;
                m_script(m_master, request);
                request.clear();
            }
        }
    }

    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    std::mutex m_scriptMutex;
    Script m_script;
    QByteArray m_lastRequest;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
};

static void writeBytes(int fd, const QByteArray &bytes)
{
    ::write(fd, bytes.constData(), size_t(bytes.size()));
}

class TestSerialPty : public QObject
{
    Q_OBJECT

private slots:
    void transactOverPseudoTerminal_data();
    void transactOverPseudoTerminal();
    void garbageBeforeRequestIsDiscarded();
    void missingDeviceIsAPortError();
};

void TestSerialPty::transactOverPseudoTerminal_data()
{
    QTest::addColumn<int>("chunks"); // the answer split into this many writes, 20 ms apart; 0 = silence
    QTest::addColumn<QByteArray>("extra");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("minimumMs");
    QTest::addRow("whole-answer") << 1 << QByteArray() << int(ResultOk) << 0;
    QTest::addRow("answer-in-three-chunks") << 3 << QByteArray() << int(ResultOk) << 40;
    QTest::addRow("extra-bytes-make-a-bad-frame")
        << 1 << QByteArray("\x00\x00", 2) << int(ResultBadFrame) << 0;
    QTest::addRow("silence-after-the-window") << 0 << QByteArray() << int(ResultNoAnswer) << 202;
}

void TestSerialPty::transactOverPseudoTerminal()
{
    QFETCH(int, chunks);
    QFETCH(QByteArray, extra);
    QFETCH(int, result);
    QFETCH(int, minimumMs);
    // Declared before the responder, whose thread uses it until the responder is destroyed.
    const QByteArray answer = FakeSlave::readAnswer(1, QByteArray::fromHex("000e"));
    PtyResponder responder;
    QVERIFY(responder.open());
    responder.setScript([&](int fd, const QByteArray &) {
        if (chunks == 0)
            return;
        const int step = (answer.size() + chunks - 1) / chunks;
        for (int i = 0; i < chunks; ++i) {
            if (i > 0)
                QThread::msleep(20);
            QByteArray part = answer.mid(i * step, step);
            if (i == chunks - 1)
                part += extra;
            writeBytes(fd, part);
        }
    });
    ModbusLink link;
    link.setPortName(responder.path());
    QVERIFY(link.openPort());
    QElapsedTimer timer;
    timer.start();
    const ModbusLink::Transaction transaction =
        link.transact(readHoldingRegisters(1, 977, 1), readAnswerLength(1));
    const qint64 elapsed = timer.elapsed();
    QCOMPARE(int(transaction.result), result);
    QVERIFY2(elapsed >= minimumMs, qPrintable(QString::number(elapsed)));
    if (result == ResultOk)
        QCOMPARE(answerData(transaction.answer), QByteArray::fromHex("000e"));
}

void TestSerialPty::garbageBeforeRequestIsDiscarded()
{
    const QByteArray answer = FakeSlave::readAnswer(2, QByteArray::fromHex("1234"));
    PtyResponder responder;
    QVERIFY(responder.open());
    responder.setScript([&](int fd, const QByteArray &) { writeBytes(fd, answer); });
    ModbusLink link;
    link.setPortName(responder.path());
    QVERIFY(link.openPort());
    responder.send(QByteArray::fromHex("ff00ff0102"));
    QThread::msleep(50); // the garbage is in the port's input before the request goes out
    const QByteArray request = readHoldingRegisters(2, 1000, 1);
    const ModbusLink::Transaction transaction = link.transact(request, readAnswerLength(1));
    QCOMPARE(int(transaction.result), int(ResultOk));
    QCOMPARE(transaction.answer, answer);
    QCOMPARE(responder.lastRequest(), request);
}

void TestSerialPty::missingDeviceIsAPortError()
{
    ModbusLink link;
    link.setPortName(QStringLiteral("/dev/ryn-no-such-port"));
    QVERIFY(!link.openPort());
    QCOMPARE(int(link.transact(readHoldingRegisters(1, 0, 1), 7).result), int(ResultPortError));
}

QTEST_GUILESS_MAIN(TestSerialPty)
#include "tst_serialpty.moc"
