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
};
