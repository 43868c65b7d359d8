#include "commprotocol.h"
#include "emulatorfault.h"
#include "moduleemulator.h"
#include "streamframer.h"
#include "testmain.h"

#include <QSignalSpy>
#include <QTemporaryDir>

namespace {
QByteArray text(int flags, const QByteArray &frame)
{
    return QByteArray::number(flags) + ':' + frame.toHex();
}

// Applies one request, written as hex, and gives the answer as "flags:frame".
QByteArray apply(ModuleEmulator &emu, const QByteArray &hex, bool confirm = false)
{
    const auto replies
        = emu.handleFrame(QByteArray::fromHex(hex), confirm ? StreamFramer::ConfirmRequest : 0);
    return replies.isEmpty() ? QByteArray() : text(replies.first().flags, replies.first().frame);
}

// The first thing the emulator transmitted, decoded, or what was wrong with it.
QByteArray sent(QSignalSpy &out)
{
    StreamFramer framer;
    framer.feed(out.takeFirst().at(0).toByteArray());
    StreamFramer::Frame f;
    return framer.next(f) ? text(f.flags, f.bytes) : QByteArray("damaged");
}
} // namespace

class tst_ModuleEmulator : public QObject
{
    Q_OBJECT

private slots:
    void setRequest_data();
    void setRequest();
    void answers();
    void bulkWriteAndReset();
    void faults();
};

void tst_ModuleEmulator::setRequest_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<int>("value"); // -1: refused, nothing changes
    QTest::addColumn<QString>("hashKey");
    QTest::addColumn<QVariant>("hashValue");
    auto refused = [](const char *name, const char *hex) {
        QTest::newRow(name) << QByteArray(hex) << -1 << QString() << QVariant();
    };
    QTest::newRow("lnb1 off") << QByteArray("0004000100") << 0 << "LNB_1" << QVariant(0);
    QTest::newRow("bandwidth 1 72 MHz") << QByteArray("0004000d48") << 72 << "BW_1" << QVariant(29);
    QTest::newRow("bandwidth 2 68 MHz") << QByteArray("0004000e44") << 68 << "BW_2" << QVariant(29);
    QTest::newRow("output freq 1 top")
        << QByteArray("000400120866") << 2150 << "Freq1_Output" << QVariant(QStringLiteral("2150"));
    refused("input freq 949", "0004000703b5");
    refused("output freq 2151", "000400130867");
    refused("symbol rate 1 45001", "00040009afc9");
    refused("roll-off 3", "0004000b03");
    refused("68 MHz on channel 1", "0004000d44");
    refused("short payload", "0004000706");
    refused("unknown command 27", "0004001b");
}

void tst_ModuleEmulator::setRequest()
{
    QFETCH(QByteArray, frame);
    QFETCH(int, value);
    QFETCH(QString, hashKey);
    QFETCH(QVariant, hashValue);
    ModuleEmulator emu;
    // Confirmed (2) or refused (6), with the request's header.
    QCOMPARE(apply(emu, frame, true), (value < 0 ? "6:" : "2:") + frame.left(8));
    if (value < 0) {
        QVERIFY(emu.state() == ModuleEmulator::factoryState());
        return;
    }
    QCOMPARE(emu.value(frame.mid(4, 4).toInt(nullptr, 16)), value);
    QCOMPARE(emu.configHash().value(hashKey), hashValue);
}

