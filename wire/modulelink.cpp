#include "modulelink.h"

#include "linkframetext.h"
#include "linktransport.h"

#include <QMetaMethod>

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
        if (tracing) {
            reportDiscard();
            emit traced(QStringLiteral("link %1: %2").arg(up ? "up" : "down", text));
        }
        if (!up && waitKind != None)
            fail(LinkDown, "link down");
        emit stateChanged(up, text);
    });
    clock.start();
    connect(&answerTimer, &QTimer::timeout, this, &ModuleLink::onAnswerTimer);
    connect(&staleTimer, &QTimer::timeout, this, [this] {
        framer.giveUpPartial();
        drain();
        if (tracing)
            reportDiscard();
    });
}

ModuleLink::~ModuleLink()
{
    // The transport may report its closing; this object's timers are gone by
    // the time QObject would delete it.
    link->disconnect(this);
    delete link;
}

void ModuleLink::connectNotify(const QMetaMethod &signal)
{
    if (signal == QMetaMethod::fromSignal(&ModuleLink::traced))
        tracing = true;
}

void ModuleLink::disconnectNotify(const QMetaMethod &signal)
{
    if (signal == QMetaMethod::fromSignal(&ModuleLink::traced))
        tracing = isSignalConnected(signal);
}

bool ModuleLink::open(QString &error) { return link->open(error); }

bool ModuleLink::isUp() const { return link->isOpen(); }

QString ModuleLink::description() const { return link->description(); }

bool ModuleLink::send(const CommMsg &msg)
{
    const char *refusal = !link->isOpen()                   ? "link down"
        : msg.msgData.isEmpty()                             ? "empty frame"
        : msg.msgData.size() > StreamFramer::MaxFrameLength ? "frame too long"
        : queue.size() >= MaxQueued                         ? "queue full"
                                                            : nullptr;
    if (refusal) {
        if (tracing)
            emit traced(QStringLiteral("host: %1 not sent: %2")
                            .arg(LinkFrameText::describe(msg.msgData), QLatin1String(refusal)));
        return false;
    }
    // Nothing holds up a request sent to an idle link: it leaves at once,
    // without a trip through the queue.
    if (waitKind == None && queue.isEmpty()) {
        transmit(msg);
        return true;
    }
    queue.enqueue(msg);
    pump();
    return true;
}

void ModuleLink::pump()
{
    while (waitKind == None && !queue.isEmpty())
        transmit(queue.dequeue());
}

void ModuleLink::transmit(const CommMsg &msg)
{
    current = msg;
    const bool confirm = current.linkFlags[6];
    const unsigned char flags = confirm ? StreamFramer::ConfirmRequest : 0;
    if (tracing)
        emit traced(LinkFrameText::wireLine(QStringLiteral("host ->"), current.msgData, flags));
    StreamFramer::encode(current.msgData, flags, wire);
    link->write(wire);
    const int timeout = current.answerTimeoutMs > 0 ? current.answerTimeoutMs : DefaultTimeoutMs;
    if (current.expectedAnswer != 0) {
        waitKind = Answer;
        waitCommand = current.expectedAnswer;
    } else if (confirm) {
        waitKind = Confirmation;
        waitCommand = commandOf(current.msgData);
    } else {
        return;
    }
    waitTimeout = timeout;
    deadline = clock.elapsed() + timeout;
    if (!answerTimer.isActive() || answerTimer.remainingTime() > timeout)
        answerTimer.start(timeout);
}

void ModuleLink::onAnswerTimer()
{
    if (waitKind == None)
        return;
    const qint64 left = deadline - clock.elapsed();
    if (left > 0)
        answerTimer.start(int(left));
    else
        fail(NoAnswer, waitKind == Answer ? "no answer" : "no confirmation", true);
}

void ModuleLink::onBytes(const QByteArray &bytes)
{
    framer.feed(bytes);
    drain();
    // The request an answer released leaves before the plug-in takes the
    // answer, so that the module works on it meanwhile.
    link->flush();
}

