#include "commprotocol.h"
#include "linktransport.h"
#include "modulelink.h"
#include "streamframer.h"
#include "tcptransport.h"
#include "testmain.h"

#include <QSignalSpy>
#include <QTcpServer>

Q_DECLARE_METATYPE(CommMsg)

// A transport the test plays the module on: it keeps what the host wrote and
// injects the bytes the test chooses.
class FakeTransport : public LinkTransport
{
    Q_OBJECT

public:
    bool open(QString &) override { return up = true; }
    bool isOpen() const override { return up; }
    void write(const QByteArray &bytes) override { written.append(bytes); }
    QString description() const override { return QStringLiteral("fake"); }

    bool up = false;
    QList<QByteArray> written;
};

namespace {
QByteArray framed(const char *hex, unsigned char flags = 0)
{
    return StreamFramer::encode(QByteArray::fromHex(hex), flags);
}
const unsigned char Refusal = StreamFramer::Confirmation | StreamFramer::Refused;
} // namespace

class tst_ModuleLink : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { delete link; }
    void sendAndAnswer();
    void failure_data();
    void failure();
    void tcpReconnects();

private:
    CommMsg delivered(int i) const { return spy->at(i).at(0).value<CommMsg>(); }
    void inject(const QByteArray &bytes) { emit transport->received(bytes); }

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
    spy->setParent(link);
}

void tst_ModuleLink::sendAndAnswer()
{
    // Unconfirmed sets go at once; one asking for confirmation holds the
    // queue until it comes, and the confirmation never reaches the plug-in.
    CommProtocol p;
    for (const auto build : {+[](CommProtocol &q) { q.buildOutputAttenuation1Request(1, false); },
                             +[](CommProtocol &q) { q.buildSetAllCfgRequest(true, true); },
                             +[](CommProtocol &q) { q.buildGetLevelRequest(); },
                             +[](CommProtocol &q) { q.buildGetAllCfgRequest(); }}) {
        p.clearMsgData();
        build(p);
        QVERIFY(link->send(p));
    }
    QCOMPARE(transport->written,
             (QList<QByteArray> {framed("0004001401"),
                                 framed("0004001901", StreamFramer::ConfirmRequest)}));
    inject(framed("00040019", StreamFramer::Confirmation));
    QCOMPARE(transport->written.size(), 3);
    QCOMPARE(transport->written.at(2), framed("00040016"));
    // A confirmation does not answer a get-request: the wait goes on.
    inject(framed("00040016", StreamFramer::Confirmation));
    QCOMPARE(transport->written.size(), 3);
    // The answer is handed on from the event loop, not within the read.
    inject(framed("000400160309"));
    QCOMPARE(spy->count(), 0);
    QCOMPARE(transport->written.size(), 4);
    QTRY_COMPARE(spy->count(), 1);
    const CommMsg msg = delivered(0);
    QCOMPARE(msg.msgData, QByteArray::fromHex("000400160309"));
    QVERIFY(!msg.linkFlags[1] && !msg.linkFlags[2]);
    // 64 requests wait behind the one in flight; the next is refused.
    int accepted = 0;
    for (int i = 0; i < 70; ++i)
        accepted += link->send(p) ? 1 : 0;
    QCOMPARE(accepted, 64);
}

void tst_ModuleLink::failure_data()
{
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("flag");
    const QByteArray good = framed("00040018000400010102");
    QByteArray corrupt = good;
    corrupt[6] = char(corrupt.at(6) ^ 0x40);
    QTest::newRow("no answer") << false << QByteArray() << 1;
    QTest::newRow("link down while waiting") << false << QByteArray("down") << 1;
    QTest::newRow("answer to another command") << false << framed("000400160000") << 1;
    QTest::newRow("corrupt answer") << false << corrupt << 2;
    QTest::newRow("truncated answer") << false << good.left(7) << 2;
    QTest::newRow("get refused") << false << framed("00040018", Refusal) << 2;
    QTest::newRow("set refused") << true << framed("00040007", Refusal) << 2;
    QTest::newRow("confirmation of another command")
        << true << framed("00040008", StreamFramer::Confirmation) << 1;
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
    QCOMPARE(transport->written.size(), 1);
    if (reply == "down") {
        transport->up = false;
        emit transport->stateChanged(false, QStringLiteral("fake: gone"));
        QVERIFY(!link->send(next));
        transport->up = true;
    } else if (!reply.isEmpty()) {
        inject(reply);
    }
    QTRY_COMPARE(spy->count(), 1);
    const CommMsg msg = delivered(0);
    QCOMPARE(msg.linkFlags[flag], true);
    QCOMPARE(msg.linkFlags[3 - flag], false);
    QCOMPARE(msg.msgData, request.msgData);
    QVERIFY(link->isIdle());
    // What comes after the failure is discarded: nobody waits for it. The
    // next exchange gets its own answer.
    inject(confirmed ? framed("00040007", StreamFramer::Confirmation)
                     : framed("00040018000400010102"));
    QVERIFY(link->send(next));
    QCOMPARE(transport->written.size(), 2);
    inject(framed("000400160101"));
    QTRY_COMPARE(spy->count(), 2);
    QCOMPARE(delivered(1).msgData, QByteArray::fromHex("000400160101"));
}

void tst_ModuleLink::tcpReconnects()
{
    // Started before the module, and the module restarted twice: the host
    // connects each time by itself.
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const quint16 port = server.serverPort();
    server.close();
    ModuleLink tcpLink(new TcpTransport(QStringLiteral("127.0.0.1"), port));
    QSignalSpy states(&tcpLink, &ModuleLink::stateChanged);
    QString error;
    QVERIFY(tcpLink.open(error));
    QTRY_COMPARE(states.count(), 2); // connecting, refused
    QVERIFY(!tcpLink.isUp());
    QVERIFY(server.listen(QHostAddress::LocalHost, port));
    for (int restart = 0; restart < 3; ++restart) {
        QTRY_VERIFY_WITH_TIMEOUT(server.hasPendingConnections(), 10000);
        QTRY_VERIFY(tcpLink.isUp());
        delete server.nextPendingConnection();
        QTRY_VERIFY(!tcpLink.isUp());
    }
}

MSP_TEST_MAIN(tst_ModuleLink)
#include "tst_modulelink.moc"
