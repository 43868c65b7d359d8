#include "configstore.h"
#include "testmain.h"

#include <QTemporaryDir>

class tst_ConfigStore : public QObject
{
    Q_OBJECT

private slots:
    void storeAndLoad();
};

void tst_ConfigStore::storeAndLoad()
{
    QTemporaryDir dir;
    ConfigStore store(dir.filePath(QStringLiteral("cfg")));
    const QString id = QStringLiteral("ZetaVX_DVBS2");
    QString error;
    QVERIFY(store.load(id, id).isEmpty());
    QVERIFY2(store.save(id, id, {{QStringLiteral("BW_2"), 255}}, error), qPrintable(error));
    // A later store replaces the earlier one completely.
    QVERIFY(store.save(id, id, {{QStringLiteral("Freq1_Output"), QStringLiteral("1750")}}, error));
    QCOMPARE(store.load(id, id),
             (QHash<QString, QVariant> {{QStringLiteral("Freq1_Output"), "1750"}}));
    // A damaged file gives what can be read of it.
    QFile f(store.fileFor(id, id));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("\xff\xfe[config\n=\n[config]\nC1_Act=1\n");
    f.close();
    QCOMPARE(store.load(id, id), (QHash<QString, QVariant> {{QStringLiteral("C1_Act"), "1"}}));
    // Keys come from the plug-in: they never name another folder.
    QCOMPARE(store.fileFor(QStringLiteral("X"), QStringLiteral("../../etc/passwd")),
             dir.filePath(QStringLiteral("cfg/X-_.._.._etc_passwd.ini")));
}

MSP_TEST_MAIN(tst_ConfigStore)
#include "tst_configstore.moc"
