#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// A byte stream to the module: in-process emulator, TCP or serial line.
// Transports that can lose their line keep trying to get it back by
// themselves, every RetryMs, from the first open on.
class LinkTransport : public QObject
{
    Q_OBJECT

public:
    static constexpr int RetryMs = 2000;
    // The most a transport takes from its line at a time: a flood waits in the
    // operating system's buffers, not in ours.
    static constexpr int ReadChunk = 64 * 1024;

    using QObject::QObject;

    // Starts the link; false only when it can never work.
    virtual bool open(QString &error) = 0;
    virtual bool isOpen() const = 0;
    // Writes are collected and leave together from the event loop; flush
    // sends what was written now.
    virtual void write(const QByteArray &bytes) = 0;
    virtual void flush() { }
    virtual QString description() const = 0;

signals:
    void received(const QByteArray &bytes);
    // Every change of state and every failed attempt, with its reason.
    void stateChanged(bool up, const QString &text);
};
