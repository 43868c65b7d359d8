// The plug-in lives for months on a device. Many cycles of Run, F6, a bulk
// write with F8 and Exit, through the real host services and an emulated
// module, and the heap in use after the warm-up against the heap at the end:
// a flat line is a ratio of 1.00. (Leaks of a single cycle are the sanitizer
// build's job; this catches what is kept, freed only at exit.) The heap, not
// the resident size, because under qemu the latter counts the translator too.

#include "benchprobe.h"
#include "commprotocol.h"
#include "configstore.h"
#include "hostservices.h"
#include "imsp.h"
#include "inprocesstransport.h"
#include "moduleemulator.h"
#include "modulelink.h"
#include "pluginloader.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTemporaryDir>

#include <cstdio>
#include <malloc.h>

namespace {
long long heapKiB()
{
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<long long>((heap.uordblks + heap.hblkhd) / 1024);
}

void press(QWidget *target, int key)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &up);
}

int fail(const char *what)
{
    std::fprintf(stderr, "bench_soak: %s\n", what);
    return 1;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int warmUp = 20;
    const int total = argc > 1 ? qMax(QByteArray(argv[1]).toInt(), warmUp + 1) : 1000;

    ModuleEmulator module;
    ModuleLink link(new InProcessTransport(&module));
    // Until the link is idle; its answer timer runs meanwhile, so this cannot hang.
    auto settle = [&link] {
        while (!link.isIdle())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
    };
    QTemporaryDir configDir;
    ConfigStore store(configDir.path());
    HostServices services(&link, &store, nullptr);
    PluginLoader loader(QStringLiteral(MSP_PLUGIN_PATH));
    QString error;
    if (!link.open(error) || !loader.load(error))
        return fail(qPrintable(error));
    Imsp *msp = loader.plugin();
    services.setPlugin(msp);
    msp->SetIServiciosComunes(&services);

    long long before = 0;
    for (int cycle = 0; cycle < total; ++cycle) {
        if (cycle == warmUp) // where the loop ends too: the last cycle's screen is gone
            before = heapKiB();
        QWidget screen;
        screen.show();
        msp->Run(&screen);
        QPointer<QWidget> window
            = screen.findChild<QWidget *>(QStringLiteral("FormMainWindowZetaVX_DVBS2"));
        auto *menu
            = window ? window->findChild<QListWidget *>(QStringLiteral("m_ListWidget")) : nullptr;
        if (!menu)
            return fail("no main menu after Run");
        menu->setCurrentRow(0);
        press(menu, Qt::Key_Return);
        QWidget *cfg = window->findChild<QWidget *>(QStringLiteral("CfgProd"));
        press(cfg, Qt::Key_F6);
        settle();
        const int frequency = 950 + cycle % 1200;
        cfg->findChild<QLineEdit *>(QStringLiteral("leOutputFreq_1"))
            ->setText(QString::number(frequency));
        press(cfg, Qt::Key_F8);
        settle();
        if (module.value(CommProtocol::OutputFreq1) != frequency)
            return fail("the bulk write did not reach the module");
        press(cfg, Qt::Key_Escape);
        press(window->findChild<QWidget *>(QStringLiteral("MainMenu")), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (window)
            return fail("Exit left the main window alive");
    }
    BenchProbe::report("soak_cycles", total);
    BenchProbe::report("soak_heap_warm_kb", before);
    BenchProbe::report("soak_heap_end_kb", heapKiB());
    return 0;
}
