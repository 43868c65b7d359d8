// The link round-trip baseline: a TCP server that writes back every byte it
// receives, served like zetavx-emu serves the module (one client, no framing,
// no decoding). Prints "BENCH port <n>" once it listens.

#include "benchprobe.h"

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        return 1;
    QObject::connect(&server, &QTcpServer::newConnection, [&server] {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket,
                             [socket] { socket->write(socket->readAll()); });
            QObject::connect(socket, &QTcpSocket::disconnected, &QCoreApplication::quit);
        }
    });
    BenchProbe::report("port", server.serverPort());
    return app.exec();
}
