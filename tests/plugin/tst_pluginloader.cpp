#include "hostcontract.h"
#include "testmain.h"

#include <QApplication>
#include <QLibrary>
#include <QPointer>
#include <QStackedWidget>

// A host built apart from the plug-in: it knows only its own copy of the
// contract, loads the library by path and reaches Imsp by interface name.
class LoaderHost : public IServiciosComunes
{
public:
    QString HostVersion() override { return QStringLiteral("loader"); }
    void ShowStatus(const QString &) override { }
    bool SendMsg(Imsp *, CommMsg &) override { return true; }
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
        starts.append({p, mode});
        return true;
    }
    void LogEvent(const QString &) override { }
    void StoreDataConfig(const QString &, const QString &, QHash<QString, QVariant>) override { }

    QList<QByteArray> ends;
    QList<QPair<Imsp *, int>> starts;
};

class tst_PluginLoader : public QObject
{
    Q_OBJECT

private slots:
    void entryPoints();
    void runAndExit();

private:
    QLibrary library {QStringLiteral(PLUGIN_PATH)};
    Imsp *msp = nullptr;
};

void tst_PluginLoader::entryPoints()
{
    QVERIFY2(library.load(), qPrintable(library.errorString()));
    auto instance = reinterpret_cast<QObject *(*)()>(library.resolve("qt_plugin_instance"));
    auto verification
        = reinterpret_cast<const char *(*)()>(library.resolve("qt_plugin_query_verification_data"));
    QVERIFY(instance && verification);
    QCOMPARE(QByteArray(verification()),
             QByteArray("pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4.5.0\ndebug=false\n"
                        "buildkey=arm linux norvane full-config"));
    QObject *first = instance();
    QVERIFY(first);
    QCOMPARE(instance(), first);
    QCOMPARE(QByteArray(first->metaObject()->className()), QByteArray("MSP_Zeta_VX_DVBS2"));
    QCOMPARE(first->qt_metacast("Imsp"), first->qt_metacast("com.veltrix.imsp/1.0"));
    QVERIFY(!first->qt_metacast("com.veltrix.imsp/2.0"));

    // Deleted by the host: the next call builds a new object.
    delete first;
    QObject *second = instance();
    msp = qobject_cast<Imsp *>(second);
    QVERIFY(msp);
    QCOMPARE(msp->Id(), QStringLiteral("ZetaVX_DVBS2"));
    QCOMPARE(msp->Nombre(), QStringLiteral("Zeta-VX IF Processor DVBS/S2"));
    QCOMPARE(msp->Descripcion(), QStringLiteral("Zeta-VX IF Processor DVBS/S2"));
    QCOMPARE(msp->Version(), QStringLiteral("1.04"));
}

void tst_PluginLoader::runAndExit()
{
    LoaderHost host;
    msp->SetIServiciosComunes(&host);
    for (int run = 0; run < 2; ++run) {
        QWidget screen;
        screen.resize(320, 220);
        screen.show();
        msp->Run(&screen);
        QCOMPARE(host.starts.value(run), qMakePair(msp, 2));
        auto *window = screen.findChild<QWidget *>(QStringLiteral("FormMainWindowZetaVX_DVBS2"));
        QVERIFY(window && window->isVisible());
        // Every run starts afresh on the main menu.
        auto *stack = window->findChild<QStackedWidget *>(QStringLiteral("StackedForm"));
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("MainMenu"));
        // A message while the main menu shows is not taken.
        CommMsg level;
        level.msgData = QByteArray::fromHex("00040016030a");
        QVERIFY(!msp->DataRcvd(level));
        msp->SetDataConfig({{QStringLiteral("Entradas"), 1}});
        // Escape on the main menu ends the plug-in's window.
        QPointer<QWidget> guard(window);
        QTest::keyClick(stack->currentWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!guard);
    }
    QCOMPARE(host.ends, (QList<QByteArray> {"ZetaVX_DVBS2", "ZetaVX_DVBS2"}));
}

MSP_TEST_MAIN(tst_PluginLoader)
#include "tst_pluginloader.moc"
