#include "channelplans.h"

#include <QtTest>

#include <type_traits>

// Each plan is rebuilt here from its written ranges ("S1" to "S10", 107.5 to
// 170.5 MHz in steps of 7, indices 3 to 12) and compared with the table row
// by row, so a wrong name, frequency, index, order or count in any single row
// fails.
class tst_ChannelPlans : public QObject
{
    Q_OBJECT

private slots:
    void tables_data();
    void tables();
};

namespace {

struct Range {
    const char *first;
    const char *last;
    int count;
    double fromMHz;
    double toMHz;
    double stepMHz;
    int fromIndex;
    int toIndex;
};

struct Row {
    QString name;
    double mhz;
    int index;
};

struct Plan {
    const T_CHFREQTRANS *table;
    int size;
};

template<std::size_t N> Plan plan(const T_CHFREQTRANS (&table)[N]) { return {table, int(N)}; }

// Brazilian cable channel N: one letter for 14 to 36, the letter doubled for
// 37 to 62, then the number in brackets.
QString brazilLettered(int n)
{
    const QChar letter = n <= 36 ? QChar('A' + n - 14) : QChar('A' + n - 37);
    const QString letters = n <= 36 ? QString(letter) : QString(2, letter);
    return letters + QStringLiteral("(%1)").arg(n);
}

// "S21" -> ("S", 21); "A(14)" -> ("", 14) with the letters left to the
// caller; "A-5" -> ("A-", 5).
bool splitName(const QString &name, QString &prefix, int &number, bool &bracketed)
{
    static const QRegularExpression bracket(QStringLiteral("^([A-Z]+)\\((\\d+)\\)$"));
    static const QRegularExpression numbered(QStringLiteral("^(.*?)(\\d+)$"));
    QRegularExpressionMatch m = bracket.match(name);
    if (m.hasMatch()) {
        bracketed = true;
        prefix.clear();
        number = m.captured(2).toInt();
        return brazilLettered(number) == name;
    }
    m = numbered.match(name);
    if (!m.hasMatch())
        return false;
    bracketed = false;
    prefix = m.captured(1);
    number = m.captured(2).toInt();
    return true;
}

QString expand(const QList<Range> &ranges, QList<Row> &rows)
{
    for (const Range &r : ranges) {
        const QString first = QString::fromLatin1(r.first);
        const QString last = QString::fromLatin1(r.last);
        if (r.count == 1) {
            if (first != last || r.fromMHz != r.toMHz || r.fromIndex != r.toIndex)
                return QStringLiteral("single row %1 is a range").arg(first);
            rows.append({first, r.fromMHz, r.fromIndex});
            continue;
        }
        QString prefix, lastPrefix;
        int from = 0, to = 0;
        bool bracketed = false, lastBracketed = false;
        if (!splitName(first, prefix, from, bracketed)
            || !splitName(last, lastPrefix, to, lastBracketed) || prefix != lastPrefix
            || bracketed != lastBracketed)
            return QStringLiteral("range %1 to %2 is not one series").arg(first, last);
        const int direction = to >= from ? 1 : -1;
        // The written ends must agree with the count, or the range itself is mistyped.
        if (qAbs(to - from) + 1 != r.count || r.fromMHz + r.stepMHz * (r.count - 1) != r.toMHz
            || r.fromIndex + r.count - 1 != r.toIndex)
            return QStringLiteral("range %1 to %2 does not add up").arg(first, last);
        for (int k = 0; k < r.count; ++k) {
            const int n = from + direction * k;
            const QString name = bracketed ? brazilLettered(n) : prefix + QString::number(n);
            rows.append({name, r.fromMHz + r.stepMHz * k, r.fromIndex + k});
        }
    }
    return QString();
}

const Range uhf = {"21", "69", 49, 474, 858, 8, 52, 100};

} // namespace

Q_DECLARE_METATYPE(QList<Range>)
Q_DECLARE_METATYPE(Plan)

