// Module link round trips over TCP on loopback. F6 and F8 are pressed in the
// plug-in's configuration form, running in the substitute host's link
// against zetavx-emu in its own process; the baseline sends the same bytes,
// exchange by exchange, through the same transport class to a plain echo
// server in its own process. A baseline round and a round of the link run in
// turn, many times; reports the median of each, and the plug-in's own share:
// taking F6's answers, and F8's key handler, which builds and sends the 23
// frames. Last, the framing of 2 MiB of STX bytes (a candidate frame at every
// byte, all damaged) against 2 MiB of valid frames.

#include "benchprobe.h"
#include "commprotocol.h"
#include "devicescreen.h"
#include "hostservices.h"
#include "imsp.h"
#include "mediawatcher.h"
#include "moduleemulator.h"
#include "modulelink.h"
#include "pluginloader.h"
#include "streamframer.h"
#include "tcptransport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QProcess>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int Warmup = 10;
constexpr int Rounds = 200;

// The host's TCP transport, counting the frames it writes.
class CountingTransport : public TcpTransport
{
public:
    using TcpTransport::TcpTransport;
    void write(const QByteArray &bytes) override
    {
        ++frames;
        TcpTransport::write(bytes);
    }
    int frames = 0;
};

void fail(const QString &text)
{
    std::fprintf(stderr, "bench_link: %s\n", qPrintable(text));
    std::exit(1);
}

// Starts a server program and returns the TCP port it prints.
quint16 startServer(QProcess &process, const QString &program, const QStringList &args)
{
    process.start(program, args);
    QByteArray out;
    const QRegularExpression port(QStringLiteral("(?:listening on [^:\\s]+:|BENCH port )(\\d+)"));
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 10000) {
        if (!process.waitForReadyRead(200) && process.state() != QProcess::Running)
            break;
        out += process.readAllStandardOutput();
        const QRegularExpressionMatch m = port.match(QString::fromLatin1(out));
        if (m.hasMatch())
            return static_cast<quint16>(m.captured(1).toUInt());
    }
    fail(QStringLiteral("%1 did not start: %2").arg(program, QString::fromLatin1(out)));
    return 0;
}

bool waitFor(const std::function<bool()> &done)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > 5000)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

long long median(std::vector<long long> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int roundsRun = 0;

struct Medians {
    long long baseline = 0;
    long long measured = 0;
};

// The median times of a baseline round and of a measured round, run in turn
// so that both see the same load on a shared machine; zeros when a round got
// no answer. Kept out of line so that a profiler can single out one pair.
template<typename Baseline, typename Round>
__attribute__((noinline)) Medians measure(Baseline baseline, Round round)
{
    std::vector<long long> base, ns;
    for (roundsRun = 1; roundsRun <= Warmup + Rounds; ++roundsRun) {
        const long long t0 = BenchProbe::monotonicNs();
        if (!baseline())
            return {};
        const long long t1 = BenchProbe::monotonicNs();
        if (!round())
            return {};
        if (roundsRun > Warmup) {
            base.push_back(t1 - t0);
            ns.push_back(BenchProbe::monotonicNs() - t1);
        }
    }
    roundsRun = Warmup + Rounds;
    return {median(base), median(ns)};
}

// The bytes of both exchanges as they travel: F6's three answers, F8's 23
// requests.
struct Traffic {
    QList<QByteArray> f6Answers;
    QList<QByteArray> f8Requests;
};

Traffic traffic()
{
    ModuleEmulator module;
    Traffic t;
    CommProtocol p;
    for (bool (CommProtocol::*build)() :
         {&CommProtocol::buildGetModuleInfoRequest, &CommProtocol::buildGetLevelRequest,
          &CommProtocol::buildGetAllCfgRequest}) {
        p.clearMsgData();
        (p.*build)();
        for (const ModuleEmulator::Reply &r : module.handleFrame(p.msgData, 0))
            t.f6Answers << StreamFramer::encode(r.frame, r.flags);
    }
    // The configuration answer is a run of set-request frames: the 21 that
    // F8 sends between the two bulk-write frames.
    p.clearMsgData();
    p.buildGetAllCfgRequest();
    const QByteArray all = module.handleFrame(p.msgData, 0).value(0).frame;
    p.clearMsgData();
    p.buildSetAllCfgRequest(false, false);
    t.f8Requests << StreamFramer::encode(p.msgData, 0);
    for (int at = 4; at + 4 <= all.size();) {
        const int command = (static_cast<unsigned char>(all.at(at + 2)) << 8)
            | static_cast<unsigned char>(all.at(at + 3));
        const int size = 4 + ModuleEmulator::payloadSize(command);
        t.f8Requests << StreamFramer::encode(all.mid(at, size), 0);
        at += size;
    }
    p.clearMsgData();
    p.buildSetAllCfgRequest(true, true);
    t.f8Requests << StreamFramer::encode(p.msgData, StreamFramer::ConfirmRequest);
    return t;
}

QWidget *findForm(QWidget *root, const char *className)
{
    const QList<QWidget *> all = root->findChildren<QWidget *>();
    for (QWidget *w : all)
        if (w->inherits(className))
            return w;
    return nullptr;
}

void pressKey(QWidget *form, int key)
{
    QWidget *target = QApplication::focusWidget();
    if (!target || !form->isAncestorOf(target))
        target = form->focusWidget() ? form->focusWidget() : form;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}
} // namespace

