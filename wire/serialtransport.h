#pragma once

#include "linktransport.h"

#include <QSerialPort>
#include <QStringList>
#include <QTimer>

// The link over a serial line (or the pseudo-terminal of zetavx-emu --pty),
// 8 data bits, no parity, one stop bit, no flow control. A line that hangs up
// or fails (a USB adapter pulled, the emulator ended) is closed and opened
// again every RetryMs, as is one that cannot be opened yet.
class SerialTransport : public LinkTransport
{
    Q_OBJECT

public:
    SerialTransport(const QString &device, qint32 baud, QObject *parent = nullptr);
    ~SerialTransport() override;

    bool open(QString &error) override;
    bool isOpen() const override { return port.isOpen(); }
    void write(const QByteArray &bytes) override;
    void flush() override { port.flush(); }
    QString description() const override;

    // One line per serial port of the system: name, description, maker, USB ids.
    static QStringList availablePorts();

private:
    void tryOpen();
    void onError(QSerialPort::SerialPortError error);

    QString device;
    qint32 baud;
    QSerialPort port;
    QTimer reopen;
    int attempts = 0;
    bool closing = false;
};
