#include "commprotocol.h"

#include <QtTest>

class tst_CommProtocol : public QObject
{
    Q_OBJECT

private slots:
    void msgDefaults();
    void pushes();
    void pops();
    void popInt_offset();
    void copyShares();
    void build_data();
    void build();
    void controlFields();
    void answers();
    void strings();
    void parse();
};

void tst_CommProtocol::msgDefaults()
{
    CommMsg m;
    QCOMPARE(m.linkParam, 3);
    QCOMPARE(m.expectedAnswer, 0);
    QCOMPARE(m.linkSwitch, false);
    QCOMPARE(m.answerTimeoutMs, 10000);
    for (int i = 0; i < 8; ++i)
        QCOMPARE(m.linkFlags[i], i == 3 || i == 4);
    QVERIFY(m.getMsgData().isEmpty());

    QByteArray bytes = QByteArray::fromHex("0102");
    CommMsg wrapped(bytes);
    QCOMPARE(wrapped.getMsgData(), bytes);
    QCOMPARE(wrapped.answerTimeoutMs, 10000);
}

void tst_CommProtocol::pushes()
{
    CommMsg m;
    m.pushShort(4660);
    QCOMPARE(m.getMsgData().toHex(' '), QByteArray("12 34"));

    CommMsg f;
    f.pushByte(0xAA);
    f.pushIntInFront(262167);
    QCOMPARE(f.getMsgData().toHex(' '), QByteArray("00 04 00 17 aa"));

    CommMsg g;
    g.pushInt(0x01020304);
    g.pushShortInFront(0xBEEF);
    g.pushByteInFront(0x7F);
    QCOMPARE(g.getMsgData().toHex(' '), QByteArray("7f be ef 01 02 03 04"));
}

void tst_CommProtocol::pops()
{
    CommMsg one;
    one.pushByte(0x12);
    QCOMPARE(one.popShort(true), (unsigned short)0);
    QCOMPARE(one.getMsgData().size(), 1);
    QCOMPARE(one.popInt(true), 0u);
    QCOMPARE(one.popByte(true), (unsigned char)0x12);
    QCOMPARE(one.popByte(true), (unsigned char)0);

    CommMsg m;
    m.pushShort(0x0102);
    m.pushShort(0x0304);
    QCOMPARE(m.popShort(false), (unsigned short)0x0102);
    QCOMPARE(m.popShort(false), (unsigned short)0x0102);
    QCOMPARE(m.popShort(true), (unsigned short)0x0102);
    QCOMPARE(m.popShort(true), (unsigned short)0x0304);
    QVERIFY(m.getMsgData().isEmpty());

    CommMsg high;
    high.pushByte(0xFF);
    high.pushByte(0xFE);
    QCOMPARE(high.popShort(true), (unsigned short)0xFFFE);
}

void tst_CommProtocol::popInt_offset()
{
    QByteArray bytes = QByteArray::fromHex("000102030405");
    CommMsg m(bytes);
    QCOMPARE(m.popInt(false, 3), 0u);
    QCOMPARE(m.getMsgData().size(), 6);
    QCOMPARE(m.popInt(true, 2), 0x02030405u);
    QCOMPARE(m.getMsgData().toHex(' '), QByteArray("04 05"));

    QByteArray high = QByteArray::fromHex("fffffffe");
    CommMsg h(high);
    QCOMPARE(h.popInt(true), 0xFFFFFFFEu);
}

void tst_CommProtocol::copyShares()
{
    CommMsg m;
    m.pushShort(0x0004);
    m.expectedAnswer = 24;
    m.linkFlags[1] = true;
    CommMsg copy(m);
    QCOMPARE(copy.getMsgData().constData(), m.getMsgData().constData());
    QCOMPARE(copy.expectedAnswer, 24);
    QVERIFY(copy.linkFlags[1]);
    copy.popShort(true);
    QCOMPARE(m.getMsgData().toHex(), QByteArray("0004"));

    CommProtocol wrapped(m);
    QVERIFY(wrapped.linkFlags[1]);
    QCOMPARE(wrapped.expectedAnswer, 24);
    QCOMPARE(wrapped.linkParam, 3);
}

using Builder = std::function<bool(CommProtocol &)>;
Q_DECLARE_METATYPE(Builder)

