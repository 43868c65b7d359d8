#include "transportdesc.h"

#include "debugcapture.h"
#include "en300468decoder.h"
#include "historyfile.h"

#include <QTemporaryDir>
#include <QtTest>

class tst_TransportDesc : public QObject
{
    Q_OBJECT

private slots:
    void lengthBookkeeping_data();
    void lengthBookkeeping();
    void header();
    void networkIdNotInBytes();
    void gettersReturnCopies();
    void descriptorsLogToEntryHistory();
    void completeEntryDecodes();
    void lengthLimit();
    void history();
    void unwritableHistory();
};

namespace {

TerrestrialDelSysDes terrestrial()
{
    TerrestrialDelSysDes d;
    d.setCentreFrequency(474.0);
    d.setBandwidth(3);
    d.setConstellation(2);
    d.setCodeRateHPStream(2);
    d.setCodeRateLPStream(0);
    d.setGuardInterval(0);
    d.setTransmissionMode(1);
    return d;
}

LogicalChannelDes channels(int count)
{
    LogicalChannelDes d;
    for (int i = 0; i < count; ++i) {
        ServiceData s;
        s.setServiceID(static_cast<unsigned short>(0x100 + i));
        s.setVisibleServiceFlag(1);
        s.setLogicalChannelNumber(static_cast<unsigned short>(i + 1));
        d.insertServiceData(s);
    }
    return d;
}

HDLogicalChannelDes hdChannels(int count)
{
    HDLogicalChannelDes d;
    for (int i = 0; i < count; ++i)
        d.insertService(static_cast<unsigned short>(0x200 + i), true,
                        static_cast<unsigned short>(800 + i));
    return d;
}

T2DelSysDes t2WithCell()
{
    T2DelSysDes d;
    d.setExtendedInfo(true);
    T2DelSysDes::Cell cell;
    cell.centreFrequencies << T2DelSysDes::frequencyUnits(506.0);
    d.addCell(cell);
    return d;
}

} // namespace

void tst_TransportDesc::lengthBookkeeping_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("length");

    // T terrestrial (13), 2 T2 with one cell (15), C cable (13),
    // L logical channels of three services (14), H HD channels of two (10).
    QTest::newRow("terrestrial, channels") << "TL" << 27;
    QTest::newRow("channels before terrestrial") << "LT" << 13;
    QTest::newRow("terrestrial, channels, HD") << "TLH" << 37;
    QTest::newRow("T2, channels, HD") << "2LH" << 39;
    QTest::newRow("cable, HD") << "CH" << 23;
    QTest::newRow("delivery set again") << "TLHC" << 13;
    QTest::newRow("channels twice") << "TLL" << 41;
}

void tst_TransportDesc::lengthBookkeeping()
{
    QFETCH(QString, steps);
    QFETCH(int, length);

    TransportDesc entry(QString {});
    for (const QChar step : steps) {
        switch (step.toLatin1()) {
        case 'T':
            entry.setTerrestrialDelSysDesc(terrestrial());
            break;
        case '2':
            entry.setT2DelSysDesc(t2WithCell());
            break;
        case 'C':
            entry.setCableDelSysDesc(CableDelSysDes());
            break;
        case 'L':
            entry.setLogicalChannelDesc(channels(3));
            break;
        case 'H':
            entry.setHDLogicalChannelDesc(hdChannels(2));
            break;
        }
    }
    QCOMPARE(int(entry.getTransportDescriptorLenght()), length);
    QCOMPARE(entry.getTransportDescriptorSize(), length + 6);
}

void tst_TransportDesc::header()
{
    TransportDesc entry(QString {});
    entry.setTransportStreamID(0x0001);
    entry.setOriginalNetworkId(0x2174);
    entry.setTDSDescFlag(true);
    entry.setTerrestrialDelSysDesc(terrestrial());
    entry.setLogicalChannelDesc(channels(3));
    QCOMPARE(entry.getTransportDescriptorSize(), 33);
    QCOMPARE(entry.toBin().toHex(' ').toUpper(), QByteArray("00 01 21 74 F0 1B"));
    QVERIFY(entry.getTDSDescFlag());
    QVERIFY(!entry.getCDSDescFlag());
}

