#include "scriptrunner.h"

#include <QtTest>

class tst_ScriptRunner : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void keyCodes_data();
    void keyCodes();
    void errorNamesLine();
};

void tst_ScriptRunner::parse_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("args");
    QTest::newRow("comment") << "  # note" << true << "" << QStringList();
    QTest::newRow("keys by name") << "key Down  down F6" << true << "key"
                                  << QStringList {"Down", "down", "F6"};
    QTest::newRow("typed text keeps spaces")
        << "keys 1750" << true << "keys" << QStringList {"1750"};
    QTest::newRow("wait") << "wait 500" << true << "wait" << QStringList {"500"};
    QTest::newRow("shot") << "shot 01 menu.png" << true << "shot" << QStringList {"01 menu.png"};
    QTest::newRow("medium") << "medium USB off" << true << "medium" << QStringList {"USB", "off"};
    QTest::newRow("unknown key") << "key F13" << false << "" << QStringList();
    QTest::newRow("key without name") << "key" << false << "" << QStringList();
    QTest::newRow("negative wait") << "wait -1" << false << "" << QStringList();
    QTest::newRow("shot without file") << "shot" << false << "" << QStringList();
    QTest::newRow("medium bad state") << "medium USB maybe" << false << "" << QStringList();
    QTest::newRow("unknown command") << "press F6" << false << "" << QStringList();
}

void tst_ScriptRunner::parse()
{
    QFETCH(QString, line);
    QFETCH(bool, valid);
    QFETCH(QString, command);
    QFETCH(QStringList, args);
    ScriptRunner::Step step;
    QString error;
    QCOMPARE(ScriptRunner::parseLine(line, 7, step, error), valid);
    if (!valid) {
        QVERIFY(error.startsWith(QLatin1String("line 7: ")));
        return;
    }
    QCOMPARE(step.command, command);
    QCOMPARE(step.args, args);
}

void tst_ScriptRunner::keyCodes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("key");
    QTest::newRow("F5") << "F5" << int(Qt::Key_F5);
    QTest::newRow("f12") << "f12" << int(Qt::Key_F12);
    QTest::newRow("ok is return") << "OK" << int(Qt::Key_Return);
    QTest::newRow("digit") << "7" << int(Qt::Key_7);
    QTest::newRow("F0") << "F0" << 0;
    QTest::newRow("word") << "Help" << 0;
}

void tst_ScriptRunner::keyCodes()
{
    QFETCH(QString, name);
    QFETCH(int, key);
    QCOMPARE(ScriptRunner::keyCode(name), key);
}

void tst_ScriptRunner::errorNamesLine()
{
    ScriptRunner runner(nullptr);
    QString error;
    QVERIFY(!runner.loadText(QStringLiteral("wait 5\n\n# c\nkey Up\nbogus\n"), error));
    QCOMPARE(error, QStringLiteral("line 5: unknown command \"bogus\""));
    QVERIFY(runner.steps().isEmpty());
    QVERIFY(runner.loadText(QStringLiteral("wait 5\n# c\nkey Up\n"), error));
    QCOMPARE(runner.steps().size(), 2);
    QCOMPARE(runner.steps().at(1).line, 3);
}

QTEST_MAIN(tst_ScriptRunner)
#include "tst_scriptrunner.moc"
