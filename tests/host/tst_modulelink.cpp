#include "commprotocol.h"
#include "faketransport.h"
#include "modulelink.h"
#include "streamframer.h"

#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(CommMsg)

class tst_ModuleLink : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void answerDelivered();
    void failure_data();
    void failure();
    void confirmationHoldsQueue();
    void unconfirmedGoAtOnce();
    void lateAnswerDiscarded();
    void refusedSends();

private:
    CommMsg delivered(int i) const { return spy->at(i).at(0).value<CommMsg>(); }

    FakeTransport *transport = nullptr;
    ModuleLink *link = nullptr;
    QSignalSpy *spy = nullptr;
};

void tst_ModuleLink::init()
{
    qRegisterMetaType<CommMsg>();
    transport = new FakeTransport;
    link = new ModuleLink(transport);
    QString error;
    QVERIFY(link->open(error));
    spy = new QSignalSpy(link, &ModuleLink::delivered);
}

void tst_ModuleLink::cleanup()
{
    delete spy;
    delete link;
}

void tst_ModuleLink::answerDelivered()
{
    CommProtocol request;
    request.buildGetLevelRequest();
    QVERIFY(link->send(request));
    QCOMPARE(transport->written,
             QList<QByteArray> {StreamFramer::encode(QByteArray::fromHex("00040016"))});
    const QByteArray answer = QByteArray::fromHex("000400160309");
    transport->inject(StreamFramer::encode(answer));
    QCOMPARE(spy->count(), 0); // handed on from the event loop, not within the read
    QTRY_COMPARE(spy->count(), 1);
    const CommMsg msg = delivered(0);
    QCOMPARE(msg.msgData, answer);
    QVERIFY(!msg.linkFlags[1] && !msg.linkFlags[2]);
    QVERIFY(link->isIdle());
}

void tst_ModuleLink::failure_data()
{
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("flag");
    const QByteArray good = StreamFramer::encode(QByteArray::fromHex("00040018000400010102"));
    QByteArray corrupt = good;
    corrupt[6] = char(corrupt.at(6) ^ 0x40);
    QTest::newRow("no answer") << false << QByteArray() << 1;
    QTest::newRow("answer to another command")
        << false << StreamFramer::encode(QByteArray::fromHex("000400160000")) << 1;
    QTest::newRow("corrupt answer") << false << corrupt << 2;
    QTest::newRow("truncated answer") << false << good.left(7) << 2;
    QTest::newRow("get refused") << false
                                 << StreamFramer::encode(QByteArray::fromHex("00040018"),
                                                         StreamFramer::Confirmation
                                                             | StreamFramer::Refused)
                                 << 2;
    QTest::newRow("no confirmation") << true << QByteArray() << 1;
    QTest::newRow("set refused") << true
                                 << StreamFramer::encode(QByteArray::fromHex("00040007"),
                                                         StreamFramer::Confirmation
                                                             | StreamFramer::Refused)
                                 << 2;
    QTest::newRow("confirmation of another command")
        << true << StreamFramer::encode(QByteArray::fromHex("00040008"), StreamFramer::Confirmation)
        << 1;
}

void tst_ModuleLink::failure()
{
    QFETCH(bool, confirmed);
    QFETCH(QByteArray, reply);
    QFETCH(int, flag);
    CommProtocol request;
    if (confirmed)
        request.buildInputFreq1Request(1550, true);
    else
        request.buildGetAllCfgRequest();
    request.answerTimeoutMs = 300;
    QVERIFY(link->send(request));
    // Queued behind the failing request: dropped with it.
    CommProtocol next;
    next.buildGetLevelRequest();
    QVERIFY(link->send(next));
    QVERIFY(link->send(next));
    QCOMPARE(transport->written.size(), 1);
    if (!reply.isEmpty())
        transport->inject(reply);
    QTRY_COMPARE(spy->count(), 1);
    const CommMsg msg = delivered(0);
    QCOMPARE(msg.linkFlags[flag], true);
    QCOMPARE(msg.linkFlags[3 - flag], false);
    QCOMPARE(msg.msgData, request.msgData);
    QTest::qWait(400);
    QCOMPARE(spy->count(), 1);
    QCOMPARE(transport->written.size(), 1);
    QVERIFY(link->isIdle());
}

void tst_ModuleLink::confirmationHoldsQueue()
{
    CommProtocol set;
    set.buildOutputFreq1Request(1200, true);
    CommProtocol get;
    get.buildGetLevelRequest();
    QVERIFY(link->send(set));
    QVERIFY(link->send(get));
    QCOMPARE(transport->written,
             QList<QByteArray> {StreamFramer::encode(set.msgData, StreamFramer::ConfirmRequest)});
    transport->inject(StreamFramer::encode(set.msgData.left(4), StreamFramer::Confirmation));
    QCOMPARE(transport->written.size(), 2);
    QCOMPARE(transport->written.at(1), StreamFramer::encode(get.msgData));
    // A confirmation is the link's own business: the plug-in never sees it.
    QTest::qWait(20);
    QCOMPARE(spy->count(), 0);
}

void tst_ModuleLink::unconfirmedGoAtOnce()
{
    CommProtocol p;
    QList<QByteArray> expected;
    p.buildSetAllCfgRequest(false, false);
    QVERIFY(link->send(p));
    expected << StreamFramer::encode(p.msgData);
    for (int i = 0; i < 3; ++i) {
        p.clearMsgData();
        p.buildOutputAttenuation1Request(static_cast<unsigned char>(i), false);
        QVERIFY(link->send(p));
        expected << StreamFramer::encode(p.msgData);
    }
    p.clearMsgData();
    p.buildSetAllCfgRequest(true, true);
    QVERIFY(link->send(p));
    expected << StreamFramer::encode(p.msgData, StreamFramer::ConfirmRequest);
    QCOMPARE(transport->written, expected);
    QVERIFY(!link->isIdle());
}

void tst_ModuleLink::lateAnswerDiscarded()
{
    CommProtocol request;
    request.buildGetModuleInfoRequest();
    request.answerTimeoutMs = 100;
    QVERIFY(link->send(request));
    QTRY_COMPARE(spy->count(), 1);
    QVERIFY(delivered(0).linkFlags[1]);
    transport->inject(StreamFramer::encode(QByteArray::fromHex("0004001701e240020530312e3200070000")
                                           + QByteArray(1, 42)));
    QTest::qWait(20);
    QCOMPARE(spy->count(), 1);
}

void tst_ModuleLink::refusedSends()
{
    CommProtocol empty;
    QVERIFY(!link->send(empty));
    CommProtocol set;
    set.buildLNB1Request(1, false);
    CommProtocol get;
    get.buildGetAllCfgRequest();
    QVERIFY(link->send(get));
    for (int i = 0; i < ModuleLink::MaxQueued; ++i)
        QVERIFY(link->send(set));
    QVERIFY(!link->send(set));
    // Down while waiting: the waiting request fails as unanswered.
    transport->drop();
    QTRY_COMPARE(spy->count(), 1);
    QVERIFY(delivered(0).linkFlags[1]);
    QVERIFY(!link->send(set));
}

QTEST_MAIN(tst_ModuleLink)
#include "tst_modulelink.moc"
