#include "commprotocol.h"
#include "emulatortcpserver.h"
#include "inprocesstransport.h"
#include "moduleemulator.h"
#include "modulelink.h"
#include "ptyserver.h"
#include "serialtransport.h"
#include "tcptransport.h"

#include <QHostAddress>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(CommMsg)

// The same exchanges over each way the host reaches a module.
class tst_Transports : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<CommMsg>(); }
    void exchange_data();
    void exchange();

private:
    std::unique_ptr<ModuleLink> connectTo(const QString &kind, ModuleEmulator *module, QObject *owner);
};

std::unique_ptr<ModuleLink> tst_Transports::connectTo(const QString &kind, ModuleEmulator *module, QObject *owner)
{
    LinkTransport *transport = nullptr;
    QString error;
    if (kind == QLatin1String("in-process")) {
        transport = new InProcessTransport(module);
    } else if (kind == QLatin1String("tcp")) {
        auto *server = new EmulatorTcpServer(module, owner);
        if (!server->listen(QHostAddress::LocalHost, 0, error))
            return nullptr;
        transport = new TcpTransport(QStringLiteral("127.0.0.1"), server->port());
    } else {
        auto *pty = new PtyServer(module, owner);
        if (!pty->open(error))
            return nullptr;
        transport = new SerialTransport(pty->slavePath(), 115200);
    }
    auto link = std::make_unique<ModuleLink>(transport);
    if (!link->open(error)) {
        qWarning("%s", qPrintable(error));
        return nullptr;
    }
    return link;
}

void tst_Transports::exchange_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("in-process") << "in-process";
    QTest::newRow("tcp") << "tcp";
    QTest::newRow("pseudo-terminal") << "pty";
}

void tst_Transports::exchange()
{
    QFETCH(QString, kind);
    QObject owner;
    ModuleEmulator module;
    std::unique_ptr<ModuleLink> link = connectTo(kind, &module, &owner);
    QVERIFY(link);
    QSignalSpy delivered(link.get(), &ModuleLink::delivered);

    // A confirmed write, then a read that must wait for it.
    CommProtocol p;
    p.buildOutputFreq2Request(1234, true);
    QVERIFY(link->send(p));
    p.clearMsgData();
    p.buildGetAllCfgRequest();
    QVERIFY(link->send(p));
    QTRY_COMPARE(delivered.count(), 1);
    const CommMsg answer = delivered.at(0).at(0).value<CommMsg>();
    QVERIFY(!answer.linkFlags[1] && !answer.linkFlags[2]);
    QCOMPARE(module.value(CommProtocol::OutputFreq2), 1234);
    QCOMPARE(answer.msgData, module.handleFrame(p.msgData, 0).value(0).frame);

    // A corrupt answer reaches the plug-in as a failure.
    EmulatorFault fault;
    QString error;
    QVERIFY(EmulatorFault::parse(QStringLiteral("corrupt:22"), fault, error));
    module.addFault(fault);
    p.clearMsgData();
    p.buildGetLevelRequest();
    QVERIFY(link->send(p));
    QTRY_COMPARE(delivered.count(), 2);
    QVERIFY(delivered.at(1).at(0).value<CommMsg>().linkFlags[2]);
}

QTEST_MAIN(tst_Transports)
#include "tst_transports.moc"
