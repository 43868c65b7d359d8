#include "commprotocol.h"

#include "moduleparameters.h"

CommProtocol::CommProtocol()
{
    // Deliberately this class's own reset: requests start from its defaults.
    CommProtocol::clearMsgData();
}

CommProtocol::CommProtocol(CommMsg &msg)
    : CommMsg(msg)
{ }

void CommProtocol::clearMsgData()
{
    CommMsg::initData();
    answerTimeoutMs = 0;
    linkSwitch = true;
    linkParam = 0;
    expectedAnswer = 0;
}

bool CommProtocol::prependCommand(unsigned short command, unsigned short tag)
{
    const char head[4]
        = {char(tag >> 8), char(tag & 0xFF), char(command >> 8), char(command & 0xFF)};
    msgData.prepend(head, 4);
    return true;
}

void CommProtocol::askConfirmation(bool confirm)
{
    if (!confirm)
        return;
    linkFlags[6] = true;
    linkFlags[7] = false;
    answerTimeoutMs = AnswerTimeoutMs;
}

bool CommProtocol::buildSetByte(unsigned short command, unsigned char value, bool confirm)
{
    // Room for the header too: the frame is built in one allocation.
    msgData.reserve(msgData.size() + 5);
    pushByte(value);
    askConfirmation(confirm);
    return prependCommand(command, RecordTag);
}

bool CommProtocol::buildSetShort(unsigned short command, unsigned short value, bool confirm)
{
    msgData.reserve(msgData.size() + 6);
    pushShort(value);
    askConfirmation(confirm);
    return prependCommand(command, RecordTag);
}

bool CommProtocol::buildParameterRequest(unsigned short command, unsigned short value, bool confirm)
{
    const ModuleParameters::Parameter *p = ModuleParameters::byCommand(command);
    if (!p)
        return false;
    if (p->width == 2)
        return buildSetShort(command, value, confirm);
    return buildSetByte(command, static_cast<unsigned char>(value), confirm);
}

bool CommProtocol::buildGet(unsigned short command)
{
    answerTimeoutMs = AnswerTimeoutMs;
    expectedAnswer = command;
    return prependCommand(command, RecordTag);
}

bool CommProtocol::buildLNB1Request(unsigned char v, bool c)
{
    return buildParameterRequest(LNB1, v, c);
}
bool CommProtocol::buildLNB2Request(unsigned char v, bool c)
{
    return buildParameterRequest(LNB2, v, c);
}
bool CommProtocol::buildPol1Request(unsigned char v, bool c)
{
    return buildParameterRequest(Pol1, v, c);
}
bool CommProtocol::buildPol2Request(unsigned char v, bool c)
{
    return buildParameterRequest(Pol2, v, c);
}
bool CommProtocol::buildBand1Request(unsigned char v, bool c)
{
    return buildParameterRequest(Band1, v, c);
}
bool CommProtocol::buildBand2Request(unsigned char v, bool c)
{
    return buildParameterRequest(Band2, v, c);
}
bool CommProtocol::buildInputFreq1Request(unsigned short v, bool c)
{
    return buildParameterRequest(InputFreq1, v, c);
}
bool CommProtocol::buildInputFreq2Request(unsigned short v, bool c)
{
    return buildParameterRequest(InputFreq2, v, c);
}
bool CommProtocol::buildInputSRate1Request(unsigned short v, bool c)
{
    return buildParameterRequest(InputSRate1, v, c);
}
bool CommProtocol::buildInputSRate2Request(unsigned short v, bool c)
{
    return buildParameterRequest(InputSRate2, v, c);
}
bool CommProtocol::buildRollOff1Request(unsigned char v, bool c)
{
    return buildParameterRequest(RollOff1, v, c);
}
bool CommProtocol::buildRollOff2Request(unsigned char v, bool c)
{
    return buildParameterRequest(RollOff2, v, c);
}
bool CommProtocol::buildInputBandwidth1Request(unsigned char v, bool c)
{
    return buildParameterRequest(InputBandwidth1, v, c);
}
bool CommProtocol::buildInputBandwidth2Request(unsigned char v, bool c)
{
    return buildParameterRequest(InputBandwidth2, v, c);
}
bool CommProtocol::buildNumInputsRequest(unsigned char v, bool c)
{
    return buildParameterRequest(NumInputs, v, c);
}
bool CommProtocol::buildC1ActivateRequest(unsigned char v, bool c)
{
    return buildParameterRequest(C1Activate, v, c);
}
bool CommProtocol::buildC2ActivateRequest(unsigned char v, bool c)
{
    return buildParameterRequest(C2Activate, v, c);
}
bool CommProtocol::buildOutputFreq1Request(unsigned short v, bool c)
{
    return buildParameterRequest(OutputFreq1, v, c);
}
bool CommProtocol::buildOutputFreq2Request(unsigned short v, bool c)
{
    return buildParameterRequest(OutputFreq2, v, c);
}
bool CommProtocol::buildOutputAttenuation1Request(unsigned char v, bool c)
{
    return buildParameterRequest(OutputAttenuation1, v, c);
}
bool CommProtocol::buildOutputAttenuation2Request(unsigned char v, bool c)
{
    return buildParameterRequest(OutputAttenuation2, v, c);
}

bool CommProtocol::buildGetLevelRequest() { return buildGet(GetLevel); }
bool CommProtocol::buildGetModuleInfoRequest() { return buildGet(GetModuleInfo); }
bool CommProtocol::buildGetAllCfgRequest() { return buildGet(GetAllCfg); }
bool CommProtocol::buildGetVXStatusRequest() { return buildGet(GetVXStatus); }

bool CommProtocol::buildSetAllCfgRequest(bool value, bool confirm)
{
    return buildSetByte(SetAllCfg, value ? 1 : 0, confirm);
}

bool CommProtocol::buildResetToFactoryConfiguration()
{
    return prependCommand(ResetToFactory, RecordTag);
}

bool CommProtocol::buildGetLevelResponse(unsigned char level1, unsigned char level2)
{
    pushByte(level1);
    pushByte(level2);
    return prependCommand(GetLevel, RecordTag);
}

bool CommProtocol::buildModuleInfoResponse() { return prependCommand(GetModuleInfo, RecordTag); }

bool CommProtocol::buildGetAllCfgResponse() { return prependCommand(GetAllCfg, RecordTag); }

bool CommProtocol::buildGetStatusResponse(bool flag)
{
    pushByte(0x00);
    pushByte(flag ? 0x80 : 0x00);
    return prependCommand(GetVXStatus, RecordTag);
}

void CommProtocol::pushByteArray(QByteArray &bytes)
{
    // The length byte wraps above 255; the bytes are all written regardless.
    pushByte(static_cast<unsigned char>(bytes.size() & 0xFF));
    msgData.append(bytes);
}

void CommProtocol::pushString(QString text)
{
    QByteArray bytes = text.toLatin1();
    pushByteArray(bytes);
}

unsigned short CommProtocol::getCurrentRxCmd()
{
    if (msgData.size() < 2)
        return 0;
    return popShort(true);
}

bool CommProtocol::getVXStatusInfo(bool &flag)
{
    popByte(true);
    flag = (popByte(true) & 0x80) != 0;
    return true;
}

QByteArray CommProtocol::popString(unsigned char length)
{
    if (length == 0) {
        length = popByte(true);
        if (length == 0)
            return QByteArray();
    }
    QByteArray result;
    result.reserve(length);
    for (int i = 0; i < length; ++i)
        result.append(char(popByte(true)));
    return result;
}
