#include "tcptransport.h"

TcpTransport::TcpTransport(const QString &host, quint16 port, QObject *parent)
    : LinkTransport(parent)
    , host(host)
    , port(port)
{
    retry.setInterval(2000);
    connect(&retry, &QTimer::timeout, this, [this] {
        if (socket.state() == QAbstractSocket::UnconnectedState)
            socket.connectToHost(this->host, this->port);
    });
    connect(&socket, &QTcpSocket::readyRead, this, [this] { emit received(socket.readAll()); });
    connect(&socket, &QTcpSocket::connected, this, [this] {
        retry.stop();
        socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        emit stateChanged(true, description());
    });
    connect(&socket, &QTcpSocket::disconnected, this, [this] {
        emit stateChanged(false, QStringLiteral("%1: connection lost").arg(description()));
        retry.start();
    });
}

TcpTransport::~TcpTransport()
{
    // Closing the socket reports a disconnection, which would restart the
    // retry timer, already destroyed by then.
    socket.disconnect(this);
    socket.abort();
}

bool TcpTransport::open(QString &error)
{
    socket.connectToHost(host, port);
    if (!socket.waitForConnected(3000)) {
        error = QStringLiteral("cannot connect to %1: %2").arg(description(), socket.errorString());
        socket.abort();
        return false;
    }
    return true;
}

bool TcpTransport::isOpen() const { return socket.state() == QAbstractSocket::ConnectedState; }

void TcpTransport::write(const QByteArray &bytes) { socket.write(bytes); }

QString TcpTransport::description() const
{
    return QStringLiteral("tcp %1:%2").arg(host).arg(port);
}
