#include "commprotocol.h"
#include "configstore.h"
#include "devicedetector.h"
#include "emulatortcpserver.h"
#include "hostservices.h"
#include "hostwindow.h"
#include "imsp.h"
#include "inprocesstransport.h"
#include "mediawatcher.h"
#include "modalanswerer.h"
#include "moduleemulator.h"
#include "modulelink.h"
#include "pluginloader.h"
#include "ptyserver.h"
#include "serialtransport.h"
#include "tcptransport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The substitute host running the real plug-in against the emulated module,
// over each transport, driven by keys the way a user drives the device.
class tst_HostIntegration : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void readChangeSend_data();
    void readChangeSend();
    void faults_data();
    void faults();
    void serviceReset();
    void mediaEventsReachThePlugin();

private:
    void startHost(const QString &transportKind);
    void press(int key, const QString &text = QString());
    QWidget *visibleForm() const;
    template<typename T> T *field(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }
    bool openConfiguration();

    QTemporaryDir dir;
    PluginLoader loader {QStringLiteral(PLUGIN_PATH)};
    std::unique_ptr<QObject> owner;
    ModuleEmulator *module = nullptr;
    ModuleLink *link = nullptr;
    ConfigStore *store = nullptr;
    MediaWatcher *media = nullptr;
    HostServices *services = nullptr;
    HostWindow *window = nullptr;
};

void tst_HostIntegration::initTestCase()
{
    MediaWatcher::ignoreMediaSignals();
    QString error;
    QVERIFY2(loader.load(error), qPrintable(error));
}

void tst_HostIntegration::init() { owner = std::make_unique<QObject>(); }

void tst_HostIntegration::cleanup()
{
    if (window && window->moduleRunning()) {
        // Leave whatever form is shown, then the main menu: the plug-in ends.
        for (int i = 0; i < 4 && window->moduleRunning(); ++i)
            press(Qt::Key_Escape);
    }
    delete window;
    window = nullptr;
    delete services;
    delete link;
    delete store;
    delete media;
    services = nullptr;
    link = nullptr;
    store = nullptr;
    media = nullptr;
    owner.reset();
    module = nullptr;
}

void tst_HostIntegration::startHost(const QString &kind)
{
    module = new ModuleEmulator(owner.get());
    LinkTransport *transport = nullptr;
    QString error;
    if (kind == QLatin1String("tcp")) {
        auto *server = new EmulatorTcpServer(module, owner.get());
        QVERIFY2(server->listen(QHostAddress::LocalHost, 0, error), qPrintable(error));
        transport = new TcpTransport(QStringLiteral("127.0.0.1"), server->port());
    } else if (kind == QLatin1String("pty")) {
        auto *pty = new PtyServer(module, owner.get());
        QVERIFY2(pty->open(error), qPrintable(error));
        transport = new SerialTransport(pty->slavePath(), 115200);
    } else {
        transport = new InProcessTransport(module);
    }
    link = new ModuleLink(transport);
    QVERIFY2(link->open(error), qPrintable(error));
    store = new ConfigStore(dir.filePath(kind));
    media = new MediaWatcher;
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("usb"))));
    QVERIFY(media->addMedium(QStringLiteral("USB=") + dir.filePath(QStringLiteral("usb")), error));
    services = new HostServices(link, store, media);
    window = new HostWindow(services, media, store, nullptr, false);
    window->setPlugin(loader.plugin());
    window->show();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    window->startModule();
    QVERIFY(window->moduleRunning());
}

void tst_HostIntegration::press(int key, const QString &text)
{
    window->sendKey(key, text);
    QTest::qWait(30);
}

QWidget *tst_HostIntegration::visibleForm() const
{
    auto *stack = window->findChild<QStackedWidget *>(QStringLiteral("StackedForm"));
    return stack ? stack->currentWidget() : nullptr;
}

bool tst_HostIntegration::openConfiguration()
{
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    return visibleForm() && visibleForm()->objectName() == QLatin1String("CfgProd");
}