void tst_TransportDesc::networkIdNotInBytes()
{
    TransportDesc entry(QString {});
    entry.setTransportStreamID(0xABCD);
    entry.setOriginalNetworkId(0x0001);
    entry.setCableDelSysDesc(CableDelSysDes());
    const QByteArray before = entry.toBin();
    entry.setNetworkId(0x3001);
    QCOMPARE(entry.getNetworkId(), 0x3001);
    QCOMPARE(entry.toBin(), before);
    QCOMPARE(before.toHex().toUpper(), QByteArray("ABCD0001F00D"));
}

void tst_TransportDesc::gettersReturnCopies()
{
    TransportDesc entry(QString {});
    entry.setTerrestrialDelSysDesc(terrestrial());
    entry.setLogicalChannelDesc(channels(2));

    TerrestrialDelSysDes t = entry.getTerrestrialDelSysDesc();
    t.setCentreFrequency(858.0);
    LogicalChannelDes l = entry.getLogicalChannelDesc();
    l.getServiceData(0).setLogicalChannelNumber(999);
    l.deleteServices();
    HDLogicalChannelDes h = entry.getHDLogicalChannelDesc();
    h.insertService(1, true, 1);

    QCOMPARE(entry.getTerrestrialDelSysDesc().getCentreFrequency(), 47400000u);
    QCOMPARE(entry.getLogicalChannelDesc().getServiceCount(), 2);
    QCOMPARE(int(entry.getLogicalChannelDesc().getServiceData(0).getLogicalChannelNumber()), 1);
    QCOMPARE(entry.getHDLogicalChannelDesc().getServiceCount(), 0);
    QCOMPARE(int(entry.getTransportDescriptorLenght()), 23);
}

void tst_TransportDesc::descriptorsLogToEntryHistory()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("nit.his");
    const QString other = dir.filePath("other.his");

    TransportDesc entry(path);
    QCOMPARE(entry.getPathHist(), path);
    TerrestrialDelSysDes t = terrestrial();
    t.setPathHist(other);
    entry.setTerrestrialDelSysDesc(t);
    LogicalChannelDes l = channels(1);
    l.setPathHist(other);
    entry.setLogicalChannelDesc(l);
    entry.setCableDelSysDesc(CableDelSysDes());
    entry.setT2DelSysDesc(T2DelSysDes());
    entry.setHDLogicalChannelDesc(HDLogicalChannelDes());

    entry.getTerrestrialDelSysDesc().toBin();
    entry.getLogicalChannelDesc().toBin();
    QCOMPARE(entry.getCableDelSysDesc().getPathHist(), path);
    QCOMPARE(entry.getT2DelSysDesc().getPathHist(), path);
    QCOMPARE(entry.getHDLogicalChannelDesc().getPathHist(), path);

    const QList<QByteArray> lines = historyLines(path);
    QCOMPARE(lines.size(), 3 + 3 + 3);
    QCOMPARE(lines.at(0), QByteArray("Terrestrial Delivery System Descriptor. Datos"));
    QCOMPARE(lines.at(3), QByteArray("Service Data. Datos: "));
    QCOMPARE(lines.at(6), QByteArray("Logical Channel Descriptor. Datos"));
    QVERIFY(!QFile::exists(other));
}

