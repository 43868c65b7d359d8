#include "emulatortcpserver.h"

#include "moduleemulator.h"

#include <QTcpSocket>

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
            client->disconnect(this);
            client->close();
            client->deleteLater();
        }
        client = socket;
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this,
                [this, socket] { module->receive(socket->readAll()); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            emit clientChanged(QStringLiteral("host disconnected"));
            socket->deleteLater();
        });
        emit clientChanged(QStringLiteral("host connected from %1:%2")
                               .arg(socket->peerAddress().toString())
                               .arg(socket->peerPort()));
    }
}