void ModuleLink::drain()
{
    StreamFramer::Frame frame;
    for (;;) {
        const bool got = framer.next(frame);
        const StreamFramer::Discard d = framer.takeDiscard();
        if (!d.isEmpty()) {
            discarded.bytes += d.bytes;
            discarded.damaged += d.damaged;
            if (d.damaged > 0 && waitKind != None)
                fail(Damaged, "damaged frame");
        }
        if (!got)
            break;
        onFrame(frame);
    }
    // Stray bytes are reported once the line is quiet, as one sum.
    if (framer.hasPartial() || (tracing && !discarded.isEmpty()))
        staleTimer.start();
    else if (staleTimer.isActive())
        staleTimer.stop();
}

void ModuleLink::reportDiscard()
{
    if (discarded.isEmpty())
        return;
    emit traced(QStringLiteral("host <- discarded %1 bytes (%2 damaged frames)")
                    .arg(discarded.bytes)
                    .arg(discarded.damaged));
    discarded = {};
}

void ModuleLink::onFrame(const StreamFramer::Frame &frame)
{
    const int command = commandOf(frame.bytes);
    if (tracing) {
        reportDiscard();
        emit traced(LinkFrameText::wireLine(QStringLiteral("host <-"), frame.bytes, frame.flags));
    }
    if (frame.flags & StreamFramer::Confirmation) {
        // A confirmation never ends the wait for an answer; a refusal does.
        if (waitKind == None || command != waitCommand
            || (waitKind == Answer && !(frame.flags & StreamFramer::Refused))) {
            if (tracing)
                emit traced(QStringLiteral("host: confirmation nobody waits for, discarded"));
            return;
        }
        if (frame.flags & StreamFramer::Refused) {
            fail(Refused, "refused by the module");
            return;
        }
        finishWait();
        emit confirmed(command);
        return;
    }
    if (waitKind != Answer || command != waitCommand) {
        if (tracing)
            emit traced(QStringLiteral("host: answer nobody waits for, discarded"));
        return;
    }
    CommMsg answer;
    answer.msgData = frame.bytes;
    finishWait();
    deliver(answer);
}

void ModuleLink::finishWait()
{
    waitKind = None;
    waitCommand = 0;
    pump();
    if (isIdle())
        emit settled();
}

void ModuleLink::fail(Failure why, const char *reason, bool timedOut)
{
    // Nothing in time and a lost link are flag 1; a refusal or a damaged frame flag 2.
    const int flag = why == NoAnswer || why == LinkDown ? 1 : 2;
    if (tracing) {
        reportDiscard();
        QString text = QLatin1String(reason);
        if (timedOut)
            text += QStringLiteral(" in %1 ms").arg(waitTimeout);
        emit traced(
            QStringLiteral("host: %1 failed: %2; linkFlags[%3] delivered%4")
                .arg(LinkFrameText::describe(current.msgData), text)
                .arg(flag)
                .arg(queue.isEmpty()
                         ? QString()
                         : QStringLiteral(", %1 queued requests dropped").arg(queue.size())));
    }
    CommMsg failure(current);
    failure.linkFlags[flag] = true;
    queue.clear();
    waitKind = None;
    waitCommand = 0;
    deliver(failure, why);
}

void ModuleLink::deliver(const CommMsg &msg, Failure why)
{
    // Handed on from the event loop: the plug-in may open a modal alert, and
    // the transport's handler must not be the one that waits in it.
    outbox.enqueue({msg, why});
    QMetaObject::invokeMethod(this, &ModuleLink::flushOutbox, Qt::QueuedConnection);
}

void ModuleLink::flushOutbox()
{
    if (outbox.isEmpty())
        return;
    const Delivery d = outbox.dequeue();
    deliveredFailure = d.failure;
    emit delivered(d.msg);
    deliveredFailure = NoFailure;
    if (isIdle())
        emit settled();
}
