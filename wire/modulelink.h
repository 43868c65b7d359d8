#pragma once

#include "commmsg.h"
#include "streamframer.h"

#include <QElapsedTimer>
#include <QObject>
#include <QQueue>
#include <QTimer>

class LinkTransport;

// The host's side of the module link. Requests are queued and sent in order;
// a request with an expected answer, or one that asks for confirmation
// (linkFlags[6]), holds the queue until the answer or the confirmation comes
// or its time runs out. The answers are handed on (delivered) from the event
// loop. A failed exchange is delivered as a message that carries the request's
// frame and a failure flag: linkFlags[1] when nothing valid came in time or
// the link went down, linkFlags[2] when the module refused the request or a
// corrupt or truncated frame came instead of the answer. A failure also drops
// the requests queued behind it: they belonged to the sequence that failed.
// Frames nobody waits for (late answers, confirmations after a timeout) are
// discarded.
//
// With traced connected, every event becomes one line: frames both ways, raw
// and decoded, link up and down, retries, timeouts, discarded bytes. Without
// it nothing is formatted.
class ModuleLink : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxQueued = 64;
    static constexpr int DefaultTimeoutMs = 3000;
    // A frame that stops arriving for this long is given up as truncated.
    static constexpr int StaleFrameMs = 200;

    // Why an exchange failed, for callers that tell the failures apart.
    enum Failure { NoFailure, LinkDown, NoAnswer, Damaged, Refused };

    // Takes ownership of the transport.
    explicit ModuleLink(LinkTransport *transport, QObject *parent = nullptr);
    ~ModuleLink() override;

    bool open(QString &error);
    bool isUp() const;
    QString description() const;
    LinkTransport *transport() const { return link; }

    // Queues one request; false when the link is down, the queue is full or
    // the message holds no frame to send.
    bool send(const CommMsg &msg);
    // No request waits or is queued, and every answer has been handed on.
    bool isIdle() const { return waitKind == None && queue.isEmpty() && outbox.isEmpty(); }
    int queued() const { return queue.size(); }
    // Received bytes held while a frame is incomplete: at most one frame.
    int buffered() const { return framer.buffered(); }
    // While delivered is emitted: why that message's exchange failed.
    Failure failure() const { return deliveredFailure; }

signals:
    void delivered(const CommMsg &msg);
    // The module confirmed the request with this command.
    void confirmed(int command);
    void traced(const QString &line);
    void stateChanged(bool up, const QString &text);
    // The link has become idle after an exchange.
    void settled();

protected:
    void connectNotify(const QMetaMethod &signal) override;
    void disconnectNotify(const QMetaMethod &signal) override;

private:
    enum WaitKind { None, Answer, Confirmation };

    void pump();
    void transmit(const CommMsg &msg);
    void onBytes(const QByteArray &bytes);
    void drain();
    void onFrame(const StreamFramer::Frame &frame);
    void reportDiscard();
    void finishWait();
    void onAnswerTimer();
    void fail(Failure why, const char *reason, bool timedOut = false);
    void deliver(const CommMsg &msg, Failure why = NoFailure);
    void flushOutbox();

    LinkTransport *link;
    StreamFramer framer;
    StreamFramer::Discard discarded;
    QQueue<CommMsg> queue;
    struct Delivery {
        CommMsg msg;
        Failure failure;
    };
    QQueue<Delivery> outbox;
    Failure deliveredFailure = NoFailure;
    CommMsg current;
    QByteArray wire; // the frame being written, its buffer kept for the next one
    WaitKind waitKind = None;
    int waitCommand = 0;
    bool tracing = false;
    // One timer for all waits: a busy link moves a deadline instead of
    // starting and stopping a timer for every request.
    QElapsedTimer clock;
    qint64 deadline = 0;
    int waitTimeout = 0;
    QTimer answerTimer;
    QTimer staleTimer;
};
