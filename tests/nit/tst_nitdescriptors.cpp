#include "transportdesc.h"

#include <QTemporaryDir>
#include "testmain.h"

// The network information descriptors the library exports: their bytes,
// their history records, and the transport entry's length bookkeeping over the
// host's descriptors.
class tst_NitDescriptors : public QObject
{
    Q_OBJECT

private slots:
    void terrestrialBytes_data();
    void terrestrialBytes();
    void terrestrialHistory();
    void channelBytes_data();
    void channelBytes();
    void channelEditsAndHistory();
    void transportEntry();
};

namespace {
// The whole history file, so that a comparison sees every line end.
QByteArray historyText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Settings {
    double mhz;
    int bandwidth, constellation, hp, lp, guard, mode, other;
};

TerrestrialDelSysDes make(const Settings &s)
{
    TerrestrialDelSysDes d;
    d.setCentreFrequency(s.mhz);
    d.setBandwidth(static_cast<unsigned char>(s.bandwidth));
    d.setConstellation(static_cast<unsigned char>(s.constellation));
    d.setCodeRateHPStream(static_cast<unsigned char>(s.hp));
    d.setCodeRateLPStream(static_cast<unsigned char>(s.lp));
    d.setGuardInterval(static_cast<unsigned char>(s.guard));
    d.setTransmissionMode(static_cast<unsigned char>(s.mode));
    d.setOtherFreqFlags(static_cast<unsigned char>(s.other));
    return d;
}

const QByteArray uhf21Hex = "5A0B02D344401F8203FFFFFFFF";

struct Entry {
    int id, visible, lcn;
};

ServiceData service(int id, int visible, int lcn)
{
    ServiceData s;
    s.setServiceID(static_cast<unsigned short>(id));
    s.setVisibleServiceFlag(static_cast<unsigned short>(visible));
    s.setLogicalChannelNumber(static_cast<unsigned short>(lcn));
    return s;
}

LogicalChannelDes channels(int count)
{
    LogicalChannelDes d;
    ServiceData s = service(0, 1, 1);
    for (int i = 0; i < count; ++i)
        d.insertServiceData(s);
    return d;
}
} // namespace

Q_DECLARE_METATYPE(Settings)
Q_DECLARE_METATYPE(QList<Entry>)

void tst_NitDescriptors::terrestrialBytes_data()
{
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QByteArray>("hex");

    // 474 MHz is 47,400,000 units of 10 Hz: 02 D3 44 40.
    QTest::newRow("UHF 21, 8 MHz") << Settings {474.0, 3, 2, 2, 0, 0, 1, 1} << uhf21Hex;
    QTest::newRow("474.000009 MHz truncates")
        << Settings {474.000009, 3, 2, 2, 0, 0, 1, 1} << uhf21Hex;
    QTest::newRow("UHF 69, 5 MHz, top codes")
        << Settings {858.0, 0, 3, 7, 7, 3, 2, 0} << QByteArray("5A0B051D34407FC7FCFFFFFFFF");
}

void tst_NitDescriptors::terrestrialBytes()
{
    QFETCH(Settings, settings);
    QFETCH(QByteArray, hex);
    TerrestrialDelSysDes d = make(settings);
    QCOMPARE(d.toBin().toHex().toUpper(), hex);
    // A bandwidth beyond 5 MHz is refused and changes nothing.
    d.setBandwidth(4);
    QCOMPARE(d.toBin().toHex().toUpper(), hex);
}

void tst_NitDescriptors::terrestrialHistory()
{
    QTemporaryDir dir;
    // Over-wide values: the setters keep only each field's width, which leaves UHF 21.
    TerrestrialDelSysDes d = make({474.0, 3, 6, 10, 8, 4, 5, 3});
    // A history that cannot be opened costs the record, never the bytes.
    d.setPathHist(dir.filePath("missing/nit.his"));
    QCOMPARE(d.toBin().toHex().toUpper(), uhf21Hex);
    QVERIFY(!QFile::exists(dir.filePath("missing")));

    d.setPathHist(dir.filePath("nit.his"));
    d.toBin();
    QCOMPARE(historyText(dir.filePath("nit.his")),
             "Terrestrial Delivery System Descriptor. Datos\r\n"
             "DescriptorTag: 90. DescriptorLenght: 11. CentreFrequency: 47400000. Bandwith: 0"
             ". Priority: 1. TimeSlicingIndicator: 1. MPE_FECIndicator: 1. Reserved1: 3"
             ". Constellation 2. HierarchyInfo: 0. CodeRateHP: 2. CodeRateLP: 0. GuardInverval: 0"
             ". TransmissionMode: 1. OtherFreqFlag: 1. Reserved2: 4294967295\r\n"
             "En binario. Datos: 5A0B02D344401F8203FFFFFFFF\r\n");
}

void tst_NitDescriptors::channelBytes_data()
{
    QTest::addColumn<QList<Entry>>("entries");
    QTest::addColumn<QByteArray>("hex");

    QTest::newRow("no service") << QList<Entry> {} << QByteArray("8300");
    QTest::newRow("one service") << QList<Entry> {{0x1234, 1, 5}} << QByteArray("83041234FC05");
    QTest::newRow("hidden, top number; all ones id, number above 255")
        << QList<Entry> {{0x0001, 0, 1023}, {0xFFFF, 1, 300}} << QByteArray("830800017FFFFFFFFD2C");
}

