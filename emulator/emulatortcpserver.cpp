#include "emulatortcpserver.h"

#include "linktransport.h"
#include "moduleemulator.h"

#include <QTcpSocket>

namespace {
QString peerName(const QTcpSocket *socket)
{
    return QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
}
} // namespace

EmulatorTcpServer::EmulatorTcpServer(ModuleEmulator *module, QObject *parent)
    : QObject(parent)
    , module(module)
{
    connect(&server, &QTcpServer::newConnection, this, &EmulatorTcpServer::accept);
    connect(module, &ModuleEmulator::transmit, this, [this](const QByteArray &bytes) {
        if (client)
            client->write(bytes);
    });
}

bool EmulatorTcpServer::listen(const QHostAddress &address, quint16 port, QString &error)
{
    if (!server.listen(address, port)) {
        error = server.errorString();
        return false;
    }
    return true;
}

void EmulatorTcpServer::accept()
{
    while (QTcpSocket *socket = server.nextPendingConnection()) {
        if (client) {
            emit clientChanged(QStringLiteral("refused host %1: serving %2, one host at a time")
                                   .arg(peerName(socket), clientName));
            socket->abort();
            socket->deleteLater();
            continue;
        }
        client = socket;
        clientName = peerName(socket);
        socket->setParent(this);
        socket->setReadBufferSize(LinkTransport::ReadChunk);
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            module->receive(socket->readAll());
            // The replies to what was read leave now, together.
            socket->flush();
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            emit clientChanged(QStringLiteral("host %1 disconnected").arg(clientName));
            client = nullptr;
            socket->deleteLater();
        });
        emit clientChanged(QStringLiteral("host connected from %1").arg(clientName));
    }
}
