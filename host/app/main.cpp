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
#include "mediawatcher.h"
#include "moduleemulator.h"
#include "modulelink.h"
#include "pluginloader.h"
#include "scriptrunner.h"
#include "serialtransport.h"
#include "tcptransport.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QHostInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cstdio>

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

// The offscreen and vnc platforms note every window feature they lack; those
// notes say nothing about the host or the plug-in.
void quietPlatformNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    defaultHandler(type, context, message);
}

// "vnc:port=5901" or "-platform vnc:size=..." : the port a viewer connects to.
int vncPort(const QStringList &args)
{
    QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const int i = args.indexOf(QStringLiteral("-platform"));
    if (i >= 0 && i + 1 < args.size())
        platform = args.at(i + 1);
    const QRegularExpressionMatch m
        = QRegularExpression(QStringLiteral("port=(\\d+)")).match(platform);
    return m.hasMatch() ? m.captured(1).toInt() : 5900;
}
} // namespace

int main(int argc, char *argv[])
{
    MediaWatcher::ignoreMediaSignals();
    defaultHandler = qInstallMessageHandler(quietPlatformNotes);
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("msp-host"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MSP_VERSION));
    QApplication::setFont(DeviceScreen::deviceFont());

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
    const QCommandLineOption traceOpt(QStringLiteral("trace"),
                                      QStringLiteral("Print every link frame both ways, decoded."));
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
    parser.addOptions({pluginOpt, linkOpt, faultOpt, emuStateOpt, mediaOpt, configOpt, langOpt,
                       translationsOpt, keypadOpt, traceOpt, scriptOpt, shotsOpt, keyDelayOpt});
    parser.process(app);

    const bool trace = parser.isSet(traceOpt);
    auto tracer = [trace](const QString &line) {
        if (trace)
            print(line);
    };

    // The link.
    ModuleEmulator *emulator = nullptr;
    LinkTransport *transport = nullptr;
    const QString linkSpec = parser.value(linkOpt);
    if (linkSpec == QLatin1String("emulator")) {
        emulator = new ModuleEmulator(&app);
        QObject::connect(emulator, &ModuleEmulator::traced, tracer);
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
    } else if (linkSpec.startsWith(QLatin1String("tcp:"))) {
        const int colon = linkSpec.lastIndexOf(QLatin1Char(':'));
        bool ok = false;
        const int port = linkSpec.mid(colon + 1).toInt(&ok);
        const QString host = linkSpec.mid(4, colon - 4);
        if (colon <= 4 || !ok || port <= 0 || port > 65535) {
            fail(QStringLiteral("bad link \"%1\": expected tcp:HOST:PORT").arg(linkSpec));
            return 2;
        }
        transport = new TcpTransport(host, static_cast<quint16>(port));
    } else if (linkSpec.startsWith(QLatin1String("serial:"))) {
        QString device = linkSpec.mid(7);
        qint32 baud = 115200;
        const int at = device.lastIndexOf(QLatin1Char('@'));
        if (at >= 0) {
            bool ok = false;
            baud = device.mid(at + 1).toInt(&ok);
            device.truncate(at);
            if (!ok || baud <= 0) {
                fail(QStringLiteral("bad baud rate in \"%1\"").arg(linkSpec));
                return 2;
            }
        }
        if (device.isEmpty()) {
            fail(QStringLiteral("bad link \"%1\": expected serial:DEVICE[@BAUD]").arg(linkSpec));
            return 2;
        }
        transport = new SerialTransport(device, baud);
    } else {
        fail(QStringLiteral(
                 "unknown link \"%1\": use emulator, tcp:HOST:PORT or serial:DEVICE[@BAUD]")
                 .arg(linkSpec));
        return 2;
    }
    if (!emulator && parser.isSet(faultOpt))
        fail(QStringLiteral(
            "--fault applies to the in-process emulator only; give it to zetavx-emu"));
    ModuleLink link(transport);
    QObject::connect(&link, &ModuleLink::traced, tracer);
    {
        QString error;
        if (!link.open(error)) {
            fail(error);
            if (linkSpec.startsWith(QLatin1String("serial:")))
                return 1;
            fail(QStringLiteral("starting without a link; it is retried"));
        }
    }

    // Media and stored configurations.
    MediaWatcher media;
    for (const QString &medium : parser.values(mediaOpt)) {
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
        if (!language.setLanguage(parser.value(langOpt), error))
            fail(error);
    }

    HostServices services(&link, &store, &media);
    QObject::connect(&services, &HostServices::logged, tracer);
    QObject::connect(
        &media, &MediaWatcher::mediumChanged, [&](const QString &name, bool present, int sig) {
            tracer(QStringLiteral("host: medium %1 %2, signal %3")
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

    HostWindow window(&services, &media, &store, &language, parser.isSet(keypadOpt));
    window.setPlugin(plugin);
    window.setEmulator(emulator);
    window.setShotDir(parser.value(shotsOpt));
    QObject::connect(&link, &ModuleLink::stateChanged, &window,
                     [&window](bool, const QString &text) {
                         window.screen()->setStatus(text);
                         window.refreshIndicators();
                     });
    QObject::connect(&window, &HostWindow::quitRequested, &app, &QCoreApplication::quit);
    window.show();
    window.startModule();

    print(QStringLiteral("msp-host: %1 %2 on %3, link %4")
              .arg(plugin->Nombre(), plugin->Version(), QGuiApplication::platformName(),
                   link.description()));
    if (QGuiApplication::platformName() == QLatin1String("vnc"))
        print(QStringLiteral("msp-host: connect a VNC viewer to %1:%2")
                  .arg(QHostInfo::localHostName())
                  .arg(vncPort(app.arguments())));

    ScriptRunner runner(&window);
    if (parser.isSet(scriptOpt)) {
        QString error;
        if (!runner.load(parser.value(scriptOpt), error)) {
            fail(error);
            return 2;
        }
        runner.setKeyDelay(qMax(0, parser.value(keyDelayOpt).toInt()));
        QObject::connect(&runner, &ScriptRunner::message,
                         [](const QString &text) { print(QStringLiteral("script: ") + text); });
        QObject::connect(&runner, &ScriptRunner::finished, &app,
                         [](int code) { QCoreApplication::exit(code); });
        runner.start();
    }
    return app.exec();
}
