#pragma once

#include <QObject>
#include <QPointer>
#include <QTcpServer>

class ModuleEmulator;
class QTcpSocket;

// Serves an emulated module on TCP to one host at a time, as a module's single
// serial line would: the first host keeps the link until it goes away; a
// second one is told so on the emulator's output and closed at once, and
// connects when it retries after the first has left.
class EmulatorTcpServer : public QObject
{
    Q_OBJECT

public:
    EmulatorTcpServer(ModuleEmulator *module, QObject *parent = nullptr);

    bool listen(const QHostAddress &address, quint16 port, QString &error);
    quint16 port() const { return server.serverPort(); }

signals:
    void clientChanged(const QString &text);

private:
    void accept();

    ModuleEmulator *module;
    QTcpServer server;
    QPointer<QTcpSocket> client;
    QString clientName;
};
