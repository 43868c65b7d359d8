#include "channelplans.h"
#include "channfrectranslator.h"
#include "testmain.h"

#include <QRegularExpression>

class tst_ChannFrecTranslator : public QObject
{
    Q_OBJECT

private slots:
    void tables_data();
    void tables();
    void lookups_data();
    void lookups();
    void noMatch();
    void channelLists();
    void franceSharedFrequencies();

private:
    ChannFrecTranslator m_tr;
};

namespace {

struct Plan {
    const T_CHFREQTRANS *table;
    int channels;
    QByteArray ranges;
};

template<std::size_t N> Plan plan(const T_CHFREQTRANS (&table)[N], const QByteArray &ranges)
{
    return {table, int(N) - 1, ranges};
}

// Brazil's lettered cable channels: N = 14.. is "A(14)", N = 37.. is "AA(37)".
QString lettered(int n)
{
    const QChar letter(n <= 36 ? 'A' + n - 14 : 'A' + n - 37);
    return (n <= 36 ? QString(letter) : QString(2, letter)) + QStringLiteral("(%1)").arg(n);
}

// Expands "first[..last] MHz[/step] index" segments, separated by ';', into
// rows: the number in the name, the frequency and the index rise together.
QVector<T_CHFREQTRANS> expand(const QByteArray &ranges)
{
    static const QRegularExpression segment(
        QStringLiteral(R"(^(\S+?)(?:\.\.(\S+))? ([\d.]+)(?:/(\d+))? (\d+)$)"));
    static const QRegularExpression numbered(QStringLiteral(R"(^(.*?)(-?\d+)\)?$)"));
    QVector<T_CHFREQTRANS> rows;
    for (const QString &text : QString::fromLatin1(ranges).split(';')) {
        const auto m = segment.match(text.trimmed());
        Q_ASSERT(m.hasMatch());
        const QString first = m.captured(1), last = m.captured(2);
        const auto a = numbered.match(first), b = numbered.match(last.isEmpty() ? first : last);
        const bool range = !last.isEmpty();
        const int from = range ? a.captured(2).toInt() : 0, to = range ? b.captured(2).toInt() : 0;
        for (int n = from, k = 0; n <= to; ++n, ++k) {
            const QString name = !range ? first
                : first.startsWith('(') ? lettered(n)
                                        : a.captured(1) + QString::number(n);
            rows.append({name, m.captured(3).toDouble() + k * m.captured(4).toInt(),
                         m.captured(5).toInt() + k});
        }
    }
    return rows;
}

} // namespace

Q_DECLARE_METATYPE(Plan)

