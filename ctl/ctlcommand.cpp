#include "ctlcommand.h"

#include "configdata.h"
#include "emulatorfault.h"
#include "inprocesstransport.h"
#include "linkaddress.h"
#include "linktrace.h"
#include "moduleclient.h"
#include "moduleemulator.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <memory>

namespace {
const char Family[] = "ZetaVX_DVBS2";
// Time a link has to come up: two retries of a TCP or serial link.
constexpr int ConnectTimeoutMs = 5000;

const char Usage[] = R"(Usage:
  zetavx-ctl read  --link LINK [--out FILE --module ID]
  zetavx-ctl diff  --link LINK FILE --module ID
  zetavx-ctl apply --link LINK FILE --module ID [--only-changed] [--dry-run]
  zetavx-ctl list  FILE
  zetavx-ctl show  FILE --module ID
LINK: emulator, tcp:HOST:PORT or serial:DEVICE[@BAUD].
Options: --json, --trace [FILE], --fault FAULT and --emu-state FILE (emulator link).
)";

// The form's input level texts, by level code.
QString levelText(int code)
{
    static const char *const texts[]
        = {"<45", "45-50", "50-55", "55-60", "60-65", "65-70", "70-75", "75-80", "80-85", ">85"};
    return QLatin1String(code >= 0 && code <= 9 ? texts[code] : texts[0]);
}

QString line(const QString &name, const QString &value)
{
    return QStringLiteral("%1 %2").arg(name, -34).arg(value);
}
} // namespace

CtlCommand::CtlCommand(QTextStream &out, QTextStream &err)
    : out(out)
    , err(err)
{ }

int CtlCommand::fail(int status, const QString &message)
{
    if (progressLine)
        err << '\n';
    err << "zetavx-ctl: " << message << '\n';
    err.flush();
    if (json) {
        result.insert(QStringLiteral("error"), message);
        result.insert(QStringLiteral("status"), status);
        out << QJsonDocument(result).toJson(QJsonDocument::Indented);
        out.flush();
    }
    return status;
}

int CtlCommand::finish(int status, const QString &text)
{
    if (json) {
        result.insert(QStringLiteral("status"), status);
        out << QJsonDocument(result).toJson(QJsonDocument::Indented);
    } else if (!text.isEmpty()) {
        out << text << '\n';
    }
    out.flush();
    return status;
}

int CtlCommand::linkFailure(const ModuleClient &client, const QString &context)
{
    static const int status[] = {Ok, LinkDown, NoAnswer, Corrupt, Refused};
    return fail(status[client.failure()], context + client.error());
}

void CtlCommand::progress(const QString &text)
{
    if (!progressLine)
        return;
    err << '\r' << text << "\x1b[K";
    err.flush();
}

QJsonObject CtlCommand::configJson(const ModuleConfig::Hash &hash) const
{
    QJsonObject o;
    for (const ModuleParameters::Parameter &p : ModuleParameters::all())
        o.insert(QLatin1String(p.key), ModuleConfig::value(p, hash));
    return o;
}

