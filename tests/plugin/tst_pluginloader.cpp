#include "hostcontract.h"

#include <QApplication>
#include <QLibrary>
#include <QStackedWidget>
#include <QPointer>
#include <QtTest>

// A host built apart from the plug-in: it knows only its own copy of the
// contract, loads the library by path and reaches Imsp by interface name.
class LoaderHost : public IServiciosComunes
{
public:
    QString HostVersion() override { return QStringLiteral("loader"); }
    void ShowStatus(const QString &) override { }
    bool SendMsg(Imsp *, CommMsg &msg) override
    {
        sent.append(msg.msgData);
        return true;
    }
    bool IsLinkUp() override { return true; }
    QString LinkDescription() override { return QString(); }
    bool EndModule(const char *id) override
    {
        ends.append(QByteArray(id));
        return true;
    }
    void GetDevices(int, QStringList &, QStringList &) override { }
    bool StartModule(Imsp *p, int mode) override
    {
        startedBy = p;
        startMode = mode;
        return true;
    }
    void LogEvent(const QString &) override { }
    void StoreDataConfig(const QString &f, const QString &m, QHash<QString, QVariant> c) override
    {
        storedFamily = f + QLatin1Char('/') + m;
        stored = c;
    }

    QList<QByteArray> sent;
    QList<QByteArray> ends;
    Imsp *startedBy = nullptr;
    int startMode = 0;
    QString storedFamily;
    QHash<QString, QVariant> stored;
};

class tst_PluginLoader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void entryPoints();
    void identity();
    void nitOperations();
    void runAndExit();

private:
    using InstanceFn = QObject *(*)();
    using VerificationFn = const char *(*)();
    QLibrary library {QStringLiteral(PLUGIN_PATH)};
    InstanceFn instance = nullptr;
    VerificationFn verification = nullptr;
    Imsp *msp = nullptr;
};

void tst_PluginLoader::initTestCase()
{
    QVERIFY2(library.load(), qPrintable(library.errorString()));
    instance = reinterpret_cast<InstanceFn>(library.resolve("qt_plugin_instance"));
    verification
        = reinterpret_cast<VerificationFn>(library.resolve("qt_plugin_query_verification_data"));
    QVERIFY(instance);
    QVERIFY(verification);
}

void tst_PluginLoader::entryPoints()
{
    QCOMPARE(QByteArray(verification()),
             QByteArray("pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4.5.0\ndebug=false\n"
                        "buildkey=arm linux norvane full-config"));
    QObject *first = instance();
    QVERIFY(first);
    QCOMPARE(instance(), first);
    QCOMPARE(QByteArray(first->metaObject()->className()), QByteArray("MSP_Zeta_VX_DVBS2"));
    QVERIFY(first->qt_metacast("Imsp"));
    QCOMPARE(first->qt_metacast("Imsp"), first->qt_metacast("com.veltrix.imsp/1.0"));
    QCOMPARE(static_cast<void *>(first->qt_metacast("MSP_Zeta_VX_DVBS2")),
             static_cast<void *>(first));
    QVERIFY(!first->qt_metacast("com.veltrix.imsp/2.0"));

    // Deleted by the host: the next call builds a new object.
    QPointer<QObject> guard(first);
    delete first;
    QVERIFY(!guard);
    QObject *second = instance();
    QVERIFY(second);
    QCOMPARE(instance(), second);
    msp = qobject_cast<Imsp *>(second);
    QVERIFY(msp);
}

void tst_PluginLoader::identity()
{
    QCOMPARE(msp->Id(), QStringLiteral("ZetaVX_DVBS2"));
    QCOMPARE(msp->Nombre(), QStringLiteral("Zeta-VX IF Processor DVBS/S2"));
    QCOMPARE(msp->Descripcion(), QStringLiteral("Zeta-VX IF Processor DVBS/S2"));
    QCOMPARE(msp->Version(), QStringLiteral("1.04"));
}

void tst_PluginLoader::nitOperations()
{
    QStringList names {QStringLiteral("BBC"), QStringLiteral("ITV")};
    QList<int> ids {10, 20};
    QString text = QStringLiteral("unchanged");
    msp->SetDataNIT({{QStringLiteral("Entradas"), 1}}, names, ids, ids, text);
    msp->SetDataNIT_2xout({}, names, names, ids, ids, ids, ids, text);
    QCOMPARE(text, QStringLiteral("unchanged"));
    QVERIFY(!msp->hayDatosTablaNIT());
    QVERIFY(!msp->hayDatosListaServicios());
    QVERIFY(msp->GetServicesActivesList(names, ids));
    QVERIFY(msp->GetServicesActivesList_out2(names, ids));
    QCOMPARE(names, (QStringList {QStringLiteral("BBC"), QStringLiteral("ITV")}));
    QCOMPARE(ids, (QList<int> {10, 20}));
    QByteArray table = QByteArray::fromHex("40f0");
    QVERIFY(msp->sendNitTable(table, 1, 2));
    QVERIFY(msp->sendNitPass(3));
    QCOMPARE(table, QByteArray::fromHex("40f0"));

    // The descriptor is the host's object; the plug-in must leave it alone.
    alignas(16) unsigned char storage[512];
    memset(storage, 0x5A, sizeof storage);
    msp->GetDescriptorsNIT(*reinterpret_cast<TransportDesc *>(storage));
    msp->GetDescriptorsNIT_out2(*reinterpret_cast<TransportDesc *>(storage));
    for (unsigned char b : storage)
        QCOMPARE(b, (unsigned char)0x5A);
}

void tst_PluginLoader::runAndExit()
{
    LoaderHost host;
    msp->SetIServiciosComunes(&host);
    QWidget screen;
    screen.resize(320, 220);
    screen.show();

    msp->Run(&screen);
    QCOMPARE(host.startedBy, msp);
    QCOMPARE(host.startMode, 2);
    auto *window = screen.findChild<QWidget *>(QStringLiteral("FormMainWindowZetaVX_DVBS2"));
    QVERIFY(window);
    QVERIFY(window->isVisible());

    // A message while the main menu shows is not taken.
    CommMsg level;
    level.msgData = QByteArray::fromHex("00040016030a");
    QVERIFY(!msp->DataRcvd(level));
    msp->SetDataConfig({{QStringLiteral("Entradas"), 1}});

    // Escape on the main menu ends the plug-in's window.
    auto *menu = window->findChild<QWidget *>(QStringLiteral("MainMenu"));
    QVERIFY(menu);
    QPointer<QWidget> guard(window);
    QTest::keyClick(menu, Qt::Key_Escape);
    QCOMPARE(host.ends, QList<QByteArray> {QByteArray("ZetaVX_DVBS2")});
    QTRY_VERIFY(!guard);

    // A later Run builds everything afresh, back on the main menu.
    QWidget other;
    other.show();
    msp->Run(&other);
    auto *again = other.findChild<QWidget *>(QStringLiteral("FormMainWindowZetaVX_DVBS2"));
    QVERIFY(again);
    auto *stack = again->findChild<QStackedWidget *>(QStringLiteral("StackedForm"));
    QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("MainMenu"));
    delete again;
}

QTEST_MAIN(tst_PluginLoader)
#include "tst_pluginloader.moc"
