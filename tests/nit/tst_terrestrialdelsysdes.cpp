#include "terrestrialdelsysdes.h"

#include "debugcapture.h"
#include "en300468decoder.h"
#include "historyfile.h"

#include <QTemporaryDir>
#include <QtTest>

class tst_TerrestrialDelSysDes : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void bytes_data();
    void bytes();
    void frequencyTruncates();
    void masks_data();
    void masks();
    void bandwidth_data();
    void bandwidth();
    void history();
    void debugDump();
    void unwritableHistory_data();
    void unwritableHistory();
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

const Settings uhf21 = {474.0, 3, 2, 2, 0, 0, 1, 1};

} // namespace

void tst_TerrestrialDelSysDes::defaults()
{
    TerrestrialDelSysDes d;
    QCOMPARE(int(d.getDescriptorTag()), 0x5A);
    QCOMPARE(int(d.getDescriptorLenght()), 11);
    QCOMPARE(int(d.getDescriptorSize()), 13);
    QCOMPARE(int(d.getPriority()), 1);
    QCOMPARE(int(d.getTimeSlicingIndicator()), 1);
    QCOMPARE(int(d.get_MPE_FECIndicator()), 1);
    QCOMPARE(int(d.getHierarchyInformation()), 0);
    QCOMPARE(int(d.getOtherFreqFlags()), 1);
}

void tst_TerrestrialDelSysDes::bytes_data()
{
    QTest::addColumn<double>("mhz");
    QTest::addColumn<int>("bandwidth");
    QTest::addColumn<int>("constellation");
    QTest::addColumn<int>("hp");
    QTest::addColumn<int>("lp");
    QTest::addColumn<int>("guard");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("other");
    QTest::addColumn<QByteArray>("hex");
    QTest::addColumn<int>("bandwidthCode");

    // 474 MHz is 47,400,000 units of 10 Hz: 02 D3 44 40.
    QTest::newRow("UHF 21, 8 MHz") << 474.0 << 3 << 2 << 2 << 0 << 0 << 1 << 1
                                   << QByteArray("5A0B02D344401F8203FFFFFFFF") << 0;
    QTest::newRow("UHF 69, 5 MHz, every field full")
        << 858.0 << 0 << 3 << 7 << 7 << 3 << 2 << 0 << QByteArray("5A0B051D34407FC7FCFFFFFFFF")
        << 3;
    QTest::newRow("VHF 177.5, 7 MHz") << 177.5 << 2 << 1 << 4 << 3 << 2 << 3 << 1
                                      << QByteArray("5A0B010ED7F03F4477FFFFFFFF") << 1;
    QTest::newRow("zero, 6 MHz") << 0.0 << 1 << 0 << 0 << 0 << 0 << 0 << 0
                                 << QByteArray("5A0B000000005F0000FFFFFFFF") << 2;
}

void tst_TerrestrialDelSysDes::bytes()
{
    QFETCH(double, mhz);
    QFETCH(int, bandwidth);
    QFETCH(int, constellation);
    QFETCH(int, hp);
    QFETCH(int, lp);
    QFETCH(int, guard);
    QFETCH(int, mode);
    QFETCH(int, other);
    QFETCH(QByteArray, hex);
    QFETCH(int, bandwidthCode);

    TerrestrialDelSysDes d = make({mhz, bandwidth, constellation, hp, lp, guard, mode, other});
    const QByteArray bin = d.toBin();
    QCOMPARE(bin.toHex().toUpper(), hex);
    QCOMPARE(int(d.getDescriptorSize()), bin.size());

    const QVariantMap f = En300468::decodeDescriptor(bin);
    QVERIFY2(!f.contains("error"), qPrintable(f.value("error").toString()));
    QCOMPARE(f["descriptor_tag"].toInt(), 0x5A);
    QCOMPARE(f["centre_frequency"].toULongLong(), quint64(qRound64(mhz * 100000.0)));
    QCOMPARE(f["bandwidth"].toInt(), bandwidthCode);
    QCOMPARE(f["priority"].toInt(), 1);
    QCOMPARE(f["Time_Slicing_indicator"].toInt(), 1);
    QCOMPARE(f["MPE-FEC_indicator"].toInt(), 1);
    QCOMPARE(f["reserved_future_use1"].toInt(), 3);
    QCOMPARE(f["constellation"].toInt(), constellation);
    QCOMPARE(f["hierarchy_information"].toInt(), 0);
    QCOMPARE(f["code_rate-HP_stream"].toInt(), hp);
    QCOMPARE(f["code_rate-LP_stream"].toInt(), lp);
    QCOMPARE(f["guard_interval"].toInt(), guard);
    QCOMPARE(f["transmission_mode"].toInt(), mode);
    QCOMPARE(f["other_frequency_flag"].toInt(), other);
    QCOMPARE(f["reserved_future_use2"].toULongLong(), quint64(0xFFFFFFFFu));
}

