#include "cabledelsysdes.h"
#include "hdlogicalchanneldes.h"
#include "t2delsysdes.h"

#include "en300468decoder.h"
#include "historyfile.h"

#include <QTemporaryDir>
#include <QtTest>

class tst_HostDescriptors : public QObject
{
    Q_OBJECT

private slots:
    void cable_data();
    void cable();
    void cableRange_data();
    void cableRange();
    void t2_data();
    void t2();
    void t2Limits();
    void hdLogicalChannel();
    void hdSixtyThree();
    void copies();
    void history();
};

Q_DECLARE_METATYPE(T2DelSysDes)

void tst_HostDescriptors::cable_data()
{
    QTest::addColumn<double>("mhz");
    QTest::addColumn<double>("msym");
    QTest::addColumn<int>("outer");
    QTest::addColumn<int>("modulation");
    QTest::addColumn<int>("inner");
    QTest::addColumn<QByteArray>("hex");
    QTest::addColumn<qulonglong>("bcdFreq");
    QTest::addColumn<qulonglong>("bcdRate");

    QTest::newRow("defaults") << -1.0 << -1.0 << -1 << -1 << -1
                              << QByteArray("440B00000000FFF2030000000F") << 0ull << 0ull;
    QTest::newRow("346 MHz 64-QAM 6.875")
        << 346.0 << 6.875 << 2 << 3 << 15 << QByteArray("440B03460000FFF2030068750F") << 3460000ull
        << 68750ull;
    QTest::newRow("858.1234 MHz 256-QAM 6.9 3/4")
        << 858.1234 << 6.9 << 2 << 5 << 3 << QByteArray("440B08581234FFF20500690003") << 8581234ull
        << 69000ull;
    QTest::newRow("top of range") << 9999.9999 << 999.9999 << 1 << 1 << 9
                                  << QByteArray("440B99999999FFF10199999999") << 99999999ull
                                  << 9999999ull;
}

