#include "scriptrunner.h"
#include "testmain.h"

class tst_ScriptRunner : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void errorNamesLine();
};

void tst_ScriptRunner::parse_data()
{
    // Each row's name is the line; the result is the command and its
    // arguments, or the error.
    QTest::addColumn<QString>("result");
    QTest::newRow("  # note") << "";
    QTest::newRow("key Down  ok f12 7") << "key|Down|ok|f12|7";
    QTest::newRow("wait 500") << "wait|500";
    QTest::newRow("wait idle 2500") << "wait|idle|2500";
    QTest::newRow("wait idle soon") << "line 7: wait idle takes a time in milliseconds (0..600000)";
    QTest::newRow("shot 01 menu.png") << "shot|01 menu.png";
    QTest::newRow("medium USB off") << "medium|USB|off";
    QTest::newRow("key F13") << "line 7: unknown key \"F13\"";
    QTest::newRow("key") << "line 7: key needs at least one key name";
    QTest::newRow("wait -1") << "line 7: wait needs a time in milliseconds (0..600000)";
    QTest::newRow("shot") << "line 7: shot needs an argument";
    QTest::newRow("medium USB maybe") << "line 7: medium needs a name and on or off";
    QTest::newRow("press F6") << "line 7: unknown command \"press\"";
}

void tst_ScriptRunner::parse()
{
    QFETCH(QString, result);
    ScriptRunner::Step step;
    QString error;
    if (ScriptRunner::parseLine(QLatin1String(QTest::currentDataTag()), 7, step, error))
        error = (QStringList(step.command) + step.args).join(QLatin1Char('|'));
    QCOMPARE(error, result);
}

void tst_ScriptRunner::errorNamesLine()
{
    ScriptRunner runner(nullptr);
    QString error;
    QVERIFY(!runner.loadText(QStringLiteral("wait 5\n\n# c\nkey Up\nbogus\n"), error));
    QCOMPARE(error, QStringLiteral("line 5: unknown command \"bogus\""));
    QVERIFY(runner.steps().isEmpty());
}

MSP_TEST_MAIN(tst_ScriptRunner)
#include "tst_scriptrunner.moc"