void tst_HostIntegration::readChangeSend_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("in-process") << "in-process";
    QTest::newRow("tcp") << "tcp";
    QTest::newRow("pseudo-terminal") << "pty";
}

void tst_HostIntegration::readChangeSend()
{
    QFETCH(QString, kind);
    startHost(kind);
    ModalAnswerer answerer;
    QVERIFY(openConfiguration());

    // F6 fills the form with what the module holds.
    press(Qt::Key_F6);
    QTRY_COMPARE(field<QLabel>("lbNumSerie")->text(), QStringLiteral("7-4242"));
    QTRY_COMPARE(field<QLineEdit>("leOutputFreq_1")->text(), QStringLiteral("1100"));
    QCOMPARE(field<QLineEdit>("leInputFreq_2")->text(), QStringLiteral("1210"));
    QCOMPARE(field<QComboBox>("cbInputNum")->currentIndex(), 1);
    QCOMPARE(field<QComboBox>("cbAten_2")->currentIndex(), 3);

    // A new output frequency, typed over the old one, and an attenuation.
    auto *freq = field<QLineEdit>("leOutputFreq_1");
    freq->setFocus();
    freq->selectAll();
    for (QChar c : QStringLiteral("1750"))
        press(Qt::Key_0 + c.digitValue(), QString(c));
    QCOMPARE(freq->text(), QStringLiteral("1750"));
    field<QComboBox>("cbAten_2")->setFocus();
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    QCOMPARE(field<QComboBox>("cbAten_2")->currentIndex(), 5);

    // F8 sends everything; the module holds it once the bulk write closes.
    press(Qt::Key_F8);
    QTRY_VERIFY(link->isIdle());
    QTRY_COMPARE(module->value(CommProtocol::OutputFreq1), 1750);
    QCOMPARE(module->value(CommProtocol::OutputAttenuation2), 5);
    QVERIFY(!module->bulkOpen());

    // F7 sends the focused field alone, with confirmation.
    auto *freq2 = field<QLineEdit>("leOutputFreq_2");
    freq2->setFocus();
    freq2->selectAll();
    for (QChar c : QStringLiteral("2001"))
        press(Qt::Key_0 + c.digitValue(), QString(c));
    press(Qt::Key_F7);
    QTRY_COMPARE(module->value(CommProtocol::OutputFreq2), 2001);

    // Leaving the form hands its configuration to the host: it equals the module's.
    press(Qt::Key_Escape);
    QTRY_COMPARE(visibleForm()->objectName(), QStringLiteral("MainMenu"));
    const QHash<QString, QVariant> form
        = store->load(QStringLiteral("ZetaVX_DVBS2"), QStringLiteral("ZetaVX_DVBS2"));
    const QHash<QString, QVariant> held = module->configHash();
    QCOMPARE(form.size(), 21);
    for (auto it = held.constBegin(); it != held.constEnd(); ++it)
        QCOMPARE(form.value(it.key()).toString() + QLatin1Char(' ') + it.key(),
                 it.value().toString() + QLatin1Char(' ') + it.key());
    QCOMPARE(answerer.seen.size(), 0);
}

void tst_HostIntegration::faults_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("key");
    QTest::newRow("bulk end refused, in-process") << "in-process"
                                                  << "refuse:25/1" << int(Qt::Key_F8);
    QTest::newRow("bulk end refused, tcp") << "tcp"
                                           << "refuse:25/1" << int(Qt::Key_F8);
    QTest::newRow("bulk end refused, pty") << "pty"
                                           << "refuse:25/1" << int(Qt::Key_F8);
    QTest::newRow("bulk end lost") << "in-process"
                                   << "drop:25/1" << int(Qt::Key_F8);
    QTest::newRow("confirmation corrupt") << "tcp"
                                          << "corrupt:18" << int(Qt::Key_F7);
    QTest::newRow("confirmed frame lost") << "pty"
                                          << "drop:18" << int(Qt::Key_F7);
    QTest::newRow("confirmation late") << "in-process"
                                       << "late:18" << int(Qt::Key_F7);
}

