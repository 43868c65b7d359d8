#include "commprotocol.h"
#include "emulatorfault.h"
#include "moduleemulator.h"
#include "streamframer.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using Builder = std::function<void(CommProtocol &)>;
Q_DECLARE_METATYPE(Builder)

namespace {
QByteArray frameOf(const Builder &build)
{
    CommProtocol p;
    build(p);
    return p.msgData;
}

QList<StreamFramer::Event> decodeAll(const QList<QVariant> &transmitted)
{
    StreamFramer framer;
    QList<StreamFramer::Event> events;
    for (const QVariant &v : transmitted)
        events += framer.feed(v.toByteArray());
    return events;
}
} // namespace

class tst_ModuleEmulator : public QObject
{
    Q_OBJECT

private slots:
    void setRequest_data();
    void setRequest();
    void refusedValue_data();
    void refusedValue();
    void moduleInfo();
    void allConfig();
    void level_data();
    void level();
    void bulkWrite();
    void reset();
    void faults();
    void faultText_data();
    void faultText();
    void stateFile();
    void hostileStateFile();
};

void tst_ModuleEmulator::setRequest_data()
{
    QTest::addColumn<Builder>("build");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("hashKey");
    QTest::addColumn<QVariant>("hashValue");
    QTest::newRow("lnb1 off") << Builder([](CommProtocol &p) { p.buildLNB1Request(0, true); }) << 1
                              << 0 << "LNB_1" << QVariant(0);
    QTest::newRow("pol2 horizontal")
        << Builder([](CommProtocol &p) { p.buildPol2Request(1, false); }) << 4 << 1 << "Pol_2"
        << QVariant(1);
    QTest::newRow("input freq 2") << Builder(
        [](CommProtocol &p) { p.buildInputFreq2Request(1550, true); })
                                  << 8 << 1550 << "Freq2_Input" << QVariant(QStringLiteral("1550"));
    QTest::newRow("bandwidth 1 72 MHz")
        << Builder([](CommProtocol &p) { p.buildInputBandwidth1Request(72, true); }) << 13 << 72
        << "BW_1" << QVariant(29);
    QTest::newRow("bandwidth 2 68 MHz")
        << Builder([](CommProtocol &p) { p.buildInputBandwidth2Request(68, true); }) << 14 << 68
        << "BW_2" << QVariant(29);
    QTest::newRow("one input") << Builder([](CommProtocol &p) { p.buildNumInputsRequest(0, true); })
                               << 15 << 0 << "Entradas" << QVariant(0);
    QTest::newRow("output freq 1 top")
        << Builder([](CommProtocol &p) { p.buildOutputFreq1Request(2150, true); }) << 18 << 2150
        << "Freq1_Output" << QVariant(QStringLiteral("2150"));
}

void tst_ModuleEmulator::setRequest()
{
    QFETCH(Builder, build);
    QFETCH(int, command);
    QFETCH(int, value);
    QFETCH(QString, hashKey);
    QFETCH(QVariant, hashValue);
    CommProtocol p;
    build(p);
    ModuleEmulator emu;
    const QList<ModuleEmulator::Reply> replies
        = emu.handleFrame(p.msgData, p.linkFlags[6] ? StreamFramer::ConfirmRequest : 0);
    QCOMPARE(emu.value(command), value);
    QCOMPARE(emu.configHash().value(hashKey), hashValue);
    if (p.linkFlags[6]) {
        QCOMPARE(replies.size(), 1);
        QCOMPARE(replies.first().frame, p.msgData.left(4));
        QCOMPARE(int(replies.first().flags), int(StreamFramer::Confirmation));
    } else {
        QVERIFY(replies.isEmpty());
    }
}

void tst_ModuleEmulator::refusedValue_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("input freq 949")
        << frameOf([](CommProtocol &p) { p.buildInputFreq1Request(949, true); });
    QTest::newRow("output freq 2151")
        << frameOf([](CommProtocol &p) { p.buildOutputFreq2Request(2151, true); });
    QTest::newRow("symbol rate 45001")
        << frameOf([](CommProtocol &p) { p.buildInputSRate2Request(45001, true); });
    QTest::newRow("roll-off 3") << frameOf(
        [](CommProtocol &p) { p.buildRollOff1Request(3, true); });
    QTest::newRow("attenuation 21")
        << frameOf([](CommProtocol &p) { p.buildOutputAttenuation1Request(21, true); });
    QTest::newRow("lnb 2") << frameOf([](CommProtocol &p) { p.buildLNB2Request(2, true); });
    QTest::newRow("68 MHz on channel 1")
        << frameOf([](CommProtocol &p) { p.buildInputBandwidth1Request(68, true); });
    QTest::newRow("72 MHz on channel 2")
        << frameOf([](CommProtocol &p) { p.buildInputBandwidth2Request(72, true); });
    QTest::newRow("short payload") << QByteArray::fromHex("0004000706");
    QTest::newRow("unknown command 27") << QByteArray::fromHex("0004001b");
}