void tst_ChannelPlans::tables_data()
{
    QTest::addColumn<Plan>("plan");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QList<Range>>("ranges");

    // One range per line, as the plans are written.
    // clang-format off
    QTest::newRow("BG_CCIR") << plan(BG_CCIR_arr) << 101 << QList<Range>{
        {"2", "4", 3, 50.5, 64.5, 7, 0, 2},
        {"S1", "S10", 10, 107.5, 170.5, 7, 3, 12},
        {"5", "12", 8, 177.5, 226.5, 7, 13, 20},
        {"S11", "S20", 10, 233.5, 296.5, 7, 21, 30},
        {"S21", "S41", 21, 306, 466, 8, 31, 51},
        uhf};
    QTest::newRow("L_France") << plan(L_France_arr) << 96 << QList<Range>{
        {"S1", "S10", 10, 122.75, 194.75, 8, 3, 12},
        {"L5", "L10", 6, 178.75, 218.75, 8, 13, 18},
        {"S11", "S23", 13, 202.75, 298.75, 8, 21, 33},
        {"S24", "S41", 18, 306, 442, 8, 34, 51},
        uhf};
    QTest::newRow("I_UK_SM8") << plan(I_UK_SM8_arr) << 99 << QList<Range>{
        {"2", "4", 3, 50, 66, 8, 0, 2},
        {"S1", "S10", 10, 98, 170, 8, 3, 12},
        {"5", "12", 8, 178, 234, 8, 13, 20},
        {"S11", "S18", 8, 242, 298, 8, 21, 28},
        {"S21", "S41", 21, 306, 466, 8, 31, 51},
        uhf};
    QTest::newRow("DK_OIRT") << plan(DK_OIRT_arr) << 99 << QList<Range>{
        {"R1", "R1", 1, 52.5, 52.5, 0, 30, 30},
        {"R2", "R2", 1, 62, 62, 0, 0, 0},
        {"R3", "R3", 1, 80, 80, 0, 1, 1},
        {"R4", "R4", 1, 88, 88, 0, 2, 2},
        {"R5", "R5", 1, 96, 96, 0, 13, 13},
        {"S1", "S8", 8, 114, 170, 8, 4, 11},
        {"R6", "R12", 7, 178, 226, 8, 14, 20},
        {"S11", "S11", 1, 234, 234, 0, 12, 12},
        {"S12", "S18", 7, 242, 290, 8, 21, 27},
        {"S20", "S20", 1, 298, 298, 0, 28, 28},
        {"S21", "S21", 1, 306, 306, 0, 29, 29},
        {"S22", "S41", 20, 314, 466, 8, 32, 51},
        {"R21", "R69", 49, 474, 858, 8, 52, 100}};
    QTest::newRow("M_Brazil") << plan(M_Brazil_arr) << 136 << QList<Range>{
        {"2", "4", 3, 57, 69, 6, 0, 2},
        {"5", "5", 1, 79, 79, 0, 3, 3},
        {"6", "6", 1, 85, 85, 0, 4, 4},
        {"A-5", "A-1", 5, 93, 117, 6, 5, 9},
        {"A(14)", "I(22)", 9, 123, 171, 6, 10, 18},
        {"7", "13", 7, 177, 213, 6, 19, 25},
        {"J(23)", "W(36)", 14, 219, 297, 6, 26, 39},
        {"AA(37)", "ZZ(62)", 26, 303, 453, 6, 40, 65},
        {"14", "83", 70, 473, 887, 6, 66, 135}};
    QTest::newRow("B_Australia") << plan(B_Australia_arr) << 116 << QList<Range>{
        {"0", "0", 1, 48.5, 48.5, 0, 0, 0},
        {"1", "1", 1, 59.5, 59.5, 0, 1, 1},
        {"2", "2", 1, 66.5, 66.5, 0, 2, 2},
        {"2A", "2A", 1, 73.5, 73.5, 0, 114, 114},
        {"2B", "2B", 1, 80.5, 80.5, 0, 115, 115},
        {"3", "3", 1, 88.5, 88.5, 0, 3, 3},
        {"4", "4", 1, 97.5, 97.5, 0, 4, 4},
        {"5", "5", 1, 104.5, 104.5, 0, 5, 5},
        {"5A", "5A", 1, 140.5, 140.5, 0, 110, 110},
        {"S1", "S10", 10, 107.5, 170.5, 7, 6, 15},
        {"6", "9", 4, 177.5, 198.5, 7, 16, 19},
        {"9A", "9A", 1, 205.5, 205.5, 0, 111, 111},
        {"10O", "10O", 1, 211.5, 211.5, 0, 112, 112},
        {"10", "10", 1, 212.5, 212.5, 0, 20, 20},
        {"11O", "11O", 1, 218.5, 218.5, 0, 113, 113},
        {"11", "11", 1, 219.5, 219.5, 0, 21, 21},
        {"12", "12", 1, 226.5, 226.5, 0, 22, 22},
        {"S11", "S20", 10, 233.5, 296.5, 7, 23, 32},
        {"S21", "S41", 21, 305.5, 445.5, 7, 33, 53},
        {"20", "75", 56, 473.5, 858.5, 7, 54, 109}};
    QTest::newRow("BG_Italy") << plan(BG_Italy_arr) << 100 << QList<Range>{
        {"A", "A", 1, 56, 56, 0, 0, 0},
        {"B", "B", 1, 64.5, 64.5, 0, 1, 1},
        {"C", "C", 1, 84.5, 84.5, 0, 2, 2},
        {"S1", "S10", 10, 107.5, 170.5, 7, 3, 12},
        {"D", "D", 1, 177.5, 177.5, 0, 13, 13},
        {"E", "E", 1, 186, 186, 0, 14, 14},
        {"F", "F", 1, 194.5, 194.5, 0, 15, 15},
        {"G", "G", 1, 203.5, 203.5, 0, 16, 16},
        {"H", "H", 1, 212.5, 212.5, 0, 17, 17},
        {"H1", "H1", 1, 219.5, 219.5, 0, 18, 18},
        {"H2", "H2", 1, 226.5, 226.5, 0, 19, 19},
        {"S11", "S20", 10, 233.5, 296.5, 7, 20, 29},
        {"S21", "S41", 21, 306, 466, 8, 30, 50},
        uhf};
    QTest::newRow("BG_Morocco") << plan(BG_Morocco_arr) << 97 << QList<Range>{
        {"S1", "S10", 10, 107.5, 170.5, 7, 0, 9},
        {"M4", "M10", 7, 165.5, 213.5, 8, 10, 16},
        {"S11", "S20", 10, 233.5, 296.5, 7, 17, 26},
        {"S21", "S41", 21, 306, 466, 8, 27, 47},
        uhf};
    QTest::newRow("BG_New_Zealand") << plan(BG_New_Zealand_arr) << 101 << QList<Range>{
        {"1", "1", 1, 47.5, 47.5, 0, 0, 0},
        {"2", "2", 1, 57.5, 57.5, 0, 1, 1},
        {"3", "3", 1, 64.5, 64.5, 0, 2, 2},
        {"S1", "S10", 10, 107.5, 170.5, 7, 3, 12},
        {"4", "11", 8, 177.5, 226.5, 7, 13, 20},
        {"S11", "S20", 10, 233.5, 296.5, 7, 21, 30},
        {"S21", "S41", 21, 306, 466, 8, 31, 51},
        uhf};
    QTest::newRow("BG_India") << plan(BG_India_arr) << 106 << QList<Range>{
        {"2", "4", 3, 50.5, 64.5, 7, 0, 2},
        {"X", "X", 1, 71.5, 71.5, 0, 3, 3},
        {"Y", "Y", 1, 78.5, 78.5, 0, 4, 4},
        {"Z", "Z", 1, 85.5, 85.5, 0, 5, 5},
        {"Z1", "Z1", 1, 92.5, 92.5, 0, 6, 6},
        {"Z2", "Z2", 1, 99.5, 99.5, 0, 7, 7},
        {"S1", "S10", 10, 107.5, 170.5, 7, 8, 17},
        {"5", "12", 8, 177.5, 226.5, 7, 18, 25},
        {"S11", "S20", 10, 233.5, 296.5, 7, 26, 35},
        {"S21", "S36", 16, 306, 426, 8, 36, 51},
        {"S37", "S41", 5, 434, 466, 8, 101, 105},
        uhf};
    QTest::newRow("I_UK") << plan(I_UK_arr) << 49 << QList<Range>{uhf};
    QTest::newRow("I_Ireland") << plan(I_Ireland_arr) << 98 << QList<Range>{
        {"IA", "IA", 1, 48.5, 48.5, 0, 0, 0},
        {"IB", "IB", 1, 56.5, 56.5, 0, 1, 1},
        {"IC", "IC", 1, 64.5, 64.5, 0, 2, 2},
        {"S1", "S10", 10, 98, 170, 8, 3, 12},
        {"ID", "ID", 1, 178, 178, 0, 13, 13},
        {"IE", "IE", 1, 186, 186, 0, 14, 14},
        {"IF", "IF", 1, 194, 194, 0, 15, 15},
        {"IG", "IG", 1, 202, 202, 0, 16, 16},
        {"IH", "IH", 1, 210, 210, 0, 17, 17},
        {"II", "II", 1, 218, 218, 0, 18, 18},
        {"IJ", "IJ", 1, 226, 226, 0, 19, 19},
        {"S11", "S18", 8, 242, 298, 8, 20, 27},
        {"S21", "S41", 21, 306, 466, 8, 28, 48},
        uhf};
    QTest::newRow("I_South_Africa") << plan(I_South_Africa_arr) << 98 << QList<Range>{
        {"A", "A", 1, 48.5, 48.5, 0, 0, 0},
        {"B", "B", 1, 56.5, 56.5, 0, 1, 1},
        {"C", "C", 1, 64.5, 64.5, 0, 2, 2},
        {"S1", "S10", 10, 98, 170, 8, 3, 12},
        {"4", "12", 9, 178, 242, 8, 13, 21},
        {"13", "13", 1, 250.18, 250.18, 0, 22, 22},
        {"S14", "S18", 5, 266, 298, 8, 23, 27},
        {"S21", "S41", 21, 306, 466, 8, 28, 48},
        uhf};
    QTest::newRow("DK_Poland") << plan(DK_Poland_arr) << 99 << QList<Range>{
        {"R1", "R1", 1, 52.5, 52.5, 0, 0, 0},
        {"R2", "R2", 1, 62, 62, 0, 1, 1},
        {"R3", "R5", 3, 80, 96, 8, 2, 4},
        {"S1", "S8", 8, 114, 170, 8, 5, 12},
        {"R6", "R12", 7, 178, 226, 8, 13, 19},
        {"S9", "S38", 30, 234, 466, 8, 20, 49},
        uhf};
    QTest::newRow("DK_Czech_Republic") << plan(DK_Czech_Republic_arr) << 61 << QList<Range>{
        {"R1", "R1", 1, 52.5, 52.5, 0, 0, 0},
        {"R2", "R2", 1, 62, 62, 0, 1, 1},
        {"R3", "R5", 3, 80, 96, 8, 2, 4},
        {"R6", "R12", 7, 178, 226, 8, 5, 11},
        uhf};
    QTest::newRow("K_DOM_TOM") << plan(K_DOM_TOM_arr) << 58 << QList<Range>{
        {"1", "1", 1, 46, 46, 0, 0, 0},
        {"2", "2", 1, 55, 55, 0, 1, 1},
        {"3", "3", 1, 63, 63, 0, 2, 2},
        {"4", "4", 1, 178, 178, 0, 3, 3},
        {"5", "9", 5, 186, 218, 8, 4, 8},
        uhf};
    // clang-format on
}

