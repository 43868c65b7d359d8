#pragma once

#include <QFileSystemWatcher>
#include <QList>
#include <QObject>
#include <QStringList>

// The host's removable media, each a named folder (USB=/srv/usb). When a
// medium's folder appears or disappears the host announces it to its own
// process with the signal the device's media handling sends: SIGUSR1 / SIGUSR2
// for a USB memory inserted / removed, SIGCONT / SIGALRM for an SD card.
// A medium whose name starts with "SD" is an SD card; any other is USB.
class MediaWatcher : public QObject
{
    Q_OBJECT

public:
    enum Kind { Usb = 1, Sd = 2 };
    struct Medium {
        QString name;
        QString path;
        Kind kind;
        bool present;
    };

    explicit MediaWatcher(QObject *parent = nullptr);

    // The media signals end a process by default; the host ignores them until
    // the plug-in installs its handlers, so that an early event cannot kill it.
    static void ignoreMediaSignals();
    static int signalFor(Kind kind, bool present);

    // NAME=PATH; the folder's parent must exist so that it can be watched.
    bool addMedium(const QString &medium, QString &error);
    const QList<Medium> &media() const { return list; }
    // Present media of the kinds in selector (bits: 1 USB, 2 SD; 7 all).
    void presentMedia(int selector, QStringList &names, QStringList &paths) const;
    void setRaiseSignals(bool on) { raiseSignals = on; }

public slots:
    void rescan();

signals:
    void mediumChanged(const QString &name, bool present, int unixSignal);

private:
    QFileSystemWatcher watcher;
    QList<Medium> list;
    bool raiseSignals = true;
};
