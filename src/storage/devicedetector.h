#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

// Tells whether a removable medium is present. The media handling outside the
// plug-in announces each insertion and removal with a Unix signal; the
// handler only writes the signal number into a socket pair, and a socket
// notifier turns it into a Qt signal in the GUI thread.
class DeviceDetector : public QObject
{
    Q_OBJECT

public:
    static DeviceDetector *Instance();
    static void Destroy();

    static void hupSignalHandler(int signalNumber);

    // True when the mount table lists `name` as a mount directory or as a
    // mounted device, compared whole.
    bool isDeviceConnected(QString name);

signals:
    void USBDeviceConnected();
    void SDDeviceConnected();
    void USBDeviceDisconnected();
    void SDDeviceDisconnected();

public slots:
    void handleSigHup();

private:
    explicit DeviceDetector(QObject *parent = nullptr);

    QSocketNotifier *signalNotifier = nullptr;
};
