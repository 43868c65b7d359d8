#pragma once

#include <QObject>
#include <QString>

class ModuleEmulator;
class QSocketNotifier;

// Serves an emulated module on a pseudo-terminal, so that a host opens its
// slave side (slavePath) as a serial port. The slave's name changes from run
// to run; a fixed link name (a symbolic link to it) lets a host find the
// emulator again after a restart.
class PtyServer : public QObject
{
    Q_OBJECT

public:
    PtyServer(ModuleEmulator *module, QObject *parent = nullptr);
    ~PtyServer() override;

    bool open(QString &error);
    // Publishes the slave under a fixed name; an old link there is replaced.
    bool publish(const QString &linkPath, QString &error);
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
    QString link;
    QSocketNotifier *notifier = nullptr;
};
