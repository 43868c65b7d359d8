#include "logicalchanneldes.h"

#include "debugcapture.h"
#include "en300468decoder.h"
#include "historyfile.h"

#include <QTemporaryDir>
#include <QtTest>

class tst_LogicalChannelDes : public QObject
{
    Q_OBJECT

private slots:
    void newDescriptor();
    void bytes_data();
    void bytes();
    void serviceMasks();
    void sixtyThreeServices();
    void reinsertKeepsLength();
    void deleteServices();
    void changeInPlace();
    void badIndex();
    void history();
    void serviceHistoryAndDump();
    void unwritableHistory();
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

void tst_LogicalChannelDes::newDescriptor()
{
    LogicalChannelDes d;
    QCOMPARE(int(d.getDescriptorTag()), 0x83);
    QCOMPARE(int(d.getDescriptorLenght()), 0);
    QCOMPARE(int(d.getDescriptorSize()), 2);
    QCOMPARE(d.toBin().toHex(' ').toUpper(), QByteArray("83 00"));
}

void tst_LogicalChannelDes::bytes_data()
{
    QTest::addColumn<QList<Entry>>("entries");
    QTest::addColumn<QByteArray>("hex");

    QTest::newRow("one service") << QList<Entry> {{0x1234, 1, 5}} << QByteArray("83041234FC05");
    QTest::newRow("hidden, top number; all ones id")
        << QList<Entry> {{0x0001, 0, 1023}, {0xFFFF, 1, 0}} << QByteArray("830800017FFFFFFFFC00");
    QTest::newRow("number above 255")
        << QList<Entry> {{0x0102, 1, 300}, {0x0A0B, 1, 512}, {0, 0, 0}}
        << QByteArray("830C0102FD2C0A0BFE0000007C00");
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
    QCOMPARE(int(d.getDescriptorLenght()), 4 * entries.size());
    QCOMPARE(int(d.getDescriptorSize()), bin.size());

    const QVariantMap f = En300468::decodeDescriptor(bin);
    QVERIFY2(!f.contains("error"), qPrintable(f.value("error").toString()));
    const QVariantList decoded = f["services"].toList();
    QCOMPARE(decoded.size(), entries.size());
    for (int i = 0; i < entries.size(); ++i) {
        const QVariantMap s = decoded.at(i).toMap();
        QCOMPARE(s["service_id"].toInt(), entries.at(i).id);
        QCOMPARE(s["visible_service_flag"].toInt(), entries.at(i).visible);
        QCOMPARE(s["reserved"].toInt(), 31);
        QCOMPARE(s["logical_channel_number"].toInt(), entries.at(i).lcn);
    }
}

void tst_LogicalChannelDes::serviceMasks()
{
    ServiceData s = service(0xBEEF, 2, 1025);
    QCOMPARE(int(s.getLogicalChannelNumber()), 1);
    QCOMPARE(int(s.getVisibleServiceFlag()), 0);
    QCOMPARE(int(s.getReserved()), 31);
    QCOMPARE(s.toBin().toHex().toUpper(), QByteArray("BEEF7C01"));
    s.setVisibleServiceFlag(3);
    s.setLogicalChannelNumber(0xFFFF);
    QCOMPARE(s.toBin().toHex().toUpper(), QByteArray("BEEFFFFF"));
}

void tst_LogicalChannelDes::sixtyThreeServices()
{
    LogicalChannelDes d;
    for (int i = 1; i <= 63; ++i) {
        ServiceData s = service(i, 1, 100 + i);
        d.insertServiceData(s);
    }
    QCOMPARE(int(d.getDescriptorLenght()), 252);
    QCOMPARE(int(d.getDescriptorSize()), 254);

    ServiceData extra = service(64, 1, 164);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no room for service"));
    d.insertServiceData(extra);
    QCOMPARE(int(d.getDescriptorLenght()), 252);
    QCOMPARE(d.getServiceCount(), 63);

    const QByteArray bin = d.toBin();
    QCOMPARE(bin.size(), 254);
    QCOMPARE(bin.left(2).toHex().toUpper(), QByteArray("83FC"));
    const QVariantMap f = En300468::decodeDescriptor(bin);
    QVERIFY2(!f.contains("error"), qPrintable(f.value("error").toString()));
    const QVariantList decoded = f["services"].toList();
    QCOMPARE(decoded.size(), 63);
    QCOMPARE(decoded.last().toMap()["service_id"].toInt(), 63);
    QCOMPARE(decoded.last().toMap()["logical_channel_number"].toInt(), 163);
}

void tst_LogicalChannelDes::reinsertKeepsLength()
{
    LogicalChannelDes d;
    ServiceData a = service(1, 1, 1);
    ServiceData b = service(2, 1, 2);
    d.insertServiceData(a);
    d.insertServiceData(b);
    ServiceData c = service(0x0300, 0, 7);
    c.setPathHist("/elsewhere.his");
    d.reinsertServiceData(c, 1);
    QCOMPARE(int(d.getDescriptorLenght()), 8);
    QCOMPARE(d.getServiceData(1).getServiceID(), 0x0300);
    QCOMPARE(d.getServiceData(1).getPathHist(), QString("/elsewhere.his"));
    QCOMPARE(d.toBin().toHex().toUpper(), QByteArray("83080001FC0103007C07"));
}

void tst_LogicalChannelDes::deleteServices()
{
    LogicalChannelDes d;
    d.setDescriptorLenght(12);
    d.deleteServices();
    QCOMPARE(int(d.getDescriptorLenght()), 12);
    QCOMPARE(int(d.getDescriptorSize()), 14);

    ServiceData s = service(5, 1, 5);
    d.insertServiceData(s);
    QCOMPARE(int(d.getDescriptorLenght()), 16);
    d.deleteServices();
    QCOMPARE(int(d.getDescriptorLenght()), 0);
    QCOMPARE(d.getServiceCount(), 0);
    QCOMPARE(d.toBin().toHex().toUpper(), QByteArray("8300"));
}

void tst_LogicalChannelDes::changeInPlace()
{
    LogicalChannelDes d;
    ServiceData s = service(0x1234, 1, 5);
    d.insertServiceData(s);
    QCOMPARE(d.toBin().toHex().toUpper(), QByteArray("83041234FC05"));
    d.getServiceData(0).setLogicalChannelNumber(6);
    d.getServiceData(0).setVisibleServiceFlag(0);
    QCOMPARE(d.toBin().toHex().toUpper(), QByteArray("830412347C06"));
    // The caller's entry was copied in, not shared.
    QCOMPARE(int(s.getLogicalChannelNumber()), 5);
}

void tst_LogicalChannelDes::badIndex()
{
    LogicalChannelDes d;
    ServiceData s = service(0x1234, 1, 5);
    d.insertServiceData(s);

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no service at index"));
    d.getServiceData(1).setServiceID(0xDEAD);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no service at index"));
    d.getServiceData(-1).setServiceID(0xDEAD);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no service at index"));
    d.reinsertServiceData(s, 3);
    QCOMPARE(d.toBin().toHex().toUpper(), QByteArray("83041234FC05"));
}

void tst_LogicalChannelDes::history()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("lcn.his");
    const QString own = dir.filePath("entry.his");

