#include "serialtransport.h"

SerialTransport::SerialTransport(const QString &device, qint32 baud, QObject *parent)
    : LinkTransport(parent)
    , device(device)
    , baud(baud)
{
    connect(&port, &QSerialPort::readyRead, this, [this] { emit received(port.readAll()); });
    connect(&port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::ResourceError) {
            port.close();
            emit stateChanged(false,
                              QStringLiteral("%1: %2").arg(description(), port.errorString()));
        }
    });
}

SerialTransport::~SerialTransport()
{
    port.disconnect(this);
    port.close();
}

bool SerialTransport::open(QString &error)
{
    port.setPortName(device);
    if (!port.open(QIODevice::ReadWrite)) {
        error = QStringLiteral("cannot open %1: %2").arg(device, port.errorString());
        return false;
    }
    // A pseudo-terminal accepts no line settings; the stream works without them.
    port.setBaudRate(baud);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    port.clearError();
    emit stateChanged(true, description());
    return true;
}

void SerialTransport::write(const QByteArray &bytes) { port.write(bytes); }

QString SerialTransport::description() const
{
    return QStringLiteral("serial %1 %2 8N1").arg(device).arg(baud);
}