int CtlCommand::run(const QStringList &args)
{
    QCommandLineParser parser;
    const QCommandLineOption linkOpt(QStringLiteral("link"), QString(), QStringLiteral("link"));
    const QCommandLineOption outOpt(QStringLiteral("out"), QString(), QStringLiteral("file"));
    const QCommandLineOption moduleOpt(QStringLiteral("module"), QString(), QStringLiteral("id"));
    const QCommandLineOption onlyOpt(QStringLiteral("only-changed"));
    const QCommandLineOption dryOpt(QStringLiteral("dry-run"));
    const QCommandLineOption jsonOpt(QStringLiteral("json"));
    const QCommandLineOption traceOpt(QStringLiteral("trace"));
    const QCommandLineOption traceFileOpt(QStringLiteral("trace-file"), QString(),
                                          QStringLiteral("file"));
    const QCommandLineOption faultOpt(QStringLiteral("fault"), QString(), QStringLiteral("fault"));
    const QCommandLineOption stateOpt(QStringLiteral("emu-state"), QString(),
                                      QStringLiteral("file"));
    const QCommandLineOption helpOpt(QStringList {QStringLiteral("h"), QStringLiteral("help")});
    parser.addOptions({linkOpt, outOpt, moduleOpt, onlyOpt, dryOpt, jsonOpt, traceOpt, traceFileOpt,
                       faultOpt, stateOpt, helpOpt});
    if (!parser.parse(LinkTrace::splitTraceFile(args)))
        return fail(Usage, parser.errorText() + QLatin1Char('\n') + QLatin1String(::Usage));
    json = parser.isSet(jsonOpt);
    if (parser.isSet(helpOpt)) {
        out << ::Usage;
        return Ok;
    }
    const QStringList words = parser.positionalArguments();
    const QString command = words.value(0);
    const bool needsFile = command == QLatin1String("diff") || command == QLatin1String("apply")
        || command == QLatin1String("list") || command == QLatin1String("show");
    const bool needsLink = command == QLatin1String("read") || command == QLatin1String("diff")
        || command == QLatin1String("apply");
    if (!needsFile && !needsLink)
        return fail(Usage,
                    (command.isEmpty() ? QStringLiteral("no command")
                                       : QStringLiteral("unknown command \"%1\"").arg(command))
                        + QLatin1Char('\n') + QLatin1String(::Usage));
    if (words.size() != (needsFile ? 2 : 1))
        return fail(Usage,
                    needsFile ? QStringLiteral("%1 takes one file").arg(command)
                              : QStringLiteral("%1 takes no file; use --out").arg(command));
    file = needsFile ? words.at(1) : parser.value(outOpt);
    module = parser.value(moduleOpt);
    const bool needsModule = command != QLatin1String("list")
        && (command != QLatin1String("read") || parser.isSet(outOpt));
    if (needsModule && module.isEmpty())
        return fail(Usage, QStringLiteral("%1 needs --module ID").arg(command));
    if (needsLink && !parser.isSet(linkOpt))
        return fail(Usage, QStringLiteral("%1 needs --link LINK").arg(command));

    if (command == QLatin1String("list"))
        return list();
    if (command == QLatin1String("show"))
        return show();

    LinkAddress address;
    QString error;
    if (!LinkAddress::parse(parser.value(linkOpt), address, error))
        return fail(Usage, error);
    LinkTrace trace;
    trace.setStream(stderr);
    if (parser.isSet(traceFileOpt) && !trace.setFile(parser.value(traceFileOpt), error))
        return fail(Usage, error);
    const bool tracing = parser.isSet(traceOpt) || parser.isSet(traceFileOpt);

    std::unique_ptr<ModuleEmulator> ownEmulator;
    LinkTransport *transport = address.createTransport();
    if (!transport) {
        if (!emulator) {
            ownEmulator = std::make_unique<ModuleEmulator>();
            emulator = ownEmulator.get();
        }
        for (const QString &text : parser.values(faultOpt)) {
            EmulatorFault f;
            if (!EmulatorFault::parse(text, f, error))
                return fail(Usage, error);
            emulator->addFault(f);
        }
        if (parser.isSet(stateOpt) && !emulator->setStateFile(parser.value(stateOpt), error))
            return fail(FileError, error);
        if (tracing)
            QObject::connect(emulator, &ModuleEmulator::traced, &trace, &LinkTrace::write);
        transport = new InProcessTransport(emulator);
    } else if (parser.isSet(faultOpt) || parser.isSet(stateOpt)) {
        return fail(Usage,
                    QStringLiteral("--fault and --emu-state apply to the emulator link "
                                   "only; give them to zetavx-emu"));
    }
    ModuleClient client(transport);
    if (tracing)
        QObject::connect(&client.link(), &ModuleLink::traced, &trace, &LinkTrace::write);

    // A file is checked before the module is touched.
    ModuleConfig::Hash fileHash;
    if (command != QLatin1String("read")) {
        const int status = loadSection(fileHash);
        if (status != Ok)
            return status;
    }
    if (!client.connectLink(ConnectTimeoutMs))
        return linkFailure(client);
    if (command == QLatin1String("read"))
        return read(client);
    if (command == QLatin1String("diff"))
        return diff(client, fileHash);
    return apply(client, fileHash, parser.isSet(onlyOpt), parser.isSet(dryOpt));
}

int CtlCommand::listModules(ConfigData &files, QStringList &modules, QStringList &families)
{
    if (!QFileInfo(file).isFile())
        return fail(FileError, QStringLiteral("%1: no such file").arg(file));
    if (!files.isValidFile(file))
        return fail(FileError, QStringLiteral("%1 is not a configuration file").arg(file));
    QString anyFamily;
    modules = files.getModuleList(file, families, anyFamily);
    return Ok;
}

