// The plug-in's own share of start-up, inside a host screen that is already
// up: loading the library (entry points, static initialisation, root
// object), Run, and the paint that follows until the main menu is on the
// screen. Reports the resident memory after each phase; under callgrind each
// phase is a region of its own ("load", "run", "paint"). Then the
// configuration form is opened from the menu twice: the first opening builds
// its widgets ("open_first"), the second only shows them ("open_again").

#include "benchprobe.h"
#include "devicescreen.h"
#include "hostservices.h"
#include "imsp.h"
#include "mediawatcher.h"
#include "pluginloader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QListWidget>

#include <cstdio>

namespace {
// Notes the first paint of a form of the given class or of a widget on it.
class FormPaintProbe : public QObject
{
public:
    explicit FormPaintProbe(const char *form)
        : form(form)
    { }
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            for (QObject *o = watched; o && !painted; o = o->parent())
                painted = o->inherits(form);
        return false;
    }

private:
    const char *form;
};

void settle(const bool *until = nullptr)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 5000 && (until ? !*until : t.elapsed() < 100))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

void press(QWidget *target, int key)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &down);
}

// Opens the configuration form from the menu, waits for its paint, goes back.
bool openConfiguration(QWidget *screen, const char *region)
{
    FormPaintProbe probe("FCfgProdZetaVX_DVBS2");
    qApp->installEventFilter(&probe);
    BenchProbe::beginRegion();
    auto *menu = screen->findChild<QListWidget *>(QStringLiteral("m_ListWidget"));
    menu->setCurrentRow(0); // the product configuration
    press(menu, Qt::Key_Return);
    settle(&probe.painted);
    BenchProbe::endRegion(region);
    qApp->removeEventFilter(&probe);
    press(screen->findChild<QWidget *>(QStringLiteral("CfgProd")), Qt::Key_Escape);
    settle();
    return probe.painted;
}
} // namespace

int main(int argc, char *argv[])
{
    MediaWatcher::ignoreMediaSignals();
    QApplication app(argc, argv);
    QApplication::setFont(DeviceScreen::deviceFont());
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
    FormPaintProbe probe("FMainMenuZetaVX_DVBS2");
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

    if (!openConfiguration(&screen, "open_first") || !openConfiguration(&screen, "open_again")) {
        std::fprintf(stderr, "bench_phases: the configuration form never opened\n");
        return 1;
    }
    return 0;
}