void tst_HostIntegration::faults()
{
    QFETCH(QString, kind);
    QFETCH(QString, fault);
    QFETCH(int, key);
    startHost(kind);
    EmulatorFault f;
    QString error;
    QVERIFY(EmulatorFault::parse(fault, f, error));
    module->addFault(f);
    ModalAnswerer answerer({Qt::Key_Return});
    QVERIFY(openConfiguration());

    auto *freq = field<QLineEdit>("leOutputFreq_1");
    freq->setFocus();
    freq->selectAll();
    for (QChar c : QStringLiteral("1999"))
        press(Qt::Key_0 + c.digitValue(), QString(c));
    const ModuleEmulator::State before = module->state();
    press(key);
    QTRY_COMPARE_WITH_TIMEOUT(answerer.seen.size(), 1, 6000);
    QCOMPARE(answerer.seen.first().title, QStringLiteral("Comm error"));
    QCOMPARE(answerer.seen.first().message, QStringLiteral("Communication error"));
    QCOMPARE(answerer.unexpected, 0);

    // The module holds only what it confirmed.
    if (fault.startsWith(QLatin1String("corrupt")) || fault.startsWith(QLatin1String("late"))) {
        QTRY_COMPARE_WITH_TIMEOUT(module->value(CommProtocol::OutputFreq1), 1999, 6000);
    } else {
        QTest::qWait(100);
        QVERIFY(module->state() == before);
    }
    QTRY_VERIFY_WITH_TIMEOUT(link->isIdle(), 6000);
}

void tst_HostIntegration::serviceReset()
{
    startHost(QStringLiteral("in-process"));
    ModuleEmulator::State changed = module->state();
    changed.value[CommProtocol::OutputFreq1] = 2000;
    changed.autoBw = {{false, false}};
    module->setState(changed);

    // The access sequence on the main menu, then the reset code.
    for (QChar c : QStringLiteral("2580"))
        press(Qt::Key_0 + c.digitValue(), QString(c));
    QTRY_COMPARE(visibleForm()->objectName(), QStringLiteral("FuncEspeciales"));
    for (QChar c : QStringLiteral("40817"))
        press(Qt::Key_0 + c.digitValue(), QString(c));
    press(Qt::Key_Return);
    QTRY_VERIFY(module->state() == ModuleEmulator::factoryState());
    press(Qt::Key_Escape);
    QTRY_COMPARE(visibleForm()->objectName(), QStringLiteral("MainMenu"));
}

void tst_HostIntegration::mediaEventsReachThePlugin()
{
    startHost(QStringLiteral("in-process"));
    DeviceDetector *detector = DeviceDetector::Instance();
    QSignalSpy usbIn(detector, &DeviceDetector::USBDeviceConnected);
    QSignalSpy usbOut(detector, &DeviceDetector::USBDeviceDisconnected);
    QSignalSpy sdIn(detector, &DeviceDetector::SDDeviceConnected);
    QSignalSpy sdOut(detector, &DeviceDetector::SDDeviceDisconnected);
    QString error;
    QVERIFY(media->addMedium(QStringLiteral("SD=") + dir.filePath(QStringLiteral("sd")), error));
    QStringList names, paths;
    services->GetDevices(7, names, paths);
    QCOMPARE(names, QStringList {QStringLiteral("USB")});

    // The host sees the folders come and go and signals its own process.
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("sd"))));
    QTRY_COMPARE(sdIn.count(), 1);
    services->GetDevices(7, names, paths);
    QCOMPARE(names, (QStringList {QStringLiteral("USB"), QStringLiteral("SD")}));
    QVERIFY(QDir(dir.filePath(QStringLiteral("usb"))).removeRecursively());
    QTRY_COMPARE(usbOut.count(), 1);
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("usb"))));
    QTRY_COMPARE(usbIn.count(), 1);
    QVERIFY(QDir(dir.filePath(QStringLiteral("sd"))).removeRecursively());
    QTRY_COMPARE(sdOut.count(), 1);
    QCOMPARE(sdIn.count() + usbIn.count() + usbOut.count(), 3);
}

QTEST_MAIN(tst_HostIntegration)
#include "tst_hostintegration.moc"