int CtlCommand::loadSection(ModuleConfig::Hash &hash)
{
    ConfigData files;
    QStringList modules;
    QStringList families;
    if (const int status = listModules(files, modules, families); status != Ok)
        return status;
    const int at = modules.indexOf(module);
    if (at < 0)
        return fail(FileError, QStringLiteral("module %1 is not in %2").arg(module, file));
    if (families.at(at) != QLatin1String(Family))
        return fail(FileError,
                    QStringLiteral("module %1 of %2 belongs to family \"%3\", not %4")
                        .arg(module, file, families.at(at), QLatin1String(Family)));
    files.readData(file, module, hash);
    QString error;
    if (!ModuleConfig::check(hash, error))
        return fail(FileError, QStringLiteral("module %1 of %2: %3").arg(module, file, error));
    return Ok;
}

int CtlCommand::read(ModuleClient &client)
{
    ModuleClient::Identity id;
    int level1 = 0;
    int level2 = 0;
    ModuleConfig::Hash hash;
    // The three requests of the keypad's read, in its order.
    if (!client.readIdentity(id) || !client.readLevels(level1, level2) || !client.readConfig(hash))
        return linkFailure(client);
    QStringList text;
    if (!file.isEmpty()) {
        ConfigData files;
        if (!files.canHoldModules(file))
            return fail(FileError,
                        QStringLiteral("%1 is not a configuration file; it is left as "
                                       "it is")
                            .arg(file));
        ModuleConfig::Hash typed = ModuleConfig::typed(hash);
        QStringList names;
        QList<int> ids;
        QList<int> actives;
        if (!files.writeDataPlusServices(file, module, QLatin1String(Family), typed, names, ids,
                                         actives))
            return fail(FileError,
                        QStringLiteral("module %1 could not be saved to %2").arg(module, file));
        text << QStringLiteral("saved the module as module %1 of %2").arg(module, file);
        result.insert(
            QStringLiteral("saved"),
            QJsonObject {{QStringLiteral("file"), file}, {QStringLiteral("module"), module}});
    } else {
        text << line(QStringLiteral("Code"), id.code)
             << line(QStringLiteral("HW Version"), id.hardware)
             << line(QStringLiteral("FW Version"), id.firmware)
             << line(QStringLiteral("Serial number"), id.serial)
             << line(QStringLiteral("Input level 1"), levelText(level1) + QStringLiteral(" dBuV"))
             << line(QStringLiteral("Input level 2"), levelText(level2) + QStringLiteral(" dBuV"));
        for (const ModuleParameters::Parameter &p : ModuleParameters::all())
            text << line(ModuleConfig::name(p),
                         ModuleConfig::text(p, ModuleConfig::value(p, hash)));
    }
    result.insert(QStringLiteral("identity"),
                  QJsonObject {{QStringLiteral("code"), id.code},
                               {QStringLiteral("hardware"), id.hardware},
                               {QStringLiteral("firmware"), id.firmware},
                               {QStringLiteral("serial"), id.serial}});
    result.insert(QStringLiteral("levels"), QJsonArray {level1, level2});
    result.insert(QStringLiteral("configuration"), configJson(hash));
    return finish(Ok, text.join(QLatin1Char('\n')));
}

QStringList CtlCommand::differences(const ModuleConfig::Hash &current,
                                    const ModuleConfig::Hash &wanted, const QString &moduleSide,
                                    const QString &jsonKey)
{
    QStringList text;
    QJsonArray list;
    for (const ModuleParameters::Parameter *p : ModuleConfig::differences(current, wanted)) {
        const int now = ModuleConfig::value(*p, current);
        const int then = ModuleConfig::value(*p, wanted);
        text << QStringLiteral("%1: %2 %3, file %4")
                    .arg(ModuleConfig::name(*p), moduleSide, ModuleConfig::text(*p, now),
                         ModuleConfig::text(*p, then));
        list.append(QJsonObject {{QStringLiteral("key"), QLatin1String(p->key)},
                                 {QStringLiteral("caption"), QLatin1String(p->caption)},
                                 {QStringLiteral("unit"), QLatin1String(p->unit)},
                                 {QStringLiteral("module"), now},
                                 {QStringLiteral("file"), then}});
    }
    result.insert(jsonKey, list);
    return text;
}

