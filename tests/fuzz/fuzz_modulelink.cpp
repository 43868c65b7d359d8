// The host's link logic against a random module: requests of every kind,
// answers right and wrong, raw bytes, timeouts and the link going down and up,
// all in random pieces. The queue and the receive buffer stay bounded, and
// every get-request that went out ends with exactly one delivery, its answer
// or its failure.

#include "commprotocol.h"
#include "linktransport.h"
#include "modulelink.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstddef>
#include <cstdint>

namespace {
class FuzzTransport : public LinkTransport
{
public:
    bool open(QString &) override { return up = true; }
    bool isOpen() const override { return up; }
    void write(const QByteArray &bytes) override
    {
        last = bytes.mid(StreamFramer::HeaderSize, bytes.size() - StreamFramer::Overhead);
        gets += last.size() >= 4 && last.at(3) >= 22 ? 1 : 0;
    }
    QString description() const override { return QStringLiteral("fuzz"); }
    bool up = false;
    QByteArray last;
    int gets = 0;
};

struct Input {
    const uint8_t *data;
    size_t size;
    size_t at = 0;
    int byte() { return at < size ? data[at++] : 0; }
    QByteArray bytes(int n)
    {
        const int k = int(qMin(size - at, size_t(n)));
        at += size_t(k);
        return QByteArray(reinterpret_cast<const char *>(data + at - size_t(k)), k);
    }
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
    QObject::connect(&link, &ModuleLink::delivered, [&getsEnded](const CommMsg &msg) {
        getsEnded += msg.expectedAnswer != 0 || !(msg.linkFlags[1] || msg.linkFlags[2]) ? 1 : 0;
    });
    auto inject = [&](Input &in, const QByteArray &bytes) {
        for (int i = 0, piece = 1 + in.byte() % 16; i < bytes.size(); i += piece)
            emit transport->received(bytes.mid(i, piece));
    };
    auto settle = [&link](int ms) {
        QElapsedTimer t;
        t.start();
        do
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        while (!link.isIdle() && t.elapsed() < ms);
        QCoreApplication::processEvents();
    };

    Input in {data, size};
    while (in.at < in.size) {
        CommProtocol p;
        const int op = in.byte() % 7;
        const int arg = in.byte();
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
        } else if (op == 2 && transport->last.size() >= 4) {
            // The module's reply to what went out last: answer, confirmation
            // or refusal, with a payload of any length.
            const QByteArray reply = transport->last.left(4) + in.bytes(arg % 24);
            inject(in, StreamFramer::encode(reply, static_cast<unsigned char>(arg >> 5)));
        } else if (op == 3) {
            inject(in, in.bytes(arg));
        } else if (op == 4) {
            settle(arg % 6);
        } else if (op == 5) {
            transport->up = !transport->up;
            emit transport->stateChanged(transport->up, QStringLiteral("fuzz"));
        } else {
            inject(in, QByteArray(arg * 16, char(StreamFramer::Stx)));
        }
        if (link.queued() > ModuleLink::MaxQueued
            || link.buffered() >= StreamFramer::MaxFrameLength + StreamFramer::Overhead)
            __builtin_trap();
    }
    // The module goes away: whatever still waits must end now.
    transport->up = false;
    emit transport->stateChanged(false, QStringLiteral("fuzz"));
    settle(0);
    if (!link.isIdle() || getsEnded != transport->gets)
        __builtin_trap();
    return 0;
}
