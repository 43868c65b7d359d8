// Start-up of the substitute host with the plug-in, built the way msp-host's
// main() builds it (in-process emulated module, the plug-in loaded from the
// build tree), up to the moment the plug-in's main menu is painted. Reports
// that moment and ends at once, like the bare baseline. The host's store holds
// a configuration of this module, as it does from the second start on, in a
// folder of its own so that earlier runs on the machine change nothing.

#include "benchprobe.h"
#include "configstore.h"
#include "devicescreen.h"
#include "hostservices.h"
#include "hostwindow.h"
#include "imsp.h"
#include "inprocesstransport.h"
#include "languageswitcher.h"
#include "mediawatcher.h"
#include "moduleemulator.h"
#include "modulelink.h"
#include "pluginloader.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {
// Waits for the first paint of the main menu form or of a widget on it.
class MenuPaintProbe : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (done || event->type() != QEvent::Paint)
            return false;
        for (QObject *o = watched; o; o = o->parent()) {
            if (o->inherits("FMainMenuZetaVX_DVBS2")) {
                done = true;
                QTimer::singleShot(0, [] {
                    BenchProbe::report("painted_ns", BenchProbe::monotonicNs());
                    BenchProbe::report("rss_kb", BenchProbe::rssKb());
                    _exit(0);
                });
                break;
            }
        }
        return false;
    }

private:
    bool done = false;
};
} // namespace

int main(int argc, char *argv[])
{
    MediaWatcher::ignoreMediaSignals();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("msp-host"));
    QApplication::setFont(DeviceScreen::deviceFont());
    MenuPaintProbe probe;
    app.installEventFilter(&probe);

    auto *emulator = new ModuleEmulator(&app);
    ModuleLink link(new InProcessTransport(emulator));
    QString error;
    if (!link.open(error))
        std::fprintf(stderr, "bench_hoststart: %s\n", qPrintable(error));
    MediaWatcher media;
    QTemporaryDir storeDir;
    ConfigStore store(storeDir.path());
    LanguageSwitcher language({QStringLiteral(MSP_TRANSLATIONS_DIR)});
    language.setLanguage(QStringLiteral("en"), error);
    HostServices services(&link, &store, &media);

    PluginLoader loader(QStringLiteral(MSP_PLUGIN_PATH));
    if (!loader.load(error)) {
        std::fprintf(stderr, "bench_hoststart: %s\n", qPrintable(error));
        return 1;
    }
    const QString id = loader.plugin()->Id();
    if (!store.save(id, id, {{QStringLiteral("Atten_1"), 3}}, error)) {
        std::fprintf(stderr, "bench_hoststart: %s\n", qPrintable(error));
        return 1;
    }
    HostWindow window(&services, &media, &store, &language, false);
    window.setPlugin(loader.plugin());
    window.setEmulator(emulator);
    window.show();
    window.startModule();
    return app.exec();
}