int CtlCommand::diff(ModuleClient &client, const ModuleConfig::Hash &wanted)
{
    ModuleConfig::Hash current;
    if (!client.readConfig(current))
        return linkFailure(client);
    QStringList text
        = differences(current, wanted, QStringLiteral("module"), QStringLiteral("differences"));
    result.insert(QStringLiteral("equal"), text.isEmpty());
    if (text.isEmpty())
        return finish(Ok, QStringLiteral("the module equals module %1 of %2").arg(module, file));
    text << QStringLiteral("%1 of %2 parameters differ from module %3 of %4")
                .arg(text.size())
                .arg(ModuleParameters::Count)
                .arg(module, file);
    return finish(Differs, text.join(QLatin1Char('\n')));
}

int CtlCommand::apply(ModuleClient &client, const ModuleConfig::Hash &wanted, bool onlyChanged,
                      bool dryRun)
{
    ModuleConfig::Hash current;
    if (!client.readConfig(current))
        return linkFailure(client, QStringLiteral("reading the module: "));
    const QList<const ModuleParameters::Parameter *> changed
        = ModuleConfig::differences(current, wanted);
    differences(current, wanted, QStringLiteral("module"), QStringLiteral("differences"));
    result.insert(QStringLiteral("mode"),
                  onlyChanged ? QStringLiteral("only-changed") : QStringLiteral("bulk"));
    if (changed.isEmpty()) {
        result.insert(QStringLiteral("sent"), 0);
        return finish(Ok, QStringLiteral("nothing to change"));
    }
    client.setDryRun(dryRun);
    int sent = 0;
    if (onlyChanged) {
        for (const ModuleParameters::Parameter *p : changed) {
            progress(QStringLiteral("sending %1").arg(ModuleConfig::name(*p)));
            if (!client.writeOne(p->command, ModuleConfig::wireValue(*p, wanted)))
                return linkFailure(client, ModuleConfig::name(*p) + QStringLiteral(": "));
            ++sent;
        }
    } else {
        const bool done = client.writeAll(wanted, [this, &sent](int n, int total) {
            sent = n;
            progress(QStringLiteral("bulk write: %1 of %2 frames").arg(n).arg(total));
        });
        if (!done)
            return linkFailure(
                client,
                QStringLiteral("bulk write stopped after %1 frames; the module may hold "
                               "part of it or all of it, check it with diff: ")
                    .arg(sent));
    }
    result.insert(QStringLiteral("sent"), sent);
    if (dryRun) {
        const QStringList &frames = client.dryRunFrames();
        result.insert(QStringLiteral("frames"), QJsonArray::fromStringList(frames));
        return finish(Ok, frames.join(QLatin1Char('\n')));
    }
    progress(QStringLiteral("reading back"));
    ModuleConfig::Hash after;
    if (!client.readConfig(after))
        return linkFailure(client, QStringLiteral("reading back: "));
    progress(QString());
    const QStringList left
        = differences(after, wanted, QStringLiteral("module reads"), QStringLiteral("not_applied"));
    if (!left.isEmpty())
        return fail(NotApplied, QStringLiteral("not applied:\n") + left.join(QLatin1Char('\n')));
    return finish(Ok,
                  onlyChanged ? QStringLiteral("sent the %1 changed of %2 parameters, verified")
                                    .arg(changed.size())
                                    .arg(ModuleParameters::Count)
                              : QStringLiteral("bulk write of module %1 of %2 (%3 parameters, %4 "
                                               "changed), verified")
                                    .arg(module, file)
                                    .arg(ModuleParameters::Count)
                                    .arg(changed.size()));
}

int CtlCommand::list()
{
    ConfigData files;
    QStringList modules;
    QStringList families;
    if (const int status = listModules(files, modules, families); status != Ok)
        return status;
    QStringList text;
    QJsonArray list;
    for (int i = 0; i < modules.size(); ++i) {
        text << QStringLiteral("%1 %2").arg(modules.at(i), -12).arg(families.at(i));
        list.append(QJsonObject {{QStringLiteral("module"), modules.at(i)},
                                 {QStringLiteral("family"), families.at(i)}});
    }
    result.insert(QStringLiteral("modules"), list);
    return finish(Ok, text.join(QLatin1Char('\n')));
}

int CtlCommand::show()
{
    ModuleConfig::Hash hash;
    const int status = loadSection(hash);
    if (status != Ok)
        return status;
    QStringList text;
    for (const ModuleParameters::Parameter &p : ModuleParameters::all())
        text << line(ModuleConfig::name(p), ModuleConfig::text(p, ModuleConfig::value(p, hash)));
    result.insert(QStringLiteral("configuration"), configJson(hash));
    return finish(Ok, text.join(QLatin1Char('\n')));
}
