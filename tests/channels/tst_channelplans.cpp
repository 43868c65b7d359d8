#include "channelplans.h"

#include <QtTest>

class tst_ChannelPlans : public QObject
{
    Q_OBJECT

private slots:
    void tables_data();
    void tables();
};

namespace {

struct Row {
    const char *name;
    double mhz;
    int index;
};

struct Plan {
    const T_CHFREQTRANS *table;
    int size;
    int channels;
    Row first, last;
};

template<std::size_t N>
Plan plan(const T_CHFREQTRANS (&table)[N], int channels, Row first, Row last = {"69", 858, 100})
{
    return {table, int(N), channels, first, last};
}

} // namespace

Q_DECLARE_METATYPE(Plan)

void tst_ChannelPlans::tables_data()
{
    QTest::addColumn<Plan>("plan");

    QTest::newRow("BG_CCIR") << plan(BG_CCIR_arr, 101, {"2", 50.5, 0});
    QTest::newRow("L_France") << plan(L_France_arr, 96, {"S1", 122.75, 3});
    QTest::newRow("I_UK_SM8") << plan(I_UK_SM8_arr, 99, {"2", 50, 0});
    QTest::newRow("DK_OIRT") << plan(DK_OIRT_arr, 99, {"R1", 52.5, 30}, {"R69", 858, 100});
    QTest::newRow("M_Brazil") << plan(M_Brazil_arr, 136, {"2", 57, 0}, {"83", 887, 135});
    QTest::newRow("B_Australia") << plan(B_Australia_arr, 116, {"0", 48.5, 0}, {"75", 858.5, 109});
    QTest::newRow("BG_Italy") << plan(BG_Italy_arr, 100, {"A", 56, 0});
    QTest::newRow("BG_Morocco") << plan(BG_Morocco_arr, 97, {"S1", 107.5, 0});
    QTest::newRow("BG_New_Zealand") << plan(BG_New_Zealand_arr, 101, {"1", 47.5, 0});
    QTest::newRow("BG_India") << plan(BG_India_arr, 106, {"2", 50.5, 0});
    QTest::newRow("I_UK") << plan(I_UK_arr, 49, {"21", 474, 52});
    QTest::newRow("I_Ireland") << plan(I_Ireland_arr, 98, {"IA", 48.5, 0});
    QTest::newRow("I_South_Africa") << plan(I_South_Africa_arr, 98, {"A", 48.5, 0});
    QTest::newRow("DK_Poland") << plan(DK_Poland_arr, 99, {"R1", 52.5, 0});
    QTest::newRow("DK_Czech_Republic") << plan(DK_Czech_Republic_arr, 61, {"R1", 52.5, 0});
    QTest::newRow("K_DOM_TOM") << plan(K_DOM_TOM_arr, 58, {"1", 46, 0});
}

void tst_ChannelPlans::tables()
{
    QFETCH(Plan, plan);

    // Channels, then the terminator as the array's last row.
    QCOMPARE(plan.size, plan.channels + 1);
    const T_CHFREQTRANS &end = plan.table[plan.channels];
    QVERIFY(end.channel.isEmpty());
    QCOMPARE(end.frequency, 0.0);
    QCOMPARE(end.index, 0);
    for (const auto &[at, want] :
         {std::pair(0, plan.first), std::pair(plan.channels - 1, plan.last)}) {
        QCOMPARE(plan.table[at].channel, QString::fromLatin1(want.name));
        QCOMPARE(plan.table[at].frequency, want.mhz);
        QCOMPARE(plan.table[at].index, want.index);
    }
}

QTEST_MAIN(tst_ChannelPlans)
#include "tst_channelplans.moc"
