#include "pluginloader.h"
#include "testmain.h"

class tst_HostPluginLoader : public QObject
{
    Q_OBJECT

private slots:
    void verify_data();
    void verify();
    void loadOther();
};

void tst_HostPluginLoader::verify_data()
{
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
}

void tst_HostPluginLoader::verify()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, error);
    QString got;
    QCOMPARE(PluginLoader::verify(data, got), error.isEmpty());
    QCOMPARE(got, error);
}

void tst_HostPluginLoader::loadOther()
{
    QString error;
    PluginLoader missing(QStringLiteral("/nonexistent/libnothing.so"));
    QVERIFY(!missing.load(error) && !missing.plugin() && !error.isEmpty());
    PluginLoader other(QStringLiteral(QT_CORE_PATH));
    QVERIFY(!other.load(error) && !other.plugin());
    QVERIFY2(error.endsWith(QLatin1String(" is not a module plug-in (entry points missing)")),
             qPrintable(error));
}

MSP_TEST_MAIN(tst_HostPluginLoader)
#include "tst_hostpluginloader.moc"
