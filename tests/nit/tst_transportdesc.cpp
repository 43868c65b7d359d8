#include "transportdesc.h"
#include "testmain.h"

#include "debugoutput.h"
#include "historyfile.h"

#include <QTemporaryDir>

class tst_TransportDesc : public QObject
{
    Q_OBJECT

private slots:
    void lengthBookkeeping();
    void lengthLimit();
    void copiesAndHistory();
};

namespace {

LogicalChannelDes channels(int count)
{
    LogicalChannelDes d;
    ServiceData s;
    s.setLogicalChannelNumber(1);
    for (int i = 0; i < count; ++i)
        d.insertServiceData(s);
    return d;
}

} // namespace

void tst_TransportDesc::lengthBookkeeping()
{
    // A delivery system descriptor replaces the length, the channel lists add to it.
    TransportDesc entry(QString {});
    entry.setLogicalChannelDesc(channels(3));
    entry.setTerrestrialDelSysDesc(TerrestrialDelSysDes());
    QCOMPARE(entry.getTransportDescriptorSize(), 6 + 13);
    entry.setLogicalChannelDesc(channels(3));
    QCOMPARE(entry.getTransportDescriptorSize(), 6 + 13 + 14);
    entry.setHDLogicalChannelDesc(HDLogicalChannelDes());
    entry.setLogicalChannelDesc(channels(3));
    QCOMPARE(entry.getTransportDescriptorSize(), 6 + 13 + 14 + 2 + 14);
    entry.setT2DelSysDesc(T2DelSysDes());
    QCOMPARE(entry.getTransportDescriptorSize(), 6 + 6);
    entry.setCableDelSysDesc(CableDelSysDes());
    entry.setHDLogicalChannelDesc(HDLogicalChannelDes());
    QCOMPARE(int(entry.getTransportDescriptorLenght()), 13 + 2);
}

void tst_TransportDesc::lengthLimit()
{
    TransportDesc entry(QString {});
    entry.setTerrestrialDelSysDesc(TerrestrialDelSysDes());
    const LogicalChannelDes full = channels(63);
    // 13 + 16 × 254 = 4077 still fits 12 bits; the next one does not.
    for (int i = 0; i < 16; ++i)
        entry.setLogicalChannelDesc(full);
    QCOMPARE(entry.toBin().mid(4).toHex().toUpper(), QByteArray("FFED"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("too long"));
    entry.setLogicalChannelDesc(full);
    QCOMPARE(entry.getTransportDescriptorSize(), 6 + 0xFFF);
    QCOMPARE(entry.toBin().mid(4).toHex().toUpper(), QByteArray("FFFF"));
}

void tst_TransportDesc::copiesAndHistory()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("nit.his");
    const QString other = dir.filePath("other.his");
    TransportDesc entry(path);
    entry.setTransportStreamID(0x0001);
    entry.setOriginalNetworkId(0x2174);
    entry.setNetworkId(0x3001); // the table's, not part of the entry's bytes

    // The entry keeps copies of the descriptors, each moved to the entry's history.
    entry.setCableDelSysDesc(CableDelSysDes());
    entry.setT2DelSysDesc(T2DelSysDes());
    entry.setHDLogicalChannelDesc(HDLogicalChannelDes());
    TerrestrialDelSysDes t;
    t.setCentreFrequency(474.0);
    t.setPathHist(other);
    entry.setTerrestrialDelSysDesc(t);
    LogicalChannelDes l = channels(3);
    l.setPathHist(other);
    entry.setLogicalChannelDesc(l);
    QCOMPARE(entry.getCableDelSysDesc().getPathHist(), path);
    QCOMPARE(entry.getT2DelSysDesc().getPathHist(), path);
    QCOMPARE(entry.getHDLogicalChannelDesc().getPathHist(), path);
    QCOMPARE(entry.getLogicalChannelDesc().getPathHist(), path);

    // Changing what a getter returns leaves the entry as it was.
    t = entry.getTerrestrialDelSysDesc();
    t.setCentreFrequency(858.0);
    l = entry.getLogicalChannelDesc();
    l.getServiceData(0).setLogicalChannelNumber(999);
    l.deleteServices();
    QCOMPARE(entry.getLogicalChannelDesc().getServiceCount(), 3);
    QCOMPARE(int(entry.getLogicalChannelDesc().getServiceData(0).getLogicalChannelNumber()), 1);
    entry.getTerrestrialDelSysDesc().toBin();
    QVERIFY(historyText(path).contains(". CentreFrequency: 47400000. "));
    QVERIFY(!QFile::exists(other));

    DebugOutput debug;
    QTest::ignoreMessage(QtDebugMsg,
                         "Transport Descriptor. TransportStreamID: 1. OriginalNetworkId: 8564"
                         ". Reserved1: 15. TransportDescriptorLenght: 27");
    QTest::ignoreMessage(QtDebugMsg, "Datos del QByteArray: Datos: 00012174F01B");
    QCOMPARE(entry.toBin().toHex(' ').toUpper(), QByteArray("00 01 21 74 F0 1B"));
    QVERIFY(
        historyText(path).endsWith("\r\nTransport Descriptor. Datos: \r\n"
                                   "TransportStreamID: 1. OriginalNetworkId: 8564. Reserved1: 15"
                                   ". TransportDescriptorLenght: 27\r\n"
                                   "En binario. Datos: 00012174F01B\r\n"));
}

MSP_TEST_MAIN(tst_TransportDesc)
#include "tst_transportdesc.moc"
