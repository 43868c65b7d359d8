#include "tcptransport.h"

TcpTransport::TcpTransport(const QString &host, quint16 port, QObject *parent)
    : LinkTransport(parent)
    , host(host)
    , port(port)
{
    retry.setInterval(RetryMs);
    socket.setReadBufferSize(ReadChunk);
    connect(&retry, &QTimer::timeout, this, &TcpTransport::attempt);
    connect(&socket, &QTcpSocket::readyRead, this, [this] {
        heard = true;
        emit received(socket.readAll());
    });
    connect(&socket, &QTcpSocket::connected, this, [this] {
        retry.stop();
        // Frames are small and each waits for its answer: send them now,
        // not when the previous segment is acknowledged.
        socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        up = true;
        heard = false;
        attempts = 0;
        upSince.start();
        emit stateChanged(true, description());
    });
    connect(&socket, &QTcpSocket::disconnected, this, &TcpTransport::onDisconnected);
    connect(&socket, &QAbstractSocket::errorOccurred, this, &TcpTransport::onError);
}

TcpTransport::~TcpTransport()
{
    // Closing the socket reports a disconnection, which would restart the
    // retry timer, already destroyed by then.
    socket.disconnect(this);
    socket.abort();
}

bool TcpTransport::open(QString &)
{
    emit stateChanged(false, QStringLiteral("%1: connecting").arg(description()));
    attempt();
    retry.start();
    return true;
}

void TcpTransport::attempt()
{
    // An attempt still pending after a whole interval goes unanswered: the
    // next one starts afresh.
    if (socket.state() != QAbstractSocket::UnconnectedState)
        socket.abort();
    ++attempts;
    socket.connectToHost(host, port);
}

void TcpTransport::onError()
{
    if (up)
        return; // onDisconnected reports it
    emit stateChanged(false,
                      QStringLiteral("%1: %2, attempt %3; retrying every %4 s")
                          .arg(description(), socket.errorString())
                          .arg(attempts)
                          .arg(RetryMs / 1000));
}

void TcpTransport::onDisconnected()
{
    if (!up)
        return;
    up = false;
    // A module that serves one host at a time closes a second one at once.
    const QString reason = !heard && upSince.elapsed() < 1000
        ? QStringLiteral("closed by the module at once (is another host connected?)")
        : QStringLiteral("connection lost");
    emit stateChanged(false,
                      QStringLiteral("%1: %2; retrying every %3 s")
                          .arg(description(), reason)
                          .arg(RetryMs / 1000));
    retry.start();
}

bool TcpTransport::isOpen() const { return up; }

void TcpTransport::write(const QByteArray &bytes) { socket.write(bytes); }

QString TcpTransport::description() const
{
    return QStringLiteral("tcp %1:%2").arg(host).arg(port);
}
