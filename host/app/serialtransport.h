#pragma once

#include "linktransport.h"

#include <QSerialPort>

// The link over a serial line (or the pseudo-terminal of zetavx-emu --pty),
// 8 data bits, no parity, one stop bit, no flow control.
class SerialTransport : public LinkTransport
{
    Q_OBJECT

public:
    SerialTransport(const QString &device, qint32 baud, QObject *parent = nullptr);
    ~SerialTransport() override;

    bool open(QString &error) override;
    bool isOpen() const override { return port.isOpen(); }
    void write(const QByteArray &bytes) override;
    QString description() const override;

private:
    QString device;
    qint32 baud;
    QSerialPort port;
};
