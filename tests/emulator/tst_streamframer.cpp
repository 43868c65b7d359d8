#include "streamframer.h"
#include "testmain.h"

using Event = StreamFramer::Event;
Q_DECLARE_METATYPE(QList<int>)

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
    QTest::addColumn<QList<int>>("kinds");
    QTest::addColumn<QList<QByteArray>>("frames"); // flags:frame

    const QByteArray ea = QByteArray::fromHex("02 00 0005 0004000101 9bde");
    // A payload byte equal to STX must not confuse the decoder.
    const QByteArray eb = QByteArray::fromHex("02 02 0008 0004000702020202 3e79");
    QByteArray damaged = ea;
    damaged[5] = char(damaged.at(5) ^ 0x01);
    const QList<int> frame {Event::Frame};
    const QList<QByteArray> a {"0:0004000101"}, b {"2:0004000702020202"};

    QTest::newRow("get all") << QByteArray::fromHex("02 00 0004 00040018 3731") << frame
                             << QList<QByteArray> {"0:00040018"};
    QTest::newRow("confirm request") << QByteArray::fromHex("02 01 0006 000400080611 da65") << frame
                                     << QList<QByteArray> {"1:000400080611"};
    QTest::newRow("two frames") << ea + eb << frame + frame << a + b;
    QTest::newRow("junk first") << QByteArray::fromHex("ffee") + ea
                                << QList<int> {Event::Junk} + frame << a;
    QTest::newRow("bad checksum, then a good frame")
        << damaged + eb << QList<int> {Event::BadChecksum} + frame << b;
    QTest::newRow("zero length") << QByteArray::fromHex("02000000") + ea
                                 << QList<int> {Event::BadLength} + frame << a;
    QTest::newRow("longer than the largest frame")
        << QByteArray::fromHex("02000401") + ea << QList<int> {Event::BadLength} + frame << a;
    QTest::newRow("cut frame swallowed by the next")
        << ea.left(6) + eb << QList<int> {Event::BadChecksum} + frame << b;
}

void tst_StreamFramer::decode()
{
    QFETCH(QByteArray, stream);
    QFETCH(QList<int>, kinds);
    QFETCH(QList<QByteArray>, frames);
    // All at once, and a byte at a time as a slow line delivers it.
    for (const int chunk : {int(stream.size()), 1}) {
        StreamFramer framer;
        QList<int> gotKinds;
        QList<QByteArray> gotFrames;
        QByteArray encoded;
        for (int i = 0; i < stream.size(); i += chunk) {
            for (const Event &e : framer.feed(stream.mid(i, chunk))) {
                // What follows a damaged STX depends on the damaged bytes; the
                // first verdict and the frames recovered are what counts.
                if (e.kind == Event::Frame) {
                    gotFrames << QByteArray::number(e.flags) + ':' + e.bytes.toHex();
                    encoded += StreamFramer::encode(e.bytes, e.flags);
                }
                if (e.kind == Event::Frame || gotKinds.isEmpty() || gotKinds.last() == Event::Frame)
                    gotKinds << e.kind;
            }
        }
        QCOMPARE(gotKinds, kinds);
        QCOMPARE(gotFrames, frames);
        QVERIFY(!framer.hasPartial());
        // Encoding gives back the very bytes of a clean stream.
        if (kinds.count(Event::Frame) == kinds.size())
            QCOMPARE(encoded, stream);
    }
}

MSP_TEST_MAIN(tst_StreamFramer)
#include "tst_streamframer.moc"
