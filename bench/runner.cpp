// msp-bench: runs every benchmark program of this folder, natively and under
// callgrind, and prints one table. Every figure stands beside a baseline
// measured in the same run, and the ratio between them; times are medians of
// many runs, instruction counts (Ir) come from callgrind and do not depend on
// the machine's load.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {
using Figures = QMap<QString, double>;

QString binDir;
QTemporaryDir work;
bool haveValgrind = false;

long long monotonicNs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

void note(const QString &text) { std::fprintf(stderr, "msp-bench: %s\n", qPrintable(text)); }

Figures parseReport(const QByteArray &out)
{
    Figures f;
    for (const QByteArray &line : out.split('\n')) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() == 3 && parts[0] == "BENCH")
            f.insert(QString::fromLatin1(parts[1]), parts[2].toDouble());
    }
    return f;
}

// Runs a program to its end; "spawn_ns" is the moment just before it was started.
Figures run(const QString &program, const QStringList &args = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.setStandardErrorFile(QProcess::nullDevice());
    const long long spawn = monotonicNs();
    p.start(program, args);
    // Under callgrind the configuration-file program runs for many minutes.
    if (!p.waitForFinished(1800000) || p.exitStatus() != QProcess::NormalExit
        || p.exitCode() != 0) {
        note(QStringLiteral("%1 failed (exit code %2)")
                 .arg(QFileInfo(program).fileName())
                 .arg(p.exitCode()));
        p.kill();
        p.waitForFinished();
        return {};
    }
    Figures f = parseReport(p.readAllStandardOutput());
    f.insert(QStringLiteral("spawn_ns"), double(spawn));
    return f;
}

QString bench(const char *name) { return binDir + QLatin1Char('/') + QLatin1String(name); }