void tst_TerrestrialDelSysDes::frequencyTruncates()
{
    TerrestrialDelSysDes d;
    d.setCentreFrequency(474.000009);
    QCOMPARE(d.getCentreFrequency(), 47400000u);
    d.setCentreFrequency(122.75);
    QCOMPARE(d.getCentreFrequency(), 12275000u);
}

void tst_TerrestrialDelSysDes::masks_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("argument");
    QTest::addColumn<int>("stored");

    QTest::newRow("constellation 6") << "constellation" << 6 << 2;
    QTest::newRow("constellation 3") << "constellation" << 3 << 3;
    QTest::newRow("other freq 2") << "other" << 2 << 0;
    QTest::newRow("other freq 3") << "other" << 3 << 1;
    QTest::newRow("code rate HP 9") << "hp" << 9 << 1;
    QTest::newRow("code rate LP 255") << "lp" << 255 << 7;
    QTest::newRow("guard 5") << "guard" << 5 << 1;
    QTest::newRow("mode 7") << "mode" << 7 << 3;
}

void tst_TerrestrialDelSysDes::masks()
{
    QFETCH(QString, field);
    QFETCH(int, argument);
    QFETCH(int, stored);

    TerrestrialDelSysDes d = make(uhf21);
    const QByteArray before = d.toBin();
    const auto arg = static_cast<unsigned char>(argument);
    int got = -1;
    if (field == "constellation") {
        d.setConstellation(arg);
        got = d.getConstellation();
    } else if (field == "other") {
        d.setOtherFreqFlags(arg);
        got = d.getOtherFreqFlags();
    } else if (field == "hp") {
        d.setCodeRateHPStream(arg);
        got = d.getCodeRateHPStream();
    } else if (field == "lp") {
        d.setCodeRateLPStream(arg);
        got = d.getCodeRateLPStream();
    } else if (field == "guard") {
        d.setGuardInterval(arg);
        got = d.getGuardInterval();
    } else if (field == "mode") {
        d.setTransmissionMode(arg);
        got = d.getTransmissionMode();
    }
    QCOMPARE(got, stored);

    // Dropped bits never spill into the neighbouring fields.
    const QByteArray after = d.toBin();
    QCOMPARE(after.size(), 13);
    QCOMPARE(after.left(6), before.left(6));
    QCOMPARE(after.mid(9), before.mid(9));
    const QVariantMap f = En300468::decodeDescriptor(after);
    const QMap<QString, QString> key
        = {{"constellation", "constellation"}, {"other", "other_frequency_flag"},
           {"hp", "code_rate-HP_stream"},      {"lp", "code_rate-LP_stream"},
           {"guard", "guard_interval"},        {"mode", "transmission_mode"}};
    QCOMPARE(f[key[field]].toInt(), stored);
    QCOMPARE(f["hierarchy_information"].toInt(), 0);
}

void tst_TerrestrialDelSysDes::bandwidth_data()
{
    QTest::addColumn<int>("argument");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("warns");

    QTest::newRow("0: 5 MHz") << 0 << 3 << false;
    QTest::newRow("1: 6 MHz") << 1 << 2 << false;
    QTest::newRow("2: 7 MHz") << 2 << 1 << false;
    QTest::newRow("3: 8 MHz") << 3 << 0 << false;
    QTest::newRow("4 refused") << 4 << 1 << true;
    QTest::newRow("255 refused") << 255 << 1 << true;
}

