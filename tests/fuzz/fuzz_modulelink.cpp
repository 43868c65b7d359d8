// The host's link logic against a random module: requests of every kind,
// replies right and wrong, raw bytes, timeouts and the link going down and up,
// all in random pieces. The queue and the receive buffer stay bounded, and
// every get-request that went out ends with one delivery, its answer or its failure.

#include "commprotocol.h"
#include "linktransport.h"
#include "modulelink.h"

#include <QCoreApplication>
#include <QThread>

#include <cstddef>
#include <cstdint>

namespace {
struct FuzzTransport : LinkTransport {
    bool open(QString &) override { return up = true; }
    bool isOpen() const override { return up; }
    void write(const QByteArray &bytes) override
    {
        last = bytes.mid(StreamFramer::HeaderSize, bytes.size() - StreamFramer::Overhead);
        gets += last.at(3) >= CommProtocol::GetLevel ? 1 : 0;
    }
    QString description() const override { return {}; }
    bool up = false;
    QByteArray last;
    int gets = 0;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_modulelink";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    auto *transport = new FuzzTransport;
    ModuleLink link(transport);
    QString error;
    link.open(error);
    int getsEnded = 0;
    QObject::connect(&link, &ModuleLink::delivered, [&getsEnded](const CommMsg &m) {
        getsEnded += m.expectedAnswer != 0 || !(m.linkFlags[1] || m.linkFlags[2]) ? 1 : 0;
    });
    size_t at = 0;
    int settles = 0;
    auto next = [&] { return at < size ? int(data[at++]) : 0; };
    auto take = [&](int n) {
        const size_t k = qMin(size - at, size_t(n));
        at += k;
        return QByteArray(reinterpret_cast<const char *>(data + at - k), int(k));
    };
    auto inject = [&](const QByteArray &bytes) {
        for (int i = 0, piece = 1 + next() % 16; i < bytes.size(); i += piece)
            emit transport->received(bytes.mid(i, piece));
    };
    while (at < size) {
        const int op = next() % 7, arg = next();
        CommProtocol p;
        if (op == 0) {
            const int get = (arg & 3) == 3 ? 26 : 22 + (arg & 3);
            p.expectedAnswer = get;
            p.answerTimeoutMs = 1 + arg % 3;
            p.prependCommand(static_cast<unsigned short>(get), CommProtocol::RecordTag);
            link.send(p);
        } else if (op == 1) {
            p.buildOutputAttenuation1Request(static_cast<unsigned char>(arg), arg & 1);
            p.answerTimeoutMs = (arg & 1) ? 1 + arg % 3 : 0;
            link.send(p);
        } else if (op == 2 && !transport->last.isEmpty()) {
            // A reply to what went out last: answer, confirmation or refusal.
            inject(StreamFramer::encode(transport->last.left(4) + take(arg % 24),
                                        static_cast<unsigned char>(arg >> 5)));
        } else if (op == 3) {
            inject(take(arg));
        } else if (op == 4) {
            // Timeouts of 1 to 3 ms run out; answers are delivered.
            QThread::msleep(settles++ < 40 ? unsigned(arg % 4) : 0);
            QCoreApplication::processEvents();
        } else if (op == 5) {
            transport->up = !transport->up;
            emit transport->stateChanged(transport->up, QString());
        } else {
            inject(QByteArray(arg * 16, char(StreamFramer::Stx)));
        }
        if (link.queued() > ModuleLink::MaxQueued
            || link.buffered() >= StreamFramer::MaxFrameLength + StreamFramer::Overhead)
            __builtin_trap();
    }
    // The module goes away: whatever still waits must end now.
    transport->up = false;
    emit transport->stateChanged(false, QString());
    QCoreApplication::processEvents();
    if (!link.isIdle() || getsEnded != transport->gets)
        __builtin_trap();
    return 0;
}