void tst_CommProtocol::build_data()
{
    QTest::addColumn<Builder>("builder");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("expectedAnswer");
    QTest::addColumn<int>("timeout");

    auto row = [](const char *name, Builder b, const char *hex, int answer = 0, int timeout = 0) {
        QTest::newRow(name) << b << QByteArray::fromHex(hex) << answer << timeout;
    };
    row(
        "lnb1 on", [](CommProtocol &p) { return p.buildLNB1Request(1, false); }, "0004000101");
    row(
        "lnb2 off", [](CommProtocol &p) { return p.buildLNB2Request(0, false); }, "0004000200");
    row(
        "pol1", [](CommProtocol &p) { return p.buildPol1Request(1, false); }, "0004000301");
    row(
        "pol2", [](CommProtocol &p) { return p.buildPol2Request(1, false); }, "0004000401");
    row(
        "band1", [](CommProtocol &p) { return p.buildBand1Request(1, false); }, "0004000501");
    row(
        "band2", [](CommProtocol &p) { return p.buildBand2Request(0, false); }, "0004000600");
    row(
        "infreq1 950", [](CommProtocol &p) { return p.buildInputFreq1Request(950, false); },
        "0004000703b6");
    row(
        "infreq2 1550 confirmed",
        [](CommProtocol &p) { return p.buildInputFreq2Request(1550, true); }, "00040008060e", 0,
        3000);
    row(
        "srate1 27500", [](CommProtocol &p) { return p.buildInputSRate1Request(27500, false); },
        "000400096b6c");
    row(
        "srate2 45000", [](CommProtocol &p) { return p.buildInputSRate2Request(45000, false); },
        "0004000aafc8");
    row(
        "rolloff1", [](CommProtocol &p) { return p.buildRollOff1Request(2, false); }, "0004000b02");
    row(
        "rolloff2", [](CommProtocol &p) { return p.buildRollOff2Request(1, false); }, "0004000c01");
    row(
        "bw1 auto", [](CommProtocol &p) { return p.buildInputBandwidth1Request(0x80, false); },
        "0004000d80");
    row(
        "bw2 72", [](CommProtocol &p) { return p.buildInputBandwidth2Request(72, false); },
        "0004000e48");
    row(
        "inputs two", [](CommProtocol &p) { return p.buildNumInputsRequest(1, false); },
        "0004000f01");
    row(
        "c1 on", [](CommProtocol &p) { return p.buildC1ActivateRequest(1, false); }, "0004001001");
    row(
        "c2 off", [](CommProtocol &p) { return p.buildC2ActivateRequest(0, false); }, "0004001100");
    row(
        "outfreq1 2150", [](CommProtocol &p) { return p.buildOutputFreq1Request(2150, false); },
        "000400120866");
    row(
        "outfreq2 1000", [](CommProtocol &p) { return p.buildOutputFreq2Request(1000, false); },
        "0004001303e8");
    row(
        "atten1 20", [](CommProtocol &p) { return p.buildOutputAttenuation1Request(20, false); },
        "0004001414");
    row(
        "atten2 3", [](CommProtocol &p) { return p.buildOutputAttenuation2Request(3, true); },
        "0004001503", 0, 3000);
    row(
        "get level", [](CommProtocol &p) { return p.buildGetLevelRequest(); }, "00040016", 22,
        3000);
    row(
        "get info", [](CommProtocol &p) { return p.buildGetModuleInfoRequest(); }, "00040017", 23,
        3000);
    row(
        "get all", [](CommProtocol &p) { return p.buildGetAllCfgRequest(); }, "00040018", 24, 3000);
    row(
        "set all start", [](CommProtocol &p) { return p.buildSetAllCfgRequest(false, false); },
        "0004001900");
    row(
        "set all end", [](CommProtocol &p) { return p.buildSetAllCfgRequest(true, true); },
        "0004001901", 0, 3000);
    row(
        "get status", [](CommProtocol &p) { return p.buildGetVXStatusRequest(); }, "0004001a", 26,
        3000);
    row(
        "reset", [](CommProtocol &p) { return p.buildResetToFactoryConfiguration(); }, "0004001d");
}

void tst_CommProtocol::build()
{
    QFETCH(Builder, builder);
    QFETCH(QByteArray, bytes);
    QFETCH(int, expectedAnswer);
    QFETCH(int, timeout);

    CommProtocol p;
    QVERIFY(builder(p));
    QCOMPARE(p.getMsgData().toHex(' '), bytes.toHex(' '));
    QCOMPARE(p.expectedAnswer, expectedAnswer);
    QCOMPARE(p.answerTimeoutMs, timeout);
    QCOMPARE(p.linkParam, 0);
    QCOMPARE(p.linkSwitch, true);
    // Only confirmed set-requests ask for the module's confirmation.
    const bool confirmRequest = timeout == 3000 && expectedAnswer == 0;
    QCOMPARE(p.linkFlags[6], confirmRequest);
    QCOMPARE(p.linkFlags[7], false);
    QCOMPARE(p.linkFlags[3], true);
    QCOMPARE(p.linkFlags[4], true);
}

