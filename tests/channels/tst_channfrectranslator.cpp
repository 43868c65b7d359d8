#include "channfrectranslator.h"

#include <QtTest>

class tst_ChannFrecTranslator : public QObject
{
    Q_OBJECT

private slots:
    void channelToFreq_data();
    void channelToFreq();
    void freqToChannel_data();
    void freqToChannel();
    void channelTochanidx_data();
    void channelTochanidx();
    void chanidxToChannel_data();
    void chanidxToChannel();
    void channelLists_data();
    void channelLists();
    void franceSharedFrequencies();
    void australiaOrder();
    void laterRowWins();
    void unknownRule();

private:
    ChannFrecTranslator m_tr;
};

using T = ChannFrecTranslator;

void tst_ChannFrecTranslator::channelToFreq_data()
{
    QTest::addColumn<int>("rule");
    QTest::addColumn<QString>("channel");
    QTest::addColumn<int>("khz");

    QTest::newRow("CCIR S21") << int(T::BG_CCIR) << "S21" << 306000;
    QTest::newRow("CCIR 21") << int(T::BG_CCIR) << "21" << 474000;
    QTest::newRow("CCIR 69") << int(T::BG_CCIR) << "69" << 858000;
    QTest::newRow("CCIR 2") << int(T::BG_CCIR) << "2" << 50500;
    QTest::newRow("France S1 quarter MHz") << int(T::L_France) << "S1" << 122750;
    QTest::newRow("France S8 shares L5") << int(T::L_France) << "S8" << 178750;
    QTest::newRow("South Africa 13") << int(T::I_South_Africa) << "13" << 250180;
    QTest::newRow("Brazil A-5") << int(T::M_Brazil) << "A-5" << 93000;
    QTest::newRow("Brazil ZZ(62)") << int(T::M_Brazil) << "ZZ(62)" << 453000;
    QTest::newRow("Brazil 83") << int(T::M_Brazil) << "83" << 887000;
    QTest::newRow("Australia 10O") << int(T::B_Australia) << "10O" << 211500;
    QTest::newRow("OIRT R69") << int(T::DK_OIRT) << "R69" << 858000;
    QTest::newRow("DOM-TOM 4") << int(T::K_DOM_TOM) << "4" << 178000;
    QTest::newRow("R5 is not CCIR") << int(T::BG_CCIR) << "R5" << 0;
    QTest::newRow("OIRT has no plain 21") << int(T::DK_OIRT) << "21" << 0;
    QTest::newRow("names are case-sensitive") << int(T::M_Brazil) << "a(14)" << 0;
    QTest::newRow("10o is not 10O") << int(T::B_Australia) << "10o" << 0;
    QTest::newRow("no trimming") << int(T::BG_CCIR) << " 21" << 0;
    QTest::newRow("empty name") << int(T::BG_CCIR) << "" << 0;
}

void tst_ChannFrecTranslator::channelToFreq()
{
    QFETCH(int, rule);
    QFETCH(QString, channel);
    QFETCH(int, khz);
    QCOMPARE(m_tr.channelToFreq(T::RULE(rule), channel), khz);
}

void tst_ChannFrecTranslator::freqToChannel_data()
{
    QTest::addColumn<int>("rule");
    QTest::addColumn<qlonglong>("khz");
    QTest::addColumn<QString>("channel");

    QTest::newRow("CCIR 474000") << int(T::BG_CCIR) << 474000ll << "21";
    QTest::newRow("CCIR 474001: no tolerance") << int(T::BG_CCIR) << 474001ll << "";
    QTest::newRow("CCIR 473999") << int(T::BG_CCIR) << 473999ll << "";
    QTest::newRow("France 178750 is L5") << int(T::L_France) << 178750ll << "L5";
    QTest::newRow("France 194750 is L7") << int(T::L_France) << 194750ll << "L7";
    QTest::newRow("France 202750 is S11") << int(T::L_France) << 202750ll << "S11";
    QTest::newRow("France 218750 is S13") << int(T::L_France) << 218750ll << "S13";
    QTest::newRow("South Africa 250180") << int(T::I_South_Africa) << 250180ll << "13";
    QTest::newRow("Australia 211500") << int(T::B_Australia) << 211500ll << "10O";
    QTest::newRow("Brazil 123000") << int(T::M_Brazil) << 123000ll << "A(14)";
    QTest::newRow("zero is no channel") << int(T::BG_CCIR) << 0ll << "";
    QTest::newRow("negative") << int(T::BG_CCIR) << -474000ll << "";
    // Beyond int range; must not wrap round onto 474000.
    QTest::newRow("474000 + 2^32") << int(T::BG_CCIR) << (474000ll + (1ll << 32)) << "";
}

void tst_ChannFrecTranslator::freqToChannel()
{
    QFETCH(int, rule);
    QFETCH(qlonglong, khz);
    QFETCH(QString, channel);
    if (khz != static_cast<long>(khz))
        QSKIP("long is 32 bits here");
    QCOMPARE(m_tr.freqToChannel(T::RULE(rule), static_cast<long>(khz)), channel);
}

