#include "moduleclient.h"

#include "commprotocol.h"
#include "linkframetext.h"
#include "moduleconfig.h"
#include "moduleparameters.h"

#include <QEventLoop>
#include <QTimer>

ModuleClient::ModuleClient(LinkTransport *transport, QObject *parent)
    : QObject(parent)
    , moduleLink(transport)
{ }

bool ModuleClient::failWith(ModuleLink::Failure why, const QString &text)
{
    lastFailure = why;
    lastError = text;
    return false;
}

bool ModuleClient::connectLink(int timeoutMs)
{
    QString error;
    if (!moduleLink.open(error))
        return failWith(ModuleLink::LinkDown, error);
    if (moduleLink.isUp())
        return true;
    // The transport retries by itself; its last word says why it is not up.
    QString state = moduleLink.description();
    QEventLoop loop;
    connect(&moduleLink, &ModuleLink::stateChanged, &loop, [&](bool up, const QString &text) {
        state = text;
        if (up)
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    if (moduleLink.isUp())
        return true;
    return failWith(
        ModuleLink::LinkDown,
        QStringLiteral("link down: %1 (gave up after %2 ms)").arg(state).arg(timeoutMs));
}

bool ModuleClient::exchange(CommProtocol &request, CommProtocol *answer)
{
    const QString frame = LinkFrameText::describe(request.msgData);
    const bool waits = request.expectedAnswer != 0 || request.linkFlags[6];
    if (dryRun) {
        unsent << LinkFrameText::wireLine(QStringLiteral("would send"), request.msgData,
                                          request.linkFlags[6] ? StreamFramer::ConfirmRequest : 0);
        return true;
    }
    if (!moduleLink.send(request))
        return failWith(ModuleLink::LinkDown,
                        QStringLiteral("%1 not sent: link down (%2)").arg(frame, linkState));
    if (!waits)
        return true;
    bool done = false;
    ModuleLink::Failure why = ModuleLink::NoFailure;
    QEventLoop loop;
    connect(&moduleLink, &ModuleLink::delivered, &loop, [&](const CommMsg &msg) {
        why = moduleLink.failure();
        if (why == ModuleLink::NoFailure && answer)
            answer->msgData = msg.msgData;
        done = true;
        loop.quit();
    });
    connect(&moduleLink, &ModuleLink::confirmed, &loop, [&] {
        done = true;
        loop.quit();
    });
    // The link ends every wait itself; this only guards against a link that
    // would not.
    QTimer::singleShot(request.answerTimeoutMs + 2000, &loop, &QEventLoop::quit);
    loop.exec();
    const QString what
        = request.expectedAnswer != 0 ? QStringLiteral("answer") : QStringLiteral("confirmation");
    if (!done)
        why = ModuleLink::NoAnswer;
    switch (why) {
    case ModuleLink::NoFailure:
        return true;
    case ModuleLink::NoAnswer:
        return failWith(
            why,
            QStringLiteral("%1: no %2 in %3 ms").arg(frame, what).arg(request.answerTimeoutMs));
    case ModuleLink::LinkDown:
        return failWith(
            why, QStringLiteral("%1: link down before the %2 (%3)").arg(frame, what, linkState));
    case ModuleLink::Damaged:
        return failWith(why, QStringLiteral("%1: corrupt or truncated %2").arg(frame, what));
    case ModuleLink::Refused:
        return failWith(why, QStringLiteral("%1: refused by the module").arg(frame));
    }
    return false;
}

bool ModuleClient::readIdentity(Identity &identity)
{
    CommProtocol request;
    CommProtocol answer;
    request.buildGetModuleInfoRequest();
    if (!exchange(request, &answer))
        return false;
    // Tag and command, then 3 + 2 + 5 + 1 + 3 bytes.
    if (answer.msgData.size() < 4 + 14)
        return failWith(
            ModuleLink::Damaged,
            QStringLiteral("%1: answer too short").arg(LinkFrameText::describe(answer.msgData)));
    answer.popShort(true);
    answer.getCurrentRxCmd();
    const unsigned int code = (answer.popByte(true) << 16) | answer.popShort(true);
    const int major = answer.popByte(true);
    const int minor = answer.popByte(true);
    QByteArray firmware = answer.popString(5);
    if (firmware.indexOf('\0') >= 0)
        firmware.truncate(firmware.indexOf('\0'));
    // The form drops one leading zero: "01.32" reads 1.32.
    if (firmware.startsWith('0'))
        firmware.remove(0, 1);
    const int prefix = answer.popByte(true);
    const unsigned int serial = (answer.popByte(true) << 16) | answer.popShort(true);
    identity.code = QStringLiteral("%1 VX-Lyra").arg(code);
    identity.hardware = QStringLiteral("%1.%2").arg(major).arg(minor, 2, 10, QLatin1Char('0'));
    identity.firmware = QString::fromLatin1(firmware);
    identity.serial = QStringLiteral("%1-%2").arg(prefix).arg(serial);
    return true;
}

bool ModuleClient::readLevels(int &level1, int &level2)
{
    CommProtocol request;
    CommProtocol answer;
    request.buildGetLevelRequest();
    if (!exchange(request, &answer))
        return false;
    if (answer.msgData.size() < 4 + 2)
        return failWith(
            ModuleLink::Damaged,
            QStringLiteral("%1: answer too short").arg(LinkFrameText::describe(answer.msgData)));
    answer.popShort(true);
    answer.getCurrentRxCmd();
    level1 = answer.popByte(true);
    level2 = answer.popByte(true);
    return true;
}

bool ModuleClient::readConfig(QHash<QString, QVariant> &hash)
{
    CommProtocol request;
    CommProtocol answer;
    request.buildGetAllCfgRequest();
    if (!exchange(request, &answer))
        return false;
    const QString frame = LinkFrameText::describe(request.msgData);
    answer.popShort(true);
    answer.getCurrentRxCmd();
    QString missing;
    if (!ModuleConfig::fromRecords(answer, hash, missing))
        return failWith(ModuleLink::Damaged,
                        QStringLiteral("%1: the answer lacks %2").arg(frame, missing));
    return true;
}

bool ModuleClient::writeAll(const QHash<QString, QVariant> &hash,
                            const std::function<void(int, int)> &progress)
{
    const int total = ModuleParameters::Count + 2;
    int sent = 0;
    auto step = [&](CommProtocol &m) {
        if (!exchange(m))
            return false;
        if (progress)
            progress(++sent, total);
        return true;
    };
    CommProtocol m;
    m.buildSetAllCfgRequest(false, false);
    if (!step(m))
        return false;
    for (const ModuleParameters::Parameter *p : ModuleParameters::inBulkOrder()) {
        m.clearMsgData();
        m.buildParameterRequest(p->command, ModuleConfig::wireValue(*p, hash), false);
        if (!step(m))
            return false;
    }
    m.clearMsgData();
    m.buildSetAllCfgRequest(true, true);
    return step(m);
}

bool ModuleClient::writeOne(unsigned short command, int wireValue)
{
    CommProtocol m;
    m.buildParameterRequest(command, static_cast<unsigned short>(wireValue), true);
    return exchange(m);
}
