#include "fakeslave.h"
#include "modbuslink.h"
#include "tcpportname.h"

#include <QThread>
#include <QtTest>

#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace ModbusProtocol;

// The port names of serial device servers, and the connection to one over loopback.
class TestTcpModbusPort : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void lateAnswerIsThrownAwayBeforeTheNextRequest();
};

void TestTcpModbusPort::parse_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    using namespace TcpPortName;
    QTest::addRow("ipv4") << "tcp://192.168.1.20:4001" << int(NoError) << "192.168.1.20" << 4001;
    QTest::addRow("host-name") << "tcp://moxa-3.site:950" << int(NoError) << "moxa-3.site" << 950;
    QTest::addRow("ipv6-in-brackets") << "tcp://[fe80::1]:502" << int(NoError) << "fe80::1" << 502;
    QTest::addRow("scheme-in-capitals-blanks-around") << "  TCP://10.0.0.1:65535 " << int(NoError) << "10.0.0.1"
                                                      << 65535;
    QTest::addRow("no-port") << "tcp://10.0.0.1" << int(NoPort) << "" << 0;
    QTest::addRow("empty-port") << "tcp://10.0.0.1:" << int(NoPort) << "" << 0;
    QTest::addRow("port-zero") << "tcp://10.0.0.1:0" << int(BadPort) << "" << 0;
    QTest::addRow("port-too-large") << "tcp://10.0.0.1:65536" << int(BadPort) << "" << 0;
    QTest::addRow("port-not-a-number") << "tcp://10.0.0.1:50a" << int(BadPort) << "" << 0;
    QTest::addRow("port-with-path") << "tcp://10.0.0.1:502/" << int(BadPort) << "" << 0;
    QTest::addRow("empty-host") << "tcp://:4001" << int(EmptyHost) << "" << 0;
    QTest::addRow("nothing") << "tcp://" << int(EmptyHost) << "" << 0;
    QTest::addRow("empty-brackets") << "tcp://[]:4001" << int(EmptyHost) << "" << 0;
    QTest::addRow("ipv6-without-brackets") << "tcp://fe80::1:502" << int(BadHost) << "" << 0;
    QTest::addRow("ipv6-no-port") << "tcp://[::1]" << int(NoPort) << "" << 0;
    QTest::addRow("ipv4-in-brackets") << "tcp://[10.0.0.1]:502" << int(BadHost) << "" << 0;
    QTest::addRow("blank-in-host") << "tcp://my host:502" << int(BadHost) << "" << 0;
}

void TestTcpModbusPort::parse()
{
    QFETCH(QString, name);
    QFETCH(int, error);
    QFETCH(QString, host);
    QFETCH(int, port);
    QVERIFY(TcpPortName::isTcp(name));
    const TcpPortName::Address address = TcpPortName::parse(name);
    QCOMPARE(int(address.error), error);
    QCOMPARE(address.error == TcpPortName::NoError, TcpPortName::errorText(address.error).isEmpty());
    if (error == TcpPortName::NoError) {
        QCOMPARE(address.host, host);
        QCOMPARE(int(address.port), port);
    }
}

void TestTcpModbusPort::lateAnswerIsThrownAwayBeforeTheNextRequest()
{
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    QCOMPARE(::bind(listener, reinterpret_cast<sockaddr *>(&address), length), 0);
    QCOMPARE(::listen(listener, 1), 0);
    ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length);
    const QByteArray late = FakeSlave::readAnswer(1, QByteArray::fromHex("0a0a0b0b"));
    const QByteArray answer = FakeSlave::readAnswer(1, QByteArray::fromHex("01020304"));
    // The server answers the first request after the window, the second at once.
    std::thread server([listener, late, answer] {
        const int client = ::accept(listener, nullptr, nullptr);
        char request[8];
        for (const QByteArray &reply : {late, answer}) {
            if (::recv(client, request, sizeof request, MSG_WAITALL) != ssize_t(sizeof request))
                break;
            if (reply == late)
                QThread::msleep(300);
            if (::send(client, reply.constData(), size_t(reply.size()), 0) != reply.size())
                break;
        }
        QThread::msleep(500);
        ::close(client);
    });

    ModbusLink link;
    link.setPortName(QStringLiteral("tcp://127.0.0.1:%1").arg(ntohs(address.sin_port)));
    const bool opened = link.openPort();
    const QByteArray request = readHoldingRegisters(1, 100, 2);
    const ModbusLink::Transaction first = link.transact(request, readAnswerLength(2));
    QThread::msleep(400); // the late answer is in by now
    const ModbusLink::Transaction second = link.transact(request, readAnswerLength(2));
    server.join();
    ::close(listener);
    QVERIFY(opened);
    QCOMPARE(int(first.result), int(ResultNoAnswer));
    QCOMPARE(int(second.result), int(ResultOk));
    QCOMPARE(second.answer, answer);
}

QTEST_GUILESS_MAIN(TestTcpModbusPort)
#include "tst_tcpmodbusport.moc"
