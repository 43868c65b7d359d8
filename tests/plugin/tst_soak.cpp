#include "commprotocol.h"
#include "configstore.h"
#include "hostservices.h"
#include "imsp.h"
#include "inprocesstransport.h"
#include "moduleemulator.h"
#include "modulelink.h"
#include "pluginloader.h"
#include "testmain.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTemporaryDir>

#include <malloc.h>

#ifndef __has_feature
#define __has_feature(x) 0
#endif

// The plug-in lives for months on a device: many runs of read, bulk write and
// exit through the real host and an emulated module must neither leak (the
// sanitizer build runs this with LeakSanitizer) nor grow.
class tst_Soak : public QObject
{
    Q_OBJECT

private slots:
    void cycles();
};

namespace {
long heapKiB()
{
    const struct mallinfo2 heap = mallinfo2();
    return long((heap.uordblks + heap.hblkhd) / 1024); // the resident size counts qemu's too
}
} // namespace

void tst_Soak::cycles()
{
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
    PluginLoader loader(QStringLiteral(PLUGIN_PATH));
    QString error;
    QVERIFY2(link.open(error) && loader.load(error), qPrintable(error));
    Imsp *msp = loader.plugin();
    services.setPlugin(msp);
    msp->SetIServiciosComunes(&services);
    const int warmUp = 20;
    // A shorter run still goes past the warm-up, or there is nothing to compare.
    int total = qEnvironmentVariableIntValue("MSP_SOAK_CYCLES");
    total = total > 0 ? qMax(total, warmUp + 1) : 1000;
    long before = 0;
    for (int cycle = 0; cycle < total; ++cycle) {
        if (cycle == warmUp) // as where the loop ends: the last cycle's screen is gone
            before = heapKiB();
        QWidget screen;
        screen.show();
        msp->Run(&screen);
        QPointer<QWidget> window
            = screen.findChild<QWidget *>(QStringLiteral("FormMainWindowZetaVX_DVBS2"));
        auto *menu = window->findChild<QListWidget *>(QStringLiteral("m_ListWidget"));
        menu->setCurrentRow(0);
        QTest::keyClick(menu, Qt::Key_Return);
        QWidget *cfg = window->findChild<QWidget *>(QStringLiteral("CfgProd"));
        QTest::keyClick(cfg, Qt::Key_F6);
        settle();
        const int frequency = 950 + cycle % 1200;
        cfg->findChild<QLineEdit *>(QStringLiteral("leOutputFreq_1"))
            ->setText(QString::number(frequency));
        QTest::keyClick(cfg, Qt::Key_F8);
        settle();
        QCOMPARE(module.value(CommProtocol::OutputFreq1), frequency);
        QTest::keyClick(cfg, Qt::Key_Escape);
        QTest::keyClick(window->findChild<QWidget *>(QStringLiteral("MainMenu")), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window);
    }
    const long after = heapKiB();
    qInfo("heap in use after %d cycles: %ld KiB; after %d: %ld KiB (%+ld KiB)", warmUp, before,
          total, after, after - before);
    // Flat: 1 KiB a cycle shows as a megabyte over the full run. Under
    // AddressSanitizer (freed memory in quarantine) only its leak check counts.
#if !defined(__SANITIZE_ADDRESS__) && !__has_feature(address_sanitizer)
    QVERIFY2(after - before < 512, "the heap grows with the cycles");
#endif
}

MSP_TEST_MAIN(tst_Soak)
#include "tst_soak.moc"
