#include "modulelink.h"

#include "linkframetext.h"
#include "linktransport.h"

namespace {
int commandOf(const QByteArray &frame)
{
    if (frame.size() < 4)
        return 0;
    return (static_cast<unsigned char>(frame.at(2)) << 8) | static_cast<unsigned char>(frame.at(3));
}
} // namespace

ModuleLink::ModuleLink(LinkTransport *transport, QObject *parent)
    : QObject(parent)
    , link(transport)
{
    link->setParent(this);
    answerTimer.setSingleShot(true);
    staleTimer.setSingleShot(true);
    staleTimer.setInterval(StaleFrameMs);
    connect(link, &LinkTransport::received, this, &ModuleLink::onBytes);
    connect(link, &LinkTransport::stateChanged, this, [this](bool up, const QString &text) {
        if (!up && waitKind != None)
            fail(1, QStringLiteral("link down"));
        emit stateChanged(up, text);
    });
    connect(&answerTimer, &QTimer::timeout, this, [this] {
        fail(1,
             waitKind == Answer
                 ? QStringLiteral("no answer %1 in %2 ms")
                       .arg(waitCommand)
                       .arg(answerTimer.interval())
                 : QStringLiteral("no confirmation in %1 ms").arg(answerTimer.interval()));
    });
    connect(&staleTimer, &QTimer::timeout, this, [this] {
        for (const StreamFramer::Event &e : framer.flushPartial())
            onEvent(e);
    });
}

ModuleLink::~ModuleLink()
{
    // The transport may report its closing; this object's timers are gone by
    // the time QObject would delete it.
    link->disconnect(this);
    delete link;
}

bool ModuleLink::open(QString &error) { return link->open(error); }

bool ModuleLink::isUp() const { return link->isOpen(); }

QString ModuleLink::description() const { return link->description(); }

bool ModuleLink::send(const CommMsg &msg)
{
    if (!link->isOpen()) {
        emit traced(QStringLiteral("host: %1 not sent: link down")
                        .arg(LinkFrameText::describe(msg.msgData)));
        return false;
    }
    if (msg.msgData.isEmpty() || msg.msgData.size() > StreamFramer::MaxFrameLength) {
        emit traced(QStringLiteral("host: frame of %1 bytes not sent").arg(msg.msgData.size()));
        return false;
    }
    if (queue.size() >= MaxQueued) {
        emit traced(QStringLiteral("host: %1 not sent: queue full")
                        .arg(LinkFrameText::describe(msg.msgData)));
        return false;
    }
    queue.enqueue(msg);
    pump();
    return true;
}

void ModuleLink::pump()
{
    while (waitKind == None && !queue.isEmpty()) {
        current = queue.dequeue();
        const bool confirm = current.linkFlags[6];
        const unsigned char flags = confirm ? StreamFramer::ConfirmRequest : 0;
        emit traced(
            QStringLiteral("host -> %1%2")
                .arg(LinkFrameText::describe(current.msgData), LinkFrameText::flagsText(flags)));
        link->write(StreamFramer::encode(current.msgData, flags));
        const int timeout
            = current.answerTimeoutMs > 0 ? current.answerTimeoutMs : DefaultTimeoutMs;
        if (current.expectedAnswer != 0) {
            waitKind = Answer;
            waitCommand = current.expectedAnswer;
        } else if (confirm) {
            waitKind = Confirmation;
            waitCommand = commandOf(current.msgData);
        } else {
            continue;
        }
        answerTimer.start(timeout);
    }
}

void ModuleLink::onBytes(const QByteArray &bytes)
{
    for (const StreamFramer::Event &e : framer.feed(bytes))
        onEvent(e);
    if (framer.hasPartial())
        staleTimer.start();
    else
        staleTimer.stop();
}

void ModuleLink::onEvent(const StreamFramer::Event &e)
{
    if (e.kind != StreamFramer::Event::Frame) {
        emit traced(QStringLiteral("host <- %1 {%2}")
                        .arg(QLatin1String(StreamFramer::kindName(e.kind)),
                             QString::fromLatin1(e.bytes.toHex(' ')).toUpper()));
        if (e.kind != StreamFramer::Event::Junk && waitKind != None)
            fail(2, QStringLiteral("%1 frame").arg(QLatin1String(StreamFramer::kindName(e.kind))));
        return;
    }
    const int command = commandOf(e.bytes);
    emit traced(QStringLiteral("host <- %1%2")
                    .arg(LinkFrameText::describe(e.bytes), LinkFrameText::flagsText(e.flags)));
    if (e.flags & StreamFramer::Confirmation) {
        if (waitKind == None || command != waitCommand
            || (waitKind == Answer && !(e.flags & StreamFramer::Refused))) {
            emit traced(QStringLiteral("host: confirmation nobody waits for, discarded"));
            return;
        }
        if (e.flags & StreamFramer::Refused) {
            fail(2, QStringLiteral("refused by the module"));
            return;
        }
        finishWait();
        return;
    }
    if (waitKind != Answer || command != waitCommand) {
        emit traced(QStringLiteral("host: answer nobody waits for, discarded"));
        return;
    }
    CommMsg answer;
    answer.msgData = e.bytes;
    finishWait();
    deliver(answer);
}

void ModuleLink::finishWait()
{
    answerTimer.stop();
    waitKind = None;
    waitCommand = 0;
    pump();
}

void ModuleLink::fail(int flag, const QString &reason)
{
    answerTimer.stop();
    CommMsg failure(current);
    failure.linkFlags[flag] = true;
    emit traced(QStringLiteral("host: %1 failed: %2; linkFlags[%3] delivered%4")
                    .arg(LinkFrameText::describe(current.msgData), reason)
                    .arg(flag)
                    .arg(queue.isEmpty()
                             ? QString()
                             : QStringLiteral(", %1 queued requests dropped").arg(queue.size())));
    queue.clear();
    waitKind = None;
    waitCommand = 0;
    deliver(failure);
}

void ModuleLink::deliver(const CommMsg &msg)
{
    // Handed on from the event loop: the plug-in may open a modal alert, and
    // the transport's handler must not be the one that waits in it.
    outbox.enqueue(msg);
    QTimer::singleShot(0, this, &ModuleLink::flushOutbox);
}

void ModuleLink::flushOutbox()
{
    if (outbox.isEmpty())
        return;
    const CommMsg msg = outbox.dequeue();
    emit delivered(msg);
}
