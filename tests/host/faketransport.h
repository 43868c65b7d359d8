#pragma once

#include "linktransport.h"

#include <QList>

// A transport the test plays the module on: it keeps what the host wrote and
// injects the bytes the test chooses.
class FakeTransport : public LinkTransport
{
    Q_OBJECT

public:
    using LinkTransport::LinkTransport;

    bool open(QString &) override
    {
        up = true;
        return true;
    }
    bool isOpen() const override { return up; }
    void write(const QByteArray &bytes) override { written.append(bytes); }
    QString description() const override { return QStringLiteral("fake"); }

    void inject(const QByteArray &bytes) { emit received(bytes); }
    void drop()
    {
        up = false;
        emit stateChanged(false, QStringLiteral("fake: gone"));
    }

    bool up = false;
    QList<QByteArray> written;
};
