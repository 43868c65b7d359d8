#include "streamframer.h"

#include "testmain.h"

class tst_StreamFramer : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
};

void tst_StreamFramer::decode_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QList<QByteArray>>("frames"); // flags:frame
    QTest::addColumn<int>("discarded"); // bytes
    QTest::addColumn<int>("damaged"); // candidate frames

    const QByteArray ea = QByteArray::fromHex("02 00 0005 0004000101 9bde");
    // A payload byte equal to STX must not confuse the decoder.
    const QByteArray eb = QByteArray::fromHex("02 02 0008 0004000702020202 3e79");
    QByteArray damaged = ea;
    damaged[5] = char(damaged.at(5) ^ 0x01);
    const QList<QByteArray> a {"0:0004000101"}, b {"2:0004000702020202"};

    QTest::newRow("two frames") << ea + eb << a + b << 0 << 0;
    QTest::newRow("junk first") << QByteArray::fromHex("ffee") + ea << a << 2 << 0;
    QTest::newRow("bad checksum, then a good frame") << damaged + eb << b << 11 << 1;
    QTest::newRow("zero length") << QByteArray::fromHex("02000000") + ea << a << 4 << 1;
    QTest::newRow("longer than the largest frame")
        << QByteArray::fromHex("02000401") + ea << a << 4 << 1;
    QTest::newRow("cut frame swallowed by the next") << ea.left(6) + eb << b << 6 << 1;
    // Resynchronising goes on from the byte after the rejected STX.
    QTest::newRow("stray STX right before a frame") << "\x02" + ea << a << 1 << 1;
    // The last STX bytes of the run announce frames longer than what follows:
    // the frame behind them comes out when the run is given up.
    QTest::newRow("run of STX, then a frame") << QByteArray(3000, '\x02') + ea << a << 3000 << 3000;
}

void tst_StreamFramer::decode()
{
    QFETCH(QByteArray, stream);
    QFETCH(QList<QByteArray>, frames);
    QFETCH(int, discarded);
    QFETCH(int, damaged);
    // All at once, and a byte at a time as a slow line delivers it.
    for (const int chunk : {int(stream.size()), 1}) {
        StreamFramer framer;
        QList<QByteArray> got;
        QByteArray encoded;
        StreamFramer::Discard lost;
        auto drain = [&] {
            StreamFramer::Frame f;
            while (framer.next(f)) {
                got << QByteArray::number(f.flags) + ':' + f.bytes.toHex();
                encoded += StreamFramer::encode(f.bytes, f.flags);
            }
            const StreamFramer::Discard d = framer.takeDiscard();
            lost.bytes += d.bytes;
            lost.damaged += d.damaged;
        };
        for (int i = 0; i < stream.size(); i += chunk) {
            framer.feed(stream.mid(i, chunk));
            drain();
            QVERIFY(framer.buffered() < StreamFramer::MaxFrameLength + StreamFramer::Overhead);
        }
        framer.giveUpPartial();
        drain();
        QCOMPARE(got, frames);
        QCOMPARE(lost.bytes, qint64(discarded));
        QCOMPARE(lost.damaged, damaged);
        QVERIFY(!framer.hasPartial());
        // Encoding gives back the very bytes of a clean stream.
        if (discarded == 0)
            QCOMPARE(encoded, stream);
    }
}

MSP_TEST_MAIN(tst_StreamFramer)
#include "tst_streamframer.moc"
