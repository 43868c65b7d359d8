#pragma once

#include <QList>
#include <QSet>
#include <QString>

// A fault the emulated module injects into its side of the link, written on
// the command line as
//
//   KIND[=MS][:CMD[,CMD...]][*COUNT]
//
// KIND is refuse, drop, corrupt, delay or late; MS the delay of delay and late;
// CMD the request command codes it applies to (all when omitted); COUNT how
// many requests it affects before it expires (no limit when omitted).
// Examples: "drop:25", "refuse:7,8*1", "delay=800", "late:24", "corrupt:23".
class EmulatorFault
{
public:
    enum Kind { Refuse, Drop, Corrupt, Delay, Late };

    // An answer that comes later than the host's answer timeout (3000 ms).
    static constexpr int DefaultLateMs = 4000;
    static constexpr int DefaultDelayMs = 500;

    Kind kind = Drop;
    int delayMs = 0;
    QSet<int> commands;   // empty: every command
    int remaining = -1;   // -1: never expires

    bool appliesTo(int command) const;
    QString toString() const;

    // Parses one fault; on failure returns false and says why in error.
    static bool parse(const QString &text, EmulatorFault &fault, QString &error);
};
