#include "devicedetector.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <mntent.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {
DeviceDetector *g_DeviceDetector = nullptr;
// [0] is written by the signal handler, [1] is watched in the GUI thread.
// Shared by the process: the handlers stay installed when a detector goes.
int signalSocketPair[2] = {-1, -1};
} // namespace

DeviceDetector *DeviceDetector::Instance()
{
    if (!g_DeviceDetector)
        g_DeviceDetector = new DeviceDetector;
    return g_DeviceDetector;
}

void DeviceDetector::Destroy()
{
    delete g_DeviceDetector;
    g_DeviceDetector = nullptr;
}

DeviceDetector::DeviceDetector(QObject *parent)
    : QObject(parent)
{
    if (signalSocketPair[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalSocketPair) != 0)
        qFatal("Couldn't create HUP socketpair");
    // A burst of signals that fills the socket must not block the handler,
    // which runs on the very thread that would empty it.
    ::fcntl(signalSocketPair[0], F_SETFL, ::fcntl(signalSocketPair[0], F_GETFL) | O_NONBLOCK);
    signalNotifier = new QSocketNotifier(signalSocketPair[1], QSocketNotifier::Read, this);
    connect(signalNotifier, &QSocketNotifier::activated, this, &DeviceDetector::handleSigHup);

    ::signal(SIGCONT, hupSignalHandler);
    ::signal(SIGALRM, hupSignalHandler);
    ::signal(SIGUSR1, hupSignalHandler);
    ::signal(SIGUSR2, hupSignalHandler);
}

void DeviceDetector::hupSignalHandler(int signalNumber)
{
    // Signal context: one write, nothing else. errno belongs to the code the
    // signal interrupted.
    const int savedErrno = errno;
    ssize_t written = ::write(signalSocketPair[0], &signalNumber, sizeof(signalNumber));
    (void)written;
    errno = savedErrno;
}

void DeviceDetector::handleSigHup()
{
    signalNotifier->setEnabled(false);
    int signalNumber = 0;
    const ssize_t got = ::read(signalSocketPair[1], &signalNumber, sizeof(signalNumber));
    if (got == static_cast<ssize_t>(sizeof(signalNumber))) {
        switch (signalNumber) {
        case SIGUSR1:
            qWarning("Device detector USR1 signal rcvd");
            emit USBDeviceConnected();
            break;
        case SIGUSR2:
            qWarning("Device detector USR2 signal rcvd");
            emit USBDeviceDisconnected();
            break;
        case SIGCONT:
            qWarning("Device detector CONT signal rcvd");
            emit SDDeviceConnected();
            break;
        case SIGALRM:
            qWarning("Device detector ALRM signal rcvd");
            emit SDDeviceDisconnected();
            break;
        default:
            break;
        }
    }
    signalNotifier->setEnabled(true);
}

bool DeviceDetector::isDeviceConnected(QString name)
{
    const QByteArray wanted = name.toLatin1();
    // Relative on purpose: resolved against the working directory, which is
    // the root on the device.
    FILE *table = ::setmntent("proc/mounts", "r");
    if (!table) {
        qWarning("Cannot get mount point");
        qWarning("%s", wanted.constData());
        return false;
    }
    bool found = false;
    while (const struct mntent *entry = ::getmntent(table)) {
        if (std::strcmp(wanted.constData(), entry->mnt_dir) == 0
            || std::strcmp(wanted.constData(), entry->mnt_fsname) == 0) {
            found = true;
            break;
        }
    }
    qWarning(found ? "Found mount point" : "Not found mount point");
    qWarning("%s", wanted.constData());
    ::endmntent(table);
    return found;
}
