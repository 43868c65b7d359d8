#include "commprotocol.h"
#include "testmain.h"

#include <functional>

using Builder = std::function<void(CommProtocol &)>;
Q_DECLARE_METATYPE(Builder)

class tst_CommProtocol : public QObject
{
    Q_OBJECT

private slots:
    void build_data();
    void build();
    void takeApart();
};

void tst_CommProtocol::build_data()
{
    QTest::addColumn<Builder>("builder");
    QTest::addColumn<QByteArray>("hex");
    QTest::addColumn<int>("expectedAnswer");
    QTest::addColumn<bool>("confirm");
    auto row = [](const char *name, const char *hex, int answer, bool confirm, Builder b) {
        QTest::newRow(name) << b << QByteArray(hex) << answer << confirm;
    };
    auto set = [&](const char *name, const char *hex, Builder b) { row(name, hex, 0, false, b); };
    set("lnb1 on", "0004000101", [](auto &p) { p.buildLNB1Request(1, false); });
    set("lnb2 off", "0004000200", [](auto &p) { p.buildLNB2Request(0, false); });
    set("pol1", "0004000301", [](auto &p) { p.buildPol1Request(1, false); });
    set("pol2", "0004000401", [](auto &p) { p.buildPol2Request(1, false); });
    set("band1", "0004000501", [](auto &p) { p.buildBand1Request(1, false); });
    set("band2", "0004000600", [](auto &p) { p.buildBand2Request(0, false); });
    set("infreq1 950", "0004000703b6", [](auto &p) { p.buildInputFreq1Request(950, false); });
    row("infreq2", "00040008060e", 0, true, [](auto &p) { p.buildInputFreq2Request(1550, true); });
    set("srate1 27500", "000400096b6c", [](auto &p) { p.buildInputSRate1Request(27500, false); });
    set("srate2 45000", "0004000aafc8", [](auto &p) { p.buildInputSRate2Request(45000, false); });
    set("rolloff1", "0004000b02", [](auto &p) { p.buildRollOff1Request(2, false); });
    set("rolloff2", "0004000c01", [](auto &p) { p.buildRollOff2Request(1, false); });
    set("bw1 auto", "0004000d80", [](auto &p) { p.buildInputBandwidth1Request(0x80, false); });
    set("bw2 72", "0004000e48", [](auto &p) { p.buildInputBandwidth2Request(72, false); });
    set("inputs two", "0004000f01", [](auto &p) { p.buildNumInputsRequest(1, false); });
    set("c1 on", "0004001001", [](auto &p) { p.buildC1ActivateRequest(1, false); });
    set("c2 off", "0004001100", [](auto &p) { p.buildC2ActivateRequest(0, false); });
    set("outfreq1 2150", "000400120866", [](auto &p) { p.buildOutputFreq1Request(2150, false); });
    set("outfreq2 1000", "0004001303e8", [](auto &p) { p.buildOutputFreq2Request(1000, false); });
    set("atten1 20", "0004001414", [](auto &p) { p.buildOutputAttenuation1Request(20, false); });
    row("atten2 3", "0004001503", 0, true,
        [](auto &p) { p.buildOutputAttenuation2Request(3, true); });
    row("get level", "00040016", 22, false, [](auto &p) { p.buildGetLevelRequest(); });
    row("get info", "00040017", 23, false, [](auto &p) { p.buildGetModuleInfoRequest(); });
    row("get all", "00040018", 24, false, [](auto &p) { p.buildGetAllCfgRequest(); });
    set("set all start", "0004001900", [](auto &p) { p.buildSetAllCfgRequest(false, false); });
    row("set all end", "0004001901", 0, true, [](auto &p) { p.buildSetAllCfgRequest(true, true); });
    row("get status", "0004001a", 26, false, [](auto &p) { p.buildGetVXStatusRequest(); });
    set("reset", "0004001d", [](auto &p) { p.buildResetToFactoryConfiguration(); });
    // The module's status answer.
    set("status on", "0004001a0080", [](auto &p) { p.buildGetStatusResponse(true); });
    set("status off", "0004001a0000", [](auto &p) { p.buildGetStatusResponse(false); });
}

void tst_CommProtocol::build()
{
    QFETCH(Builder, builder);
    QFETCH(QByteArray, hex);
    QFETCH(int, expectedAnswer);
    QFETCH(bool, confirm);
    CommProtocol p;
    builder(p);
    QCOMPARE(p.msgData.toHex(), hex);
    QCOMPARE(p.expectedAnswer, expectedAnswer);
    QCOMPARE(p.answerTimeoutMs, expectedAnswer || confirm ? 3000 : 0);
    QCOMPARE(p.linkParam, 0);
    QCOMPARE(p.linkSwitch, true);
    QCOMPARE(p.linkFlags[6], confirm);
    QCOMPARE(p.linkFlags[7], false);
    QVERIFY(p.linkFlags[3] && p.linkFlags[4]);
}

void tst_CommProtocol::takeApart()
{
    CommProtocol p;
    p.msgData = QByteArray::fromHex("00040018 00fffffffe 07");
    QCOMPARE(p.popShort(true), (unsigned short)4);
    QCOMPARE(p.getCurrentRxCmd(), (unsigned short)24);
    // Read at an offset, but the first four bytes go.
    QCOMPARE(p.popInt(true, 1), 0xFFFFFFFEu);
    // Short of bytes: zero and nothing taken, or padded with zeros.
    QCOMPARE(p.popInt(true), 0u);
    QCOMPARE(p.popString(3), QByteArray::fromHex("fe0700"));
    QCOMPARE(p.getCurrentRxCmd(), (unsigned short)0);
    QCOMPARE(p.popByte(true), (unsigned char)0);
    bool flag = false;
    p.msgData = QByteArray::fromHex("0080");
    QVERIFY(p.getVXStatusInfo(flag) && flag);
    p.msgData = QByteArray::fromHex("007f");
    QVERIFY(p.getVXStatusInfo(flag) && !flag);
}

MSP_TEST_GUILESS_MAIN(tst_CommProtocol)
#include "tst_commprotocol.moc"
