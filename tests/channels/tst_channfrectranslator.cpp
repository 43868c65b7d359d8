#include "channfrectranslator.h"
#include "testmain.h"

class tst_ChannFrecTranslator : public QObject
{
    Q_OBJECT

private slots:
    void lookups_data();
    void lookups();
    void noMatch();
    void channelLists_data();
    void channelLists();
    void franceSharedFrequencies();
    void laterRowWins();

private:
    ChannFrecTranslator m_tr;
};

using T = ChannFrecTranslator;

void tst_ChannFrecTranslator::lookups_data()
{
    QTest::addColumn<int>("rule");
    QTest::addColumn<QString>("channel");
    QTest::addColumn<int>("khz");
    QTest::addColumn<int>("index");

    // A known channel translates both ways; an unknown name gives 0 and 0.
    QTest::newRow("CCIR S21") << int(T::BG_CCIR) << "S21" << 306000 << 31;
    QTest::newRow("France S1, quarter MHz") << int(T::L_France) << "S1" << 122750 << 3;
    QTest::newRow("OIRT R5") << int(T::DK_OIRT) << "R5" << 96000 << 13;
    QTest::newRow("Brazil A-5") << int(T::M_Brazil) << "A-5" << 93000 << 5;
    QTest::newRow("Brazil A(14)") << int(T::M_Brazil) << "A(14)" << 123000 << 10;
    QTest::newRow("Australia 10O") << int(T::B_Australia) << "10O" << 211500 << 112;
    QTest::newRow("India S37") << int(T::BG_India) << "S37" << 434000 << 101;
    QTest::newRow("South Africa 13") << int(T::I_South_Africa) << "13" << 250180 << 22;
    QTest::newRow("R5 is not CCIR") << int(T::BG_CCIR) << "R5" << 0 << 0;
    QTest::newRow("names are case-sensitive") << int(T::M_Brazil) << "a(14)" << 0 << 0;
    QTest::newRow("no trimming") << int(T::BG_CCIR) << " 21" << 0 << 0;
}

void tst_ChannFrecTranslator::lookups()
{
    QFETCH(int, rule);
    QFETCH(QString, channel);
    QFETCH(int, khz);
    QFETCH(int, index);

    const auto r = T::RULE(rule);
    QCOMPARE(m_tr.channelToFreq(r, channel), khz);
    QCOMPARE(m_tr.channelTochanidx(r, channel), index);
    if (khz == 0)
        return;
    QCOMPARE(m_tr.freqToChannel(r, khz), channel);
    QCOMPARE(m_tr.chanidxToChannel(r, index), channel);
}

void tst_ChannFrecTranslator::noMatch()
{
    // No tolerance around a channel's frequency, and no wrapping of a long
    // beyond int onto 474000.
    for (long khz : {474001L, 473999L})
        QVERIFY2(m_tr.freqToChannel(T::BG_CCIR, khz).isEmpty(), qPrintable(QString::number(khz)));
    if (sizeof(long) > 4)
        QVERIFY(m_tr.freqToChannel(T::BG_CCIR, long(474000 + (1LL << 32))).isEmpty());
    // Indices no row carries, and rules beyond the plans.
    QVERIFY(m_tr.chanidxToChannel(T::I_UK, 0).isEmpty());
    QVERIFY(m_tr.chanidxToChannel(T::I_UK, 101).isEmpty());
    QCOMPARE(m_tr.channelToFreq(T::RULE(16), "21"), 0);
    QCOMPARE(m_tr.freqToChannel(T::RULE(-1), 474000), QString());
    QVERIFY(m_tr.getChannelList(T::RULE(99)).isEmpty());
}

void tst_ChannFrecTranslator::channelLists_data()
{
    QTest::addColumn<int>("rule");
    QTest::addColumn<QString>("lowest");
    QTest::addColumn<int>("count");

    // One name per distinct frequency; only France has shared ones.
    QTest::newRow("BG_CCIR") << int(T::BG_CCIR) << "2" << 101;
    QTest::newRow("L_France") << int(T::L_France) << "S1" << 90;
    QTest::newRow("I_UK_SM8") << int(T::I_UK_SM8) << "2" << 99;
    QTest::newRow("DK_OIRT") << int(T::DK_OIRT) << "R1" << 99;
    QTest::newRow("M_Brazil") << int(T::M_Brazil) << "2" << 136;
    QTest::newRow("B_Australia") << int(T::B_Australia) << "0" << 116;
    QTest::newRow("BG_Italy") << int(T::BG_Italy) << "A" << 100;
    QTest::newRow("BG_Morocco") << int(T::BG_Morocco) << "S1" << 97;
    QTest::newRow("BG_New_Zealand") << int(T::BG_New_Zealand) << "1" << 101;
    QTest::newRow("BG_India") << int(T::BG_India) << "2" << 106;
    QTest::newRow("I_UK") << int(T::I_UK) << "21" << 49;
    QTest::newRow("I_Ireland") << int(T::I_Ireland) << "IA" << 98;
    QTest::newRow("I_South_Africa") << int(T::I_South_Africa) << "A" << 98;
    QTest::newRow("DK_Poland") << int(T::DK_Poland) << "R1" << 99;
    QTest::newRow("DK_Czech_Republic") << int(T::DK_Czech_Republic) << "R1" << 61;
    QTest::newRow("K_DOM_TOM") << int(T::K_DOM_TOM) << "1" << 58;
}

void tst_ChannFrecTranslator::channelLists()
{
    QFETCH(int, rule);
    QFETCH(QString, lowest);
    QFETCH(int, count);

    const QStringList list = m_tr.getChannelList(T::RULE(rule));
    QCOMPARE(list.size(), count);
    QCOMPARE(list.first(), lowest);
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
    // The later row of two at one frequency owns it; the list names only the owner.
    QVERIFY(!m_tr.getChannelList(T::L_France).contains("L10"));
    QCOMPARE(m_tr.channelToFreq(T::L_France, "S8"), 178750);
    QCOMPARE(m_tr.channelToFreq(T::L_France, "L10"), 218750);
    QCOMPARE(m_tr.freqToChannel(T::L_France, 218750), QString("S13"));
    // Names and indices of the hidden channels still translate.
    QCOMPARE(m_tr.channelTochanidx(T::L_France, "S10"), 12);
    QCOMPARE(m_tr.chanidxToChannel(T::L_France, 16), QString("L8"));
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
    QCOMPARE(t.chanidxToChannel(T::I_UK, 2), QString("W"));
    QCOMPARE(t.channelToFreq(T::I_UK, "Z"), 0);
    // Added to the plan's own channels; other translators are untouched.
    QCOMPARE(t.getChannelList(T::I_UK).size(), 49 + 3);
    QCOMPARE(m_tr.channelToFreq(T::I_UK, "X"), 0);
}

MSP_TEST_MAIN(tst_ChannFrecTranslator)
#include "tst_channfrectranslator.moc"
