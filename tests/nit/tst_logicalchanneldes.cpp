#include "logicalchanneldes.h"
#include "testmain.h"

#include "debugoutput.h"
#include "historyfile.h"

#include <QTemporaryDir>

class tst_LogicalChannelDes : public QObject
{
    Q_OBJECT

private slots:
    void bytes_data();
    void bytes();
    void sixtyThreeServices();
    void editAndDelete();
    void historyAndDump();
};

namespace {

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

} // namespace

Q_DECLARE_METATYPE(QList<Entry>)

void tst_LogicalChannelDes::bytes_data()
{
    QTest::addColumn<QList<Entry>>("entries");
    QTest::addColumn<QByteArray>("hex");

    QTest::newRow("no service") << QList<Entry> {} << QByteArray("8300");
    QTest::newRow("one service") << QList<Entry> {{0x1234, 1, 5}} << QByteArray("83041234FC05");
    QTest::newRow("hidden, top number; all ones id, number above 255")
        << QList<Entry> {{0x0001, 0, 1023}, {0xFFFF, 1, 300}} << QByteArray("830800017FFFFFFFFD2C");
}

void tst_LogicalChannelDes::bytes()
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

void tst_LogicalChannelDes::sixtyThreeServices()
{
    // The length byte holds at most 63 entries of 4 bytes.
    LogicalChannelDes d;
    ServiceData s = service(0x0102, 1, 3);
    for (int i = 0; i < 63; ++i)
        d.insertServiceData(s);
    QTest::ignoreMessage(QtWarningMsg, "Logical Channel Descriptor: no room for service 258");
    d.insertServiceData(s);
    QCOMPARE(int(d.getDescriptorSize()), 254);
    const QByteArray bin = d.toBin();
    QCOMPARE(bin.size(), 254);
    QCOMPARE(bin.left(2).toHex().toUpper(), QByteArray("83FC"));
}

void tst_LogicalChannelDes::editAndDelete()
{
    ServiceData s = service(0x1234, 1, 5);
    LogicalChannelDes d;
    d.insertServiceData(s);
    d.insertServiceData(s);
    QCOMPARE(d.toBin().toHex().toUpper(), QByteArray("83081234FC051234FC05"));
    d.getServiceData(0).setLogicalChannelNumber(6);
    d.getServiceData(0).setVisibleServiceFlag(0);
    ServiceData other = service(0x0300, 0, 7);
    other.setPathHist("/elsewhere.his");
    d.reinsertServiceData(other, 1);
    // A bad index warns and touches no stored entry.
    QTest::ignoreMessage(QtWarningMsg, "Logical Channel Descriptor: no service at index 2");
    d.getServiceData(2).setServiceID(0xDEAD);
    QTest::ignoreMessage(QtWarningMsg, "Logical Channel Descriptor: no service at index -1");
    d.getServiceData(-1).setServiceID(0xDEAD);
    QTest::ignoreMessage(QtWarningMsg, "Logical Channel Descriptor: no service at index 3");
    d.reinsertServiceData(s, 3);
    QCOMPARE(d.toBin().toHex().toUpper(), QByteArray("830812347C0603007C07"));
    QCOMPARE(d.getServiceData(1).getPathHist(), QString("/elsewhere.his"));
    // The caller's entry was copied in, not shared.
    QCOMPARE(int(s.getLogicalChannelNumber()), 5);

    d.deleteServices();
    QCOMPARE(d.toBin().toHex().toUpper(), QByteArray("8300"));
    // An empty list keeps a length set by hand.
    d.setDescriptorLenght(12);
    d.deleteServices();
    QCOMPARE(int(d.getDescriptorSize()), 14);
}

void tst_LogicalChannelDes::historyAndDump()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("lcn.his");
    const QString own = dir.filePath("entry.his");

    // Over-wide values: the record shows that the setters kept only the fields' widths.
    ServiceData s = service(0xFFFF, 2, 0xFFFF);
    s.setPathHist(own);
    LogicalChannelDes d;
    d.insertServiceData(s);
    d.setPathHist(path);
    const QByteArray fields
        = "ServiceID: 65535. VisibleServiceFlag: 0. Reserved: 31. LogicalChannelNumber: 1023";
    DebugOutput debug;
    QTest::ignoreMessage(QtDebugMsg, "Service Data. " + fields);
    QTest::ignoreMessage(QtDebugMsg, "Datos del QByteArray: Datos: FFFF7FFF");
    QTest::ignoreMessage(QtDebugMsg,
                         "Logical Channel Descriptor. DescriptorTag: 131. DescriptorLenght: 4");
    QTest::ignoreMessage(QtDebugMsg, "Datos del QByteArray: Datos: 8304");
    d.toBin();

    // The entry is logged to the descriptor's history, before the descriptor's own record.
    QCOMPARE(historyText(path),
             "Service Data. Datos: \r\n" + fields
                 + "\r\nEn binario. Datos: FFFF7FFF\r\n"
                   "Logical Channel Descriptor. Datos\r\n"
                   "DescriptorTag: 131. DescriptorLenght: 4\r\n"
                   "En binario. Datos: 8304\r\n");
    QVERIFY(!QFile::exists(own));
    QCOMPARE(d.getServiceData(0).getPathHist(), own);
}

MSP_TEST_MAIN(tst_LogicalChannelDes)
#include "tst_logicalchanneldes.moc"
