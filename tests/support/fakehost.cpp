#include "fakehost.h"

bool FakeHost::SendMsg(Imsp *plugin, CommMsg &msg)
{
    const bool accepted = refuseFrom < 0 || sent.size() < refuseFrom;
    sent.append(Sent(msg));
    sentBy.append(plugin);
    return accepted;
}

void FakeHost::GetDevices(int selector, QStringList &names, QStringList &paths)
{
    deviceSelectors.append(selector);
    names = deviceNames;
    paths = devicePaths;
}

QList<QByteArray> FakeHost::sentBytes() const
{
    QList<QByteArray> bytes;
    for (const CommMsg &m : sent)
        bytes.append(m.msgData);
    return bytes;
}