void tst_CommProtocol::controlFields()
{
    // The reset request leaves every control field as it was.
    CommProtocol p;
    p.answerTimeoutMs = 1234;
    p.expectedAnswer = 7;
    p.linkFlags[6] = true;
    p.linkParam = 9;
    p.buildResetToFactoryConfiguration();
    QCOMPARE(p.answerTimeoutMs, 1234);
    QCOMPARE(p.expectedAnswer, 7);
    QCOMPARE(p.linkParam, 9);
    QVERIFY(p.linkFlags[6]);

    // One protocol serves several frames when cleared in between.
    p.clearMsgData();
    p.buildGetAllCfgRequest();
    p.clearMsgData();
    p.buildLNB1Request(1, false);
    QCOMPARE(p.getMsgData().toHex(), QByteArray("0004000101"));
    QCOMPARE(p.expectedAnswer, 0);
    QCOMPARE(p.answerTimeoutMs, 0);

    CommProtocol tagged;
    tagged.pushByte(0x55);
    tagged.prependCommand(0x1234, 0xABCD);
    QCOMPARE(tagged.getMsgData().toHex(), QByteArray("abcd123455"));
}

void tst_CommProtocol::answers()
{
    CommProtocol level;
    level.buildGetLevelResponse(3, 9);
    QCOMPARE(level.getMsgData().toHex(' '), QByteArray("00 04 00 16 03 09"));

    CommProtocol info;
    info.pushByte(0x01);
    info.buildModuleInfoResponse();
    QCOMPARE(info.getMsgData().toHex(' '), QByteArray("00 04 00 17 01"));

    CommProtocol all;
    all.pushInt(0x00040001);
    all.pushByte(1);
    all.buildGetAllCfgResponse();
    QCOMPARE(all.getMsgData().toHex(' '), QByteArray("00 04 00 18 00 04 00 01 01"));

    CommProtocol on;
    on.buildGetStatusResponse(true);
    QCOMPARE(on.getMsgData().toHex(' '), QByteArray("00 04 00 1a 00 80"));
    CommProtocol off;
    off.buildGetStatusResponse(false);
    QCOMPARE(off.getMsgData().toHex(' '), QByteArray("00 04 00 1a 00 00"));
}

void tst_CommProtocol::strings()
{
    CommProtocol p;
    p.pushString(QStringLiteral("AB"));
    QCOMPARE(p.getMsgData().toHex(' '), QByteArray("02 41 42"));
    QCOMPARE(p.popString(0), QByteArray("AB"));
    QVERIFY(p.getMsgData().isEmpty());

    QByteArray zero = QByteArray::fromHex("00");
    CommMsg z(zero);
    CommProtocol empty(z);
    QCOMPARE(empty.popString(0), QByteArray());

    QByteArray a = QByteArray::fromHex("41");
    CommMsg s(a);
    CommProtocol shortMsg(s);
    QCOMPARE(shortMsg.popString(3), QByteArray::fromHex("410000"));

    // More than 255 bytes: the length byte wraps, every byte is still written.
    QByteArray big(300, 'x');
    CommProtocol wide;
    wide.pushByteArray(big);
    QCOMPARE(wide.getMsgData().size(), 301);
    QCOMPARE(static_cast<unsigned char>(wide.getMsgData().at(0)), (unsigned char)(300 & 0xFF));
}

void tst_CommProtocol::parse()
{
    QByteArray frame = QByteArray::fromHex("000400180004");
    CommMsg m(frame);
    CommProtocol p(m);
    p.popShort(true);
    QCOMPARE(p.getCurrentRxCmd(), (unsigned short)24);
    QCOMPARE(p.popShort(true), (unsigned short)4);
    QCOMPARE(p.getCurrentRxCmd(), (unsigned short)0);

    QByteArray one = QByteArray::fromHex("07");
    CommMsg o(one);
    CommProtocol oneByte(o);
    QCOMPARE(oneByte.getCurrentRxCmd(), (unsigned short)0);
    QCOMPARE(oneByte.getMsgData().size(), 1);

    bool flag = false;
    QByteArray set = QByteArray::fromHex("0080");
    CommMsg s(set);
    CommProtocol status(s);
    QVERIFY(status.getVXStatusInfo(flag));
    QVERIFY(flag);
    QByteArray clear = QByteArray::fromHex("007f");
    CommMsg c(clear);
    CommProtocol status2(c);
    status2.getVXStatusInfo(flag);
    QVERIFY(!flag);
}

QTEST_APPLESS_MAIN(tst_CommProtocol)
#include "tst_commprotocol.moc"
