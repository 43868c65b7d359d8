#include "fakehost.h"

QString FakeHost::HostVersion() { return QStringLiteral("test"); }

void FakeHost::ShowStatus(const QString &) { }

bool FakeHost::SendMsg(Imsp *plugin, CommMsg &msg)
{
    const bool accepted = refuseFrom < 0 || sent.size() < refuseFrom;
    sent.append(Sent(msg));
    sentBy.append(plugin);
    return accepted;
}

bool FakeHost::IsLinkUp() { return true; }

QString FakeHost::LinkDescription() { return QStringLiteral("fake"); }

bool FakeHost::EndModule(const char *moduleId)
{
    ends.append(QByteArray(moduleId));
    return true;
}

void FakeHost::GetDevices(int selector, QStringList &names, QStringList &paths)
{
    deviceSelectors.append(selector);
    names = deviceNames;
    paths = devicePaths;
}

bool FakeHost::StartModule(Imsp *plugin, int mode)
{
    starts.append(qMakePair(plugin, mode));
    return true;
}

void FakeHost::LogEvent(const QString &) { }

void FakeHost::StoreDataConfig(const QString &family, const QString &moduleKey,
                               QHash<QString, QVariant> config)
{
    stores.append({family, moduleKey, config});
}

QList<QByteArray> FakeHost::sentBytes() const
{
    QList<QByteArray> bytes;
    for (const CommMsg &m : sent)
        bytes.append(m.msgData);
    return bytes;
}
