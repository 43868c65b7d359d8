#include "cabledelsysdes.h"
#include "hdlogicalchanneldes.h"
#include "t2delsysdes.h"
#include "testmain.h"

#include "historyfile.h"

#include <QTemporaryDir>

class tst_HostDescriptors : public QObject
{
    Q_OBJECT

private slots:
    void bytes_data();
    void bytes();
    void cableRange_data();
    void cableRange();
    void t2Limits();
    void hdLimits();
    void history();
};

namespace {

CableDelSysDes cable(double mhz, double msym, int outer, int modulation, int inner)
{
    CableDelSysDes d;
    d.setFrequency(mhz);
    d.setSymbolRate(msym);
    d.setFecOuter(static_cast<unsigned char>(outer));
    d.setModulation(static_cast<unsigned char>(modulation));
    d.setFecInner(static_cast<unsigned char>(inner));
    return d;
}

template<class Descriptor> void addRow(const char *name, const Descriptor &d, const char *hex)
{
    QTest::newRow(name) << d.toBin() << int(d.getDescriptorSize()) << QByteArray(hex);
}

} // namespace

void tst_HostDescriptors::bytes_data()
{
    QTest::addColumn<QByteArray>("bin");
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("hex");

    // Frequency and symbol rate in BCD, four digits after the point.
    addRow("cable defaults", CableDelSysDes(), "44 0B 00 00 00 00 FF F2 03 00 00 00 0F");
    addRow("cable 858.1234 MHz 256-QAM 6.9 3/4", cable(858.1234, 6.9, 2, 5, 3),
           "44 0B 08 58 12 34 FF F2 05 00 69 00 03");
    addRow("cable top of range", cable(9999.9999, 999.9999, 1, 1, 9),
           "44 0B 99 99 99 99 FF F1 01 99 99 99 99");

    addRow("T2 defaults", T2DelSysDes(), "7F 04 04 00 00 00");
    T2DelSysDes base;
    base.setExtendedInfo(true);
    base.setBandwidth(T2DelSysDes::Bw7MHz);
    base.setGuardInterval(T2DelSysDes::GI1_8);
    base.setTransmissionMode(T2DelSysDes::Mode8k);
    addRow("T2 parameters, no cell", base, "7F 06 04 00 00 00 07 44");

    T2DelSysDes single = base;
    single.setPlpId(2);
    single.setT2SystemId(0x1234);
    single.setSisoMiso(1);
    single.setOtherFrequencyFlag(true);
    QVERIFY(single.addCell(
        {1, {T2DelSysDes::frequencyUnits(474.0)}, {{2, T2DelSysDes::frequencyUnits(482.0)}}}));
    addRow("T2 one cell, one transposer", single,
           "7F 12 04 02 12 34 47 46 00 01 02 D3 44 40 05 02 02 DF 79 40");

    T2DelSysDes tfs = base;
    QVERIFY(tfs.setTfsFlag(true));
    QVERIFY(tfs.addCell(
        {0xAB, {T2DelSysDes::frequencyUnits(474.0), T2DelSysDes::frequencyUnits(478.0)}, {}}));
    addRow("T2 time-frequency slicing", tfs,
           "7F 12 04 00 00 00 07 45 00 AB 08 02 D3 44 40 02 D9 5E C0 00");

    addRow("HD empty", HDLogicalChannelDes(), "88 00");
    HDLogicalChannelDes hd;
    QVERIFY(hd.insertService(0x1234, true, 5));
    QVERIFY(hd.insertService(0x0002, false, 1025));
    addRow("HD two services, number masked", hd, "88 08 12 34 FC 05 00 02 7C 01");
}

void tst_HostDescriptors::bytes()
{
    QFETCH(QByteArray, bin);
    QFETCH(int, size);
    QFETCH(QByteArray, hex);
    QCOMPARE(bin.toHex(' ').toUpper(), hex);
    QCOMPARE(size, bin.size());
}

