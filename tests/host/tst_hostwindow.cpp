#include "commprotocol.h"
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
#include "scriptrunner.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// A plug-in that records what the host does to it.
class RecordingPlugin : public QObject, public Imsp
{
    Q_OBJECT
    Q_INTERFACES(Imsp)

public:
    QString Id() override { return QStringLiteral("Rec"); }
    QString Nombre() override { return tr("Recorder"); }
    QString Descripcion() override { return Nombre(); }
    QString Version() override { return QStringLiteral("0.1"); }
    void Run(QWidget *parent) override
    {
        calls << QStringLiteral("Run");
        runParent = parent;
        edit = new QLineEdit(parent);
        edit->setObjectName(QStringLiteral("recorderEdit"));
        edit->show();
        second = new QLineEdit(parent);
        second->show();
        if (services)
            services->StartModule(this, 2);
    }
    bool DataRcvd(CommMsg &msg) override
    {
        received << msg;
        return true;
    }
    void SetDataConfig(QHash<QString, QVariant> config) override
    {
        calls << QStringLiteral("SetDataConfig");
        configs << config;
    }
    bool hayDatosTablaNIT() override { return false; }
    bool hayDatosListaServicios() override { return false; }
    void SetDataNIT(QHash<QString, QVariant>, QStringList, QList<int>, QList<int>,
                    QString &) override
    { }
    void SetDataNIT_2xout(QHash<QString, QVariant>, QStringList, QStringList, QList<int>,
                          QList<int>, QList<int>, QList<int>, QString &) override
    { }
    void GetDescriptorsNIT(TransportDesc &) override { }
    void GetDescriptorsNIT_out2(TransportDesc &) override { }
    bool GetServicesActivesList(QStringList &, QList<int> &) override { return true; }
    bool GetServicesActivesList_out2(QStringList &, QList<int> &) override { return true; }
    void SetIServiciosComunes(IServiciosComunes *s) override
    {
        calls << QStringLiteral("SetIServiciosComunes");
        services = s;
    }
    bool sendNitTable(QByteArray &, unsigned short, unsigned short) override { return true; }
    bool sendNitPass(unsigned char) override { return true; }

    IServiciosComunes *services = nullptr;
    QWidget *runParent = nullptr;
    QLineEdit *edit = nullptr;
    QLineEdit *second = nullptr;
    QStringList calls;
    QList<QHash<QString, QVariant>> configs;
    QList<CommMsg> received;
};

class tst_HostWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startHandsBackStoredConfiguration();
    void endAndRestart();
    void keysGoToFocusOrModalDialog();
    void screenshotShowsDialogs();
    void languageKey();
    void scriptKeysFollowTheFocus();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    RecordingPlugin *endOnEscape = nullptr;
    QTemporaryDir dir;
    ModuleEmulator *module = nullptr;
    ModuleLink *link = nullptr;
    ConfigStore *store = nullptr;
    LanguageSwitcher *language = nullptr;
    HostServices *services = nullptr;
    HostWindow *window = nullptr;
    RecordingPlugin *plugin = nullptr;
};

void tst_HostWindow::init()
{
    module = new ModuleEmulator;
    link = new ModuleLink(new InProcessTransport(module));
    QString error;
    QVERIFY(link->open(error));
    store = new ConfigStore(dir.path());
    language = new LanguageSwitcher({QStringLiteral(MSP_TRANSLATIONS_DIR)});
    services = new HostServices(link, store, nullptr);
    window = new HostWindow(services, nullptr, store, language, true);
    plugin = new RecordingPlugin;
    window->setPlugin(plugin);
    window->show();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void tst_HostWindow::cleanup()
{
    delete window;
    delete plugin;
    delete services;
    delete language;
    delete store;
    delete link;
    delete module;
}

void tst_HostWindow::startHandsBackStoredConfiguration()
{
    window->startModule();
    QCOMPARE(plugin->calls, (QStringList {"SetIServiciosComunes", "Run"}));
    QCOMPARE(plugin->runParent, window->screen()->pluginArea());
    QCOMPARE(plugin->runParent->size(), QSize(320, 220));
    QCOMPARE(plugin->runParent->mapTo(window->screen(), QPoint(0, 0)), QPoint(0, 20));

    // What the plug-in stores comes back at its next start, after Run.
    plugin->services->StoreDataConfig(
        QStringLiteral("Rec"), QStringLiteral("Rec"),
        {{QStringLiteral("C1_Act"), 1}, {QStringLiteral("Freq1_Input"), QStringLiteral("1550")}});
    plugin->services->EndModule("Rec");
    plugin->calls.clear();
    window->startModule();
    QCOMPARE(plugin->calls, (QStringList {"SetIServiciosComunes", "Run", "SetDataConfig"}));
    QCOMPARE(plugin->configs.first().value(QStringLiteral("C1_Act")).toInt(), 1);
    QCOMPARE(plugin->configs.first().value(QStringLiteral("Freq1_Input")).toString(),
             QStringLiteral("1550"));
}

void tst_HostWindow::endAndRestart()
{
    QSignalSpy quit(window, &HostWindow::quitRequested);
    window->startModule();
    QVERIFY(window->moduleRunning());
    // The plug-in ends on an Escape that it then leaves to its parents, as
    // the main menu does: that same key must not quit the host.
    plugin->edit->setFocus();
    plugin->edit->installEventFilter(this);
    endOnEscape = plugin;
    window->sendKey(Qt::Key_Escape);
    QTRY_VERIFY(!window->moduleRunning());
    QTest::qWait(20);
    QCOMPARE(quit.count(), 0);
    QTRY_VERIFY(window->hasFocus());
    window->sendKey(Qt::Key_Return, QStringLiteral("\r"));
    QTRY_VERIFY(window->moduleRunning());
    QCOMPARE(plugin->calls.count(QStringLiteral("Run")), 2);
    plugin->services->EndModule("Rec");
    QTest::qWait(20);
    window->sendKey(Qt::Key_Escape);
    QTRY_COMPARE(quit.count(), 1);
}

bool tst_HostWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (endOnEscape && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        endOnEscape->services->EndModule("Rec");
        endOnEscape = nullptr;
    }
    return QObject::eventFilter(watched, event);
}

