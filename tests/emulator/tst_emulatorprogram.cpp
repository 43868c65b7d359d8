#include "commprotocol.h"
#include "modulelink.h"
#include "serialtransport.h"
#include "tcptransport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(CommMsg)

// zetavx-emu as its own process, reached the way a host reaches it.
class tst_EmulatorProgram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<CommMsg>(); }
    void serve_data();
    void serve();
    void badArguments_data();
    void badArguments();

private:
    // Starts the program and returns the line it announces itself with.
    QString start(QProcess &process, const QStringList &args);
};

QString tst_EmulatorProgram::start(QProcess &process, const QStringList &args)
{
    process.start(QStringLiteral(EMULATOR_PATH), args);
    if (!process.waitForStarted(5000))
        return QString();
    QString out;
    QElapsedTimer clock;
    clock.start();
    while (!out.contains(QLatin1Char('\n')) && clock.elapsed() < 5000) {
        process.waitForReadyRead(100);
        out += QString::fromLocal8Bit(process.readAllStandardOutput());
    }
    return out;
}

void tst_EmulatorProgram::serve_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("tcp") << "tcp";
    QTest::newRow("pseudo-terminal") << "pty";
}

void tst_EmulatorProgram::serve()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString stateFile = dir.filePath(QStringLiteral("module.ini"));
    const QStringList args = kind == QLatin1String("tcp")
        ? QStringList {QStringLiteral("--tcp"), QStringLiteral("0")}
        : QStringList {QStringLiteral("--pty")};

    for (int run = 0; run < 2; ++run) {
        QProcess process;
        const QString banner
            = start(process,
                    args
                        + QStringList {QStringLiteral("--state"), stateFile,
                                       QStringLiteral("--fault"), QStringLiteral("refuse:21")});
        LinkTransport *transport = nullptr;
        QRegularExpressionMatch m;
        if (kind == QLatin1String("tcp")) {
            m = QRegularExpression(QStringLiteral("listening on 127.0.0.1:(\\d+)")).match(banner);
            QVERIFY2(m.hasMatch(), qPrintable(banner));
            transport = new TcpTransport(QStringLiteral("127.0.0.1"),
                                         static_cast<quint16>(m.captured(1).toInt()));
        } else {
            m = QRegularExpression(QStringLiteral("serial port (\\S+)")).match(banner);
            QVERIFY2(m.hasMatch(), qPrintable(banner));
            transport = new SerialTransport(m.captured(1), 115200);
        }
        ModuleLink link(transport);
        QString error;
        QVERIFY2(link.open(error), qPrintable(error));
        QSignalSpy delivered(&link, &ModuleLink::delivered);
        CommProtocol p;
        if (run == 0) {
            p.buildOutputFreq1Request(1999, true);
            QVERIFY(link.send(p));
            p.clearMsgData();
            p.buildOutputAttenuation2Request(9, true); // refused by the fault
            QVERIFY(link.send(p));
            QTRY_COMPARE(delivered.count(), 1);
            QVERIFY(delivered.at(0).at(0).value<CommMsg>().linkFlags[2]);
        } else {
            // The second run starts from the state the first one left.
            p.buildGetAllCfgRequest();
            QVERIFY(link.send(p));
            QTRY_COMPARE(delivered.count(), 1);
            const QByteArray answer = delivered.at(0).at(0).value<CommMsg>().msgData;
            QVERIFY(answer.contains(QByteArray::fromHex("00040012"
                                                        "07cf"))); // 1999 MHz
            QVERIFY(answer.contains(QByteArray::fromHex("00040015"
                                                        "03"))); // attenuation unchanged
        }
        process.terminate();
        QVERIFY(process.waitForFinished(5000));
    }
}

void tst_EmulatorProgram::badArguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("bad fault") << QStringList {"--fault", "melt"} << "unknown fault";
    QTest::newRow("bad port") << QStringList {"--tcp", "70000"} << "bad TCP port";
    QTest::newRow("bad serial") << QStringList {"--serial", "300-1"} << "bad serial number";
    QTest::newRow("bad level") << QStringList {"--rf1", "loud"} << "bad RF level";
}

void tst_EmulatorProgram::badArguments()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QProcess process;
    process.start(QStringLiteral(EMULATOR_PATH), args);
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitCode(), 2);
    QVERIFY(QString::fromLocal8Bit(process.readAllStandardError()).contains(message));
}

QTEST_MAIN(tst_EmulatorProgram)
#include "tst_emulatorprogram.moc"
