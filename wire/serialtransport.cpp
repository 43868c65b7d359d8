#include "serialtransport.h"

#include <QSerialPortInfo>

SerialTransport::SerialTransport(const QString &device, qint32 baud, QObject *parent)
    : LinkTransport(parent)
    , device(device)
    , baud(baud)
{
    reopen.setInterval(RetryMs);
    port.setReadBufferSize(ReadChunk);
    connect(&reopen, &QTimer::timeout, this, &SerialTransport::tryOpen);
    connect(&port, &QSerialPort::readyRead, this, [this] { emit received(port.readAll()); });
    connect(&port, &QSerialPort::errorOccurred, this, &SerialTransport::onError);
}

SerialTransport::~SerialTransport()
{
    port.disconnect(this);
    port.close();
}

bool SerialTransport::open(QString &)
{
    tryOpen();
    if (!port.isOpen())
        reopen.start();
    return true;
}

void SerialTransport::tryOpen()
{
    ++attempts;
    port.setPortName(device);
    if (!port.open(QIODevice::ReadWrite)) {
        emit stateChanged(false,
                          QStringLiteral("%1: cannot open: %2, attempt %3; retrying every %4 s")
                              .arg(description(), port.errorString())
                              .arg(attempts)
                              .arg(RetryMs / 1000));
        port.clearError();
        return;
    }
    // A pseudo-terminal accepts no line settings; the stream works without them.
    port.setBaudRate(baud);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    port.clearError();
    reopen.stop();
    attempts = 0;
    emit stateChanged(true, description());
}

void SerialTransport::onError(QSerialPort::SerialPortError error)
{
    // A hung-up line keeps reporting itself readable, and every read fails:
    // it is closed once, from the event loop, outside the port's own handler.
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || !port.isOpen()
        || closing)
        return;
    closing = true;
    // A hang-up reads as end of file, which the port reports without a reason.
    const QString reason = error == QSerialPort::ReadError || error == QSerialPort::ResourceError
        ? QStringLiteral("the line hung up or failed")
        : port.errorString();
    QMetaObject::invokeMethod(
        this,
        [this, reason] {
            closing = false;
            port.close();
            port.clearError();
            emit stateChanged(false,
                              QStringLiteral("%1: %2; reopening every %3 s")
                                  .arg(description(), reason)
                                  .arg(RetryMs / 1000));
            reopen.start();
        },
        Qt::QueuedConnection);
}

void SerialTransport::write(const QByteArray &bytes) { port.write(bytes); }

QString SerialTransport::description() const
{
    return QStringLiteral("serial %1 %2 8N1").arg(device).arg(baud);
}

QStringList SerialTransport::availablePorts()
{
    QStringList lines;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        QString line = info.systemLocation();
        for (const QString &part : {info.description(), info.manufacturer(), info.serialNumber()})
            if (!part.isEmpty())
                line += QStringLiteral("  ") + part;
        if (info.hasVendorIdentifier() && info.hasProductIdentifier())
            line += QStringLiteral("  %1:%2")
                        .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                        .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
        lines << line;
    }
    return lines;
}
