#include "configstore.h"
#include "hostservices.h"
#include "imsp.h"
#include "inprocesstransport.h"
#include "mediawatcher.h"
#include "moduleemulator.h"
#include "modulelink.h"
#include "pluginloader.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

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
    void initTestCase();
    void cycles();

private:
    void oneCycle(int cycle);
    bool settle();
    static long residentKiB();

    QTemporaryDir configDir;
    ModuleEmulator module;
    ModuleLink *link = nullptr;
    QScopedPointer<ConfigStore> store;
    MediaWatcher media;
    HostServices *services = nullptr;
    PluginLoader loader {QStringLiteral(PLUGIN_PATH)};
    Imsp *msp = nullptr;
    int stored = 0;
};

void tst_Soak::initTestCase()
{
    QVERIFY(configDir.isValid());
    link = new ModuleLink(new InProcessTransport(&module), this);
    QString error;
    QVERIFY2(link->open(error), qPrintable(error));
    store.reset(new ConfigStore(configDir.path()));
    services = new HostServices(link, store.data(), &media, this);
    QVERIFY2(loader.load(error), qPrintable(error));
    msp = loader.plugin();
    services->setPlugin(msp);
    msp->SetIServiciosComunes(services);
}

// Runs the event loop until the link has nothing left to send or await. While
// it is busy its answer timer is running, so waiting for events cannot hang.
bool tst_Soak::settle()
{
    QElapsedTimer clock;
    clock.start();
    while (!link->isIdle() && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
    return link->isIdle();
}

long tst_Soak::residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLong() * 4 : 0;
}

void tst_Soak::oneCycle(int cycle)
{
    QWidget screen;
    screen.resize(320, 220);
    screen.show();
    msp->Run(&screen);
    QPointer<QWidget> window
        = screen.findChild<QWidget *>(QStringLiteral("FormMainWindowZetaVX_DVBS2"));
    QVERIFY(window);

    auto *menu = window->findChild<QListWidget *>(QStringLiteral("m_ListWidget"));
    QVERIFY(menu);
    menu->setCurrentRow(0);
    QTest::keyClick(menu, Qt::Key_Return);
    QWidget *cfg = window->findChild<QWidget *>(QStringLiteral("CfgProd"));
    QVERIFY(cfg && cfg->isVisible());

    QTest::keyClick(cfg, Qt::Key_F6);
    QVERIFY(settle());

    const int frequency = 950 + cycle % 1200;
    cfg->findChild<QLineEdit *>(QStringLiteral("leOutputFreq_1"))
        ->setText(QString::number(frequency));
    QTest::keyClick(cfg, Qt::Key_F8);
    QVERIFY(settle());
    QCOMPARE(module.value(18), frequency);

    QTest::keyClick(cfg, Qt::Key_Escape);
    QTest::keyClick(window->findChild<QWidget *>(QStringLiteral("MainMenu")), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window);
}

void tst_Soak::cycles()
{
    QSignalSpy ends(services, &HostServices::moduleEnded);
    const int warmUp = 20;
    const int total = qEnvironmentVariableIntValue("MSP_SOAK_CYCLES") > 0
        ? qEnvironmentVariableIntValue("MSP_SOAK_CYCLES")
        : 1000;
    long before = 0;
    for (int i = 0; i < total; ++i) {
        oneCycle(i);
        if (QTest::currentTestFailed())
            return;
        if (i == warmUp - 1)
            before = residentKiB();
    }
    const long after = residentKiB();
    QCOMPARE(ends.count(), total);
    qInfo("resident memory after %d cycles: %ld KiB; after %d: %ld KiB (%+ld KiB)", warmUp, before,
          total, after, after - before);
    // Flat: a leak of even 1 KiB a cycle would show as several megabytes here.
    // AddressSanitizer keeps freed memory in quarantine, so there only its leak
    // check counts.
#if !defined(__SANITIZE_ADDRESS__) && !__has_feature(address_sanitizer)
    QVERIFY2(after - before < 2048, "resident memory grows with the cycles");
#endif
}

QTEST_MAIN(tst_Soak)
#include "tst_soak.moc"
