#include "tcpportname.h"

#include <QCoreApplication>
#include <QHostAddress>

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(TcpPortName)
};

const QString scheme = QStringLiteral("tcp://");

TcpPortName::Address failed(TcpPortName::Error error)
{
    TcpPortName::Address address;
    address.error = error;
    return address;
}

} // namespace

namespace TcpPortName {

bool isTcp(const QString &portName)
{
    return portName.trimmed().startsWith(scheme, Qt::CaseInsensitive);
}

Address parse(const QString &portName)
{
    const QString rest = portName.trimmed().mid(scheme.size());
    QString host;
    QString port;
    if (rest.startsWith(QLatin1Char('['))) {
        const int close = rest.indexOf(QLatin1Char(']'));
        if (close < 0)
            return failed(BadHost);
        host = rest.mid(1, close - 1);
        if (host.isEmpty())
            return failed(EmptyHost);
        if (QHostAddress(host).protocol() != QAbstractSocket::IPv6Protocol)
            return failed(BadHost);
        if (rest.size() == close + 1)
            return failed(NoPort);
        if (rest.at(close + 1) != QLatin1Char(':'))
            return failed(BadHost);
        port = rest.mid(close + 2);
    } else {
        const int colon = rest.lastIndexOf(QLatin1Char(':'));
        host = colon < 0 ? rest : rest.left(colon);
        if (host.isEmpty())
            return failed(EmptyHost);
        if (host.contains(QLatin1Char(':')))
            return failed(BadHost);
        if (colon < 0)
            return failed(NoPort);
        port = rest.mid(colon + 1);
    }
    for (const QChar c : qAsConst(host)) {
        if (c.isSpace() || c == QLatin1Char('/') || c == QLatin1Char('@') || c == QLatin1Char('[') ||
            c == QLatin1Char(']'))
            return failed(BadHost);
    }
    if (port.isEmpty())
        return failed(NoPort);
    bool isNumber = true;
    for (const QChar c : qAsConst(port))
        isNumber = isNumber && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const uint number = isNumber && port.size() <= 5 ? port.toUInt() : 0;
    if (number < 1 || number > 65535)
        return failed(BadPort);
    Address address;
    address.host = host;
    address.port = quint16(number);
    return address;
}

QString errorText(Error error)
{
    switch (error) {
    case NoError:
        break;
    case EmptyHost:
        return Tr::tr("не указан адрес сервера (tcp://адрес:порт)");
    case NoPort:
        return Tr::tr("не указан порт сервера (tcp://адрес:порт)");
    case BadPort:
        return Tr::tr("порт сервера - число от 1 до 65535");
    case BadHost:
        return Tr::tr("неверный адрес сервера (адрес IPv6 пишется в скобках: tcp://[::1]:порт)");
    }
    return QString();
}

} // namespace TcpPortName