// Instruction counts of a program under callgrind: "total" for the whole
// run, or one figure per region the program dumped.
Figures callgrind(const char *name, bool regions)
{
    Figures f;
    if (!haveValgrind)
        return f;
    const QString out = work.filePath(QStringLiteral("cg.%1").arg(QLatin1String(name)));
    QStringList args {QStringLiteral("--tool=callgrind"),
                      QStringLiteral("--callgrind-out-file=") + out};
    if (regions)
        args << QStringLiteral("--collect-atstart=no");
    args << bench(name);
    if (run(QStringLiteral("valgrind"), args).isEmpty())
        return f;
    const QRegularExpression trigger(QStringLiteral("^desc: Trigger: Client Request: (\\S+)"),
                                     QRegularExpression::MultilineOption);
    const QRegularExpression totals(QStringLiteral("^(?:totals|summary): (\\d+)"),
                                    QRegularExpression::MultilineOption);
    const QFileInfoList dumps
        = QDir(work.path()).entryInfoList({QFileInfo(out).fileName() + QLatin1Char('*')});
    for (const QFileInfo &dump : dumps) {
        QFile file(dump.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromLatin1(file.readAll());
        const QRegularExpressionMatch t = totals.match(text);
        if (!t.hasMatch())
            continue;
        const QRegularExpressionMatch r = trigger.match(text);
        f.insert(r.hasMatch() ? r.captured(1) : QStringLiteral("total"), t.captured(1).toDouble());
    }
    return f;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QString fmtIr(double ir)
{
    return ir >= 1e6 ? QStringLiteral("%1 M Ir").arg(ir / 1e6, 0, 'f', 2)
                     : QStringLiteral("%1 k Ir").arg(ir / 1e3, 0, 'f', 1);
}

QString fmtNs(double ns)
{
    if (ns >= 1e9)
        return QStringLiteral("%1 s").arg(ns / 1e9, 0, 'f', 2);
    if (ns >= 1e6)
        return QStringLiteral("%1 ms").arg(ns / 1e6, 0, 'f', 1);
    return QStringLiteral("%1 us").arg(ns / 1e3, 0, 'f', 0);
}

QString fmtKb(double kb)
{
    return kb >= 1024 ? QStringLiteral("%1 MB").arg(kb / 1024, 0, 'f', 2)
                      : QStringLiteral("%1 kB").arg(kb, 0, 'f', 0);
}

struct Row {
    QString what;
    QString measured;
    QString baseline;
    double ratio = 0; // 0: no ratio (a figure is missing)
    QString target;
    QString verdict; // "ok", "MISS" or empty
};
std::vector<Row> rows;

void add(const QString &what, const QString &measured, const QString &baseline, double m, double b,
         const QString &target = QString(), const QString &verdict = QString())
{
    const bool known = m > 0 && b > 0;
    rows.push_back({what, known ? measured : QStringLiteral("n/a"),
                    b > 0 ? baseline : QStringLiteral("n/a"), known ? m / b : 0, target,
                    known ? verdict : (target.isEmpty() ? QString() : QStringLiteral("n/a"))});
}

QString verdict(bool ok) { return ok ? QStringLiteral("ok") : QStringLiteral("MISS"); }

void startup()
{
    // Interleaved, so that a burst of load on the machine hits both alike.
    std::vector<double> bare, host;
    double bareRss = 0;
    for (int i = 0; i < 11; ++i) {
        const Figures b = run(bench("bench_bare"));
        const Figures h = run(bench("bench_hoststart"));
        if (b.contains(QStringLiteral("painted_ns")))
            bare.push_back(b[QStringLiteral("painted_ns")] - b[QStringLiteral("spawn_ns")]);
        if (h.contains(QStringLiteral("painted_ns")))
            host.push_back(h[QStringLiteral("painted_ns")] - h[QStringLiteral("spawn_ns")]);
        bareRss = b.value(QStringLiteral("rss_kb"), bareRss);
    }
    const double bareNs = median(bare), hostNs = median(host);
    add(QStringLiteral("Start-up to first paint, wall (median of 11)"),
        QStringLiteral("host+plug-in %1").arg(fmtNs(hostNs)),
        QStringLiteral("bare Qt %1").arg(fmtNs(bareNs)), hostNs, bareNs, QStringLiteral("<= 1.5x"),
        verdict(hostNs <= 1.5 * bareNs));

    const double bareIr = callgrind("bench_bare", false).value(QStringLiteral("total"));
    const double hostIr = callgrind("bench_hoststart", false).value(QStringLiteral("total"));
    add(QStringLiteral("Start-up to first paint, instructions"),
        QStringLiteral("host+plug-in %1").arg(fmtIr(hostIr)),
        QStringLiteral("bare Qt %1").arg(fmtIr(bareIr)), hostIr, bareIr, QStringLiteral("<= 1.5x"),
        verdict(hostIr <= 1.5 * bareIr));

    const Figures phases = callgrind("bench_phases", true);
    const struct {
        const char *region;
        const char *what;
    } phaseRows[] = {{"load", "Loading the library (static init, root object)"},
                     {"run", "Run alone"},
                     {"paint", "Main menu's first paint after Run"}};
    for (const auto &p : phaseRows) {
        const double ir = phases.value(QLatin1String(p.region));
        add(QLatin1String(p.what) + QStringLiteral(", instructions"), fmtIr(ir),
            QStringLiteral("bare Qt start-up %1").arg(fmtIr(bareIr)), ir, bareIr);
    }

    const double again = phases.value(QStringLiteral("open_again"));
    const double first = phases.value(QStringLiteral("open_first"));
    add(QStringLiteral("First opening of the configuration form (widgets built), instructions"),
        fmtIr(first), QStringLiteral("opening it again %1").arg(fmtIr(again)), first, again);

    const Figures mem = run(bench("bench_phases"));
    const double host0 = mem.value(QStringLiteral("host_rss_kb"));
    const double loaded = mem.value(QStringLiteral("loaded_rss_kb"));
    const double painted = mem.value(QStringLiteral("painted_rss_kb"));
    add(QStringLiteral("Resident memory added by loading the library"), fmtKb(loaded - host0),
        QStringLiteral("bare Qt RSS %1").arg(fmtKb(bareRss)), loaded - host0, bareRss);
    add(QStringLiteral("Resident memory added by Run (to painted)"), fmtKb(painted - loaded),
        QStringLiteral("bare Qt RSS %1").arg(fmtKb(bareRss)), painted - loaded, bareRss,
        QStringLiteral("< 3 MB"), verdict(painted > 0 && painted - loaded < 3 * 1024));
}

qint64 strippedSize(const QString &library, const QString &name)
{
    const QString out = work.filePath(name);
    QProcess strip;
    strip.start(QStringLiteral("strip"), {QStringLiteral("-o"), out, library});
    if (!strip.waitForFinished(60000) || strip.exitCode() != 0)
        return 0;
    return QFileInfo(out).size();
}

void librarySize()
{
    const double lib
        = strippedSize(QStringLiteral(MSP_PLUGIN_PATH), QStringLiteral("plugin.so")) / 1024.0;
    const double qt = strippedSize(QFileInfo(QStringLiteral(MSP_QT_LIBRARY)).canonicalFilePath(),
                                   QStringLiteral("qtwidgets.so"))
        / 1024.0;
    add(QStringLiteral("Stripped library size"), fmtKb(lib),
        QStringLiteral("libQt5Widgets %1").arg(fmtKb(qt)), lib, qt);
}

void link()
{
    const Figures f = run(bench("bench_link"));
    const double f6 = f.value(QStringLiteral("f6_ns")), e6 = f.value(QStringLiteral("echo_f6_ns"));
    const double f8 = f.value(QStringLiteral("f8_ns")), e8 = f.value(QStringLiteral("echo_f8_ns"));
    const bool sane = f.value(QStringLiteral("failures"), 1) == 0;
    const int frames6 = int(f.value(QStringLiteral("f6_frames_per_round")));
    const int frames8 = int(f.value(QStringLiteral("f8_frames_per_round")));
    add(QStringLiteral("F6 over TCP loopback, %1 frames (median of 200)").arg(frames6),
        QStringLiteral("%1").arg(fmtNs(f6)), QStringLiteral("echo %1").arg(fmtNs(e6)),
        sane && frames6 == 3 ? f6 : 0, e6, QStringLiteral("<= 1.3x"), verdict(f6 <= 1.3 * e6));
    add(QStringLiteral("F8 over TCP loopback, %1 frames (median of 200)").arg(frames8),
        QStringLiteral("%1").arg(fmtNs(f8)), QStringLiteral("echo %1").arg(fmtNs(e8)),
        sane && frames8 == 23 ? f8 : 0, e8, QStringLiteral("<= 1.5x"), verdict(f8 <= 1.5 * e8));
    const double p6 = f.value(QStringLiteral("f6_plugin_ns"));
    const double p8 = f.value(QStringLiteral("f8_plugin_ns"));
    add(QStringLiteral("F6: the plug-in taking the three answers"), fmtNs(p6),
        QStringLiteral("echo %1").arg(fmtNs(e6)), p6, e6);
    add(QStringLiteral("F8: the plug-in's key handler, 23 frames built and sent"), fmtNs(p8),
        QStringLiteral("echo %1").arg(fmtNs(e8)), p8, e8);
    const double stx = f.value(QStringLiteral("framing_stx_ns"));
    const double clean = f.value(QStringLiteral("framing_clean_ns"));
    add(QStringLiteral("Framing 2 MiB of STX bytes (RSS +%1)")
            .arg(fmtKb(f.value(QStringLiteral("framing_stx_rss_kb")))),
        fmtNs(stx), QStringLiteral("2 MiB of frames %1").arg(fmtNs(clean)), stx, clean,
        QStringLiteral("<= 5x"), verdict(stx <= 5 * clean));
}

void soak()
{
    const Figures f = run(bench("bench_soak"));
    const double warm = f.value(QStringLiteral("soak_heap_warm_kb"));
    const double end = f.value(QStringLiteral("soak_heap_end_kb"));
    // Flat: 1 kB kept a cycle would show as a megabyte over the run.
    add(QStringLiteral("Heap in use after %1 cycles of Run, F6, F8, Exit")
            .arg(int(f.value(QStringLiteral("soak_cycles")))),
        fmtKb(end), QStringLiteral("after 20 cycles %1").arg(fmtKb(warm)), end, warm,
        QStringLiteral("< +512 kB"), verdict(end - warm < 512));
}

void files()
{
    const Figures t = run(bench("bench_files"));
    const Figures ir = callgrind("bench_files", true);
    const QStringList ops {QStringLiteral("isValidFile"), QStringLiteral("getModuleList"),
                           QStringLiteral("readData"), QStringLiteral("writeData")};
    const QList<int> counts {1, 100, 1000, 10000};
    for (const QString &op : ops) {
        const bool write = op == QLatin1String("writeData");
        for (int n : counts) {
            const QString key = QStringLiteral("%1_%2").arg(op).arg(n);
            const QString base
                = QString::fromLatin1(write ? "qsettings_write_%1" : "qsettings_%1").arg(n);
            const bool ok = t.value(QStringLiteral("files_ok_%1").arg(n)) == 1;
            const double ratio = ir.value(key) / std::max(1.0, ir.value(base));
            // A save is checked as it lands, at little cost over the plain write.
            const bool target = write && n >= 100;
            add(QStringLiteral("%1, %2 module(s)").arg(op).arg(n),
                QStringLiteral("%1 (%2)").arg(fmtIr(ir.value(key)),
                                              fmtNs(t.value(key + QStringLiteral("_ns")))),
                QStringLiteral("%1 %2 (%3)")
                    .arg(QLatin1String(write ? "QSettings write" : "QSettings"),
                         fmtIr(ir.value(base)), fmtNs(t.value(base + QStringLiteral("_ns")))),
                ok ? ir.value(key) : 0, ir.value(base),
                target ? QStringLiteral("<= 1.5x") : QString(),
                target ? verdict(ok && ratio <= 1.5) : QString());
        }
        // Linear growth: a hundred times the modules costs about a hundred
        // times as much, as it does for the settings class itself.
        const double grow = ir.value(op + QStringLiteral("_10000"))
            / std::max(1.0, ir.value(op + QStringLiteral("_100")));
        const double base = ir.value(QStringLiteral("qsettings_10000"))
            / std::max(1.0, ir.value(QStringLiteral("qsettings_100")));
        add(QStringLiteral("%1, growth 100 -> 10,000 modules").arg(op),
            QStringLiteral("x%1").arg(grow, 0, 'f', 1),
            QStringLiteral("QSettings x%1").arg(base, 0, 'f', 1), grow, base,
            QStringLiteral("linear (<= 1.5x)"), verdict(grow <= 1.5 * base));
    }
    const double load = t.value(QStringLiteral("browse_load_ns")),
                 save = t.value(QStringLiteral("browse_save_ns"));
    const int loadItems = int(t.value(QStringLiteral("browse_load_items")));
    add(QStringLiteral("Browser, 1,000 .cfi files for loading, wall (%1 listed)").arg(loadItems),
        fmtNs(load), QStringLiteral("unchecked listing %1").arg(fmtNs(save)),
        loadItems == 1000 ? load : 0, save, QStringLiteral("< 1 s"), verdict(load < 1e9));
    add(QStringLiteral("Browser, 1,000 .cfi files for loading, instructions"),
        fmtIr(ir.value(QStringLiteral("browse_load"))),
        QStringLiteral("unchecked listing %1").arg(fmtIr(ir.value(QStringLiteral("browse_save")))),
        loadItems == 1000 ? ir.value(QStringLiteral("browse_load")) : 0,
        ir.value(QStringLiteral("browse_save")));
}

void channelsAndDescriptors()
{
    if (!QFileInfo::exists(bench("bench_nit")))
        return;
    const Figures t = run(bench("bench_nit"));
    const Figures ir = callgrind("bench_nit", true);
    const struct {
        const char *figure, *base, *what, *baseWhat;
    } pairs[]
        = {{"translator_build", "plainmap_build", "Channel translator construction (16 plans)",
            "one plain map per plan"},
           {"translator_channelToFreq", "plainmap_channelToFreq", "channelToFreq x 10,000",
            "plain map lookups"},
           {"translator_freqToChannel", "plainmap_freqToChannel", "freqToChannel x 10,000",
            "plain map lookups"},
           {"terrestrial_toBin", "copy_bytes", "Terrestrial descriptor toBin x 1,000, no history",
            "copying its 13 bytes"},
           {"terrestrial_toBin_history", "terrestrial_toBin",
            "Terrestrial descriptor toBin x 1,000, history file", "no history"},
           {"logical_toBin_history", "logical_toBin",
            "Logical channel descriptor (10 services) toBin x 1,000, history file", "no history"}};
    for (const auto &p : pairs) {
        const QString f = QLatin1String(p.figure), b = QLatin1String(p.base);
        add(QLatin1String(p.what),
            QStringLiteral("%1 (%2)").arg(fmtIr(ir.value(f)),
                                          fmtNs(t.value(f + QStringLiteral("_ns")))),
            QStringLiteral("%1 %2 (%3)")
                .arg(QLatin1String(p.baseWhat), fmtIr(ir.value(b)),
                     fmtNs(t.value(b + QStringLiteral("_ns")))),
            ir.value(f), ir.value(b));
    }
}

void print()
{
    const QStringList head {QStringLiteral("Benchmark"), QStringLiteral("Measured"),
                            QStringLiteral("Baseline"),  QStringLiteral("Ratio"),
                            QStringLiteral("Target"),    QString()};
    std::vector<QStringList> lines {head};
    for (const Row &r : rows)
        lines.push_back({r.what, r.measured, r.baseline,
                         r.ratio > 0
                             ? QStringLiteral("%1x").arg(r.ratio, 0, 'f', r.ratio < 0.1 ? 3 : 2)
                             : QStringLiteral("-"),
                         r.target, r.verdict});
    std::vector<int> width(head.size(), 0);
    for (const QStringList &l : lines)
        for (int i = 0; i < l.size(); ++i)
            width[i] = std::max(width[i], int(l[i].size()));
    for (size_t n = 0; n < lines.size(); ++n) {
        QString text;
        for (int i = 0; i < lines[n].size(); ++i)
            text += lines[n][i].leftJustified(width[i] + 2);
        std::printf("%s\n", qPrintable(text.trimmed()));
        if (n == 0) {
            int total = 0;
            for (int w : width)
                total += w + 2;
            std::printf("%s\n", QByteArray(total - 2, '-').constData());
        }
    }
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    binDir = QCoreApplication::applicationDirPath();
    QProcess probe;
    probe.start(QStringLiteral("valgrind"), {QStringLiteral("--version")});
    haveValgrind = probe.waitForFinished(10000) && probe.exitCode() == 0;
    if (!haveValgrind)
        note(QStringLiteral("valgrind not found: instruction counts are left out"));

    note(QStringLiteral("start-up and memory"));
    startup();
    librarySize();
    note(QStringLiteral("link round trips"));
    link();
    note(QStringLiteral("long run"));
    soak();
    note(QStringLiteral("configuration files"));
    files();
    note(QStringLiteral("channel plans and descriptors"));
    channelsAndDescriptors();
    print();
    return 0;
}