void tst_ModuleEmulator::answers()
{
    ModuleEmulator emu;
    ModuleEmulator::Identity id;
    id.firmware = "01.2";
    emu.setIdentity(id);
    // Product code, hardware version, firmware padded to five bytes, serial number.
    QCOMPARE(apply(emu, "00040017"),
             text(0, QByteArray::fromHex("00040017 08b300 0205 30312e3200 07 001092")));
    // Input 1 takes the high band, horizontal, at the factory's settings: 3.5 dB
    // less. 85 and above all give the top code; no LNB supply, no signal.
    emu.setRfInput(1, 72.0);
    emu.setRfInput(2, 90.0);
    QCOMPARE(apply(emu, "00040016"), QByteArray("0:000400160509"));
    apply(emu, "0004000100");
    QCOMPARE(apply(emu, "00040016"), QByteArray("0:000400160009"));
    apply(emu, "0004000d48"); // 72 MHz on channel 1
    apply(emu, "0004000e2a"); // 42 MHz on channel 2, then automatic: bit 7 and
    apply(emu, "0004000e80"); // the list position of 42 MHz (18)
    QCOMPARE(apply(emu, "00040018"),
             text(0,
                  QByteArray::fromHex("00040018 00040001 00 00040002 01 00040003 01 00040004 00 "
                                      "00040005 01 00040006 00 00040007 060e 00040008 04ba "
                                      "00040009 6b6c 0004000a 55f0 0004000b 00 0004000c 01 "
                                      "0004000d 48 0004000e 92 0004000f 01 00040010 01 00040011 01 "
                                      "00040012 044c 00040013 0514 00040014 00 00040015 03")));
}

void tst_ModuleEmulator::bulkWriteAndReset()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.ini"));
    QString error;
    ModuleEmulator emu;
    QVERIFY2(emu.setStateFile(path, error), qPrintable(error));
    // Staged until the bulk write closes; a new start drops what was staged.
    QCOMPARE(apply(emu, "0004001900"), QByteArray()); // unconfirmed: no answer
    apply(emu, "0004001207cf"); // output freq 1 1999
    QVERIFY(emu.bulkOpen());
    apply(emu, "0004001900");
    apply(emu, "0004001307d0"); // output freq 2 2000
    apply(emu, "0004000d5a"); // 90 MHz on channel 1
    QCOMPARE(apply(emu, "0004001901", true), QByteArray("2:00040019"));
    QVERIFY(!emu.bulkOpen());
    QCOMPARE(emu.value(CommProtocol::OutputFreq1), 1100);
    // The state file keeps what was written, for the next start.
    ModuleEmulator again;
    QVERIFY2(again.setStateFile(path, error), qPrintable(error));
    QCOMPARE(again.value(CommProtocol::OutputFreq2), 2000);
    QCOMPARE(again.configHash().value(QStringLiteral("BW_1")), QVariant(32));
    apply(emu, "0004001900");
    QCOMPARE(apply(emu, "0004001d"), QByteArray());
    QVERIFY(emu.state() == ModuleEmulator::factoryState());
    QVERIFY(!emu.bulkOpen());
}

void tst_ModuleEmulator::faults()
{
    ModuleEmulator emu;
    QSignalSpy out(&emu, &ModuleEmulator::transmit);
    EmulatorFault f;
    QString error;
    // Corrupted, late and delayed answers are the command-line tool's and the host's tests'.
    for (const char *text : {"drop:23*1", "refuse:7,8", "drop:25/1"}) {
        QVERIFY(EmulatorFault::parse(QLatin1String(text), f, error));
        emu.addFault(f);
    }
    for (const char *text : {"explode", "drop=5", "drop:0", "drop:25/256"})
        QVERIFY(!EmulatorFault::parse(QLatin1String(text), f, error) && !error.isEmpty());
    auto send = [&](const char *hex, unsigned char flags = 0) {
        emu.receive(StreamFramer::encode(QByteArray::fromHex(hex), flags));
    };
    send("00040017");
    QCOMPARE(out.count(), 0); // dropped once, then answered
    send("00040017");
    QVERIFY(sent(out).startsWith("0:00040017"));
    send("0004000707d0", StreamFramer::ConfirmRequest);
    QCOMPARE(sent(out), QByteArray("6:00040007"));
    // Requests not named by a fault pass untouched.
    send("0004000907d0", StreamFramer::ConfirmRequest);
    QCOMPARE(sent(out), QByteArray("2:00040009"));
    // A fault on the end of a bulk write leaves its start alone.
    send("0004001900");
    send("0004001901", StreamFramer::ConfirmRequest);
    QVERIFY(emu.bulkOpen());
    QCOMPARE(out.count(), 0);
}

MSP_TEST_MAIN(tst_ModuleEmulator)
#include "tst_moduleemulator.moc"
