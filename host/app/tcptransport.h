#pragma once

#include "linktransport.h"

#include <QTcpSocket>
#include <QTimer>

// The link over TCP, to zetavx-emu or a serial-to-network adapter. A lost
// connection is retried every two seconds.
class TcpTransport : public LinkTransport
{
    Q_OBJECT

public:
    TcpTransport(const QString &host, quint16 port, QObject *parent = nullptr);
    ~TcpTransport() override;

    bool open(QString &error) override;
    bool isOpen() const override;
    void write(const QByteArray &bytes) override;
    QString description() const override;

private:
    QString host;
    quint16 port;
    QTcpSocket socket;
    QTimer retry;
};