void tst_ChannelPlans::tables()
{
    QFETCH(Plan, plan);
    QFETCH(int, channels);
    QFETCH(QList<Range>, ranges);

    QList<Row> expected;
    const QString broken = expand(ranges, expected);
    QVERIFY2(broken.isEmpty(), qPrintable(broken));
    QCOMPARE(expected.size(), channels);

    // Channels, then exactly one terminator as the array's last row.
    QCOMPARE(plan.size, channels + 1);
    for (int i = 0; i < channels; ++i) {
        const T_CHFREQTRANS &row = plan.table[i];
        const Row &want = expected.at(i);
        const QByteArray where = QStringLiteral("row %1 (%2)").arg(i).arg(want.name).toLatin1();
        QVERIFY2(row.channel == want.name, where + ": name " + row.channel.toLatin1());
        QVERIFY2(row.frequency == want.mhz,
                 where + ": frequency " + QByteArray::number(row.frequency));
        QVERIFY2(row.index == want.index, where + ": index " + QByteArray::number(row.index));
    }
    const T_CHFREQTRANS &end = plan.table[channels];
    QVERIFY(end.channel.isEmpty());
    QCOMPARE(end.frequency, 0.0);
    QCOMPARE(end.index, 0);
}

QTEST_MAIN(tst_ChannelPlans)
#include "tst_channelplans.moc"
