#include "commprotocol.h"
#include "configstore.h"
#include "devicedetector.h"
#include "devicescreen.h"
#include "hostservices.h"
#include "hostwindow.h"
#include "inprocesstransport.h"
#include "languageswitcher.h"
#include "mediawatcher.h"
#include "modalanswerer.h"
#include "moduleemulator.h"
#include "modulelink.h"
#include "pluginloader.h"
#include "scriptrunner.h"
#include "testmain.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>

#include <memory>

// The host as msp-host builds it, on the in-process link to an emulated module.
struct Host {
    QTemporaryDir dir;
    ModuleEmulator module;
    ModuleLink link {new InProcessTransport(&module)};
    ConfigStore store {dir.filePath(QStringLiteral("cfg"))};
    MediaWatcher media;
    LanguageSwitcher language {QStringList {QStringLiteral(MSP_TRANSLATIONS_DIR)}};
    HostServices services {&link, &store, &media};
    HostWindow window {&services, &media, &store, &language, false};
};

// The substitute host running the real plug-in, driven by keys the way a user
// drives the device.
class tst_HostIntegration : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void readSendRestart();
    void faults_data();
    void faults();
    void hostKeys();
    void mediaEventsReachThePlugin();

private:
    void press(int key, const QString &text = QString())
    {
        // The host posts keys; they, and what they post in turn, are handled before the next.
        host->window.sendKey(key, text);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    template<typename T> T *field(const char *name) const
    {
        return host->window.findChild<T *>(QLatin1String(name));
    }
    QString visibleForm() const
    {
        return field<QStackedWidget>("StackedForm")->currentWidget()->objectName();
    }
    void openConfiguration();
    void typeFrequency(const QString &digits);

    PluginLoader loader {QStringLiteral(PLUGIN_PATH)};
    std::unique_ptr<Host> host;
};

void tst_HostIntegration::initTestCase()
{
    MediaWatcher::ignoreMediaSignals();
    QApplication::setFont(DeviceScreen::deviceFont());
    QString error;
    QVERIFY2(loader.load(error), qPrintable(error));
}

void tst_HostIntegration::init()
{
    host = std::make_unique<Host>();
    QString error;
    QVERIFY2(host->link.open(error), qPrintable(error));
    for (const QString &medium : {QStringLiteral("USB="), QStringLiteral("SD=")}) {
        const QString path = host->dir.filePath(medium.left(medium.size() - 1).toLower());
        QVERIFY(QDir().mkpath(path) && host->media.addMedium(medium + path, error));
    }
    host->window.setPlugin(loader.plugin());
    host->window.show();
    QApplication::setActiveWindow(&host->window);
    QVERIFY(QTest::qWaitForWindowActive(&host->window));
    host->window.startModule();
}

void tst_HostIntegration::cleanup()
{
    // Leave whatever form is shown, then the main menu: the plug-in ends.
    for (int i = 0; i < 4 && host->window.moduleRunning(); ++i)
        press(Qt::Key_Escape);
    host.reset();
}

void tst_HostIntegration::openConfiguration()
{
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    QCOMPARE(visibleForm(), QStringLiteral("CfgProd"));
}

void tst_HostIntegration::typeFrequency(const QString &digits)
{
    auto *edit = field<QLineEdit>("leOutputFreq_1");
    edit->setFocus();
    edit->selectAll();
    for (QChar c : digits)
        press(Qt::Key_0 + c.digitValue(), QString(c));
    QCOMPARE(edit->text(), digits);
}

