#pragma once

#include "moduleparameters.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

class CommProtocol;

// The module's configuration as the configuration hash holds it (the form's
// list positions, numbers as text, 255 for automatic bandwidth), converted the
// way the configuration form converts it, from the module's records and to
// its frames.
class ModuleConfig
{
public:
    using Hash = QHash<QString, QVariant>;
    using Parameter = ModuleParameters::Parameter;

    // Reads the records of a configuration answer (tag and command already
    // taken) into a hash typed as the form's own; false, naming the first
    // parameter's key, when a parameter is missing.
    static bool fromRecords(CommProtocol &answer, Hash &hash, QString &missing);
    // A section read from a file: every parameter present and in its range.
    // On failure error names the key.
    static bool check(const Hash &hash, QString &error);
    // The hash typed as the form's UpdateDataMSP() types it, so that a save
    // writes what the keypad's save writes.
    static Hash typed(const Hash &hash);

    // The parameter's value in a checked hash: list position, number, or 255.
    static int value(const Parameter &p, const Hash &hash);
    // The value a set-request carries: for a bandwidth its MHz or 0x80.
    static int wireValue(const Parameter &p, const Hash &hash);
    // "1550 MHz", "Auto", "36 MHz", "1".
    static QString text(const Parameter &p, int value);
    // "Output freq (Freq1_Output)".
    static QString name(const Parameter &p);

    // The parameters whose values differ, in the order of the hash's keys.
    static QList<const Parameter *> differences(const Hash &a, const Hash &b);
};
