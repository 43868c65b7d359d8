#pragma once

#include <QList>
#include <QString>

// A fault the emulated module injects into its side of the link, written on
// the command line as
//
//   KIND[=MS][:CMD[/VALUE][,CMD[/VALUE]...]][*COUNT]
//
// KIND is refuse, drop, corrupt, delay or late; MS the delay of delay and late;
// CMD the request command codes it applies to (all when omitted), VALUE the
// first payload byte a request must carry to match; COUNT how many requests
// it affects before it expires (no limit when omitted).
// Examples: "drop:25/1" (the end of a bulk write), "refuse:7,8*1", "delay=800",
// "late:24", "corrupt:23".
class EmulatorFault
{
public:
    enum Kind { Refuse, Drop, Corrupt, Delay, Late };

    // An answer that comes later than the host's answer timeout (3000 ms).
    static constexpr int DefaultLateMs = 4000;
    static constexpr int DefaultDelayMs = 500;

    Kind kind = Drop;
    int delayMs = 0;
    struct Match {
        int command;
        int value; // first payload byte, -1: any
    };
    QList<Match> matches; // empty: every request
    int remaining = -1; // -1: never expires

    // firstByte: the request's first payload byte, -1 when it has none.
    bool appliesTo(int command, int firstByte = -1) const;
    QString toString() const;

    // Parses one fault; on failure returns false and says why in error.
    static bool parse(const QString &text, EmulatorFault &fault, QString &error);
};
