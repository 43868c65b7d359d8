#include "devicedetector.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>

#include <csignal>

class tst_DeviceDetector : public QObject
{
    Q_OBJECT

private slots:
    void signalsArriveInOrder();
    void mountTable();

private:
    QStringList events;
    void record(DeviceDetector *d)
    {
        events.clear();
        disconnect(d, nullptr, this, nullptr);
        connect(d, &DeviceDetector::USBDeviceConnected, this, [this] { events << "USB+"; });
        connect(d, &DeviceDetector::USBDeviceDisconnected, this, [this] { events << "USB-"; });
        connect(d, &DeviceDetector::SDDeviceConnected, this, [this] { events << "SD+"; });
        connect(d, &DeviceDetector::SDDeviceDisconnected, this, [this] { events << "SD-"; });
    }
};

void tst_DeviceDetector::signalsArriveInOrder()
{
    DeviceDetector *d = DeviceDetector::Instance();
    QCOMPARE(DeviceDetector::Instance(), d);
    record(d);
    // USB in and SD in back to back, then both out; a number of no medium between.
    for (int sig : {SIGUSR1, SIGCONT, SIGUSR2, SIGALRM})
        QCOMPARE(raise(sig), 0);
    DeviceDetector::hupSignalHandler(SIGHUP);
    DeviceDetector::hupSignalHandler(SIGUSR2);
    QVERIFY(events.isEmpty()); // delivered in the event loop, not in the handler
    QTRY_COMPARE(events, (QStringList {"USB+", "SD+", "USB-", "SD-", "USB-"}));
    // The handlers stay installed: a detector made after this one is gone hears them.
    QPointer<DeviceDetector> old = d;
    DeviceDetector::Destroy();
    QVERIFY(old.isNull());
    record(DeviceDetector::Instance());
    raise(SIGCONT);
    QTRY_COMPARE(events, QStringList {"SD+"});
}

// The table is "proc/mounts" under the working directory; a medium is found
// by its mount folder or its device node, spelled exactly.
void tst_DeviceDetector::mountTable()
{
    QTemporaryDir root;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(root.path()));
    DeviceDetector *d = DeviceDetector::Instance();
    const bool withoutTable = d->isDeviceConnected("/media/usb");
    QDir().mkdir("proc");
    QFile mounts("proc/mounts");
    QVERIFY(mounts.open(QIODevice::WriteOnly));
    mounts.write("/dev/root / ext4 rw,relatime 0 0\n"
                 "/dev/sda1 /media/usb vfat rw,noexec 0 0\n");
    mounts.close();
    QStringList found;
    for (const char *name : {"/media/usb", "/dev/sda1", "/media/us", "/media/usb0", "sda1", ""})
        if (d->isDeviceConnected(name))
            found << name;
    QDir::setCurrent(previous);
    QVERIFY(!withoutTable);
    QCOMPARE(found, (QStringList {"/media/usb", "/dev/sda1"}));
}

MSP_TEST_GUILESS_MAIN(tst_DeviceDetector)
#include "tst_devicedetector.moc"