void tst_HostIntegration::readSendRestart()
{
    ModalAnswerer answerer;
    QSignalSpy quit(&host->window, &HostWindow::quitRequested);
    // A script opens the configuration and reads the module (F6) on one line:
    // each key must go where the one before it left the focus. The answer is
    // slow; "wait idle" waits for it.
    ScriptRunner runner(&host->window);
    QString error;
    EmulatorFault slow;
    QVERIFY(EmulatorFault::parse(QStringLiteral("delay=600:22"), slow, error));
    host->module.addFault(slow);
    QVERIFY(runner.loadText(QStringLiteral("key Down Return F6\nwait idle"), error));
    runner.setLink(&host->link);
    QSignalSpy finished(&runner, &ScriptRunner::finished);
    runner.start();
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(field<QLabel>("lbNumSerie")->text(), QStringLiteral("7-4242"));
    QCOMPARE(field<QLineEdit>("leOutputFreq_1")->text(), QStringLiteral("1100"));
    QCOMPARE(field<QLabel>("hostStatus")->text(), QStringLiteral("read"));
    typeFrequency(QStringLiteral("1750"));
    press(Qt::Key_F8);
    QTRY_COMPARE(field<QLabel>("hostStatus")->text(), QStringLiteral("sent 23 frames, confirmed"));
    QCOMPARE(host->module.value(CommProtocol::OutputFreq1), 1750);
    QVERIFY(!host->module.bulkOpen());
    // Leaving the form hands its configuration to the host: it equals the module's.
    press(Qt::Key_Escape);
    QTRY_COMPARE(visibleForm(), QStringLiteral("MainMenu"));
    const QString id = QStringLiteral("ZetaVX_DVBS2");
    const QHash<QString, QVariant> form = host->store.load(id, id);
    const QHash<QString, QVariant> held = host->module.configHash();
    QCOMPARE(form.size(), 21);
    for (auto it = held.constBegin(); it != held.constEnd(); ++it)
        QCOMPARE(form.value(it.key()).toString() + QLatin1Char(' ') + it.key(),
                 it.value().toString() + QLatin1Char(' ') + it.key());

    // The Escape that ends the plug-in on its main menu must not also quit the host.
    press(Qt::Key_Escape);
    QVERIFY(!host->window.moduleRunning());
    QCOMPARE(quit.count(), 0);
    // Return starts it again, with the configuration the host kept.
    host->module.resetToFactory();
    press(Qt::Key_Return, QStringLiteral("\r"));
    QVERIFY(host->window.moduleRunning());
    openConfiguration();
    QCOMPARE(field<QLineEdit>("leOutputFreq_1")->text(), QStringLiteral("1750"));
    for (int i = 0; i < 3; ++i)
        press(Qt::Key_Escape);
    QCOMPARE(quit.count(), 1);
    QCOMPARE(answerer.seen.size(), 0);
}

void tst_HostIntegration::faults_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("alert"); // title: message
    QTest::addColumn<bool>("held"); // the module holds the new frequency
    const QString en = QStringLiteral("Comm error: Communication error");
    QTest::newRow("bulk end refused") << "refuse:25/1" << int(Qt::Key_F8) << "en" << en << false;
    QTest::newRow("bulk end lost") << "drop:25/1" << int(Qt::Key_F8) << "en" << en << false;
    QTest::newRow("confirmation corrupt") << "corrupt:18" << int(Qt::Key_F7) << "en" << en << true;
    QTest::newRow("confirmation late") << "late:18" << int(Qt::Key_F7) << "en" << en << true;
    QTest::newRow("confirmation delayed") << "delay=1000:18" << int(Qt::Key_F7) << "en"
                                          << "" << true;
    QTest::newRow("set refused, Spanish")
        << "refuse:18" << int(Qt::Key_F7) << "es"
        << QString::fromUtf8("Error de comunicación: Communication error") << false;
}

void tst_HostIntegration::faults()
{
    QFETCH(QString, fault);
    QFETCH(int, key);
    QFETCH(QString, lang);
    QFETCH(QString, alert);
    QFETCH(bool, held);
    EmulatorFault f;
    QString error;
    QVERIFY(EmulatorFault::parse(fault, f, error) && host->language.setLanguage(lang, error));
    host->module.addFault(f);
    ModalAnswerer answerer({Qt::Key_Return});
    openConfiguration();
    typeFrequency(QStringLiteral("1999"));
    press(key);
    QTRY_VERIFY_WITH_TIMEOUT(host->link.isIdle(), 6000);
    QTRY_COMPARE(answerer.seen.size(), alert.isEmpty() ? 0 : 1);
    for (const ModalAnswerer::Seen &seen : qAsConst(answerer.seen)) {
        QCOMPARE(seen.title + QLatin1String(": ") + seen.message, alert);
        QCOMPARE(seen.clipped, QStringList()); // every text of the alert fits
    }
    // The module holds only what it confirmed.
    QTRY_COMPARE(host->module.value(CommProtocol::OutputFreq1), held ? 1999 : 1100);
    QCOMPARE(answerer.unexpected, 0);
}

