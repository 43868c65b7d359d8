// The plug-in's own share of start-up, inside a host screen that is already
// up: loading the library (entry points, static initialisation, root
// object), Run, and the paint that follows until the main menu is on the
// screen. Reports the resident memory after each phase; under callgrind each
// phase is a region of its own ("load", "run", "paint").

#include "benchprobe.h"
#include "devicescreen.h"
#include "hostservices.h"
#include "imsp.h"
#include "mediawatcher.h"
#include "pluginloader.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace {
class MenuPaintProbe : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            for (QObject *o = watched; o && !painted; o = o->parent())
                painted = o->inherits("FMainMenuZetaVX_DVBS2");
        return false;
    }
};

void settle(const bool *until = nullptr)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 5000 && (until ? !*until : t.elapsed() < 100))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}
} // namespace

int main(int argc, char *argv[])
{
    MediaWatcher::ignoreMediaSignals();
    QApplication app(argc, argv);
    MediaWatcher media;
    HostServices services(nullptr, nullptr, &media);
    DeviceScreen screen;
    screen.setStatus(QStringLiteral("bench"));
    screen.show();
    settle();
    BenchProbe::report("host_rss_kb", BenchProbe::rssKb());

    PluginLoader loader(QStringLiteral(MSP_PLUGIN_PATH));
    QString error;
    BenchProbe::beginRegion();
    const bool loaded = loader.load(error);
    BenchProbe::endRegion("load");
    if (!loaded) {
        std::fprintf(stderr, "bench_phases: %s\n", qPrintable(error));
        return 1;
    }
    BenchProbe::report("loaded_rss_kb", BenchProbe::rssKb());

    Imsp *msp = loader.plugin();
    msp->SetIServiciosComunes(&services);
    services.setPlugin(msp);
    MenuPaintProbe probe;
    app.installEventFilter(&probe);
    BenchProbe::beginRegion();
    msp->Run(screen.pluginArea());
    BenchProbe::endRegion("run");
    BenchProbe::report("run_rss_kb", BenchProbe::rssKb());

    BenchProbe::beginRegion();
    settle(&probe.painted);
    BenchProbe::endRegion("paint");
    if (!probe.painted) {
        std::fprintf(stderr, "bench_phases: the main menu was never painted\n");
        return 1;
    }
    BenchProbe::report("painted_rss_kb", BenchProbe::rssKb());
    return 0;
}
