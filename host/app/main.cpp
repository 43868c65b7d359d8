// msp-host: a substitute for the device's configuration host. Runs a module
// plug-in in a 320 x 240 screen, linked to an emulated or a real module.

#include "configstore.h"
#include "devicescreen.h"
#include "emulatorfault.h"
#include "hostservices.h"
#include "hostwindow.h"
#include "imsp.h"
#include "inprocesstransport.h"
#include "languageswitcher.h"
#include "linkaddress.h"
#include "linktrace.h"
#include "mediawatcher.h"
#include "moduleemulator.h"
#include "modulelink.h"
#include "pluginloader.h"
#include "quitsignals.h"
#include "scriptrunner.h"
#include "serialtransport.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QHostInfo>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>

#include <cstdio>
#include <memory>
#include <vector>

namespace {
void print(const QString &line)
{
    std::fprintf(stdout, "%s\n", qPrintable(line));
    std::fflush(stdout);
}

void fail(const QString &line) { std::fprintf(stderr, "msp-host: %s\n", qPrintable(line)); }

QString defaultPlugin()
{
    // Installed, then built beside the host.
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString &candidate :
         {dir + QStringLiteral("/" MSP_PLUGIN_RELDIR "/libmsp_zetavx_dvbs2.so"),
          dir + QStringLiteral("/../lib/libmsp_zetavx_dvbs2.so"),
          dir + QStringLiteral("/libmsp_zetavx_dvbs2.so")})
        if (QFileInfo::exists(candidate))
            return QDir::cleanPath(candidate);
    return QStringLiteral("libmsp_zetavx_dvbs2.so");
}

QtMessageHandler defaultHandler = nullptr;
// The vnc platform only warns when its port is taken; the host then stops.
bool vncTaken = false;
// With --debug, the plug-in's debug output goes into the trace.
LinkTrace *debugTrace = nullptr;

// The offscreen and vnc platforms note every window feature they lack; those
// notes say nothing about the host or the plug-in.
void quietPlatformNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QVncServer could not connect"))) {
        vncTaken = true;
        return;
    }
    if (type == QtDebugMsg && debugTrace) {
        debugTrace->write(QStringLiteral("debug: ") + message);
        return;
    }
    defaultHandler(type, context, message);
}

// "vnc:port=5901" in -platform or QT_QPA_PLATFORM: the port a viewer connects to.
int vncPort(const QString &platform)
{
    const QRegularExpressionMatch m
        = QRegularExpression(QStringLiteral("port=(\\d+)")).match(platform);
    return m.hasMatch() ? m.captured(1).toInt() : 5900;
}

// Qt's own options that take a value. Qt also reads them with two dashes,
// which would swallow ours (--plugin): only the single-dash spellings go to Qt.
bool qtOptionTakesValue(const QString &arg)
{
    static const QStringList withValue {
        QStringLiteral("-platform"),        QStringLiteral("-platformpluginpath"),
        QStringLiteral("-platformtheme"),   QStringLiteral("-plugin"),
        QStringLiteral("-qwindowgeometry"), QStringLiteral("-qwindowtitle"),
        QStringLiteral("-qwindowicon"),     QStringLiteral("-display"),
        QStringLiteral("-geometry"),        QStringLiteral("-title"),
        QStringLiteral("-style"),           QStringLiteral("-stylesheet"),
        QStringLiteral("-session"),         QStringLiteral("-name")};
    return withValue.contains(arg);
}

bool isQtOption(const QString &arg)
{
    static const QStringList ours {QStringLiteral("-h"), QStringLiteral("-?"),
                                   QStringLiteral("-v")};
    return arg.size() > 1 && arg.startsWith(QLatin1Char('-'))
        && !arg.startsWith(QLatin1String("--")) && !ours.contains(arg);
}

// A whole number in [low, high], or an error naming the option.
bool number(const QString &option, const QString &text, int low, int high, int &value,
            QString &error)
{
    bool ok = false;
    value = text.toInt(&ok);
    if (ok && value >= low && value <= high)
        return true;
    error = QStringLiteral("--%1 needs a number from %2 to %3, not \"%4\"")
                .arg(option)
                .arg(low)
                .arg(high)
                .arg(text);
    return false;
}
} // namespace

