#include "configstore.h"
#include "testmain.h"

#include <QTemporaryDir>

#include <sys/stat.h>

using Hash = QHash<QString, QVariant>;

class tst_ConfigStore : public QObject
{
    Q_OBJECT

private slots:
    void store_data();
    void store();
};

void tst_ConfigStore::store_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<bool>("saved");
    // A later store replaces the earlier one completely, however soon it comes.
    QTest::newRow("earlier store") << QByteArray("[config]\nBW_2=255\nFreq1_Output=1\n") << true;
    QTest::newRow("link to a file elsewhere") << QByteArray("link") << true;
    QTest::newRow("pipe") << QByteArray("fifo") << true;
    QTest::newRow("one byte too large") << QByteArray("huge") << true;
    QTest::newRow("folder in its place") << QByteArray("folder") << false;
}

// What lies in the store's folder under a module's name is neither followed,
// opened nor read whole: loading gives nothing, saving replaces the entry
// itself, or fails and leaves it as it was.
void tst_ConfigStore::store()
{
    QFETCH(QByteArray, kind);
    QFETCH(bool, saved);
    QTemporaryDir dir, elsewhere;
    ConfigStore store(dir.filePath("cfg"));
    QDir().mkpath(store.folder());
    const QString path = store.fileFor("F", "M");
    const QString outside = elsewhere.filePath("victim.ini");
    const QByteArray victim = "[config]\nC1_Act=9\n";
    if (QFile v(outside); v.open(QIODevice::WriteOnly))
        v.write(victim);
    if (kind == "link")
        QVERIFY(QFile::link(outside, path));
    else if (kind == "fifo")
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == "folder")
        QVERIFY(QDir().mkdir(path));
    else if (QFile old(path); old.open(QIODevice::WriteOnly))
        old.write(kind == "huge" ? victim + QByteArray(int(ConfigStore::MaxFileSize), '#') : kind);

    QCOMPARE(store.load("F", "M").size(), kind.startsWith('[') ? 2 : 0);
    QString error;
    QCOMPARE(store.save("F", "M", {{"Freq1_Output", "1750"}}, error), saved);
    QCOMPARE(error.isEmpty(), saved);
    QCOMPARE(store.load("F", "M"), saved ? Hash({{"Freq1_Output", "1750"}}) : Hash());
    QCOMPARE(QFileInfo(path).isDir(), !saved);
    QFile after(outside);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), victim);
    QCOMPARE(QDir(store.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList {"F-M.ini"});
    // A damaged file gives what can be read of it.
    if (QFile damaged(path); saved && damaged.open(QIODevice::WriteOnly))
        damaged.write("\xff\xfe[config\n=\n[config]\nC1_Act=1\n");
    QCOMPARE(store.load("F", "M"), saved ? Hash({{"C1_Act", "1"}}) : Hash());
    // Keys come from the plug-in: they never name another folder.
    QCOMPARE(store.fileFor("X", "../../etc/passwd"), store.folder() + "/X-_.._.._etc_passwd.ini");
}

MSP_TEST_MAIN(tst_ConfigStore)
#include "tst_configstore.moc"