void tst_HostWindow::keysGoToFocusOrModalDialog()
{
    window->startModule();
    plugin->edit->setFocus();
    QTRY_COMPARE(window->keyTarget(), static_cast<QWidget *>(plugin->edit));
    window->sendKey(Qt::Key_4, QStringLiteral("4"));
    window->sendKey(Qt::Key_2, QStringLiteral("2"));
    QTRY_COMPARE(plugin->edit->text(), QStringLiteral("42"));

    QDialog dialog(window);
    QTimer::singleShot(0, &dialog, [&] {
        QCOMPARE(window->keyTarget(), static_cast<QWidget *>(&dialog));
        window->sendKey(Qt::Key_Escape);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(plugin->edit->text(), QStringLiteral("42"));
}

void tst_HostWindow::screenshotShowsDialogs()
{
    window->startModule();
    const QImage plain = window->screen()->grabScreen();
    QCOMPARE(plain.size(), QSize(320, 240));
    QDialog dialog(window, Qt::FramelessWindowHint);
    dialog.setAutoFillBackground(true);
    QPalette pal = dialog.palette();
    pal.setColor(QPalette::Window, QColor(255, 0, 255));
    dialog.setPalette(pal);
    dialog.setGeometry(QRect(window->screen()->mapToGlobal(QPoint(0, 20)), QSize(320, 220)));
    dialog.show();
    QTest::qWait(20);
    const QImage covered = window->screen()->grabScreen();
    QCOMPARE(covered.pixelColor(160, 200), QColor(255, 0, 255));
    QCOMPARE(covered.pixelColor(160, 5), plain.pixelColor(160, 5)); // the status line stays
    QString error;
    const QString path = dir.filePath(QStringLiteral("shots/one.png"));
    QVERIFY2(window->saveScreenshot(path, error), qPrintable(error));
    QCOMPARE(QImage(path).size(), QSize(320, 240));
}

void tst_HostWindow::languageKey()
{
    window->startModule();
    plugin->edit->setFocus();
    auto *indicators = window->findChild<QLabel *>(QStringLiteral("hostIndicators"));
    QVERIFY(indicators->text().endsWith(QLatin1String("EN")));
    window->sendKey(Qt::Key_F12);
    QTRY_COMPARE(language->language(), QStringLiteral("es"));
    QVERIFY(indicators->text().endsWith(QLatin1String("ES")));
    // The key is the host's: the plug-in never sees it.
    QCOMPARE(plugin->edit->text(), QString());
    window->sendKey(Qt::Key_F12);
    QTRY_COMPARE(language->language(), QStringLiteral("en"));
}

void tst_HostWindow::scriptKeysFollowTheFocus()
{
    window->startModule();
    QTRY_COMPARE(window->keyTarget(), static_cast<QWidget *>(plugin->edit));
    ScriptRunner runner(window);
    runner.setKeyDelay(1);
    QString error;
    QVERIFY(runner.loadText(QStringLiteral("key 4 Tab 2\nkeys 7"), error));
    QSignalSpy finished(&runner, &ScriptRunner::finished);
    runner.start();
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(plugin->edit->text(), QStringLiteral("4"));
    QCOMPARE(plugin->second->text(), QStringLiteral("27"));
}

QTEST_MAIN(tst_HostWindow)
#include "tst_hostwindow.moc"
