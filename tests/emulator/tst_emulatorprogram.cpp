#include "commprotocol.h"
#include "modulelink.h"
#include "serialtransport.h"
#include "tcptransport.h"
#include "testmain.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

Q_DECLARE_METATYPE(CommMsg)

// zetavx-emu as its own process, reached the way a host reaches it.
class tst_EmulatorProgram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<CommMsg>(); }
    void serve_data();
    void serve();
};

void tst_EmulatorProgram::serve_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("banner");
    QTest::newRow("tcp") << QStringList {"--tcp", "0"} << "listening on 127.0.0.1:(\\d+)";
    QTest::newRow("pseudo-terminal") << QStringList {"--pty"} << "serial port (\\S+)";
}

void tst_EmulatorProgram::serve()
{
    QFETCH(QStringList, args);
    QFETCH(QString, banner);
    QTemporaryDir dir;
    const QString state = dir.filePath(QStringLiteral("module.ini"));
    QProcess process;
    args << QStringLiteral("--state") << state << QStringLiteral("--fault")
         << QStringLiteral("refuse:21");
    process.start(QStringLiteral(EMULATOR_PATH), args);
    while (!process.canReadLine() && process.waitForReadyRead(30000)) { }
    const QString out = QString::fromLocal8Bit(process.readLine());
    const QRegularExpressionMatch m = QRegularExpression(banner).match(out);
    QVERIFY2(m.hasMatch(), qPrintable(out));
    LinkTransport *transport = nullptr;
    if (args.first() == QLatin1String("--tcp"))
        transport = new TcpTransport(QStringLiteral("127.0.0.1"), quint16(m.captured(1).toUInt()));
    else
        transport = new SerialTransport(m.captured(1), 115200);
    ModuleLink link(transport);
    QString error;
    QVERIFY2(link.open(error), qPrintable(error));
    QTRY_VERIFY(link.isUp());
    QSignalSpy delivered(&link, &ModuleLink::delivered);
    CommProtocol p;
    p.buildOutputFreq1Request(1999, true);
    QVERIFY(link.send(p));
    p.clearMsgData();
    p.buildOutputAttenuation2Request(9, true); // refused by the fault
    QVERIFY(link.send(p));
    QTRY_COMPARE(delivered.count(), 1);
    QVERIFY(delivered.at(0).at(0).value<CommMsg>().linkFlags[2]);
    process.terminate();
    QVERIFY(process.waitForFinished(30000));
    // The state file holds what the module confirmed, and only that.
    const QSettings saved(state, QSettings::IniFormat);
    QCOMPARE(saved.value(QStringLiteral("state/OutputFreq1")).toInt(), 1999);
    QCOMPARE(saved.value(QStringLiteral("state/OutputAttenuation2")).toInt(), 3);
}

MSP_TEST_MAIN(tst_EmulatorProgram)
#include "tst_emulatorprogram.moc"
