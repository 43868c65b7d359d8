#include "terrestrialdelsysdes.h"
#include "testmain.h"

#include "debugoutput.h"
#include "historyfile.h"

#include <QTemporaryDir>

class tst_TerrestrialDelSysDes : public QObject
{
    Q_OBJECT

private slots:
    void bytes_data();
    void bytes();
    void refusedBandwidth();
    void historyAndDump();
};

namespace {

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

const Settings vhf5 = {177.5, 2, 1, 4, 3, 2, 3, 1};
const QByteArray uhf21Hex = "5A0B02D344401F8203FFFFFFFF";
const QByteArray vhf5Hex = "5A0B010ED7F03F4477FFFFFFFF";

} // namespace

Q_DECLARE_METATYPE(Settings)

void tst_TerrestrialDelSysDes::bytes_data()
{
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QByteArray>("hex");

    // 474 MHz is 47,400,000 units of 10 Hz: 02 D3 44 40.
    QTest::newRow("UHF 21, 8 MHz") << Settings {474.0, 3, 2, 2, 0, 0, 1, 1} << uhf21Hex;
    QTest::newRow("474.000009 MHz truncates")
        << Settings {474.000009, 3, 2, 2, 0, 0, 1, 1} << uhf21Hex;
    QTest::newRow("UHF 69, 5 MHz, top codes")
        << Settings {858.0, 0, 3, 7, 7, 3, 2, 0} << QByteArray("5A0B051D34407FC7FCFFFFFFFF");
    QTest::newRow("VHF 5, 7 MHz") << vhf5 << vhf5Hex;
    QTest::newRow("zero, 6 MHz") << Settings {0.0, 1, 0, 0, 0, 0, 0, 0}
                                 << QByteArray("5A0B000000005F0000FFFFFFFF");
}

void tst_TerrestrialDelSysDes::bytes()
{
    QFETCH(Settings, settings);
    QFETCH(QByteArray, hex);
    TerrestrialDelSysDes d = make(settings);
    QCOMPARE(d.toBin().toHex().toUpper(), hex);
    QCOMPARE(int(d.getDescriptorSize()), 13);
}

void tst_TerrestrialDelSysDes::refusedBandwidth()
{
    TerrestrialDelSysDes d = make(vhf5);
    QTest::ignoreMessage(QtWarningMsg, "Bandwidth invalido 4");
    d.setBandwidth(4);
    QCOMPARE(d.toBin().toHex().toUpper(), vhf5Hex);
}

void tst_TerrestrialDelSysDes::historyAndDump()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // Over-wide values: the setters keep only each field's width, which leaves UHF 21.
    TerrestrialDelSysDes d = make({474.0, 3, 6, 10, 8, 4, 5, 3});
    // A history that cannot be opened costs the record, never the bytes.
    d.setPathHist(dir.filePath("missing/nit.his"));
    QCOMPARE(d.toBin().toHex().toUpper(), uhf21Hex);
    QVERIFY(!QFile::exists(dir.filePath("missing")));

    d.setPathHist(dir.filePath("nit.his"));
    const QByteArray fields
        = "DescriptorTag: 90. DescriptorLenght: 11. CentreFrequency: 47400000. Bandwith: 0"
          ". Priority: 1. TimeSlicingIndicator: 1. MPE_FECIndicator: 1. Reserved1: 3"
          ". Constellation 2. HierarchyInfo: 0. CodeRateHP: 2. CodeRateLP: 0. GuardInverval: 0"
          ". TransmissionMode: 1. OtherFreqFlag: 1. Reserved2: 4294967295";
    DebugOutput debug;
    QTest::ignoreMessage(QtDebugMsg, "Terrestrial Delivery System Descriptor. " + fields);
    QTest::ignoreMessage(QtDebugMsg, "Datos del QByteArray: Datos: " + uhf21Hex);
    d.toBin();
    QCOMPARE(historyText(dir.filePath("nit.his")),
             "Terrestrial Delivery System Descriptor. Datos\r\n" + fields
                 + "\r\nEn binario. Datos: 5A0B02D344401F8203FFFFFFFF\r\n");
}

MSP_TEST_MAIN(tst_TerrestrialDelSysDes)
#include "tst_terrestrialdelsysdes.moc"
