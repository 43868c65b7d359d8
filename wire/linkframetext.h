#pragma once

#include <QByteArray>
#include <QString>

// Readable text of module link frames for the link monitors of the host and
// the emulator: "GetAllCfg(24) [LNB1=1 ...]".
class LinkFrameText
{
public:
    static const char *commandName(int command);
    static QString describe(const QByteArray &frame);
    static QString flagsText(unsigned char flags);
    // One frame as it crossed the wire: "host -> GetLevel(22) | 02 00 00 04 00 04 00 16 E4 26".
    static QString wireLine(const QString &direction, const QByteArray &frame, unsigned char flags);
};
