#pragma once

#include <QString>

class LinkTransport;

// A link to the module as the host and the command-line tool name it:
// "emulator", "tcp:HOST:PORT" or "serial:DEVICE[@BAUD]".
class LinkAddress
{
public:
    enum Kind { Emulator, Tcp, Serial };
    static constexpr int DefaultBaud = 115200;

    Kind kind = Emulator;
    QString host;
    quint16 port = 0;
    QString device;
    qint32 baud = DefaultBaud;

    // On failure returns false and says why in error.
    static bool parse(const QString &text, LinkAddress &address, QString &error);
    // The TCP or serial transport; nullptr for the emulator, which its user builds.
    LinkTransport *createTransport() const;
};
