#include "hostservices.h"

#include "commmsg.h"
#include "configstore.h"
#include "imsp.h"
#include "mediawatcher.h"
#include "modulelink.h"

#include <QDateTime>

HostServices::HostServices(ModuleLink *link, ConfigStore *store, MediaWatcher *media,
                           QObject *parent)
    : QObject(parent)
    , link(link)
    , store(store)
    , mediaWatcher(media)
{
    if (link) {
        connect(link, &ModuleLink::delivered, this, &HostServices::deliver);
        connect(link, &ModuleLink::settled, this, &HostServices::reportExchange);
    }
}

QString HostServices::HostVersion()
{
    return QStringLiteral("msp-host 1.0 (Qt %1)").arg(QLatin1String(qVersion()));
}

void HostServices::ShowStatus(const QString &text) { emit statusChanged(text); }

bool HostServices::SendMsg(Imsp *, CommMsg &msg)
{
    if (!link || !link->send(msg))
        return false;
    ++exchange.sent;
    exchange.read = exchange.read || msg.expectedAnswer != 0;
    exchange.confirmed = exchange.confirmed || msg.linkFlags[6];
    return true;
}

bool HostServices::IsLinkUp() { return link && link->isUp(); }

QString HostServices::LinkDescription()
{
    return link ? link->description() : QStringLiteral("none");
}

bool HostServices::EndModule(const char *moduleId)
{
    const QString id = QString::fromLatin1(moduleId ? moduleId : "");
    LogEvent(QStringLiteral("module %1 ended").arg(id));
    emit moduleEnded(id);
    return true;
}

void HostServices::GetDevices(int selector, QStringList &names, QStringList &paths)
{
    if (!mediaWatcher || mediaWatcher->media().isEmpty())
        emit statusChanged(tr("no media: start with --media NAME=PATH"));
    if (mediaWatcher) {
        mediaWatcher->presentMedia(selector, names, paths);
    } else {
        names.clear();
        paths.clear();
    }
}

bool HostServices::StartModule(Imsp *plugin, int mode)
{
    LogEvent(QStringLiteral("module %1 started (mode %2)")
                 .arg(plugin ? plugin->Id() : QString())
                 .arg(mode));
    emit moduleStarted();
    return true;
}

void HostServices::LogEvent(const QString &text)
{
    emit logged(QStringLiteral("%1 %2").arg(
        QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")), text));
}

void HostServices::StoreDataConfig(const QString &family, const QString &moduleKey,
                                   QHash<QString, QVariant> config)
{
    if (!store)
        return;
    QString error;
    if (store->save(family, moduleKey, config, error))
        LogEvent(QStringLiteral("configuration of %1/%2 stored in %3")
                     .arg(family, moduleKey, store->fileFor(family, moduleKey)));
    else {
        LogEvent(error);
        emit statusChanged(tr("save failed"));
    }
}

void HostServices::reportExchange()
{
    const Exchange done = exchange;
    exchange = Exchange();
    if (done.sent == 0)
        return;
    if (done.read)
        emit statusChanged(done.failed ? tr("read failed") : tr("read"));
    else if (done.failed)
        emit statusChanged(tr("sending failed"));
    else if (done.sent == 1)
        emit statusChanged(done.confirmed ? tr("sent 1 parameter, confirmed")
                                          : tr("sent 1 parameter"));
    else
        emit statusChanged(done.confirmed ? tr("sent %1 frames, confirmed").arg(done.sent)
                                          : tr("sent %1 frames").arg(done.sent));
}

void HostServices::deliver(const CommMsg &msg)
{
    exchange.failed = exchange.failed || msg.linkFlags[1] || msg.linkFlags[2];
    if (!msp)
        return;
    CommMsg copy(msg);
    if (!msp->DataRcvd(copy))
        LogEvent(QStringLiteral("message not taken by the plug-in"));
}
