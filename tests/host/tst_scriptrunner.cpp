#include "scriptrunner.h"
#include "testmain.h"

class tst_ScriptRunner : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
};

void tst_ScriptRunner::parse_data()
{
    // Each row's name is the script; the result is the command and its
    // arguments, or the error.
    QTest::addColumn<QString>("result");
    QTest::newRow("  # note") << "";
    QTest::newRow("key Down  ok f12 7") << "key|Down|ok|f12|7";
    QTest::newRow("wait idle 2500") << "wait|idle|2500";
    QTest::newRow("wait idle soon") << "line 1: wait idle takes a time in milliseconds (0..600000)";
    QTest::newRow("shot 01 menu.png") << "shot|01 menu.png";
    QTest::newRow("medium USB off") << "medium|USB|off";
    QTest::newRow("key F13") << "line 1: unknown key \"F13\"";
    QTest::newRow("key") << "line 1: key needs at least one key name";
    QTest::newRow("wait -1") << "line 1: wait needs a time in milliseconds (0..600000)";
    QTest::newRow("medium USB maybe") << "line 1: medium needs a name and on or off";
    QTest::newRow("press F6") << "line 1: unknown command \"press\"";
    QTest::newRow("wait 5\n\n# c\nkey Up\nbogus") << "line 5: unknown command \"bogus\"";
}

void tst_ScriptRunner::parse()
{
    QFETCH(QString, result);
    ScriptRunner runner(nullptr);
    QString error;
    if (runner.loadText(QString::fromUtf8(QTest::currentDataTag()), error))
        for (const ScriptRunner::Step &step : runner.steps())
            error = (QStringList(step.command) + step.args).join(QLatin1Char('|'));
    QCOMPARE(error, result);
}

MSP_TEST_MAIN(tst_ScriptRunner)
#include "tst_scriptrunner.moc"
