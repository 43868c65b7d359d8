#include "commprotocol.h"
#include "configstore.h"
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
    void hostKeys();
    void scriptLines_data();
    void scriptLines();

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
    // A plug-in built for another host, or a library that is none, is refused, saying why.
    QVERIFY(!PluginLoader::verify("pattern=QT_PLUGIN_VERIFICATION_DATA\nbuildkey=x86", error));
    QCOMPARE(
        error,
        QStringLiteral("plug-in built for \"x86\", host is \"arm linux norvane full-config\""));
    PluginLoader other(QStringLiteral(QT_CORE_PATH));
    QVERIFY(!other.load(error) && !other.plugin());
    QCOMPARE(error, QStringLiteral(QT_CORE_PATH " is not a module plug-in (entry points missing)"));
}

void tst_HostIntegration::init()
{
    host = std::make_unique<Host>();
    QString error;
    QVERIFY2(host->link.open(error), qPrintable(error));
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
    ModalAnswerer answerer({Qt::Key_Return});
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
    typeFrequency(QStringLiteral("1750"));
    press(Qt::Key_F8);
    QTRY_COMPARE(field<QLabel>("hostStatus")->text(), QStringLiteral("sent 23 frames, confirmed"));
    QCOMPARE(host->module.value(CommProtocol::OutputFreq1), 1750);
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

    // F12 is the host's: it switches the language, the plug-in's texts with it,
    // and every text still fits. A set the module refuses is reported, and not held.
    press(Qt::Key_F12);
    QTRY_COMPARE(field<QLabel>("lbTitulo")->text(),
                 QStringLiteral("Procesador FI Zeta-VX DVBS/S2"));
    QCOMPARE(ModalAnswerer::clippedTexts(&host->window), QStringList());
    EmulatorFault refuse;
    QVERIFY(EmulatorFault::parse(QStringLiteral("refuse:18"), refuse, error));
    host->module.addFault(refuse);
    typeFrequency(QStringLiteral("1999"));
    press(Qt::Key_F7);
    QTRY_COMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen.first().title + QLatin1String(": ") + answerer.seen.first().message,
             QString::fromUtf8("Error de comunicación: Communication error"));
    QCOMPARE(answerer.seen.first().clipped, QStringList());
    QCOMPARE(host->module.value(CommProtocol::OutputFreq1), 1100);
    // Out of the edit box, the form, the plug-in, and then the host.
    for (int i = 0; i < 4; ++i)
        press(Qt::Key_Escape);
    QCOMPARE(quit.count(), 1);
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
    for (int key : {Qt::Key_Return, Qt::Key_Down, Qt::Key_Return})
        press(key, key == Qt::Key_Return ? QStringLiteral("\r") : QString());
    QCOMPARE(inputs->currentIndex(), 1);
    QCOMPARE(ModalAnswerer::clippedTexts(&host->window), QStringList());

    // Keys go to a modal dialog.
    QDialog dialog(&host->window);
    QTimer::singleShot(0, &dialog, [&] {
        QCOMPARE(host->window.keyTarget(), static_cast<QWidget *>(&dialog));
        host->window.sendKey(Qt::Key_Escape);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(visibleForm(), QStringLiteral("CfgProd"));
}

void tst_HostIntegration::scriptLines_data()
{
    // Each row's name is the script; the result is the command and its
    // arguments, or the error.
    QTest::addColumn<QString>("result");
    QTest::newRow("  # note") << "";
    QTest::newRow("key Down  ok f12 7") << "key|Down|ok|f12|7";
    QTest::newRow("wait idle 2500") << "wait|idle|2500";
    QTest::newRow("wait idle soon") << "line 1: wait idle takes a time in milliseconds (0..600000)";
    QTest::newRow("shot 01 menu.png") << "shot|01 menu.png";
    QTest::newRow("medium USB off") << "medium|USB|off";
    QTest::newRow("key F13") << "line 1: unknown key \"F13\"";
    QTest::newRow("wait -1") << "line 1: wait needs a time in milliseconds (0..600000)";
    QTest::newRow("press F6") << "line 1: unknown command \"press\"";
    QTest::newRow("wait 5\n\n# c\nkey Up\nbogus") << "line 5: unknown command \"bogus\"";
}

void tst_HostIntegration::scriptLines()
{
    QFETCH(QString, result);
    ScriptRunner runner(nullptr);
    QString error;
    if (runner.loadText(QString::fromUtf8(QTest::currentDataTag()), error))
        for (const ScriptRunner::Step &step : runner.steps())
            error = (QStringList(step.command) + step.args).join(QLatin1Char('|'));
    QCOMPARE(error, result);
}

MSP_TEST_MAIN(tst_HostIntegration)
#include "tst_hostintegration.moc"
