#pragma once

#include "commmsg.h"

#include <QObject>

// Builds module link frames (record tag 0x0004, 16-bit command, big-endian
// payload) and takes the module's answers apart.
class CommProtocol : public QObject, public CommMsg
{
    Q_OBJECT

public:
    enum Command : unsigned short {
        LNB1 = 1,
        LNB2,
        Pol1,
        Pol2,
        Band1,
        Band2,
        InputFreq1,
        InputFreq2,
        InputSRate1,
        InputSRate2,
        RollOff1,
        RollOff2,
        InputBandwidth1,
        InputBandwidth2,
        NumInputs,
        C1Activate,
        C2Activate,
        OutputFreq1,
        OutputFreq2,
        OutputAttenuation1,
        OutputAttenuation2,
        GetLevel = 22,
        GetModuleInfo = 23,
        GetAllCfg = 24,
        SetAllCfg = 25,
        GetVXStatus = 26,
        ResetToFactory = 29
    };
    static constexpr unsigned short RecordTag = 4;
    static constexpr int AnswerTimeoutMs = 3000;

    CommProtocol();
    // Wraps a delivered message; the bytes are shared, not copied.
    explicit CommProtocol(CommMsg &msg);

    void clearMsgData() override;

    bool prependCommand(unsigned short command, unsigned short tag);

    // The set-request of any configuration parameter (codes 1..21), with the
    // value's width taken from the parameter table; false for other codes.
    bool buildParameterRequest(unsigned short command, unsigned short value, bool confirm);
    bool buildLNB1Request(unsigned char value, bool confirm);
    bool buildLNB2Request(unsigned char value, bool confirm);
    bool buildPol1Request(unsigned char value, bool confirm);
    bool buildPol2Request(unsigned char value, bool confirm);
    bool buildBand1Request(unsigned char value, bool confirm);
    bool buildBand2Request(unsigned char value, bool confirm);
    bool buildInputFreq1Request(unsigned short mhz, bool confirm);
    bool buildInputFreq2Request(unsigned short mhz, bool confirm);
    bool buildInputSRate1Request(unsigned short kbd, bool confirm);
    bool buildInputSRate2Request(unsigned short kbd, bool confirm);
    bool buildRollOff1Request(unsigned char value, bool confirm);
    bool buildRollOff2Request(unsigned char value, bool confirm);
    bool buildInputBandwidth1Request(unsigned char value, bool confirm);
    bool buildInputBandwidth2Request(unsigned char value, bool confirm);
    bool buildNumInputsRequest(unsigned char value, bool confirm);
    bool buildC1ActivateRequest(unsigned char value, bool confirm);
    bool buildC2ActivateRequest(unsigned char value, bool confirm);
    bool buildOutputFreq1Request(unsigned short mhz, bool confirm);
    bool buildOutputFreq2Request(unsigned short mhz, bool confirm);
    bool buildOutputAttenuation1Request(unsigned char db, bool confirm);
    bool buildOutputAttenuation2Request(unsigned char db, bool confirm);
    bool buildGetLevelRequest();
    bool buildGetModuleInfoRequest();
    bool buildGetAllCfgRequest();
    bool buildSetAllCfgRequest(bool value, bool confirm);
    bool buildGetVXStatusRequest();
    bool buildResetToFactoryConfiguration();

    // The module's side of the exchange.
    bool buildGetLevelResponse(unsigned char level1, unsigned char level2);
    bool buildModuleInfoResponse();
    bool buildGetAllCfgResponse();
    bool buildGetStatusResponse(bool flag);

    void pushByteArray(QByteArray &bytes);
    void pushString(QString text);

    unsigned short getCurrentRxCmd();
    bool getVXStatusInfo(bool &flag);
    QByteArray popString(unsigned char length);

private:
    bool buildSetByte(unsigned short command, unsigned char value, bool confirm);
    bool buildSetShort(unsigned short command, unsigned short value, bool confirm);
    bool buildGet(unsigned short command);
    void askConfirmation(bool confirm);
};
