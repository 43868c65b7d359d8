#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// A byte stream to the module: in-process emulator, TCP or serial line.
class LinkTransport : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual bool open(QString &error) = 0;
    virtual bool isOpen() const = 0;
    virtual void write(const QByteArray &bytes) = 0;
    virtual QString description() const = 0;

signals:
    void received(const QByteArray &bytes);
    void stateChanged(bool up, const QString &text);
};