void tst_HostDescriptors::cable()
{
    QFETCH(double, mhz);
    QFETCH(double, msym);
    QFETCH(int, outer);
    QFETCH(int, modulation);
    QFETCH(int, inner);
    QFETCH(QByteArray, hex);
    QFETCH(qulonglong, bcdFreq);
    QFETCH(qulonglong, bcdRate);

    CableDelSysDes d;
    if (mhz >= 0) {
        QVERIFY(d.setFrequency(mhz));
        QVERIFY(d.setSymbolRate(msym));
        d.setFecOuter(static_cast<unsigned char>(outer));
        d.setModulation(static_cast<unsigned char>(modulation));
        d.setFecInner(static_cast<unsigned char>(inner));
    }
    const QByteArray bin = d.toBin();
    QCOMPARE(bin.toHex().toUpper(), hex);
    QCOMPARE(int(d.getDescriptorSize()), bin.size());

    const QVariantMap f = En300468::decodeDescriptor(bin);
    QVERIFY2(!f.contains("error"), qPrintable(f.value("error").toString()));
    QCOMPARE(f["descriptor_tag"].toInt(), 0x44);
    QCOMPARE(f["frequency"].toULongLong(), bcdFreq);
    QCOMPARE(f["symbol_rate"].toULongLong(), bcdRate);
    QCOMPARE(f["reserved_future_use"].toInt(), 0xFFF);
    QCOMPARE(f["FEC_outer"].toInt(), int(d.getFecOuter()));
    QCOMPARE(f["modulation"].toInt(), int(d.getModulation()));
    QCOMPARE(f["FEC_inner"].toInt(), int(d.getFecInner()));
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

void tst_HostDescriptors::t2_data()
{
    QTest::addColumn<T2DelSysDes>("desc");
    QTest::addColumn<QByteArray>("hex");

    QTest::newRow("defaults") << T2DelSysDes() << QByteArray("7F0404000000");

    T2DelSysDes ids;
    ids.setPlpId(1);
    ids.setT2SystemId(0x8001);
    QTest::newRow("plp and system id") << ids << QByteArray("7F0404018001");

    T2DelSysDes bare;
    bare.setExtendedInfo(true);
    bare.setGuardInterval(T2DelSysDes::GI1_128);
    bare.setTransmissionMode(T2DelSysDes::Mode32k);
    QTest::newRow("parameters, no cell") << bare << QByteArray("7F06040000000394");

    T2DelSysDes single;
    single.setPlpId(2);
    single.setT2SystemId(0x1234);
    single.setExtendedInfo(true);
    single.setSisoMiso(1);
    single.setBandwidth(T2DelSysDes::Bw7MHz);
    single.setGuardInterval(T2DelSysDes::GI1_8);
    single.setTransmissionMode(T2DelSysDes::Mode8k);
    single.setOtherFrequencyFlag(true);
    T2DelSysDes::Cell cell;
    cell.cellId = 1;
    cell.centreFrequencies << T2DelSysDes::frequencyUnits(474.0);
    cell.subCells << T2DelSysDes::SubCell {2, T2DelSysDes::frequencyUnits(482.0)};
    QVERIFY(single.addCell(cell));
    QTest::newRow("one cell, one transposer") << single
                                              << QByteArray("7F1204021234474600010"
                                                            "2D344400502"
                                                            "02DF7940");

    T2DelSysDes tfs;
    tfs.setT2SystemId(1);
    tfs.setExtendedInfo(true);
    tfs.setBandwidth(T2DelSysDes::Bw7MHz);
    tfs.setGuardInterval(T2DelSysDes::GI1_8);
    tfs.setTransmissionMode(T2DelSysDes::Mode8k);
    QVERIFY(tfs.setTfsFlag(true));
    T2DelSysDes::Cell hop;
    hop.cellId = 0xAB;
    hop.centreFrequencies << T2DelSysDes::frequencyUnits(474.0)
                          << T2DelSysDes::frequencyUnits(478.0);
    QVERIFY(tfs.addCell(hop));
    QTest::newRow("time-frequency slicing") << tfs
                                            << QByteArray("7F12040000010745"
                                                          "00AB08"
                                                          "02D34440"
                                                          "02D95EC0"
                                                          "00");
}

void tst_HostDescriptors::t2()
{
    QFETCH(T2DelSysDes, desc);
    QFETCH(QByteArray, hex);

    const QByteArray bin = desc.toBin();
    QCOMPARE(bin.toHex().toUpper(), hex);
    QCOMPARE(int(desc.getDescriptorSize()), bin.size());

    const QVariantMap f = En300468::decodeDescriptor(bin);
    QVERIFY2(!f.contains("error"), qPrintable(f.value("error").toString()));
    QCOMPARE(f["descriptor_tag"].toInt(), 0x7F);
    QCOMPARE(f["descriptor_tag_extension"].toInt(), 0x04);
    QCOMPARE(f["plp_id"].toInt(), int(desc.getPlpId()));
    QCOMPARE(f["T2_system_id"].toInt(), int(desc.getT2SystemId()));
    QCOMPARE(f.contains("tfs_flag"), desc.hasExtendedInfo());
    if (!desc.hasExtendedInfo())
        return;
    QCOMPARE(f["SISO_MISO"].toInt(), int(desc.getSisoMiso()));
    QCOMPARE(f["bandwidth"].toInt(), int(desc.getBandwidth()));
    QCOMPARE(f["reserved_future_use"].toInt(), 3);
    QCOMPARE(f["guard_interval"].toInt(), int(desc.getGuardInterval()));
    QCOMPARE(f["transmission_mode"].toInt(), int(desc.getTransmissionMode()));
    QCOMPARE(f["other_frequency_flag"].toBool(), desc.getOtherFrequencyFlag());
    QCOMPARE(f["tfs_flag"].toBool(), desc.getTfsFlag());
    const QVariantList cells = f["cells"].toList();
    QCOMPARE(cells.size(), desc.getCells().size());
    for (int i = 0; i < cells.size(); ++i) {
        const QVariantMap c = cells.at(i).toMap();
        const T2DelSysDes::Cell cell = desc.getCells().at(i);
        QCOMPARE(c["cell_id"].toInt(), int(cell.cellId));
        QVariantList freqs;
        for (quint32 freq : cell.centreFrequencies)
            freqs << quint64(freq);
        QCOMPARE(c["centre_frequency"].toList(), freqs);
        QCOMPARE(c["subcells"].toList().size(), cell.subCells.size());
    }
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
    QCOMPARE(int(d.getDescriptorLenght()), 251);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no room for cell"));
    QVERIFY(!d.addCell(cell));
    // With slicing each cell grows to 8 bytes, which no longer fits.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("do not fit"));
    QVERIFY(!d.setTfsFlag(true));
    QVERIFY(!d.getTfsFlag());
    QCOMPARE(d.getCells().size(), 35);
    const QByteArray bin = d.toBin();
    QCOMPARE(bin.size(), 253);
    QCOMPARE(En300468::decodeDescriptor(bin)["cells"].toList().size(), 35);

    d.setBandwidth(0xFF);
    d.setGuardInterval(0xFF);
    d.setTransmissionMode(0xFF);
    d.setSisoMiso(0xFF);
    QCOMPARE(int(d.getBandwidth()), 15);
    QCOMPARE(int(d.getGuardInterval()), 7);
    QCOMPARE(int(d.getTransmissionMode()), 7);
    QCOMPARE(int(d.getSisoMiso()), 3);
    QCOMPARE(d.toBin().mid(6, 2).toHex().toUpper(), QByteArray("FFFC"));
}

void tst_HostDescriptors::hdLogicalChannel()
{
    HDLogicalChannelDes d;
    QCOMPARE(d.toBin().toHex().toUpper(), QByteArray("8800"));
    QCOMPARE(int(d.getDescriptorSize()), 2);
    QVERIFY(d.insertService(0x1234, true, 5));
    QVERIFY(d.insertService(0x0002, false, 1025));
    const QByteArray bin = d.toBin();
    QCOMPARE(bin.toHex().toUpper(), QByteArray("88081234FC0500027C01"));
    QCOMPARE(int(d.getDescriptorSize()), 10);
    QCOMPARE(int(d.getService(1).logicalChannelNumber), 1);

    const QVariantMap f = En300468::decodeDescriptor(bin);
    QVERIFY2(!f.contains("error"), qPrintable(f.value("error").toString()));
    const QVariantList services = f["services"].toList();
    QCOMPARE(services.size(), 2);
    QCOMPARE(services.at(0).toMap()["service_id"].toInt(), 0x1234);
    QCOMPARE(services.at(1).toMap()["visible_service_flag"].toInt(), 0);
    QCOMPARE(services.at(1).toMap()["reserved"].toInt(), 31);

    d.deleteServices();
    QCOMPARE(d.toBin().toHex().toUpper(), QByteArray("8800"));
}

void tst_HostDescriptors::hdSixtyThree()
{
    HDLogicalChannelDes d;
    for (int i = 0; i < 63; ++i)
        QVERIFY(
            d.insertService(static_cast<unsigned short>(i), true, static_cast<unsigned short>(i)));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no room for service"));
    QVERIFY(!d.insertService(63, true, 63));
    QCOMPARE(int(d.getDescriptorSize()), 254);
    QCOMPARE(En300468::decodeDescriptor(d.toBin())["services"].toList().size(), 63);
}

void tst_HostDescriptors::copies()
{
    T2DelSysDes t2;
    t2.setExtendedInfo(true);
    T2DelSysDes::Cell cell;
    cell.centreFrequencies << 1;
    QVERIFY(t2.addCell(cell));
    T2DelSysDes t2Copy = t2;
    QVERIFY(t2Copy.addCell(cell));
    QCOMPARE(t2.getCells().size(), 1);
    QCOMPARE(t2Copy.getDescriptorSize(), t2.getDescriptorSize() + 7);

    HDLogicalChannelDes hd;
    QVERIFY(hd.insertService(1, true, 1));
    HDLogicalChannelDes hdCopy(hd);
    hdCopy.deleteServices();
    QCOMPARE(hd.getServiceCount(), 1);

    CableDelSysDes cable;
    QVERIFY(cable.setFrequency(314.0));
    CableDelSysDes cableCopy;
    cableCopy = cable;
    QVERIFY(cableCopy.setFrequency(322.0));
    QCOMPARE(cable.getFrequency(), 3140000u);
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
    const QByteArray c = cable.toBin();
    const QByteArray t = t2.toBin();
    const QByteArray h = hd.toBin();

    const QList<QByteArray> lines = historyLines(path);
    QCOMPARE(lines.size(), 9);
    QCOMPARE(lines.at(0), QByteArray("Cable Delivery System Descriptor. Datos"));
    QCOMPARE(lines.at(2), "En binario. Datos: " + c.toHex().toUpper());
    QCOMPARE(lines.at(3), QByteArray("T2 Delivery System Descriptor. Datos"));
    QCOMPARE(lines.at(5), "En binario. Datos: " + t.toHex().toUpper());
    QCOMPARE(lines.at(6), QByteArray("HD Simulcast Logical Channel Descriptor. Datos"));
    QCOMPARE(lines.at(8), "En binario. Datos: " + h.toHex().toUpper());

    // Without a usable history the bytes are the same.
    cable.setPathHist(dir.filePath("missing/host.his"));
    QCOMPARE(cable.toBin(), c);
    t2.setPathHist(QString());
    QCOMPARE(t2.toBin(), t);
}

QTEST_MAIN(tst_HostDescriptors)
#include "tst_hostdescriptors.moc"
