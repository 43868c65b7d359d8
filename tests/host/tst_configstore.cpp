#include "configstore.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using Hash = QHash<QString, QVariant>;

class tst_ConfigStore : public QObject
{
    Q_OBJECT

private slots:
    void storeAndLoad();
    void hostileEntries_data();
    void hostileEntries();
};

void tst_ConfigStore::storeAndLoad()
{
    QTemporaryDir dir;
    ConfigStore store(dir.filePath(QStringLiteral("cfg")));
    const QString id = QStringLiteral("ZetaVX_DVBS2");
    QString error;
    QVERIFY(store.load(id, id).isEmpty());
    QVERIFY2(store.save(id, id, {{QStringLiteral("BW_2"), 255}}, error), qPrintable(error));
    // A later store replaces the earlier one completely, however soon it comes.
    QVERIFY(store.save(id, id, {{QStringLiteral("Freq1_Output"), QStringLiteral("1750")}}, error));
    QCOMPARE(store.load(id, id), (Hash {{QStringLiteral("Freq1_Output"), "1750"}}));
    QVERIFY(store.save(id, id, {{QStringLiteral("Freq1_Output"), QStringLiteral("1760")}}, error));
    QCOMPARE(store.load(id, id), (Hash {{QStringLiteral("Freq1_Output"), "1760"}}));
    QCOMPARE(QDir(store.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList {QFileInfo(store.fileFor(id, id)).fileName()});
    // A damaged file gives what can be read of it.
    QFile f(store.fileFor(id, id));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("\xff\xfe[config\n=\n[config]\nC1_Act=1\n");
    f.close();
    QCOMPARE(store.load(id, id), (Hash {{QStringLiteral("C1_Act"), "1"}}));
    // Keys come from the plug-in: they never name another folder.
    QCOMPARE(store.fileFor(QStringLiteral("X"), QStringLiteral("../../etc/passwd")),
             dir.filePath(QStringLiteral("cfg/X-_.._.._etc_passwd.ini")));
}

void tst_ConfigStore::hostileEntries_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("saved");
    QTest::newRow("link to a file elsewhere") << "link" << true;
    QTest::newRow("dangling link") << "dangling" << true;
    QTest::newRow("pipe") << "fifo" << true;
    QTest::newRow("one byte too large") << "huge" << true;
    QTest::newRow("folder in its place") << "folder" << false;
}

// What lies in the store's folder under a module's name is neither followed,
// opened nor read whole: loading gives nothing, saving replaces the entry
// itself, or fails and leaves it as it was.
void tst_ConfigStore::hostileEntries()
{
    QFETCH(QString, kind);
    QFETCH(bool, saved);
    QTemporaryDir dir, elsewhere;
    ConfigStore store(dir.path());
    const QString path = store.fileFor("F", "M");
    const QString outside = elsewhere.filePath("victim.ini");
    const QByteArray victim = "[config]\nC1_Act=9\n";
    QFile v(outside);
    QVERIFY(v.open(QIODevice::WriteOnly) && v.write(victim) == victim.size());
    v.close();
    if (kind == "link")
        QVERIFY(QFile::link(outside, path));
    else if (kind == "dangling")
        QVERIFY(QFile::link(elsewhere.filePath("new.ini"), path));
    else if (kind == "fifo")
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == "folder")
        QVERIFY(QDir().mkdir(path));
    else if (QFile big(path); big.open(QIODevice::WriteOnly))
        big.write(victim + QByteArray(int(ConfigStore::MaxFileSize), '#'));

    QVERIFY(store.load("F", "M").isEmpty());
    QString error;
    QCOMPARE(store.save("F", "M", {{"C1_Act", 1}}, error), saved);
    QCOMPARE(error.isEmpty(), saved);
    QCOMPARE(store.load("F", "M"), saved ? Hash({{"C1_Act", "1"}}) : Hash());
    QCOMPARE(QFileInfo(path).isDir(), !saved);
    QFile after(outside);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), victim);
    QVERIFY(!QFileInfo::exists(elsewhere.filePath("new.ini")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList {"F-M.ini"});
}

QTEST_MAIN(tst_ConfigStore)
#include "tst_configstore.moc"
