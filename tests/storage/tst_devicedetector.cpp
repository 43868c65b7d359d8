#include "devicedetector.h"
#include "testmain.h"

#include <QPointer>

#include <csignal>

class tst_DeviceDetector : public QObject
{
    Q_OBJECT

private slots:
    void signalsArriveInOrder();

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

MSP_TEST_GUILESS_MAIN(tst_DeviceDetector)
#include "tst_devicedetector.moc"