void tst_HostIntegration::hostKeys()
{
    QWidget *area = host->window.screen()->pluginArea();
    QCOMPARE(area->size(), QSize(320, 220));
    QCOMPARE(area->mapTo(host->window.screen(), QPoint(0, 0)), QPoint(0, 20));
    // The plug-in takes the focus itself; the host, like the device's, only
    // delivers keys to the focus widget and never places the focus.
    auto *menu = field<QWidget>("m_ListWidget");
    QCOMPARE(QApplication::focusWidget(), menu);
    menu->clearFocus();
    press(Qt::Key_Return, QStringLiteral("\r"));
    QCOMPARE(visibleForm(), QStringLiteral("MainMenu"));
    menu->setFocus();
    press(Qt::Key_Return, QStringLiteral("\r"));
    QCOMPARE(visibleForm(), QStringLiteral("CfgProd"));
    // Keys reach an open combo list, as the keypad's do, and pick from it.
    auto *inputs = field<QComboBox>("cbInputNum");
    inputs->setFocus();
    QCOMPARE(inputs->currentIndex(), 0);
    for (int key : {Qt::Key_Return, Qt::Key_Down, Qt::Key_Return})
        press(key, key == Qt::Key_Return ? QStringLiteral("\r") : QString());
    QCOMPARE(inputs->currentIndex(), 1);

    // F12 is the host's: it switches the language, the plug-in's texts with it.
    auto *indicators = field<QLabel>("hostIndicators");
    QCOMPARE(indicators->text(), QStringLiteral("emulator USB SD EN"));
    QCOMPARE(ModalAnswerer::clippedTexts(&host->window), QStringList());
    press(Qt::Key_F12);
    QTRY_COMPARE(field<QLabel>("lbTitulo")->text(),
                 QStringLiteral("Procesador FI Zeta-VX DVBS/S2"));
    QCOMPARE(indicators->text(), QStringLiteral("emulator USB SD ES"));
    // The plug-in's name gives way, never its version; every text fits.
    QVERIFY(field<QLabel>("hostStatus")->text().endsWith(QLatin1String(" 1.04")));
    QCOMPARE(ModalAnswerer::clippedTexts(&host->window), QStringList());

    // Keys go to a modal dialog, and a screenshot shows it.
    QDialog dialog(&host->window);
    const QString path = host->dir.filePath(QStringLiteral("shots/one.png"));
    QTimer::singleShot(0, &dialog, [&] {
        QCOMPARE(host->window.keyTarget(), static_cast<QWidget *>(&dialog));
        host->window.sendKey(Qt::Key_Escape);
        QString error;
        QVERIFY2(host->window.saveScreenshot(path, error), qPrintable(error));
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(QImage(path).size(), QSize(320, 240));
    QCOMPARE(visibleForm(), QStringLiteral("CfgProd"));
}

void tst_HostIntegration::mediaEventsReachThePlugin()
{
    DeviceDetector *detector = DeviceDetector::Instance();
    QSignalSpy usbIn(detector, &DeviceDetector::USBDeviceConnected);
    QSignalSpy usbOut(detector, &DeviceDetector::USBDeviceDisconnected);
    QSignalSpy sdIn(detector, &DeviceDetector::SDDeviceConnected);
    QSignalSpy sdOut(detector, &DeviceDetector::SDDeviceDisconnected);
    QString error;
    const QString usb = host->dir.filePath(QStringLiteral("usb"));
    const QString sd = host->dir.filePath(QStringLiteral("sd"));
    // A name given twice, without a path, or in a folder that is not there.
    for (const char *bad : {"SD=/tmp/sd", "SD2", "=/tmp/sd", "SD2=/nonexistent/sd"})
        QVERIFY(!host->media.addMedium(QLatin1String(bad), error) && !error.isEmpty());
    QStringList names, paths;
    host->services.GetDevices(7, names, paths);
    QCOMPARE(names, (QStringList {QStringLiteral("USB"), QStringLiteral("SD")}));
    host->services.GetDevices(2, names, paths);
    QCOMPARE(paths, QStringList {sd});
    // The host sees the folders come and go and signals its own process.
    QVERIFY(QDir(usb).removeRecursively() && QDir(sd).removeRecursively());
    QTRY_COMPARE(usbOut.count() + sdOut.count(), 2);
    QVERIFY(QDir().mkpath(usb) && QDir().mkpath(sd));
    QTRY_COMPARE(usbIn.count() + sdIn.count(), 2);
}

MSP_TEST_MAIN(tst_HostIntegration)
#include "tst_hostintegration.moc"