void tst_ModuleEmulator::refusedValue()
{
    QFETCH(QByteArray, frame);
    ModuleEmulator emu;
    const ModuleEmulator::State before = emu.state();
    const QList<ModuleEmulator::Reply> replies
        = emu.handleFrame(frame, StreamFramer::ConfirmRequest);
    QCOMPARE(replies.size(), 1);
    QCOMPARE(int(replies.first().flags), int(StreamFramer::Confirmation | StreamFramer::Refused));
    QCOMPARE(replies.first().frame, frame.left(4));
    QVERIFY(emu.state() == before);
}

void tst_ModuleEmulator::moduleInfo()
{
    ModuleEmulator emu;
    ModuleEmulator::Identity id;
    id.productCode = 123456;
    id.hwMajor = 2;
    id.hwMinor = 5;
    id.firmware = "01.2";
    id.serialPrefix = 7;
    id.serialNumber = 42;
    emu.setIdentity(id);
    CommProtocol request;
    request.buildGetModuleInfoRequest();
    const QList<ModuleEmulator::Reply> replies = emu.handleFrame(request.msgData, 0);
    QCOMPARE(replies.size(), 1);
    QCOMPARE(replies.first().frame,
             QByteArray::fromHex("00040017"
                                 "01e240"
                                 "0205"
                                 "30312e3200"
                                 "07"
                                 "00002a"));
    QCOMPARE(int(replies.first().flags), 0);
}

void tst_ModuleEmulator::allConfig()
{
    ModuleEmulator emu;
    emu.handleFrame(frameOf([](CommProtocol &p) { p.buildInputBandwidth1Request(72, false); }), 0);
    emu.handleFrame(frameOf([](CommProtocol &p) { p.buildInputBandwidth2Request(42, false); }), 0);
    emu.handleFrame(frameOf([](CommProtocol &p) { p.buildInputBandwidth2Request(0x80, false); }),
                    0);
    CommProtocol request;
    request.buildGetAllCfgRequest();
    CommProtocol answer;
    answer.msgData = emu.handleFrame(request.msgData, 0).value(0).frame;
    QCOMPARE(answer.popShort(true), (unsigned short)4);
    QCOMPARE(answer.getCurrentRxCmd(), (unsigned short)24);
    QList<int> codes;
    QHash<int, QByteArray> records;
    while (answer.msgData.size() >= 4) {
        QCOMPARE(answer.popShort(true), (unsigned short)4);
        const int code = answer.getCurrentRxCmd();
        const int size = ModuleEmulator::payloadSize(code);
        QVERIFY(size > 0);
        codes << code;
        records.insert(code, answer.msgData.left(size));
        answer.msgData.remove(0, size);
    }
    QVERIFY(answer.msgData.isEmpty());
    QCOMPARE(codes.size(), 21);
    QCOMPARE(records.value(13), QByteArray::fromHex("48")); // 72 MHz, manual
    QCOMPARE(records.value(14), QByteArray::fromHex("92")); // automatic, 42 MHz at list position 18
    QCOMPARE(records.value(7), QByteArray::fromHex("060e")); // factory 1550 MHz
    QCOMPARE(emu.configHash().value(QStringLiteral("BW_1")), QVariant(29));
    QCOMPARE(emu.configHash().value(QStringLiteral("BW_2")), QVariant(255));
    QCOMPARE(emu.configHash().size(), 21);
}

void tst_ModuleEmulator::level_data()
{
    QTest::addColumn<double>("rf");
    QTest::addColumn<int>("lnb");
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("pol");
    QTest::addColumn<int>("inputs");
    QTest::addColumn<int>("code1");
    QTest::addColumn<int>("code2");
    QTest::newRow("72 dBuV low band vertical") << 72.0 << 1 << 0 << 0 << 1 << 6 << 6;
    QTest::newRow("high band horizontal lose 3.5 dB") << 72.0 << 1 << 1 << 1 << 1 << 5 << 5;
    QTest::newRow("no LNB supply, no signal") << 72.0 << 0 << 0 << 0 << 1 << 0 << 0;
    QTest::newRow("85 and above") << 85.0 << 1 << 0 << 0 << 1 << 9 << 9;
    QTest::newRow("one input: input 2 unused") << 60.0 << 1 << 0 << 0 << 0 << 4 << 0;
}

