#include "pluginloader.h"

#include "testmain.h"

class tst_HostPluginLoader : public QObject
{
    Q_OBJECT

private slots:
    void verify_data();
    void verify();
};

void tst_HostPluginLoader::verify_data()
{
    // Verification data, or a library to load (path=...); the error expected.
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("error");
    const QByteArray pattern = "pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4.5.0\n";
    QTest::newRow("our build key")
        << pattern + "buildkey=arm linux norvane full-config" << QString();
    QTest::newRow("other build key")
        << pattern + "debug=false\nbuildkey=x86"
        << "plug-in built for \"x86\", host is \"arm linux norvane full-config\"";
    QTest::newRow("no pattern") << QByteArray("buildkey=arm linux norvane full-config")
                                << "no plug-in verification data";
    QTest::newRow("missing") << QByteArray("path=/nonexistent/libnothing.so")
                             << "plug-in /nonexistent/libnothing.so not found";
    QTest::newRow("not a plug-in")
        << QByteArray("path=" QT_CORE_PATH)
        << QT_CORE_PATH " is not a module plug-in (entry points missing)";
    QTest::newRow("not a library")
        << QByteArray("path=" TEST_PROGRAM_PATH)
        << TEST_PROGRAM_PATH " is not a module plug-in (Cannot load library";
}

void tst_HostPluginLoader::verify()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, error);
    QString got;
    if (data.startsWith("path=")) {
        PluginLoader loader(QString::fromUtf8(data.mid(5)));
        QVERIFY(!loader.load(got) && !loader.plugin());
        got.truncate(error.size());
    } else {
        QCOMPARE(PluginLoader::verify(data, got), error.isEmpty());
    }
    QCOMPARE(got, error);
}

MSP_TEST_MAIN(tst_HostPluginLoader)
#include "tst_hostpluginloader.moc"
