#pragma once

#include "commmsg.h"
#include "iservicioscomunes.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QVariant>

// A recording host: every call of the plug-in is kept for the test to check.
class FakeHost final : public IServiciosComunes
{
public:
    QString HostVersion() override { return QStringLiteral("test"); }
    void ShowStatus(const QString &) override { }
    bool SendMsg(Imsp *plugin, CommMsg &msg) override;
    bool IsLinkUp() override { return true; }
    QString LinkDescription() override { return QStringLiteral("fake"); }
    bool EndModule(const char *) override { return true; }
    void GetDevices(int selector, QStringList &names, QStringList &paths) override;
    bool StartModule(Imsp *, int) override { return true; }
    void LogEvent(const QString &) override { }
    void StoreDataConfig(const QString &family, const QString &moduleKey,
                         QHash<QString, QVariant> config) override
    {
        stores.append({family, moduleKey, config});
    }

    // Frames as the plug-in built them (every attempt, refused ones included).
    QList<QByteArray> sentBytes() const;

    // SendMsg answers false from this attempt on (0-based); -1 never refuses.
    int refuseFrom = -1;
    QStringList deviceNames;
    QStringList devicePaths;

    // A copy of a sent message; final, so the list may destroy it through its own type.
    struct Sent final : CommMsg {
        explicit Sent(const CommMsg &m)
            : CommMsg(m)
        { }
    };
    QList<Sent> sent;
    QList<Imsp *> sentBy;
    QList<int> deviceSelectors;
    struct Store {
        QString family;
        QString moduleKey;
        QHash<QString, QVariant> config;
    };
    QList<Store> stores;
};