void tst_ModuleEmulator::level()
{
    QFETCH(double, rf);
    QFETCH(int, lnb);
    QFETCH(int, band);
    QFETCH(int, pol);
    QFETCH(int, inputs);
    QFETCH(int, code1);
    QFETCH(int, code2);
    ModuleEmulator emu;
    ModuleEmulator::State s = emu.state();
    s.value[CommProtocol::LNB1] = s.value[CommProtocol::LNB2] = lnb;
    s.value[CommProtocol::Band1] = s.value[CommProtocol::Band2] = band;
    s.value[CommProtocol::Pol1] = s.value[CommProtocol::Pol2] = pol;
    s.value[CommProtocol::NumInputs] = inputs;
    emu.setState(s);
    emu.setRfInput(1, rf);
    emu.setRfInput(2, rf);
    CommProtocol request;
    request.buildGetLevelRequest();
    const QByteArray answer = emu.handleFrame(request.msgData, 0).value(0).frame;
    QCOMPARE(answer,
             QByteArray::fromHex("00040016") + QByteArray(1, char(code1))
                 + QByteArray(1, char(code2)));
}

void tst_ModuleEmulator::bulkWrite()
{
    ModuleEmulator emu;
    emu.handleFrame(frameOf([](CommProtocol &p) { p.buildSetAllCfgRequest(false, false); }), 0);
    QVERIFY(emu.bulkOpen());
    emu.handleFrame(frameOf([](CommProtocol &p) { p.buildOutputFreq1Request(1999, false); }), 0);
    // Staged until the bulk write closes.
    QCOMPARE(emu.value(CommProtocol::OutputFreq1), 1100);
    // A new start drops what was staged.
    emu.handleFrame(frameOf([](CommProtocol &p) { p.buildSetAllCfgRequest(false, false); }), 0);
    emu.handleFrame(frameOf([](CommProtocol &p) { p.buildOutputFreq2Request(2000, false); }), 0);
    CommProtocol end;
    end.buildSetAllCfgRequest(true, true);
    const QList<ModuleEmulator::Reply> replies
        = emu.handleFrame(end.msgData, StreamFramer::ConfirmRequest);
    QCOMPARE(replies.value(0).frame, QByteArray::fromHex("00040019"));
    QCOMPARE(int(replies.value(0).flags), int(StreamFramer::Confirmation));
    QVERIFY(!emu.bulkOpen());
    QCOMPARE(emu.value(CommProtocol::OutputFreq1), 1100);
    QCOMPARE(emu.value(CommProtocol::OutputFreq2), 2000);
}

void tst_ModuleEmulator::reset()
{
    ModuleEmulator emu;
    emu.handleFrame(frameOf([](CommProtocol &p) { p.buildOutputAttenuation1Request(9, false); }),
                    0);
    emu.handleFrame(frameOf([](CommProtocol &p) { p.buildSetAllCfgRequest(false, false); }), 0);
    CommProtocol reset;
    reset.buildResetToFactoryConfiguration();
    QCOMPARE(reset.msgData, QByteArray::fromHex("0004001d"));
    QVERIFY(emu.handleFrame(reset.msgData, 0).isEmpty());
    QVERIFY(emu.state() == ModuleEmulator::factoryState());
    QVERIFY(!emu.bulkOpen());
}

