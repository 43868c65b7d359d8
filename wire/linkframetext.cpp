#include "linkframetext.h"

#include "commprotocol.h"
#include "streamframer.h"

#include <QStringList>

namespace {
const char *const names[] = {"?",
                             "LNB1",
                             "LNB2",
                             "Pol1",
                             "Pol2",
                             "Band1",
                             "Band2",
                             "InputFreq1",
                             "InputFreq2",
                             "InputSRate1",
                             "InputSRate2",
                             "RollOff1",
                             "RollOff2",
                             "InputBandwidth1",
                             "InputBandwidth2",
                             "NumInputs",
                             "C1Activate",
                             "C2Activate",
                             "OutputFreq1",
                             "OutputFreq2",
                             "OutputAttenuation1",
                             "OutputAttenuation2",
                             "GetLevel",
                             "GetModuleInfo",
                             "GetAllCfg",
                             "SetAllCfg",
                             "GetVXStatus",
                             "?",
                             "?",
                             "ResetToFactory"};

bool isTwoByte(int command)
{
    return command == CommProtocol::InputFreq1 || command == CommProtocol::InputFreq2
        || command == CommProtocol::InputSRate1 || command == CommProtocol::InputSRate2
        || command == CommProtocol::OutputFreq1 || command == CommProtocol::OutputFreq2;
}

QString hex(const QByteArray &bytes) { return QString::fromLatin1(bytes.toHex(' ')).toUpper(); }
} // namespace

const char *LinkFrameText::commandName(int command)
{
    if (command < 0 || command >= int(sizeof names / sizeof names[0]))
        return "?";
    return names[command];
}

QString LinkFrameText::flagsText(unsigned char flags)
{
    QStringList parts;
    if (flags & 0x01)
        parts << QStringLiteral("confirm");
    if ((flags & 0x06) == 0x02)
        parts << QStringLiteral("confirmation");
    if (flags & 0x04)
        parts << QStringLiteral("refused");
    return parts.isEmpty() ? QString() : QStringLiteral(" [%1]").arg(parts.join(QLatin1Char(' ')));
}

QString LinkFrameText::describe(const QByteArray &frame)
{
    CommProtocol m;
    m.msgData = frame;
    if (frame.size() < 4)
        return QStringLiteral("short frame {%1}").arg(hex(frame));
    const int tag = m.popShort(true);
    const int command = m.getCurrentRxCmd();
    QString text = QStringLiteral("%1(%2)").arg(QLatin1String(commandName(command))).arg(command);
    if (tag != CommProtocol::RecordTag)
        text += QStringLiteral(" tag=%1").arg(tag);
    QByteArray &rest = m.getMsgData();
    if (rest.isEmpty())
        return text;
    if (command >= CommProtocol::LNB1 && command <= CommProtocol::OutputAttenuation2) {
        const int v = isTwoByte(command) ? m.popShort(true) : m.popByte(true);
        text += QStringLiteral(" value=%1").arg(v);
        if ((command == CommProtocol::InputBandwidth1 || command == CommProtocol::InputBandwidth2)
            && v == 0x80)
            text += QStringLiteral(" (auto)");
    } else if (command == CommProtocol::SetAllCfg) {
        text += QStringLiteral(" value=%1").arg(m.popByte(true));
    } else if (command == CommProtocol::GetLevel && rest.size() >= 2) {
        const int l1 = m.popByte(true);
        text += QStringLiteral(" level1=%1 level2=%2").arg(l1).arg(m.popByte(true));
    } else if (command == CommProtocol::GetModuleInfo && rest.size() >= 14) {
        const unsigned int code = (m.popByte(true) << 16) | m.popShort(true);
        const int major = m.popByte(true);
        const int minor = m.popByte(true);
        QByteArray fw = m.popString(5);
        fw.truncate(fw.indexOf('\0') < 0 ? fw.size() : fw.indexOf('\0'));
        const int prefix = m.popByte(true);
        const unsigned int serial = (m.popByte(true) << 16) | m.popShort(true);
        text += QStringLiteral(" code=%1 hw=%2.%3 fw=\"%4\" serial=%5-%6")
                    .arg(code)
                    .arg(major)
                    .arg(minor, 2, 10, QLatin1Char('0'))
                    .arg(QString::fromLatin1(fw))
                    .arg(prefix)
                    .arg(serial);
    } else if (command == CommProtocol::GetAllCfg) {
        QStringList records;
        while (rest.size() >= 4) {
            if (m.popShort(true) != CommProtocol::RecordTag)
                continue;
            const int code = m.getCurrentRxCmd();
            if (code < CommProtocol::LNB1 || code > CommProtocol::OutputAttenuation2) {
                records << QStringLiteral("?%1").arg(code);
                continue;
            }
            const int v = isTwoByte(code) ? m.popShort(true) : m.popByte(true);
            records << QStringLiteral("%1=%2").arg(QLatin1String(commandName(code))).arg(v);
        }
        text += QStringLiteral(" [%1]").arg(records.join(QLatin1Char(' ')));
    } else if (command == CommProtocol::GetVXStatus && rest.size() >= 2) {
        bool flag = false;
        m.getVXStatusInfo(flag);
        text += QStringLiteral(" flag=%1").arg(flag ? 1 : 0);
    }
    if (!rest.isEmpty())
        text += QStringLiteral(" +{%1}").arg(hex(rest));
    return text;
}

QString LinkFrameText::wireLine(const QString &direction, const QByteArray &frame,
                                unsigned char flags)
{
    return QStringLiteral("%1 %2%3 | %4")
        .arg(direction, describe(frame), flagsText(flags), hex(StreamFramer::encode(frame, flags)));
}