void tst_ChannFrecTranslator::channelTochanidx_data()
{
    QTest::addColumn<int>("rule");
    QTest::addColumn<QString>("channel");
    QTest::addColumn<int>("index");

    QTest::newRow("CCIR 21") << int(T::BG_CCIR) << "21" << 52;
    QTest::newRow("CCIR 2") << int(T::BG_CCIR) << "2" << 0;
    QTest::newRow("OIRT R1") << int(T::DK_OIRT) << "R1" << 30;
    QTest::newRow("OIRT R5") << int(T::DK_OIRT) << "R5" << 13;
    QTest::newRow("OIRT R21") << int(T::DK_OIRT) << "R21" << 52;
    QTest::newRow("Australia 2A") << int(T::B_Australia) << "2A" << 114;
    QTest::newRow("Australia 5A") << int(T::B_Australia) << "5A" << 110;
    QTest::newRow("Australia 75") << int(T::B_Australia) << "75" << 109;
    QTest::newRow("India S37") << int(T::BG_India) << "S37" << 101;
    QTest::newRow("India S41") << int(T::BG_India) << "S41" << 105;
    QTest::newRow("Brazil J(23)") << int(T::M_Brazil) << "J(23)" << 26;
    QTest::newRow("France L10") << int(T::L_France) << "L10" << 18;
    QTest::newRow("unknown gives 0") << int(T::I_UK) << "S1" << 0;
}

void tst_ChannFrecTranslator::channelTochanidx()
{
    QFETCH(int, rule);
    QFETCH(QString, channel);
    QFETCH(int, index);
    QCOMPARE(m_tr.channelTochanidx(T::RULE(rule), channel), index);
}

void tst_ChannFrecTranslator::chanidxToChannel_data()
{
    QTest::addColumn<int>("rule");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("channel");

    QTest::newRow("UK has no 0") << int(T::I_UK) << 0 << "";
    QTest::newRow("UK 52") << int(T::I_UK) << 52 << "21";
    QTest::newRow("UK 100") << int(T::I_UK) << 100 << "69";
    QTest::newRow("UK 101") << int(T::I_UK) << 101 << "";
    QTest::newRow("France 19 unused") << int(T::L_France) << 19 << "";
    QTest::newRow("France 20 unused") << int(T::L_France) << 20 << "";
    QTest::newRow("France 0 unused") << int(T::L_France) << 0 << "";
    QTest::newRow("France 21") << int(T::L_France) << 21 << "S11";
    QTest::newRow("OIRT 30") << int(T::DK_OIRT) << 30 << "R1";
    QTest::newRow("OIRT 13") << int(T::DK_OIRT) << 13 << "R5";
    QTest::newRow("OIRT 0") << int(T::DK_OIRT) << 0 << "R2";
    QTest::newRow("Australia 115") << int(T::B_Australia) << 115 << "2B";
    QTest::newRow("Italy 51 unused") << int(T::BG_Italy) << 51 << "";
    QTest::newRow("negative") << int(T::BG_CCIR) << -1 << "";
}

void tst_ChannFrecTranslator::chanidxToChannel()
{
    QFETCH(int, rule);
    QFETCH(int, index);
    QFETCH(QString, channel);
    QCOMPARE(m_tr.chanidxToChannel(T::RULE(rule), index), channel);
}

void tst_ChannFrecTranslator::channelLists_data()
{
    QTest::addColumn<int>("rule");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("lowest");
    QTest::addColumn<QString>("highest");

    // One name per distinct frequency; only France has shared ones.
    QTest::newRow("BG_CCIR") << int(T::BG_CCIR) << 101 << "2"
                             << "69";
    QTest::newRow("L_France") << int(T::L_France) << 90 << "S1"
                              << "69";
    QTest::newRow("I_UK_SM8") << int(T::I_UK_SM8) << 99 << "2"
                              << "69";
    QTest::newRow("DK_OIRT") << int(T::DK_OIRT) << 99 << "R1"
                             << "R69";
    QTest::newRow("M_Brazil") << int(T::M_Brazil) << 136 << "2"
                              << "83";
    QTest::newRow("B_Australia") << int(T::B_Australia) << 116 << "0"
                                 << "75";
    QTest::newRow("BG_Italy") << int(T::BG_Italy) << 100 << "A"
                              << "69";
    QTest::newRow("BG_Morocco") << int(T::BG_Morocco) << 97 << "S1"
                                << "69";
    QTest::newRow("BG_New_Zealand") << int(T::BG_New_Zealand) << 101 << "1"
                                    << "69";
    QTest::newRow("BG_India") << int(T::BG_India) << 106 << "2"
                              << "69";
    QTest::newRow("I_UK") << int(T::I_UK) << 49 << "21"
                          << "69";
    QTest::newRow("I_Ireland") << int(T::I_Ireland) << 98 << "IA"
                               << "69";
    QTest::newRow("I_South_Africa") << int(T::I_South_Africa) << 98 << "A"
                                    << "69";
    QTest::newRow("DK_Poland") << int(T::DK_Poland) << 99 << "R1"
                               << "69";
    QTest::newRow("DK_Czech_Republic") << int(T::DK_Czech_Republic) << 61 << "R1"
                                       << "69";
    QTest::newRow("K_DOM_TOM") << int(T::K_DOM_TOM) << 58 << "1"
                               << "69";
}