void tst_ModuleEmulator::faults()
{
    ModuleEmulator emu;
    QSignalSpy out(&emu, &ModuleEmulator::transmit);
    EmulatorFault f;
    QString error;
    QVERIFY(EmulatorFault::parse(QStringLiteral("drop:23*1"), f, error));
    emu.addFault(f);
    QVERIFY(EmulatorFault::parse(QStringLiteral("refuse:7"), f, error));
    emu.addFault(f);
    QVERIFY(EmulatorFault::parse(QStringLiteral("corrupt:24"), f, error));
    emu.addFault(f);

    const QByteArray info
        = StreamFramer::encode(frameOf([](CommProtocol &p) { p.buildGetModuleInfoRequest(); }));
    emu.receive(info);
    QCOMPARE(out.count(), 0); // dropped once
    emu.receive(info);
    QCOMPARE(out.count(), 1); // then answered
    QCOMPARE(decodeAll(out.takeFirst()).value(0).bytes.left(4), QByteArray::fromHex("00040017"));

    emu.receive(
        StreamFramer::encode(frameOf([](CommProtocol &p) { p.buildInputFreq1Request(2000, true); }),
                             StreamFramer::ConfirmRequest));
    QCOMPARE(emu.value(CommProtocol::InputFreq1), 1550);
    const QList<StreamFramer::Event> refusal = decodeAll(out.takeFirst());
    QCOMPARE(int(refusal.value(0).flags), int(StreamFramer::Confirmation | StreamFramer::Refused));
    QCOMPARE(refusal.value(0).bytes, QByteArray::fromHex("00040007"));

    emu.receive(StreamFramer::encode(frameOf([](CommProtocol &p) { p.buildGetAllCfgRequest(); })));
    QCOMPARE(decodeAll(out.takeFirst()).value(0).kind, StreamFramer::Event::BadChecksum);

    // Requests not named by a fault pass untouched.
    emu.receive(
        StreamFramer::encode(frameOf([](CommProtocol &p) { p.buildInputFreq2Request(2000, true); }),
                             StreamFramer::ConfirmRequest));
    QCOMPARE(emu.value(CommProtocol::InputFreq2), 2000);
    QCOMPARE(int(decodeAll(out.takeFirst()).value(0).flags), int(StreamFramer::Confirmation));

    // A fault on the end of a bulk write leaves its start alone.
    QVERIFY(EmulatorFault::parse(QStringLiteral("drop:25/1"), f, error));
    emu.addFault(f);
    emu.receive(StreamFramer::encode(
        frameOf([](CommProtocol &p) { p.buildSetAllCfgRequest(false, false); })));
    QVERIFY(emu.bulkOpen());
    emu.receive(
        StreamFramer::encode(frameOf([](CommProtocol &p) { p.buildSetAllCfgRequest(true, true); }),
                             StreamFramer::ConfirmRequest));
    QVERIFY(emu.bulkOpen());
    QCOMPARE(out.count(), 0);
}

void tst_ModuleEmulator::faultText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("canonical");
    QTest::newRow("drop one command") << "drop:25" << true << "drop:25";
    QTest::newRow("refuse two, once") << "refuse:8,7*1" << true << "refuse:8,7*1";
    QTest::newRow("end of bulk write") << "drop:25/1" << true << "drop:25/1";
    QTest::newRow("value too large") << "drop:25/256" << false << "";
    QTest::newRow("delay default") << "delay" << true << "delay=500";
    QTest::newRow("late default") << "late:24" << true << "late=4000:24";
    QTest::newRow("corrupt all") << "corrupt" << true << "corrupt";
    QTest::newRow("unknown kind") << "explode" << false << "";
    QTest::newRow("delay on drop") << "drop=5" << false << "";
    QTest::newRow("command 0") << "drop:0" << false << "";
    QTest::newRow("garbage") << "refuse::" << false << "";
}

void tst_ModuleEmulator::faultText()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QString, canonical);
    EmulatorFault f;
    QString error;
    QCOMPARE(EmulatorFault::parse(text, f, error), valid);
    if (valid)
        QCOMPARE(f.toString(), canonical);
    else
        QVERIFY(!error.isEmpty());
}

void tst_ModuleEmulator::stateFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.ini"));
    QString error;
    {
        ModuleEmulator emu;
        QVERIFY2(emu.setStateFile(path, error), qPrintable(error));
        QVERIFY(QFileInfo::exists(path));
        emu.handleFrame(frameOf([](CommProtocol &p) { p.buildOutputFreq2Request(1717, false); }),
                        0);
        emu.handleFrame(frameOf([](CommProtocol &p) { p.buildInputBandwidth1Request(90, false); }),
                        0);
    }
    ModuleEmulator again;
    QVERIFY2(again.setStateFile(path, error), qPrintable(error));
    QCOMPARE(again.value(CommProtocol::OutputFreq2), 1717);
    QCOMPARE(again.configHash().value(QStringLiteral("BW_1")), QVariant(32));
    QCOMPARE(again.configHash().value(QStringLiteral("BW_2")), QVariant(255));
}

void tst_ModuleEmulator::hostileStateFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.ini"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[state]\nOutputFreq1=99999\nInputSRate1=abc\nOutputAttenuation2=7\n\x01\x02garbage\n");
    f.close();
    ModuleEmulator emu;
    QString error;
    QVERIFY(!emu.setStateFile(path, error));
    QVERIFY(error.contains(QLatin1String("OutputFreq1")));
    QVERIFY(error.contains(QLatin1String("InputSRate1")));
    QCOMPARE(emu.value(CommProtocol::OutputFreq1), 1100);
    QCOMPARE(emu.value(CommProtocol::InputSRate1), 27500);
    QCOMPARE(emu.value(CommProtocol::OutputAttenuation2), 7);
}

QTEST_MAIN(tst_ModuleEmulator)
#include "tst_moduleemulator.moc"
