#pragma once

#include "iservicioscomunes.h"

#include <QObject>

class ConfigStore;
class MediaWatcher;
class ModuleLink;
class CommMsg;

// The host's services for the plug-in: the module link, the media, the
// per-module configuration store, the status line and the event log.
class HostServices : public QObject, public IServiciosComunes
{
    Q_OBJECT

public:
    HostServices(ModuleLink *link, ConfigStore *store, MediaWatcher *media,
                 QObject *parent = nullptr);

    // The running plug-in, which receives the module's answers.
    void setPlugin(Imsp *plugin) { msp = plugin; }
    Imsp *plugin() const { return msp; }

    QString HostVersion() override;
    void ShowStatus(const QString &text) override;
    bool SendMsg(Imsp *plugin, CommMsg &msg) override;
    bool IsLinkUp() override;
    QString LinkDescription() override;
    bool EndModule(const char *moduleId) override;
    void GetDevices(int selector, QStringList &names, QStringList &paths) override;
    bool StartModule(Imsp *plugin, int mode) override;
    void LogEvent(const QString &text) override;
    void StoreDataConfig(const QString &family, const QString &moduleKey,
                         QHash<QString, QVariant> config) override;

signals:
    void statusChanged(const QString &text);
    void moduleStarted();
    void moduleEnded(const QString &moduleId);
    void logged(const QString &line);

private:
    void deliver(const CommMsg &msg);
    // Tells on the status line what the exchange that just ended did.
    void reportExchange();

    ModuleLink *link;
    ConfigStore *store;
    MediaWatcher *mediaWatcher;
    Imsp *msp = nullptr;
    // The requests since the link was last idle.
    struct Exchange {
        int sent = 0;
        bool read = false;
        bool confirmed = false;
        bool failed = false;
    } exchange;
};