void tst_ChannFrecTranslator::tables_data()
{
    QTest::addColumn<Plan>("plan");

    // Each plan as it is published: runs of channels with a step, and single channels.
    QTest::newRow("BG_CCIR") << plan(
        BG_CCIR_arr,
        "2..4 50.5/7 0; S1..S10 107.5/7 3; 5..12 177.5/7 13; S11..S20 233.5/7 21;"
        "S21..S41 306/8 31; 21..69 474/8 52");
    QTest::newRow("L_France") << plan(
        L_France_arr,
        "S1..S10 122.75/8 3; L5..L10 178.75/8 13; S11..S23 202.75/8 21;"
        "S24..S41 306/8 34; 21..69 474/8 52");
    QTest::newRow("I_UK_SM8") << plan(
        I_UK_SM8_arr,
        "2..4 50/8 0; S1..S10 98/8 3; 5..12 178/8 13; S11..S18 242/8 21;"
        "S21..S41 306/8 31; 21..69 474/8 52");
    QTest::newRow("DK_OIRT") << plan(
        DK_OIRT_arr,
        "R1 52.5 30; R2 62 0; R3 80 1; R4 88 2; R5 96 13; S1..S8 114/8 4; R6..R12 178/8 14;"
        "S11 234 12; S12..S18 242/8 21; S20 298 28; S21 306 29; S22..S41 314/8 32; R21..R69 474/8 "
        "52");
    QTest::newRow("M_Brazil") << plan(
        M_Brazil_arr,
        "2..4 57/6 0; 5 79 3; 6 85 4; A-5..A-1 93/6 5; (14)..(22) 123/6 10; 7..13 177/6 19;"
        "(23)..(36) 219/6 26; (37)..(62) 303/6 40; 14..83 473/6 66");
    QTest::newRow("B_Australia") << plan(
        B_Australia_arr,
        "0 48.5 0; 1 59.5 1; 2 66.5 2; 2A 73.5 114; 2B 80.5 115; 3 88.5 3; 4 97.5 4; 5 104.5 5;"
        "5A 140.5 110; S1..S10 107.5/7 6; 6..9 177.5/7 16; 9A 205.5 111; 10O 211.5 112;"
        "10 212.5 20; 11O 218.5 113; 11 219.5 21; 12 226.5 22; S11..S20 233.5/7 23;"
        "S21..S41 305.5/7 33; 20..75 473.5/7 54");
    QTest::newRow("BG_Italy") << plan(
        BG_Italy_arr,
        "A 56 0; B 64.5 1; C 84.5 2; S1..S10 107.5/7 3; D 177.5 13; E 186 14; F 194.5 15;"
        "G 203.5 16; H 212.5 17; H1 219.5 18; H2 226.5 19; S11..S20 233.5/7 20;"
        "S21..S41 306/8 30; 21..69 474/8 52");
    QTest::newRow("BG_Morocco") << plan(
        BG_Morocco_arr,
        "S1..S10 107.5/7 0; M4..M10 165.5/8 10; S11..S20 233.5/7 17;"
        "S21..S41 306/8 27; 21..69 474/8 52");
    QTest::newRow("BG_New_Zealand")
        << plan(BG_New_Zealand_arr,
                "1 47.5 0; 2 57.5 1; 3 64.5 2; S1..S10 107.5/7 3; 4..11 177.5/7 13;"
                "S11..S20 233.5/7 21; S21..S41 306/8 31; 21..69 474/8 52");
    QTest::newRow("BG_India") << plan(
        BG_India_arr,
        "2..4 50.5/7 0; X 71.5 3; Y 78.5 4; Z 85.5 5; Z1 92.5 6; Z2 99.5 7;"
        "S1..S10 107.5/7 8; 5..12 177.5/7 18; S11..S20 233.5/7 26; S21..S36 306/8 36;"
        "S37..S41 434/8 101; 21..69 474/8 52");
    QTest::newRow("I_UK") << plan(I_UK_arr, "21..69 474/8 52");
    QTest::newRow("I_Ireland") << plan(
        I_Ireland_arr,
        "IA 48.5 0; IB 56.5 1; IC 64.5 2; S1..S10 98/8 3; ID 178 13; IE 186 14; IF 194 15;"
        "IG 202 16; IH 210 17; II 218 18; IJ 226 19; S11..S18 242/8 20;"
        "S21..S41 306/8 28; 21..69 474/8 52");
    QTest::newRow("I_South_Africa")
        << plan(I_South_Africa_arr,
                "A 48.5 0; B 56.5 1; C 64.5 2; S1..S10 98/8 3; 4..12 178/8 13; 13 250.18 22;"
                "S14..S18 266/8 23; S21..S41 306/8 28; 21..69 474/8 52");
    QTest::newRow("DK_Poland") << plan(
        DK_Poland_arr,
        "R1 52.5 0; R2 62 1; R3..R5 80/8 2; S1..S8 114/8 5; R6..R12 178/8 13;"
        "S9..S38 234/8 20; 21..69 474/8 52");
    QTest::newRow("DK_Czech_Republic")
        << plan(DK_Czech_Republic_arr,
                "R1 52.5 0; R2 62 1; R3..R5 80/8 2; R6..R12 178/8 5; 21..69 474/8 52");
    QTest::newRow("K_DOM_TOM") << plan(
        K_DOM_TOM_arr, "1 46 0; 2 55 1; 3 63 2; 4 178 3; 5..9 186/8 4; 21..69 474/8 52");
}

void tst_ChannFrecTranslator::tables()
{
    QFETCH(Plan, plan);

    const QVector<T_CHFREQTRANS> rows = expand(plan.ranges);
    QCOMPARE(plan.channels, rows.size());
    const auto row = [](const T_CHFREQTRANS &r) {
        return QStringLiteral("%1 %2 %3").arg(r.channel).arg(r.frequency, 0, 'g', 17).arg(r.index);
    };
    for (int i = 0; i < rows.size(); ++i)
        QCOMPARE(row(plan.table[i]), row(rows[i]));
}

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
    QTest::newRow("Brazil A(14)") << int(T::M_Brazil) << "A(14)" << 123000 << 10;
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
    QVERIFY(m_tr.freqToChannel(T::BG_CCIR, 474001).isEmpty());
    if (sizeof(long) > 4)
        QVERIFY(m_tr.freqToChannel(T::BG_CCIR, long(474000 + (1LL << 32))).isEmpty());
    // Indices no row carries, and rules beyond the plans.
    QVERIFY(m_tr.chanidxToChannel(T::I_UK, 0).isEmpty());
    QCOMPARE(m_tr.channelToFreq(T::RULE(16), "21"), 0);
    QCOMPARE(m_tr.freqToChannel(T::RULE(-1), 474000), QString());
    QVERIFY(m_tr.getChannelList(T::RULE(16)).isEmpty());
}

void tst_ChannFrecTranslator::channelLists()
{
    // One name per distinct frequency, rising; only France has shared ones.
    const QList<int> counts {101, 90, 99, 99, 136, 116, 100, 97, 101, 106, 49, 98, 98, 99, 61, 58};
    const QStringList lowest {"2", "S1", "2",  "R1", "2", "0",  "A",  "S1",
                              "1", "2",  "21", "IA", "A", "R1", "R1", "1"};
    for (int rule = 0; rule < counts.size(); ++rule) {
        const QStringList list = m_tr.getChannelList(T::RULE(rule));
        QCOMPARE(list.size(), counts.at(rule));
        QCOMPARE(list.first(), lowest.at(rule));
        int previous = 0;
        for (const QString &name : list) {
            const int khz = m_tr.channelToFreq(T::RULE(rule), name);
            QVERIFY2(khz > previous, qPrintable(name));
            QCOMPARE(m_tr.freqToChannel(T::RULE(rule), khz), name);
            previous = khz;
        }
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

MSP_TEST_MAIN(tst_ChannFrecTranslator)
#include "tst_channfrectranslator.moc"
