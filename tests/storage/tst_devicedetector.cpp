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
    void mountTable_data();
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

void tst_DeviceDetector::mountTable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("connected");
    QTest::newRow("mount directory") << "/media/usb" << true;
    QTest::newRow("device node") << "/dev/sda1" << true;
    QTest::newRow("mount with space") << "/media/sd card" << true;
    QTest::newRow("prefix") << "/media/us" << false;
    QTest::newRow("longer") << "/media/usb0" << false;
    QTest::newRow("device base name") << "sda1" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("no mount table") << "" << false;
}

// The table is "proc/mounts" under the working directory.
void tst_DeviceDetector::mountTable()
{
    QFETCH(QString, name);
    QFETCH(bool, connected);
    QTemporaryDir root;
    if (QByteArray(QTest::currentDataTag()) == "no mount table") {
        name = "/media/usb";
        QTest::ignoreMessage(QtWarningMsg, "Cannot get mount point");
        QTest::ignoreMessage(QtWarningMsg, "/media/usb");
    } else {
        QVERIFY(QDir(root.path()).mkdir("proc"));
        QFile mounts(root.filePath("proc/mounts"));
        QVERIFY(mounts.open(QIODevice::WriteOnly));
        mounts.write("/dev/root / ext4 rw,relatime 0 0\n"
                     "/dev/sda1 /media/usb vfat rw,noexec 0 0\n"
                     "/dev/mmcblk0p1 /media/sd\\040card vfat rw 0 0\n");
    }
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(root.path()));
    const bool result = DeviceDetector::Instance()->isDeviceConnected(name);
    QDir::setCurrent(previous);
    QCOMPARE(result, connected);
}

MSP_TEST_GUILESS_MAIN(tst_DeviceDetector)
#include "tst_devicedetector.moc"
