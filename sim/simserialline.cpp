#include "simserialline.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

speed_t speedFor(int baud)
{
    switch (baud) {
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return B19200;
    }
}

} // namespace

SimSerialLine::SimSerialLine(QObject *parent)
    : SimLine(parent)
{}

SimSerialLine::~SimSerialLine()
{
    close();
}

bool SimSerialLine::configure(int fd, int baud, QString *error)
{
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) {
        *error = tr("cannot read the line settings: %1").arg(systemError());
        return false;
    }
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD | CSTOPB;
    settings.c_cflag &= ~(PARENB | CRTSCTS);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    cfsetispeed(&settings, speedFor(baud));
    cfsetospeed(&settings, speedFor(baud));
    if (tcsetattr(fd, TCSANOW, &settings) != 0) {
        *error = tr("cannot set the line to raw mode: %1").arg(systemError());
        return false;
    }
    return true;
}

bool SimSerialLine::openPseudoTerminal(const QString &linkPath, QString *error)
{
    close();
    const QFileInfo link(linkPath);
    if (link.exists() || link.isSymLink()) {
        if (!link.isSymLink()) {
            *error = tr("%1 exists and is not a symbolic link: not replaced").arg(linkPath);
            return false;
        }
        QFile::remove(linkPath);
    }
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        *error = tr("cannot create a pseudo-terminal: %1").arg(systemError());
        return false;
    }
    m_fd = master;
    m_farEndFd = slave;
    m_farEnd = QString::fromLocal8Bit(name);
    if (!configure(master, 19200, error) || !configure(slave, 19200, error)) {
        close();
        return false;
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    if (symlink(name, QFile::encodeName(linkPath).constData()) != 0) {
        *error = tr("cannot create the link %1: %2").arg(linkPath, systemError());
        close();
        return false;
    }
    m_linkPath = linkPath;
    m_realDevice = false;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SimSerialLine::readAvailable);
    return true;
}

bool SimSerialLine::openDevice(const QString &device, int baud, QString *error)
{
    close();
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        *error = tr("cannot open %1: %2").arg(device, systemError());
        return false;
    }
    m_fd = fd;
    if (!configure(fd, baud, error)) {
        close();
        return false;
    }
    tcflush(fd, TCIOFLUSH);
    m_farEnd = device;
    m_realDevice = true;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SimSerialLine::readAvailable);
    return true;
}

void SimSerialLine::close()
{
    stopSending();
    delete m_notifier;
    m_notifier = nullptr;
    if (!m_linkPath.isEmpty()) {
        QFile::remove(m_linkPath);
        m_linkPath.clear();
    }
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_farEndFd >= 0)
        ::close(m_farEndFd);
    m_fd = -1;
    m_farEndFd = -1;
}

void SimSerialLine::readAvailable()
{
    char buffer[512];
    QByteArray bytes;
    for (;;) {
        const ssize_t count = ::read(m_fd, buffer, sizeof buffer);
        if (count > 0) {
            bytes.append(buffer, int(count));
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        break;
    }
    received(bytes);
}

void SimSerialLine::writeBytes(const char *data, int length)
{
    while (length > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(length));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return; // nobody reads the far end and its buffer is full: the bytes are lost, as on a line
        data += written;
        length -= int(written);
    }
}
