#include "streamframer.h"

#include <QtTest>

using Event = StreamFramer::Event;
Q_DECLARE_METATYPE(QList<int>)

class tst_StreamFramer : public QObject
{
    Q_OBJECT

private slots:
    void crc();
    void encode_data();
    void encode();
    void decode_data();
    void decode();
    void byteByByte();
    void truncatedThenFrame();
};

void tst_StreamFramer::crc()
{
    // The check value of CRC-16/CCITT-FALSE.
    QCOMPARE(StreamFramer::crc16("123456789", 9), (unsigned short)0x29B1);
}

void tst_StreamFramer::encode_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QByteArray>("bytes");
    // CRC over flags, length and frame.
    const QByteArray getAll = QByteArray::fromHex("00040018");
    QByteArray body = QByteArray::fromHex("000004") + getAll;
    unsigned short c = StreamFramer::crc16(body.constData(), body.size());
    QTest::newRow("get all") << getAll << 0
                             << QByteArray::fromHex("0200000400040018")
            + QByteArray(1, char(c >> 8)) + QByteArray(1, char(c));
    const QByteArray confirmed = QByteArray::fromHex("000400080611");
    body = QByteArray::fromHex("010006") + confirmed;
    c = StreamFramer::crc16(body.constData(), body.size());
    QTest::newRow("confirmed freq") << confirmed << 1
                                    << QByteArray::fromHex("020100060004000806")
            + QByteArray::fromHex("11") + QByteArray(1, char(c >> 8)) + QByteArray(1, char(c));
}

void tst_StreamFramer::encode()
{
    QFETCH(QByteArray, frame);
    QFETCH(int, flags);
    QFETCH(QByteArray, bytes);
    QCOMPARE(StreamFramer::encode(frame, static_cast<unsigned char>(flags)), bytes);
}

void tst_StreamFramer::decode_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QList<int>>("kinds");
    QTest::addColumn<QList<QByteArray>>("frames");

    const QByteArray a = QByteArray::fromHex("0004000101");
    // A payload byte equal to STX must not confuse the decoder.
    const QByteArray b = QByteArray::fromHex("0004000702020202");
    const QByteArray ea = StreamFramer::encode(a);
    const QByteArray eb = StreamFramer::encode(b, StreamFramer::Confirmation);
    QByteArray damaged = ea;
    damaged[5] = char(damaged.at(5) ^ 0x01);

    QTest::newRow("two frames") << ea + eb << QList<int> {Event::Frame, Event::Frame}
                                << QList<QByteArray> {a, b};
    QTest::newRow("junk first") << QByteArray::fromHex("ffee") + ea
                                << QList<int> {Event::Junk, Event::Frame} << QList<QByteArray> {a};
    QTest::newRow("bad checksum, then a good frame")
        << damaged + eb << QList<int> {Event::BadChecksum, Event::Frame} << QList<QByteArray> {b};
    QTest::newRow("zero length") << QByteArray::fromHex("02000000") + ea
                                 << QList<int> {Event::BadLength, Event::Frame}
                                 << QList<QByteArray> {a};
    QTest::newRow("cut frame swallowed by the next")
        << ea.left(6) + eb << QList<int> {Event::BadChecksum, Event::Frame}
        << QList<QByteArray> {b};
}

void tst_StreamFramer::decode()
{
    QFETCH(QByteArray, stream);
    QFETCH(QList<int>, kinds);
    QFETCH(QList<QByteArray>, frames);
    StreamFramer framer;
    QList<int> gotKinds;
    QList<QByteArray> gotFrames;
    for (const Event &e : framer.feed(stream)) {
        // What follows a damaged STX depends on the damaged bytes; the first
        // verdict and the frames recovered are what counts.
        if (e.kind == Event::Frame)
            gotFrames << e.bytes;
        else if (gotKinds.isEmpty() || gotKinds.last() == Event::Frame)
            gotKinds << e.kind;
        if (e.kind == Event::Frame)
            gotKinds << e.kind;
    }
    QCOMPARE(gotKinds, kinds);
    QCOMPARE(gotFrames, frames);
    QVERIFY(!framer.hasPartial());
}

void tst_StreamFramer::byteByByte()
{
    const QByteArray frame = QByteArray::fromHex("0004001700");
    const QByteArray stream = StreamFramer::encode(frame, StreamFramer::ConfirmRequest);
    StreamFramer framer;
    QList<Event> events;
    for (char c : stream)
        events += framer.feed(QByteArray(1, c));
    QCOMPARE(events.size(), 1);
    QCOMPARE(events.first().bytes, frame);
    QCOMPARE(int(events.first().flags), int(StreamFramer::ConfirmRequest));
}

void tst_StreamFramer::truncatedThenFrame()
{
    StreamFramer framer;
    const QByteArray good = QByteArray::fromHex("00040016");
    QVERIFY(
        framer.feed(StreamFramer::encode(QByteArray::fromHex("000400180102")).left(5)).isEmpty());
    QVERIFY(framer.hasPartial());
    const QList<Event> flushed = framer.flushPartial();
    QCOMPARE(flushed.first().kind, Event::Truncated);
    QVERIFY(!framer.hasPartial());
    const QList<Event> next = framer.feed(StreamFramer::encode(good));
    QCOMPARE(next.size(), 1);
    QCOMPARE(next.first().bytes, good);
}

QTEST_MAIN(tst_StreamFramer)
#include "tst_streamframer.moc"
