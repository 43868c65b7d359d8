#pragma once

#include "moduleconfig.h"

#include <QJsonObject>
#include <QStringList>
#include <QTextStream>

class ConfigData;
class ModuleClient;
class ModuleEmulator;

// zetavx-ctl: reads, compares and configures a module from the command line,
// with the plug-in's own frames and configuration files. One run, one
// subcommand; run() returns the exit status.
class CtlCommand
{
public:
    enum Status {
        Ok = 0,
        Differs = 1, // diff: the module and the file differ
        Usage = 2,
        FileError = 3, // not found, not a configuration file, module not in it, not saved
        LinkDown = 4,
        NoAnswer = 5,
        Refused = 6,
        Corrupt = 7, // a damaged or truncated frame, or an answer that lacks a parameter
        NotApplied = 8 // apply: the module reads back other values than the file's
    };

    CtlCommand(QTextStream &out, QTextStream &err);

    // The module behind the "emulator" link; without one run() makes its own.
    void setEmulator(ModuleEmulator *module) { emulator = module; }
    // Rewrites one progress line on standard error (a terminal).
    void setProgressLine(bool on) { progressLine = on; }

    int run(const QStringList &args);

private:
    int read(ModuleClient &client);
    int diff(ModuleClient &client, const ModuleConfig::Hash &wanted);
    int apply(ModuleClient &client, const ModuleConfig::Hash &wanted, bool onlyChanged,
              bool dryRun);
    int list();
    int show();

    // Reads the module section named by --module from the file argument.
    // The file's modules and their families; a status other than Ok if it has none to give.
    int listModules(ConfigData &files, QStringList &modules, QStringList &families);
    int loadSection(ModuleConfig::Hash &hash);
    int linkFailure(const ModuleClient &client, const QString &context = QString());
    int fail(int status, const QString &message);
    int finish(int status, const QString &text);
    void progress(const QString &text);
    QJsonObject configJson(const ModuleConfig::Hash &hash) const;
    // Lists the parameters that differ, as text lines and in the result.
    QStringList differences(const ModuleConfig::Hash &module, const ModuleConfig::Hash &wanted,
                            const QString &moduleSide, const QString &jsonKey);

    QTextStream &out;
    QTextStream &err;
    ModuleEmulator *emulator = nullptr;
    bool progressLine = false;
    bool json = false;
    QString file;
    QString module;
    QJsonObject result;
};