void tst_TransportDesc::completeEntryDecodes()
{
    TransportDesc entry(QString {});
    entry.setTransportStreamID(0x0011);
    entry.setOriginalNetworkId(0x22D4);
    entry.setT2DSDescFlag(true);
    entry.setT2DelSysDesc(t2WithCell());
    entry.setLogicalChannelDesc(channels(5));
    entry.setHDLogicalChannelDesc(hdChannels(3));

    // How a table assembler lays out the entry: header, then the descriptors in use.
    const QByteArray bytes = entry.toBin() + entry.getT2DelSysDesc().toBin()
        + entry.getLogicalChannelDesc().toBin() + entry.getHDLogicalChannelDesc().toBin();
    QCOMPARE(bytes.size(), entry.getTransportDescriptorSize());

    const QVariantMap e = En300468::decodeTransportEntry(bytes);
    QVERIFY2(!e.contains("error"), qPrintable(e.value("error").toString()));
    QCOMPARE(e["transport_stream_id"].toInt(), 0x0011);
    QCOMPARE(e["original_network_id"].toInt(), 0x22D4);
    QCOMPARE(e["reserved_future_use"].toInt(), 15);
    QCOMPARE(e["transport_descriptors_length"].toInt(), 15 + 22 + 14);
    const QVariantList d = e["descriptors"].toList();
    QCOMPARE(d.size(), 3);
    QCOMPARE(d.at(0).toMap()["descriptor_tag_extension"].toInt(), 0x04);
    QCOMPARE(d.at(0).toMap()["cells"].toList().first().toMap()["centre_frequency"].toList(),
             QVariantList {quint64(50600000)});
    QCOMPARE(d.at(1).toMap()["services"].toList().size(), 5);
    QCOMPARE(d.at(2).toMap()["descriptor_tag"].toInt(), 0x88);
    QCOMPARE(d.at(2).toMap()["services"].toList().last().toMap()["logical_channel_number"].toInt(),
             802);
}

void tst_TransportDesc::lengthLimit()
{
    TransportDesc entry(QString {});
    entry.setTerrestrialDelSysDesc(terrestrial());
    const LogicalChannelDes full = channels(63);
    // 13 + 16 × 254 = 4077 still fits 12 bits; the next one does not.
    for (int i = 0; i < 16; ++i)
        entry.setLogicalChannelDesc(full);
    QCOMPARE(int(entry.getTransportDescriptorLenght()), 4077);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("too long"));
    entry.setLogicalChannelDesc(full);
    QCOMPARE(int(entry.getTransportDescriptorLenght()), 0xFFF);
    QCOMPARE(entry.toBin().mid(4).toHex().toUpper(), QByteArray("FFFF"));
}

void tst_TransportDesc::history()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("nit.his");
    TransportDesc entry(path);
    entry.setTransportStreamID(0x0001);
    entry.setOriginalNetworkId(0x2174);
    entry.setTerrestrialDelSysDesc(terrestrial());
    entry.setLogicalChannelDesc(channels(3));

    DebugCapture capture;
    entry.toBin();
    QCOMPARE(historyLines(path),
             QList<QByteArray>({"Transport Descriptor. Datos: ",
                                "TransportStreamID: 1. OriginalNetworkId: 8564. Reserved1: 15"
                                ". TransportDescriptorLenght: 27",
                                "En binario. Datos: 00012174F01B"}));
    QCOMPARE(
        capture.lines(),
        QStringList(
            {"Transport Descriptor. TransportStreamID: 1. OriginalNetworkId: 8564. Reserved1: 15"
             ". TransportDescriptorLenght: 27",
             "Datos del QByteArray: Datos: 00012174F01B"}));
}

void tst_TransportDesc::unwritableHistory()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TransportDesc entry(dir.filePath("gone/nit.his"));
    entry.setTransportStreamID(0x0001);
    entry.setOriginalNetworkId(0x2174);
    entry.setTerrestrialDelSysDesc(terrestrial());
    entry.setLogicalChannelDesc(channels(3));
    QCOMPARE(entry.toBin().toHex().toUpper(), QByteArray("00012174F01B"));
    QCOMPARE(entry.getTerrestrialDelSysDesc().toBin().toHex().toUpper(),
             QByteArray("5A0B02D344401F8203FFFFFFFF"));
    QCOMPARE(entry.getTransportDescriptorSize(), 33);
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

QTEST_MAIN(tst_TransportDesc)
#include "tst_transportdesc.moc"