void tst_TerrestrialDelSysDes::bandwidth()
{
    QFETCH(int, argument);
    QFETCH(int, code);
    QFETCH(bool, warns);

    TerrestrialDelSysDes d;
    d.setBandwidth(2); // 7 MHz, code 1: what a refused value must leave
    if (warns)
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(QStringLiteral("Bandwidth invalido %1").arg(argument)));
    d.setBandwidth(static_cast<unsigned char>(argument));
    QCOMPARE(int(d.getBandwidth()), code);
    QCOMPARE(int(quint8(d.toBin().at(6)) >> 5), code);
    QCOMPARE(int(d.getDescriptorSize()), 13);
}

void tst_TerrestrialDelSysDes::history()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("nit.his");

    TerrestrialDelSysDes d = make(uhf21);
    d.setPathHist(path);
    d.toBin();
    d.setCentreFrequency(858.0);
    d.setOtherFreqFlags(0);
    d.toBin();

    const QList<QByteArray> expected = {
        "Terrestrial Delivery System Descriptor. Datos",
        "DescriptorTag: 90. DescriptorLenght: 11. CentreFrequency: 47400000. Bandwith: 0. "
        "Priority: 1"
        ". TimeSlicingIndicator: 1. MPE_FECIndicator: 1. Reserved1: 3. Constellation 2. "
        "HierarchyInfo: 0"
        ". CodeRateHP: 2. CodeRateLP: 0. GuardInverval: 0. TransmissionMode: 1. OtherFreqFlag: 1"
        ". Reserved2: 4294967295",
        "En binario. Datos: 5A0B02D344401F8203FFFFFFFF",
        "Terrestrial Delivery System Descriptor. Datos",
        "DescriptorTag: 90. DescriptorLenght: 11. CentreFrequency: 85800000. Bandwith: 0. "
        "Priority: 1"
        ". TimeSlicingIndicator: 1. MPE_FECIndicator: 1. Reserved1: 3. Constellation 2. "
        "HierarchyInfo: 0"
        ". CodeRateHP: 2. CodeRateLP: 0. GuardInverval: 0. TransmissionMode: 1. OtherFreqFlag: 0"
        ". Reserved2: 4294967295",
        "En binario. Datos: 5A0B051D34401F8202FFFFFFFF",
    };
    QCOMPARE(historyLines(path), expected);
}

void tst_TerrestrialDelSysDes::debugDump()
{
    TerrestrialDelSysDes d = make(uhf21);
    DebugCapture capture;
    d.toBin();
    QCOMPARE(capture.lines(),
             QStringList(
                 {"Terrestrial Delivery System Descriptor. DescriptorTag: 90. DescriptorLenght: 11"
                  ". CentreFrequency: 47400000. Bandwith: 0. Priority: 1. TimeSlicingIndicator: 1"
                  ". MPE_FECIndicator: 1. Reserved1: 3. Constellation 2. HierarchyInfo: 0"
                  ". CodeRateHP: 2. CodeRateLP: 0. GuardInverval: 0. TransmissionMode: 1"
                  ". OtherFreqFlag: 1. Reserved2: 4294967295",
                  "Datos del QByteArray: Datos: 5A0B02D344401F8203FFFFFFFF"}));
}

void tst_TerrestrialDelSysDes::unwritableHistory_data()
{
    QTest::addColumn<QString>("relative");
    QTest::newRow("empty path") << QString();
    QTest::newRow("missing folder") << "no/such/folder/nit.his";
    QTest::newRow("path is a folder") << ".";
}

void tst_TerrestrialDelSysDes::unwritableHistory()
{
    QFETCH(QString, relative);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = relative.isEmpty() ? QString() : dir.filePath(relative);

    TerrestrialDelSysDes d = make(uhf21);
    d.setPathHist(path);
    QCOMPARE(d.toBin().toHex().toUpper(), QByteArray("5A0B02D344401F8203FFFFFFFF"));
    QCOMPARE(d.getCentreFrequency(), 47400000u);
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

QTEST_MAIN(tst_TerrestrialDelSysDes)
#include "tst_terrestrialdelsysdes.moc"