    LogicalChannelDes d;
    ServiceData a = service(0x1234, 1, 5);
    a.setPathHist(own);
    ServiceData b = service(0x0002, 0, 800);
    d.insertServiceData(a);
    d.insertServiceData(b);
    d.setPathHist(path);
    d.toBin();

    const QList<QByteArray> expected = {
        "Service Data. Datos: ",
        "ServiceID: 4660. VisibleServiceFlag: 1. Reserved: 31. LogicalChannelNumber: 5",
        "En binario. Datos: 1234FC05",
        "Service Data. Datos: ",
        "ServiceID: 2. VisibleServiceFlag: 0. Reserved: 31. LogicalChannelNumber: 800",
        "En binario. Datos: 00027F20",
        "Logical Channel Descriptor. Datos",
        "DescriptorTag: 131. DescriptorLenght: 8",
        "En binario. Datos: 8308",
    };
    QCOMPARE(historyLines(path), expected);
    QVERIFY(!QFile::exists(own));
    QCOMPARE(d.getServiceData(0).getPathHist(), own);
    QCOMPARE(d.getServiceData(1).getPathHist(), QString());
}

void tst_LogicalChannelDes::serviceHistoryAndDump()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("service.his");
    ServiceData s = service(0xFFFF, 1, 1023);
    s.setPathHist(path);
    DebugCapture capture;
    QCOMPARE(s.toBin().toHex().toUpper(), QByteArray("FFFFFFFF"));
    QCOMPARE(
        historyLines(path),
        QList<QByteArray>(
            {"Service Data. Datos: ",
             "ServiceID: 65535. VisibleServiceFlag: 1. Reserved: 31. LogicalChannelNumber: 1023",
             "En binario. Datos: FFFFFFFF"}));
    QCOMPARE(capture.lines(),
             QStringList({"Service Data. ServiceID: 65535. VisibleServiceFlag: 1. Reserved: 31"
                          ". LogicalChannelNumber: 1023",
                          "Datos del QByteArray: Datos: FFFFFFFF"}));
}

void tst_LogicalChannelDes::unwritableHistory()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    LogicalChannelDes d;
    ServiceData s = service(0x1234, 1, 5);
    d.insertServiceData(s);
    d.setPathHist(dir.filePath("missing/lcn.his"));
    QCOMPARE(d.toBin().toHex().toUpper(), QByteArray("83041234FC05"));
    QCOMPARE(int(d.getDescriptorSize()), 6);
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

QTEST_MAIN(tst_LogicalChannelDes)
#include "tst_logicalchanneldes.moc"
