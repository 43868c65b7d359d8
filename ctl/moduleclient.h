#pragma once

#include "modulelink.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class CommProtocol;
class LinkTransport;

// One module reached through the host's request scheduler, one request at a
// time: each call sends its frames and returns when the module has answered or
// confirmed, or the link's own timeout or failure rules have ended the
// exchange. A failed call leaves the reason in failure() and error().
class ModuleClient : public QObject
{
    Q_OBJECT

public:
    // The module's identity as the configuration form shows it.
    struct Identity {
        QString code;
        QString hardware;
        QString firmware;
        QString serial;
    };

    // Takes ownership of the transport.
    explicit ModuleClient(LinkTransport *transport, QObject *parent = nullptr);

    ModuleLink &link() { return moduleLink; }
    // Opens the link and waits up to timeoutMs for it to come up.
    bool connectLink(int timeoutMs);

    bool readIdentity(Identity &identity);
    bool readLevels(int &level1, int &level2);
    bool readConfig(QHash<QString, QVariant> &hash);
    // The bulk write the keypad's F8 sends: set-all 0, the 21 parameters in
    // their bulk order, set-all 1 with confirmation. progress gets the number
    // of frames handed to the link so far and their total.
    bool writeAll(const QHash<QString, QVariant> &hash,
                  const std::function<void(int, int)> &progress = {});
    // One parameter with confirmation, as F7 sends it.
    bool writeOne(unsigned short command, int wireValue);

    // In a dry run requests are kept as lines of the link monitor instead of
    // being sent, and count as answered.
    void setDryRun(bool on) { dryRun = on; }
    const QStringList &dryRunFrames() const { return unsent; }

    ModuleLink::Failure failure() const { return lastFailure; }
    QString error() const { return lastError; }

private:
    // Sends the request; waits for its answer (into answer) or confirmation
    // when it asks for one.
    bool exchange(CommProtocol &request, CommProtocol *answer = nullptr);
    bool failWith(ModuleLink::Failure why, const QString &text);

    ModuleLink moduleLink;
    ModuleLink::Failure lastFailure = ModuleLink::NoFailure;
    QString lastError;
    bool dryRun = false;
    QStringList unsent;
    // The transport's last word on the link, for a link that goes down.
    QString linkState;
};