void tst_NitDescriptors::channelBytes()
{
    QFETCH(QList<Entry>, entries);
    QFETCH(QByteArray, hex);
    LogicalChannelDes d;
    for (const Entry &e : entries) {
        ServiceData s = service(e.id, e.visible, e.lcn);
        d.insertServiceData(s);
    }
    const QByteArray bin = d.toBin();
    QCOMPARE(bin.toHex().toUpper(), hex);
    QCOMPARE(int(d.getDescriptorSize()), bin.size());
}

void tst_NitDescriptors::channelEditsAndHistory()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("lcn.his");
    const QString own = dir.filePath("entry.his");
    ServiceData s = service(0xFFFF, 2, 5);
    s.setPathHist(own);
    LogicalChannelDes d;
    d.insertServiceData(s);
    d.insertServiceData(s);
    // Changed in place and replaced, the length staying; over-wide values keep only
    // the fields' widths.
    d.getServiceData(0).setLogicalChannelNumber(0xFFFF);
    ServiceData other = service(0x0300, 0, 7);
    d.reinsertServiceData(other, 1);
    d.setPathHist(path);
    QCOMPARE(d.toBin().toHex().toUpper(), QByteArray("8308FFFF7FFF03007C07"));
    // The entries are logged to the descriptor's history, before its own record.
    QCOMPARE(historyText(path),
             "Service Data. Datos: \r\n"
             "ServiceID: 65535. VisibleServiceFlag: 0. Reserved: 31. LogicalChannelNumber: 1023\r\n"
             "En binario. Datos: FFFF7FFF\r\n"
             "Service Data. Datos: \r\n"
             "ServiceID: 768. VisibleServiceFlag: 0. Reserved: 31. LogicalChannelNumber: 7\r\n"
             "En binario. Datos: 03007C07\r\n"
             "Logical Channel Descriptor. Datos\r\n"
             "DescriptorTag: 131. DescriptorLenght: 8\r\n"
             "En binario. Datos: 8308\r\n");
    QVERIFY(!QFile::exists(own));

    d.deleteServices();
    QCOMPARE(d.toBin().toHex().toUpper(), QByteArray("8300"));
    // An empty list keeps a length set by hand.
    d.setDescriptorLenght(12);
    d.deleteServices();
    QCOMPARE(int(d.getDescriptorSize()), 14);
}

void tst_NitDescriptors::transportEntry()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("nit.his");
    TransportDesc entry(path);
    entry.setTransportStreamID(0x0001);
    entry.setOriginalNetworkId(0x2174);
    entry.setNetworkId(0x3001); // the table's, not part of the entry's bytes

    // A delivery system descriptor replaces the length, the channel lists add to it.
    entry.setLogicalChannelDesc(channels(3));
    entry.setHDLogicalChannelDesc(HDLogicalChannelDes());
    entry.setT2DelSysDesc(T2DelSysDes());
    entry.setCableDelSysDesc(CableDelSysDes());
    TerrestrialDelSysDes t;
    t.setCentreFrequency(474.0);
    entry.setTerrestrialDelSysDesc(t);
    QCOMPARE(entry.getTransportDescriptorSize(), 6 + 13);
    entry.setLogicalChannelDesc(channels(3));
    QCOMPARE(entry.getTransportDescriptorSize(), 6 + 13 + 14);
    // The entry keeps copies, each moved to the entry's history; changing what a
    // getter returns leaves the entry as it was.
    QCOMPARE(entry.getHDLogicalChannelDesc().getPathHist(), path);
    LogicalChannelDes l = entry.getLogicalChannelDesc();
    l.getServiceData(0).setLogicalChannelNumber(999);
    l.deleteServices();
    QCOMPARE(int(entry.getLogicalChannelDesc().getServiceData(0).getLogicalChannelNumber()), 1);

    QCOMPARE(entry.toBin().toHex(' ').toUpper(), QByteArray("00 01 21 74 F0 1B"));
    QCOMPARE(historyText(path),
             "Transport Descriptor. Datos: \r\n"
             "TransportStreamID: 1. OriginalNetworkId: 8564. Reserved1: 15"
             ". TransportDescriptorLenght: 27\r\n"
             "En binario. Datos: 00012174F01B\r\n");

    // The 8-bit length holds 63 entries: a 64th is refused. 13 + 16 × 254 = 4077
    // still fits 12 bits; the next one does not.
    QCOMPARE(channels(64).getServiceCount(), 63);
    const LogicalChannelDes full = channels(63);
    entry.setTerrestrialDelSysDesc(t);
    for (int i = 0; i < 16; ++i)
        entry.setLogicalChannelDesc(full);
    QCOMPARE(entry.toBin().mid(4).toHex().toUpper(), QByteArray("FFED"));
    entry.setLogicalChannelDesc(full);
    QCOMPARE(entry.getTransportDescriptorSize(), 6 + 0xFFF);
}

MSP_TEST_MAIN(tst_NitDescriptors)
#include "tst_nitdescriptors.moc"
