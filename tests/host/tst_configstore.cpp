#include "configstore.h"

#include <QTemporaryDir>
#include <QtTest>

class tst_ConfigStore : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip();
    void keysStayInTheFolder_data();
    void keysStayInTheFolder();
    void brokenFile();
};

void tst_ConfigStore::roundTrip()
{
    QTemporaryDir dir;
    ConfigStore store(dir.filePath(QStringLiteral("cfg")));
    QString error;
    QHash<QString, QVariant> config {{QStringLiteral("Entradas"), 1},
                                     {QStringLiteral("Freq1_Output"), QStringLiteral("1750")},
                                     {QStringLiteral("BW_2"), 255}};
    QVERIFY(store.load(QStringLiteral("ZetaVX_DVBS2"), QStringLiteral("ZetaVX_DVBS2")).isEmpty());
    QVERIFY2(
        store.save(QStringLiteral("ZetaVX_DVBS2"), QStringLiteral("ZetaVX_DVBS2"), config, error),
        qPrintable(error));
    QCOMPARE(store.fileFor(QStringLiteral("ZetaVX_DVBS2"), QStringLiteral("ZetaVX_DVBS2")),
             dir.filePath(QStringLiteral("cfg/ZetaVX_DVBS2-ZetaVX_DVBS2.ini")));
    // A later store replaces the earlier one completely.
    config.remove(QStringLiteral("BW_2"));
    QVERIFY(
        store.save(QStringLiteral("ZetaVX_DVBS2"), QStringLiteral("ZetaVX_DVBS2"), config, error));
    const QHash<QString, QVariant> back
        = store.load(QStringLiteral("ZetaVX_DVBS2"), QStringLiteral("ZetaVX_DVBS2"));
    QCOMPARE(back.size(), 2);
    QCOMPARE(back.value(QStringLiteral("Entradas")).toInt(), 1);
    QCOMPARE(back.value(QStringLiteral("Freq1_Output")).toString(), QStringLiteral("1750"));
}

void tst_ConfigStore::keysStayInTheFolder_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("parent folder") << "../../etc/passwd"
                                   << "X-_.._.._etc_passwd.ini";
    QTest::newRow("empty") << ""
                           << "X-_.ini";
    QTest::newRow("spaces") << "a b"
                            << "X-a_b.ini";
}

void tst_ConfigStore::keysStayInTheFolder()
{
    QFETCH(QString, key);
    QFETCH(QString, fileName);
    ConfigStore store(QStringLiteral("/tmp/store"));
    QCOMPARE(store.fileFor(QStringLiteral("X"), key), QStringLiteral("/tmp/store/") + fileName);
}

void tst_ConfigStore::brokenFile()
{
    QTemporaryDir dir;
    ConfigStore store(dir.path());
    QFile f(store.fileFor(QStringLiteral("F"), QStringLiteral("M")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("\xff\xfe[config\n=\n[config]\nC1_Act=1\n");
    f.close();
    const QHash<QString, QVariant> back = store.load(QStringLiteral("F"), QStringLiteral("M"));
    QVERIFY(back.size() <= 1);
    if (!back.isEmpty())
        QCOMPARE(back.value(QStringLiteral("C1_Act")).toInt(), 1);
}

QTEST_MAIN(tst_ConfigStore)
#include "tst_configstore.moc"