int main(int argc, char *argv[])
{
    MediaWatcher::ignoreMediaSignals();
    QApplication app(argc, argv);
    const Traffic bytes = traffic();
    if (bytes.f6Answers.size() != 3 || bytes.f8Requests.size() != 23)
        fail(QStringLiteral("unexpected traffic: %1 answers, %2 requests")
                 .arg(bytes.f6Answers.size())
                 .arg(bytes.f8Requests.size()));

    // Baseline: the same bytes through an echo server.
    QProcess echoServer;
    const quint16 echoPort = startServer(echoServer, QStringLiteral(MSP_ECHO_PATH), {});
    TcpTransport echo(QStringLiteral("127.0.0.1"), echoPort);
    QString error;
    if (!echo.open(error) || !waitFor([&echo] { return echo.isOpen(); }))
        fail(QStringLiteral("cannot connect to the echo server"));
    int echoed = 0;
    QObject::connect(&echo, &LinkTransport::received,
                     [&echoed](const QByteArray &b) { echoed += b.size(); });
    const auto echoF6 = [&] {
        for (const QByteArray &answer : bytes.f6Answers) {
            echoed = 0;
            echo.write(answer);
            if (!waitFor([&] { return echoed >= answer.size(); }))
                return false;
        }
        return true;
    };
    const auto echoF8 = [&] {
        int total = 0;
        echoed = 0;
        for (const QByteArray &request : bytes.f8Requests) {
            echo.write(request);
            total += request.size();
        }
        return waitFor([&] { return echoed >= total; });
    };

    // The plug-in against the emulated module.
    QProcess emulator;
    const quint16 emuPort = startServer(emulator, QStringLiteral(MSP_EMULATOR_PATH),
                                        {QStringLiteral("--tcp"), QStringLiteral("0")});
    auto *transport = new CountingTransport(QStringLiteral("127.0.0.1"), emuPort);
    ModuleLink link(transport);
    if (!link.open(error) || !waitFor([&link] { return link.isUp(); }))
        fail(QStringLiteral("cannot connect to the emulator"));
    MediaWatcher media;
    // Connected before and after the host's own handler, which hands the
    // answer to the plug-in.
    long long handOver = 0, inPlugin = 0;
    QObject::connect(&link, &ModuleLink::delivered,
                     [&handOver](const CommMsg &) { handOver = BenchProbe::monotonicNs(); });
    HostServices services(&link, nullptr, &media);
    QObject::connect(&link, &ModuleLink::delivered,
                     [&](const CommMsg &) { inPlugin += BenchProbe::monotonicNs() - handOver; });
    int delivered = 0;
    int failures = 0;
    QObject::connect(&link, &ModuleLink::delivered, [&](const CommMsg &msg) {
        ++delivered;
        if (msg.linkFlags[1] || msg.linkFlags[2])
            ++failures;
    });
    // A failed exchange opens a modal alert; close it and count it.
    int alerts = 0;
    QTimer alertCloser;
    QObject::connect(&alertCloser, &QTimer::timeout, [&alerts] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            ++alerts;
            modal->close();
        }
    });
    alertCloser.start(200);

    PluginLoader loader(QStringLiteral(MSP_PLUGIN_PATH));
    if (!loader.load(error))
        fail(error);
    Imsp *msp = loader.plugin();
    msp->SetIServiciosComunes(&services);
    services.setPlugin(msp);
    DeviceScreen screen;
    screen.show();
    msp->Run(screen.pluginArea());
    QWidget *form = findForm(screen.pluginArea(), "FCfgProdZetaVX_DVBS2");
    auto *stack = qobject_cast<QStackedWidget *>(form ? form->parentWidget() : nullptr);
    if (!stack)
        fail(QStringLiteral("no configuration form in the plug-in"));
    stack->setCurrentWidget(form);
    screen.activateWindow();
    if (QWidget *first = form->nextInFocusChain(); first && form->isAncestorOf(first))
        first->setFocus();
    QCoreApplication::processEvents();

    const Medians f6 = measure(echoF6, [&] {
        delivered = 0;
        pressKey(form, Qt::Key_F6);
        return waitFor([&] { return delivered >= 3; });
    });
    const int f6Frames = transport->frames / roundsRun;
    const long long pluginF6 = inPlugin / roundsRun;
    transport->frames = 0;
    long long inKey = 0;
    const Medians f8 = measure(echoF8, [&] {
        const long long k0 = BenchProbe::monotonicNs();
        pressKey(form, Qt::Key_F8);
        inKey += BenchProbe::monotonicNs() - k0;
        return waitFor([&] { return link.isIdle(); });
    });
    const int f8Frames = transport->frames / roundsRun;
    const long long pluginF8 = inKey / roundsRun;

    const QByteArray flood(2 * 1024 * 1024, char(StreamFramer::Stx));
    QByteArray clean;
    while (clean.size() < flood.size())
        clean += bytes.f6Answers.value(clean.size() % 3);
    int framesSeen = 0;
    auto framing = [&framesSeen](const QByteArray &stream) {
        StreamFramer framer;
        StreamFramer::Frame frame;
        const long long t0 = BenchProbe::monotonicNs();
        for (int i = 0; i < stream.size(); i += LinkTransport::ReadChunk) {
            framer.feed(stream.mid(i, LinkTransport::ReadChunk));
            while (framer.next(frame))
                ++framesSeen;
        }
        framer.giveUpPartial();
        while (framer.next(frame))
            ++framesSeen;
        return BenchProbe::monotonicNs() - t0;
    };
    const long long rss0 = BenchProbe::rssKb();
    const long long floodNs = framing(flood);
    const long long floodRss = BenchProbe::rssKb() - rss0;
    const long long cleanNs = framing(clean);
    if (framesSeen == 0)
        fail(QStringLiteral("no frame in the clean stream"));

    if (!f6.baseline || !f8.baseline)
        fail(QStringLiteral("the echo server or the emulator does not answer"));
    BenchProbe::report("echo_f6_ns", f6.baseline);
    BenchProbe::report("echo_f8_ns", f8.baseline);
    BenchProbe::report("f6_ns", f6.measured);
    BenchProbe::report("f8_ns", f8.measured);
    BenchProbe::report("f6_plugin_ns", pluginF6);
    BenchProbe::report("f8_plugin_ns", pluginF8);
    BenchProbe::report("framing_stx_ns", floodNs);
    BenchProbe::report("framing_clean_ns", cleanNs);
    BenchProbe::report("framing_stx_rss_kb", floodRss);
    BenchProbe::report("f6_frames_per_round", f6Frames);
    BenchProbe::report("f8_frames_per_round", f8Frames);
    BenchProbe::report("failures", failures + alerts);
    for (QProcess *server : {&emulator, &echoServer}) {
        server->kill();
        server->waitForFinished();
    }
    return 0;
}
