#include "ptyserver.h"

#include "moduleemulator.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

PtyServer::PtyServer(ModuleEmulator *module, QObject *parent)
    : QObject(parent)
    , module(module)
{ }

PtyServer::~PtyServer()
{
    // Only the link this run made: another emulator may have taken the name.
    if (!link.isEmpty() && QFileInfo(link).symLinkTarget() == path)
        QFile::remove(link);
    delete notifier;
    if (slave >= 0)
        ::close(slave);
    if (master >= 0)
        ::close(master);
}

bool PtyServer::open(QString &error)
{
    master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        error = QStringLiteral("cannot create a pseudo-terminal: %1")
                    .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    path = QString::fromLocal8Bit(::ptsname(master));
    slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    if (slave < 0) {
        error = QStringLiteral("cannot open %1: %2")
                    .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    // Binary frames: no echo, no line editing, no character translation.
    termios tio;
    if (::tcgetattr(slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slave, TCSANOW, &tio);
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    notifier = new QSocketNotifier(master, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &PtyServer::readMaster);
    connect(module, &ModuleEmulator::transmit, this, &PtyServer::writeMaster);
    return true;
}

bool PtyServer::publish(const QString &linkPath, QString &error)
{
    const QFileInfo old(linkPath);
    if (old.exists() || old.isSymLink()) {
        if (!old.isSymLink()) {
            error = QStringLiteral("%1 exists and is not a symbolic link").arg(linkPath);
            return false;
        }
        QFile::remove(linkPath);
    }
    if (!QFile::link(path, linkPath)) {
        error = QStringLiteral("cannot link %1 to %2").arg(linkPath, path);
        return false;
    }
    link = linkPath;
    return true;
}

void PtyServer::readMaster()
{
    char buffer[512];
    const ssize_t n = ::read(master, buffer, sizeof buffer);
    if (n > 0)
        module->receive(QByteArray(buffer, int(n)));
}

void PtyServer::writeMaster(const QByteArray &bytes)
{
    int done = 0;
    int attempts = 0;
    while (done < bytes.size() && attempts < 100) {
        const ssize_t n = ::write(master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += int(n);
        } else if (errno == EAGAIN || errno == EINTR) {
            ++attempts;
            ::usleep(1000);
        } else {
            break;
        }
    }
}
