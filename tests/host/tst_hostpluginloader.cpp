#include "imsp.h"
#include "pluginloader.h"

#include <QtTest>

class tst_HostPluginLoader : public QObject
{
    Q_OBJECT

private slots:
    void verify_data();
    void verify();
    void loadPlugin();
    void loadOther_data();
    void loadOther();
};

void tst_HostPluginLoader::verify_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("our build key")
        << QByteArray("pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4.5.0\ndebug=false\nbuildkey="
                      "arm linux norvane full-config")
        << true;
    QTest::newRow("other build key")
        << QByteArray("pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4.5.0\ndebug=false\nbuildkey="
                      "x86_64 linux g++-4 full-config")
        << false;
    QTest::newRow("key with trailing space") << QByteArray(
        "pattern=QT_PLUGIN_VERIFICATION_DATA\nbuildkey=arm linux norvane full-config ")
                                             << false;
    QTest::newRow("no pattern") << QByteArray("buildkey=arm linux norvane full-config") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void tst_HostPluginLoader::verify()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, accepted);
    QString error;
    QCOMPARE(PluginLoader::verify(data, error), accepted);
    QCOMPARE(error.isEmpty(), accepted);
}

void tst_HostPluginLoader::loadPlugin()
{
    PluginLoader loader(QStringLiteral(PLUGIN_PATH));
    QString error;
    QVERIFY2(loader.load(error), qPrintable(error));
    QVERIFY(loader.plugin());
    QCOMPARE(loader.plugin()->Id(), QStringLiteral("ZetaVX_DVBS2"));
    QCOMPARE(static_cast<void *>(loader.plugin()),
             loader.root()->qt_metacast("com.veltrix.imsp/1.0"));
}

void tst_HostPluginLoader::loadOther_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file") << "/nonexistent/libnothing.so"
                                  << "nothing";
    QTest::newRow("library without entry points")
        << QString(QT_CORE_PATH) << "entry points missing";
}

void tst_HostPluginLoader::loadOther()
{
    QFETCH(QString, path);
    QFETCH(QString, message);
    PluginLoader loader(path);
    QString error;
    QVERIFY(!loader.load(error));
    QVERIFY2(error.contains(message), qPrintable(error));
    QVERIFY(!loader.plugin());
}

QTEST_MAIN(tst_HostPluginLoader)
#include "tst_hostpluginloader.moc"
