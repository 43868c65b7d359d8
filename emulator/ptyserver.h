#pragma once

#include <QObject>
#include <QString>

class ModuleEmulator;
class QSocketNotifier;

// Serves an emulated module on a pseudo-terminal, so that a host opens its
// slave side (slavePath) as a serial port.
class PtyServer : public QObject
{
    Q_OBJECT

public:
    PtyServer(ModuleEmulator *module, QObject *parent = nullptr);
    ~PtyServer() override;

    bool open(QString &error);
    QString slavePath() const { return path; }

private:
    void readMaster();
    void writeMaster(const QByteArray &bytes);

    ModuleEmulator *module;
    int master = -1;
    // Held open so that the master does not report a hang-up while no host
    // has the port open.
    int slave = -1;
    QString path;
    QSocketNotifier *notifier = nullptr;
};