void tst_HostDescriptors::cableRange_data()
{
    QTest::addColumn<bool>("frequency");
    QTest::addColumn<double>("value");
    QTest::newRow("negative frequency") << true << -0.5;
    QTest::newRow("frequency of nine digits") << true << 10000.0;
    QTest::newRow("frequency not a number") << true << qQNaN();
    QTest::newRow("negative symbol rate") << false << -1.0;
    QTest::newRow("symbol rate of eight digits") << false << 1000.0;
}

void tst_HostDescriptors::cableRange()
{
    QFETCH(bool, frequency);
    QFETCH(double, value);

    CableDelSysDes d;
    QVERIFY(d.setFrequency(474.0));
    QVERIFY(d.setSymbolRate(6.875));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("out of range"));
    QVERIFY(!(frequency ? d.setFrequency(value) : d.setSymbolRate(value)));
    QCOMPARE(d.getFrequency(), 4740000u);
    QCOMPARE(d.getSymbolRate(), 68750u);
}

void tst_HostDescriptors::t2Limits()
{
    T2DelSysDes d;
    d.setExtendedInfo(true);
    T2DelSysDes::Cell cell;
    cell.centreFrequencies << T2DelSysDes::frequencyUnits(474.0);
    // 6 bytes before the cells, 7 per cell without slicing: 35 cells fit.
    for (int i = 0; i < 35; ++i) {
        cell.cellId = static_cast<unsigned short>(i);
        QVERIFY(d.addCell(cell));
    }
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no room for cell"));
    QVERIFY(!d.addCell(cell));
    // With slicing each cell grows to 8 bytes, which no longer fits.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("do not fit"));
    QVERIFY(!d.setTfsFlag(true));
    QCOMPARE(d.toBin().size(), 253);

    d.setBandwidth(0xFF);
    d.setGuardInterval(0xFF);
    d.setTransmissionMode(0xFF);
    d.setSisoMiso(0xFF);
    QCOMPARE(d.toBin().mid(6, 2).toHex().toUpper(), QByteArray("FFFC"));
}

void tst_HostDescriptors::hdLimits()
{
    HDLogicalChannelDes d;
    QVERIFY(d.insertService(0, true, 1025));
    QCOMPARE(int(d.getService(0).logicalChannelNumber), 1);
    for (int i = 1; i < 63; ++i)
        QVERIFY(d.insertService(static_cast<unsigned short>(i), true, 1));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no room for service"));
    QVERIFY(!d.insertService(63, true, 63));
    QCOMPARE(d.toBin().size(), 254);
}

void tst_HostDescriptors::history()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("host.his");

    CableDelSysDes cable;
    cable.setPathHist(path);
    T2DelSysDes t2;
    t2.setPathHist(path);
    HDLogicalChannelDes hd;
    hd.setPathHist(path);
    cable.toBin();
    t2.toBin();
    hd.toBin();
    QCOMPARE(historyText(path),
             QByteArray("Cable Delivery System Descriptor. Datos\r\n"
                        "DescriptorTag: 68. DescriptorLenght: 11. Frequency: 0. FEC_outer: 2"
                        ". Modulation: 3. SymbolRate: 0. FEC_inner: 15\r\n"
                        "En binario. Datos: 440B00000000FFF2030000000F\r\n"
                        "T2 Delivery System Descriptor. Datos\r\n"
                        "DescriptorTag: 127. DescriptorLenght: 4. DescriptorTagExtension: 4"
                        ". PlpId: 0. T2SystemId: 0\r\n"
                        "En binario. Datos: 7F0404000000\r\n"
                        "HD Simulcast Logical Channel Descriptor. Datos\r\n"
                        "DescriptorTag: 136. DescriptorLenght: 0. Services: 0\r\n"
                        "En binario. Datos: 8800\r\n"));

    // A history that cannot be opened costs the record, never the bytes.
    cable.setPathHist(dir.filePath("missing/host.his"));
    QCOMPARE(cable.toBin().toHex().toUpper(), QByteArray("440B00000000FFF2030000000F"));
    QVERIFY(!QFile::exists(dir.filePath("missing")));
}

MSP_TEST_MAIN(tst_HostDescriptors)
#include "tst_hostdescriptors.moc"
