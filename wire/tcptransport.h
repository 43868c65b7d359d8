#pragma once

#include "linktransport.h"

#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTimer>

// The link over TCP, to zetavx-emu or a serial-to-network adapter. It
// connects from the start, and again after a loss, every RetryMs until the
// module answers.
class TcpTransport : public LinkTransport
{
    Q_OBJECT

public:
    TcpTransport(const QString &host, quint16 port, QObject *parent = nullptr);
    ~TcpTransport() override;

    bool open(QString &error) override;
    bool isOpen() const override;
    void write(const QByteArray &bytes) override;
    void flush() override { socket.flush(); }
    QString description() const override;

private:
    void attempt();
    void onError();
    void onDisconnected();

    QString host;
    quint16 port;
    QTcpSocket socket;
    QTimer retry;
    QElapsedTimer upSince;
    int attempts = 0;
    bool up = false;
    bool heard = false;
};