void tst_ChannFrecTranslator::channelLists()
{
    QFETCH(int, rule);
    QFETCH(int, count);
    QFETCH(QString, lowest);
    QFETCH(QString, highest);

    const QStringList list = m_tr.getChannelList(T::RULE(rule));
    QCOMPARE(list.size(), count);
    QCOMPARE(list.first(), lowest);
    QCOMPARE(list.last(), highest);
    int previous = 0;
    for (const QString &name : list) {
        const int khz = m_tr.channelToFreq(T::RULE(rule), name);
        QVERIFY2(khz > previous, qPrintable(name));
        QCOMPARE(m_tr.freqToChannel(T::RULE(rule), khz), name);
        previous = khz;
    }
}

void tst_ChannFrecTranslator::franceSharedFrequencies()
{
    const QStringList list = m_tr.getChannelList(T::L_France);
    for (const char *gone : {"S8", "S9", "S10", "L8", "L9", "L10"})
        QVERIFY2(!list.contains(gone), gone);
    for (const char *kept : {"L5", "L6", "L7", "S11", "S12", "S13", "S7"})
        QVERIFY2(list.contains(kept), kept);
    QCOMPARE(m_tr.channelToFreq(T::L_France, "S9"), m_tr.channelToFreq(T::L_France, "L6"));
    QCOMPARE(m_tr.channelToFreq(T::L_France, "L10"), 218750);
    QCOMPARE(m_tr.freqToChannel(T::L_France, 186750), QString("L6"));
    QCOMPARE(m_tr.freqToChannel(T::L_France, 210750), QString("S12"));
    // Names and indices of the hidden channels still translate.
    QCOMPARE(m_tr.channelTochanidx(T::L_France, "S10"), 12);
    QCOMPARE(m_tr.chanidxToChannel(T::L_France, 16), QString("L8"));
}

void tst_ChannFrecTranslator::australiaOrder()
{
    const QStringList list = m_tr.getChannelList(T::B_Australia);
    const int two = list.indexOf("2");
    QVERIFY(two >= 0);
    QCOMPARE(list.mid(two, 4), QStringList({"2", "2A", "2B", "3"}));
    QCOMPARE(list.indexOf("10O") + 1, list.indexOf("10"));
    QCOMPARE(list.indexOf("11O") + 1, list.indexOf("11"));
    // 5A at 140.5 MHz sits between S5 and S6.
    QCOMPARE(list.indexOf("S5") + 1, list.indexOf("5A"));
    QCOMPARE(list.indexOf("5A") + 1, list.indexOf("S6"));
}

void tst_ChannFrecTranslator::laterRowWins()
{
    T_CHFREQTRANS table[] = {
        {QStringLiteral("X"), 100.0, 1},
        {QStringLiteral("Y"), 100.0, 2},
        {QStringLiteral("X"), 200.0, 3},
        {QStringLiteral("W"), 300.0, 2},
        {QString(), 0.0, 0},
        {QStringLiteral("Z"), 400.0, 4},
    };
    ChannFrecTranslator t;
    t.addToMap(T::I_UK, table);
    QCOMPARE(t.freqToChannel(T::I_UK, 100000), QString("Y"));
    QCOMPARE(t.channelToFreq(T::I_UK, "X"), 200000);
    QCOMPARE(t.channelTochanidx(T::I_UK, "X"), 3);
    QCOMPARE(t.chanidxToChannel(T::I_UK, 1), QString("X"));
    QCOMPARE(t.chanidxToChannel(T::I_UK, 2), QString("W"));
    QCOMPARE(t.channelToFreq(T::I_UK, "Z"), 0);
    // Added to the plan's own channels, sorted in among them.
    QCOMPARE(t.getChannelList(T::I_UK).size(), 49 + 3);
    QCOMPARE(t.getChannelList(T::I_UK).first(), QString("Y"));
    QCOMPARE(t.channelToFreq(T::I_UK, "21"), 474000);
    // Other rules and other translators are untouched.
    QCOMPARE(t.channelToFreq(T::BG_CCIR, "X"), 0);
    QCOMPARE(m_tr.channelToFreq(T::I_UK, "X"), 0);
}

void tst_ChannFrecTranslator::unknownRule()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unknown rule"));
    QCOMPARE(m_tr.channelToFreq(T::RULE(16), "21"), 0);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unknown rule"));
    QCOMPARE(m_tr.freqToChannel(T::RULE(-1), 474000), QString());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unknown rule"));
    QVERIFY(m_tr.getChannelList(T::RULE(99)).isEmpty());
}

QTEST_MAIN(tst_ChannFrecTranslator)
#include "tst_channfrectranslator.moc"
