#pragma once

#include <QString>

// A port name "tcp://HOST:PORT" names a serial device server that passes the RTU frames unchanged
// over a TCP connection. HOST is a host name, an IPv4 address or an IPv6 address in brackets.
namespace TcpPortName {

enum Error
{
    NoError,
    EmptyHost,
    NoPort,
    BadPort, // not a number from 1 to 65535
    BadHost, // blanks, a path, or an IPv6 address without its brackets
};

struct Address
{
    QString host; // without the brackets of an IPv6 address
    quint16 port = 0;
    Error error = NoError;
};

// Whether the name asks for a TCP connection at all ("tcp://" in any case), well formed or not.
bool isTcp(const QString &portName);
Address parse(const QString &portName);
// What is wrong with a name, for the user.
QString errorText(Error error);

} // namespace TcpPortName
