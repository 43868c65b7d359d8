// zetavx-emu: an emulated Zeta-VX module on TCP or a pseudo-terminal.

#include "emulatortcpserver.h"
#include "linktrace.h"
#include "moduleemulator.h"
#include "ptyserver.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostAddress>
#include <QRegularExpression>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zetavx-emu"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MSP_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Emulated Zeta-VX IF Processor DVBS/S2 module."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption tcp(
        QStringLiteral("tcp"),
        QStringLiteral("Serve the link on TCP port <port> (0: any free port; default 5020)."),
        QStringLiteral("port"));
    const QCommandLineOption listen(QStringLiteral("listen"),
                                    QStringLiteral("Address to listen on (default 127.0.0.1)."),
                                    QStringLiteral("address"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption pty(
        QStringLiteral("pty"),
        QStringLiteral("Serve the link on a pseudo-terminal; its path is printed."));
    const QCommandLineOption ptyLink(
        QStringLiteral("pty-link"),
        QStringLiteral("Serve on a pseudo-terminal published as <path>, a symbolic link to it "
                       "that stays the same from run to run."),
        QStringLiteral("path"));
    const QCommandLineOption state(
        QStringLiteral("state"),
        QStringLiteral("Keep the module's configuration in <file> between runs."),
        QStringLiteral("file"));
    const QCommandLineOption fault(
        QStringLiteral("fault"),
        QStringLiteral(
            "Inject a fault: KIND[=MS][:CMD[/VALUE],...][*COUNT], KIND one of refuse, drop, "
            "corrupt, delay, late. Repeatable."),
        QStringLiteral("fault"));
    const QCommandLineOption rf1(QStringLiteral("rf1"),
                                 QStringLiteral("RF power at input 1 in dBuV (default 72)."),
                                 QStringLiteral("dBuV"));
    const QCommandLineOption rf2(QStringLiteral("rf2"),
                                 QStringLiteral("RF power at input 2 in dBuV (default 61)."),
                                 QStringLiteral("dBuV"));
    const QCommandLineOption serial(QStringLiteral("serial"),
                                    QStringLiteral("Serial number PREFIX-NUMBER (default 7-4242)."),
                                    QStringLiteral("serial"));
    const QCommandLineOption trace(
        QStringLiteral("trace"),
        QStringLiteral("Print every frame both ways, raw and decoded, with the milliseconds since "
                       "start; --trace FILE writes it to FILE as well."));
    const QCommandLineOption traceFile(QStringLiteral("trace-file"),
                                       QStringLiteral("Write the trace to <file> as well."),
                                       QStringLiteral("file"));
    parser.addOptions(
        {tcp, listen, pty, ptyLink, state, fault, rf1, rf2, serial, trace, traceFile});
    parser.process(LinkTrace::splitTraceFile(app.arguments()));

    QTextStream err(stderr);
    ModuleEmulator module;
    LinkTrace tracer;
    if (parser.isSet(trace) || parser.isSet(traceFile)) {
        QString error;
        if (parser.isSet(traceFile) && !tracer.setFile(parser.value(traceFile), error)) {
            err << "zetavx-emu: " << error << Qt::endl;
            return 2;
        }
        QObject::connect(&module, &ModuleEmulator::traced, &tracer, &LinkTrace::write);
    }
    for (const QString &text : parser.values(fault)) {
        EmulatorFault f;
        QString error;
        if (!EmulatorFault::parse(text, f, error)) {
            err << "zetavx-emu: " << error << Qt::endl;
            return 2;
        }
        module.addFault(f);
    }
    for (const auto &[option, input] : {std::make_pair(&rf1, 1), std::make_pair(&rf2, 2)}) {
        if (!parser.isSet(*option))
            continue;
        bool ok = false;
        const double level = parser.value(*option).toDouble(&ok);
        if (!ok || level < 0 || level > 150) {
            err << "zetavx-emu: bad RF level " << parser.value(*option) << Qt::endl;
            return 2;
        }
        module.setRfInput(input, level);
    }
    if (parser.isSet(serial)) {
        const QRegularExpressionMatch m
            = QRegularExpression(QStringLiteral("^(\\d{1,3})-(\\d{1,8})$"))
                  .match(parser.value(serial));
        if (!m.hasMatch() || m.captured(1).toUInt() > 255 || m.captured(2).toUInt() > 0xFFFFFF) {
            err << "zetavx-emu: bad serial number " << parser.value(serial)
                << " (PREFIX 0..255, NUMBER 0..16777215)" << Qt::endl;
            return 2;
        }
        ModuleEmulator::Identity id = module.identity();
        id.serialPrefix = static_cast<unsigned char>(m.captured(1).toUInt());
        id.serialNumber = m.captured(2).toUInt();
        module.setIdentity(id);
    }
    if (parser.isSet(state)) {
        QString error;
        if (!module.setStateFile(parser.value(state), error))
            err << "zetavx-emu: " << error << Qt::endl;
    }

    PtyServer ptyServer(&module);
    EmulatorTcpServer tcpServer(&module);
    const bool onPty = parser.isSet(pty) || parser.isSet(ptyLink);
    if (onPty) {
        QString error;
        if (!ptyServer.open(error)
            || (parser.isSet(ptyLink) && !ptyServer.publish(parser.value(ptyLink), error))) {
            err << "zetavx-emu: " << error << Qt::endl;
            return 1;
        }
        std::fprintf(stdout, "zetavx-emu: serial port %s\n", qPrintable(ptyServer.slavePath()));
        if (parser.isSet(ptyLink))
            std::fprintf(stdout, "zetavx-emu: linked as %s\n", qPrintable(parser.value(ptyLink)));
    }
    if (parser.isSet(tcp) || !onPty) {
        bool ok = true;
        const int port = parser.isSet(tcp) ? parser.value(tcp).toInt(&ok) : 5020;
        QHostAddress address;
        if (!ok || port < 0 || port > 65535 || !address.setAddress(parser.value(listen))) {
            err << "zetavx-emu: bad TCP port or address" << Qt::endl;
            return 2;
        }
        QString error;
        if (!tcpServer.listen(address, static_cast<quint16>(port), error)) {
            err << "zetavx-emu: cannot listen on " << address.toString() << ':' << port << ": "
                << error << Qt::endl;
            return 1;
        }
        std::fprintf(stdout, "zetavx-emu: listening on %s:%u\n", qPrintable(address.toString()),
                     unsigned(tcpServer.port()));
        QObject::connect(&tcpServer, &EmulatorTcpServer::clientChanged, [](const QString &text) {
            std::fprintf(stdout, "zetavx-emu: %s\n", qPrintable(text));
            std::fflush(stdout);
        });
    }
    std::fflush(stdout);
    return app.exec();
}