int main(int argc, char *argv[])
{
    MediaWatcher::ignoreMediaSignals();
    defaultHandler = qInstallMessageHandler(quietPlatformNotes);
    QCoreApplication::setApplicationName(QStringLiteral("msp-host"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MSP_VERSION));

    // Our options are read before the application object exists, so that
    // --help needs no display and Qt cannot take --plugin as its own.
    QStringList args {QStringLiteral("msp-host")};
    std::vector<char *> qtArgv {argv[0]};
    QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (!isQtOption(arg)) {
            args << arg;
            continue;
        }
        qtArgv.push_back(argv[i]);
        if (qtOptionTakesValue(arg) && i + 1 < argc) {
            if (arg == QLatin1String("-platform"))
                platform = QString::fromLocal8Bit(argv[i + 1]);
            qtArgv.push_back(argv[++i]);
        }
    }
    int qtArgc = static_cast<int>(qtArgv.size());
    qtArgv.push_back(nullptr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Substitute configuration host: runs a module plug-in on a 320 x 240 screen.\n"
        "Keys: arrows, Return (OK), Escape, digits, F5-F8 as on the device keypad; F12 switches\n"
        "the language, F10 saves a screenshot, Ctrl+Q quits."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption pluginOpt(
        QStringLiteral("plugin"),
        QStringLiteral("Plug-in library to load (default: the installed one, else the one "
                       "built beside the host)."),
        QStringLiteral("path"));
    const QCommandLineOption linkOpt(
        QStringLiteral("link"),
        QStringLiteral("Link to the module: emulator (default, in-process), tcp:HOST:PORT, "
                       "serial:DEVICE[@BAUD]."),
        QStringLiteral("link"), QStringLiteral("emulator"));
    const QCommandLineOption faultOpt(
        QStringLiteral("fault"),
        QStringLiteral("Fault of the in-process emulator: KIND[=MS][:CMD[/VALUE],...][*COUNT] "
                       "(refuse, drop, corrupt, delay, late). Repeatable."),
        QStringLiteral("fault"));
    const QCommandLineOption emuStateOpt(QStringLiteral("emu-state"),
                                         QStringLiteral("State file of the in-process emulator."),
                                         QStringLiteral("file"));
    const QCommandLineOption mediaOpt(
        QStringLiteral("media"),
        QStringLiteral(
            "A removable medium NAME=PATH (names starting with SD are SD cards, others USB). "
            "Repeatable."),
        QStringLiteral("medium"));
    const QCommandLineOption configOpt(
        QStringLiteral("config-dir"),
        QStringLiteral("Folder of the modules' stored configurations."), QStringLiteral("dir"));
    const QCommandLineOption langOpt(QStringLiteral("lang"),
                                     QStringLiteral("Language of the plug-in: en (default) or es."),
                                     QStringLiteral("code"), QStringLiteral("en"));
    const QCommandLineOption translationsOpt(QStringLiteral("translations"),
                                             QStringLiteral("Folder of the .qm translation files."),
                                             QStringLiteral("dir"));
    const QCommandLineOption keypadOpt(
        QStringLiteral("keypad"), QStringLiteral("Show the on-screen keypad beside the screen."));
    const QCommandLineOption traceOpt(
        QStringLiteral("trace"),
        QStringLiteral("Link monitor: every frame both ways, raw and decoded, link up and down, "
                       "retries, timeouts and discarded bytes, each with the milliseconds since "
                       "start. --trace FILE writes it to FILE as well."));
    const QCommandLineOption traceFileOpt(QStringLiteral("trace-file"),
                                          QStringLiteral("Write the trace to <file> as well."),
                                          QStringLiteral("file"));
    const QCommandLineOption debugOpt(
        QStringLiteral("debug"),
        QStringLiteral("Add the plug-in's debug output and the host's events to the trace."));
    const QCommandLineOption listPortsOpt(QStringLiteral("list-ports"),
                                          QStringLiteral("List the serial ports and quit."));
    const QCommandLineOption scriptOpt(
        QStringLiteral("script"),
        QStringLiteral("Play a script of keys, waits and screenshots, then quit."),
        QStringLiteral("file"));
    const QCommandLineOption shotsOpt(
        QStringLiteral("shots"),
        QStringLiteral("Folder for screenshots (default: the working folder)."),
        QStringLiteral("dir"));
    const QCommandLineOption keyDelayOpt(
        QStringLiteral("key-delay"),
        QStringLiteral("Pause after each scripted key in ms (default 150)."), QStringLiteral("ms"),
        QStringLiteral("150"));
    const QCommandLineOption noSettingsOpt(
        QStringLiteral("no-settings"),
        QStringLiteral("Neither read nor keep the last link, media, language and keypad choice "
                       "(kept in ~/.config/msp-host/msp-host.conf)."));
    parser.addOptions({noSettingsOpt, pluginOpt, linkOpt, faultOpt, emuStateOpt, mediaOpt,
                       configOpt, langOpt, translationsOpt, keypadOpt, traceOpt, traceFileOpt,
                       debugOpt, listPortsOpt, scriptOpt, shotsOpt, keyDelayOpt});
    if (!parser.parse(LinkTrace::splitTraceFile(args))) {
        fail(parser.errorText());
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        // The help text takes the program's name from an application object;
        // this one needs no display.
        int coreArgc = 1;
        const QCoreApplication core(coreArgc, argv);
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        print(QStringLiteral("msp-host %1").arg(QCoreApplication::applicationVersion()));
        return 0;
    }
    int keyDelay = 0;
    {
        QString error;
        if (!number(keyDelayOpt.names().constFirst(), parser.value(keyDelayOpt), 0, 60000, keyDelay,
                    error)) {
            fail(error);
            return 2;
        }
    }

    // The last link, media, language and keypad choice; options override them.
    std::unique_ptr<QSettings> settings;
    if (!parser.isSet(noSettingsOpt))
        settings
            = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                          QStringLiteral("msp-host"), QStringLiteral("msp-host"));
    auto chosen = [&](const QCommandLineOption &option, const QString &key) {
        if (parser.isSet(option) || !settings)
            return parser.value(option);
        return settings->value(key, parser.value(option)).toString();
    };
    const QString linkText = chosen(linkOpt, QStringLiteral("link"));
    const QString langCode = chosen(langOpt, QStringLiteral("language"));
    QStringList mediaSpecs = parser.values(mediaOpt);
    if (mediaSpecs.isEmpty() && settings)
        mediaSpecs = settings->value(QStringLiteral("media")).toStringList();
    const bool showKeypad = parser.isSet(keypadOpt)
        || (settings && settings->value(QStringLiteral("keypad"), false).toBool());

    // A plug-in file that is not there is told before a display is needed.
    if (parser.isSet(pluginOpt) && parser.value(pluginOpt).contains(QLatin1Char('/'))
        && !QFileInfo(parser.value(pluginOpt)).isFile()) {
        fail(QStringLiteral("plug-in %1 not found").arg(parser.value(pluginOpt)));
        return 1;
    }

    QApplication app(qtArgc, qtArgv.data());
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::received, &app, &QCoreApplication::quit);
    QApplication::setFont(DeviceScreen::deviceFont());
    // The vnc platform opens its port from the event loop.
    QCoreApplication::sendPostedEvents();
    if (vncTaken) {
        fail(QStringLiteral("VNC port %1 is taken").arg(vncPort(platform)));
        return 1;
    }
    if (app.arguments().size() > 1) {
        fail(QStringLiteral("unknown option \"%1\"; see --help").arg(app.arguments().at(1)));
        return 2;
    }

    if (parser.isSet(listPortsOpt)) {
        const QStringList ports = SerialTransport::availablePorts();
        for (const QString &line : ports)
            print(line);
        if (ports.isEmpty())
            print(QStringLiteral("no serial ports"));
        return 0;
    }

    LinkTrace linkTrace;
    const bool trace = parser.isSet(traceOpt) || parser.isSet(traceFileOpt);
    if (parser.isSet(traceFileOpt)) {
        QString error;
        if (!linkTrace.setFile(parser.value(traceFileOpt), error)) {
            fail(error);
            return 2;
        }
    }
    const bool debug = parser.isSet(debugOpt);
    // Debug output after main returns no longer reaches the trace.
    const auto forgetTrace = qScopeGuard([] { debugTrace = nullptr; });
    if (debug)
        debugTrace = &linkTrace;
    else
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    // The host's own events are trace lines only when asked for.
    auto hostEvent = [&linkTrace, debug](const QString &line) {
        if (debug)
            linkTrace.write(line);
    };

    // The link.
    ModuleEmulator *emulator = nullptr;
    LinkAddress address;
    {
        QString error;
        if (!LinkAddress::parse(linkText, address, error)) {
            fail(error);
            return 2;
        }
    }
    LinkTransport *transport = address.createTransport();
    if (!transport) {
        emulator = new ModuleEmulator(&app);
        if (trace)
            QObject::connect(emulator, &ModuleEmulator::traced, &linkTrace, &LinkTrace::write);
        for (const QString &text : parser.values(faultOpt)) {
            EmulatorFault f;
            QString error;
            if (!EmulatorFault::parse(text, f, error)) {
                fail(error);
                return 2;
            }
            emulator->addFault(f);
        }
        if (parser.isSet(emuStateOpt)) {
            QString error;
            if (!emulator->setStateFile(parser.value(emuStateOpt), error))
                fail(error);
        }
        transport = new InProcessTransport(emulator);
    }
    if (!emulator && parser.isSet(faultOpt))
        fail(QStringLiteral(
            "--fault applies to the in-process emulator only; give it to zetavx-emu"));
    ModuleLink link(transport);
    if (trace)
        QObject::connect(&link, &ModuleLink::traced, &linkTrace, &LinkTrace::write);

    // Media and stored configurations.
    MediaWatcher media;
    for (const QString &medium : qAsConst(mediaSpecs)) {
        QString error;
        if (!media.addMedium(medium, error)) {
            fail(error);
            return 2;
        }
    }
    QString configDir = parser.value(configOpt);
    if (configDir.isEmpty())
        configDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    ConfigStore store(configDir);

    QStringList translationDirs;
    if (parser.isSet(translationsOpt))
        translationDirs << parser.value(translationsOpt);
    // Installed, then built beside the host.
    const QString hostDir = QCoreApplication::applicationDirPath();
    translationDirs << hostDir + QStringLiteral("/" MSP_TRANSLATIONS_RELDIR)
                    << hostDir + QStringLiteral("/../translations")
                    << hostDir + QStringLiteral("/translations")
                    << QStringLiteral(MSP_TRANSLATIONS_DIR);
    LanguageSwitcher language(translationDirs);
    {
        QString error;
        if (!language.setLanguage(langCode, error))
            fail(error);
    }

    HostServices services(&link, &store, &media);
    QObject::connect(&services, &HostServices::logged, hostEvent);
    QObject::connect(
        &media, &MediaWatcher::mediumChanged, [&](const QString &name, bool present, int sig) {
            hostEvent(
                QStringLiteral("host: medium %1 %2, signal %3")
                    .arg(name, present ? QStringLiteral("inserted") : QStringLiteral("removed"))
                    .arg(sig));
        });

    PluginLoader loader(parser.isSet(pluginOpt) ? parser.value(pluginOpt) : defaultPlugin());
    {
        QString error;
        if (!loader.load(error)) {
            fail(error);
            return 1;
        }
    }
    Imsp *plugin = loader.plugin();

    HostWindow window(&services, &media, &store, &language, showKeypad);
    window.setPlugin(plugin);
    window.setEmulator(emulator);
    window.setShotDir(parser.value(shotsOpt));
    QObject::connect(&link, &ModuleLink::stateChanged, &window,
                     [&window](bool, const QString &text) {
                         window.screen()->setStatus(text);
                         window.refreshIndicators();
                     });
    QObject::connect(&window, &HostWindow::quitRequested, &app, &QCoreApplication::quit);
    {
        // A link that is not there yet is retried; its state is on the status line.
        QString error;
        if (!link.open(error)) {
            fail(error);
            return 1;
        }
    }
    window.show();
    window.startModule();

    print(QStringLiteral("msp-host: %1 %2 on %3, link %4")
              .arg(plugin->Nombre(), plugin->Version(), QGuiApplication::platformName(),
                   link.description()));
    if (QGuiApplication::platformName() == QLatin1String("vnc"))
        print(QStringLiteral("msp-host: connect a VNC viewer to %1:%2")
                  .arg(QHostInfo::localHostName())
                  .arg(vncPort(platform)));

    ScriptRunner runner(&window);
    if (parser.isSet(scriptOpt)) {
        QString error;
        if (!runner.load(parser.value(scriptOpt), error)) {
            fail(error);
            return 2;
        }
        runner.setKeyDelay(keyDelay);
        runner.setLink(&link);
        QObject::connect(&runner, &ScriptRunner::message,
                         [](const QString &text) { print(QStringLiteral("script: ") + text); });
        QObject::connect(&runner, &ScriptRunner::finished, &app,
                         [](int code) { QCoreApplication::exit(code); });
        runner.start();
    }
    const int status = app.exec();
    if (settings) {
        settings->setValue(QStringLiteral("link"), linkText);
        settings->setValue(QStringLiteral("media"), mediaSpecs);
        settings->setValue(QStringLiteral("language"), language.language());
        settings->setValue(QStringLiteral("keypad"), showKeypad);
    }
    return status;
}
