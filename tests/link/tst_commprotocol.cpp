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
    // One set-request of each payload width, with and without confirmation; the
    // configuration exchange's test sees every command code.
    set("lnb1 on", "0004000101", [](auto &p) { p.buildLNB1Request(1, false); });
    set("infreq1 950", "0004000703b6", [](auto &p) { p.buildInputFreq1Request(950, false); });
    row("infreq2", "00040008060e", 0, true, [](auto &p) { p.buildInputFreq2Request(1550, true); });
    set("srate2 45000", "0004000aafc8", [](auto &p) { p.buildInputSRate2Request(45000, false); });
    row("atten2 3", "0004001503", 0, true,
        [](auto &p) { p.buildOutputAttenuation2Request(3, true); });
    row("get level", "00040016", 22, false, [](auto &p) { p.buildGetLevelRequest(); });
    row("get info", "00040017", 23, false, [](auto &p) { p.buildGetModuleInfoRequest(); });
    row("get all", "00040018", 24, false, [](auto &p) { p.buildGetAllCfgRequest(); });
    set("set all start", "0004001900", [](auto &p) { p.buildSetAllCfgRequest(false, false); });
    row("set all end", "0004001901", 0, true, [](auto &p) { p.buildSetAllCfgRequest(true, true); });
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
