#include "cabledelsysdes.h"
#include "hdlogicalchanneldes.h"
#include "hostcontract.h"
#include "t2delsysdes.h"

#include <QApplication>
#include <QLibrary>
#include <QLineEdit>
#include <QPointer>
#include <QStackedWidget>
#include "testmain.h"

#include <link.h>

// A host built apart from the plug-in, as the device's: it knows only its own
// copy of the contract, defines and exports the descriptor classes itself,
// loads the library by path with immediate binding, gives no focus help and
// sends keys only to the focus widget.

// The host's own descriptor classes: only what a plug-in may call (the
// symbols test checks that the library defines none of them itself).
#define HOST_DESCRIPTOR(Class, size) \
    Class::Class() = default; \
    Class::~Class() = default; \
    Class::Class(const Class &) = default; \
    Class &Class::operator=(const Class &) = default; \
    void Class::setPathHist(QString path) { m_pathHist = path; } \
    unsigned char Class::getDescriptorSize() { return size; }
HOST_DESCRIPTOR(CableDelSysDes, 13)
HOST_DESCRIPTOR(T2DelSysDes, 21)
HOST_DESCRIPTOR(HDLogicalChannelDes, 6)

class LoaderHost : public IServiciosComunes
{
public:
    QString HostVersion() override { return QStringLiteral("loader"); }
    void ShowStatus(const QString &) override { }
    bool SendMsg(Imsp *, CommMsg &msg) override { return sent.append(msg.msgData.toHex()), true; }
    bool IsLinkUp() override { return true; }
    QString LinkDescription() override { return QString(); }
    bool EndModule(const char *id) override { return ends.append(QByteArray(id)), true; }
    void GetDevices(int, QStringList &, QStringList &) override { }
    bool StartModule(Imsp *p, int mode) override { return starts.append({p, mode}), true; }
    void LogEvent(const QString &) override { }
    void StoreDataConfig(const QString &, const QString &, QHash<QString, QVariant>) override { }

    QList<QByteArray> sent;
    QList<QByteArray> ends;
    QList<QPair<Imsp *, int>> starts;
};

class tst_PluginLoader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void entryPoints();
    void keypad_data();
    void keypad();

private:
    void key(int code, const QString &text);
    void digits(const QString &typed)
    {
        for (QChar digit : typed)
            key(Qt::Key_0 + digit.digitValue(), digit);
    }
    QString focusForm() const;

    QLibrary library {QStringLiteral(PLUGIN_PATH)};
    LoaderHost host;
    Imsp *msp = nullptr;
    QWidget screen;
    Qt::KeyboardModifiers modifiers;
    bool withText = true;
};

void tst_PluginLoader::initTestCase()
{
    library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    QVERIFY2(library.load(), qPrintable(library.errorString()));
    // Nothing of ours came in with it but the plug-in itself.
    QStringList ours;
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *list) {
            const QString name = QFile::decodeName(info->dlpi_name);
            if (name.contains(QLatin1String("libmsp")))
                static_cast<QStringList *>(list)->append(QFileInfo(name).fileName());
            return 0;
        },
        &ours);
    QCOMPARE(ours, QStringList {QFileInfo(library.fileName()).fileName()});
    screen.resize(320, 220);
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
}

void tst_PluginLoader::entryPoints()
{
    auto instance = reinterpret_cast<QObject *(*)()>(library.resolve("qt_plugin_instance"));
    auto verification
        = reinterpret_cast<const char *(*)()>(library.resolve("qt_plugin_query_verification_data"));
    QVERIFY(instance && verification);
    QCOMPARE(QByteArray(verification()),
             QByteArray("pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4.5.0\ndebug=false\n"
                        "buildkey=arm linux norvane full-config"));
    QObject *first = instance();
    QCOMPARE(instance(), first);
    // Deleted by the host: the next call builds a new object.
    delete first;
    msp = qobject_cast<Imsp *>(instance());
    QVERIFY(msp);
    QCOMPARE(msp->Id(), QStringLiteral("ZetaVX_DVBS2"));
    QCOMPARE(msp->Nombre(), QStringLiteral("Zeta-VX IF Processor DVBS/S2"));
    QCOMPARE(msp->Version(), QStringLiteral("1.04"));
    msp->SetIServiciosComunes(&host);
}

// As a keypad driver does: to the focus widget only, or to an open dialog.
void tst_PluginLoader::key(int code, const QString &text)
{
    QWidget *target = QApplication::activeModalWidget();
    if (!target)
        target = QApplication::focusWidget();
    QVERIFY2(target, "a key with no focus widget to go to");
    const QString sent = withText ? text : QString();
    QKeyEvent press(QEvent::KeyPress, code, modifiers, sent);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, code, modifiers, sent);
    QApplication::sendEvent(target, &release);
}

QString tst_PluginLoader::focusForm() const
{
    for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (qobject_cast<QStackedWidget *>(w->parentWidget()))
            return w->objectName();
    return QString();
}

void tst_PluginLoader::keypad_data()
{
    QTest::addColumn<bool>("text");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("with text") << true << int(Qt::NoModifier);
    QTest::newRow("without text") << false << int(Qt::NoModifier);
    QTest::newRow("keypad modifier") << true << int(Qt::KeypadModifier);
}

// A run in a host window that is already active: every form is reached by
// keys alone, and a language change before and after the configuration form
// is first built leaves the same configuration in F8's frames.
void tst_PluginLoader::keypad()
{
    QFETCH(bool, text);
    QFETCH(int, modifiers);
    withText = text;
    this->modifiers = Qt::KeyboardModifiers(modifiers);
    // A row that failed half-way leaves no window behind for the next.
    qDeleteAll(screen.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly));
    host.ends.clear();
    host.starts.clear();
    msp->Run(&screen);
    QCOMPARE(host.starts, (QList<QPair<Imsp *, int>> {{msp, 2}}));
    QCOMPARE(focusForm(), QStringLiteral("MainMenu"));
    QList<QList<QByteArray>> frames;
    for (int open = 0; open < 2; ++open) {
        for (QWidget *w : QApplication::allWidgets()) {
            QEvent change(QEvent::LanguageChange);
            QApplication::sendEvent(w, &change);
        }
        key(Qt::Key_Return, QStringLiteral("\r"));
        QCOMPARE(focusForm(), QStringLiteral("CfgProd"));
        host.sent.clear();
        key(Qt::Key_F8, QString());
        frames << host.sent;
        key(Qt::Key_Escape, QStringLiteral("\x1b"));
        QCOMPARE(focusForm(), QStringLiteral("MainMenu"));
    }
    QCOMPARE(frames[1], frames[0]);
    // One bulk write, with both processors on.
    QCOMPARE(frames[0].count("0004001900"), 1);
    QVERIFY(frames[0].contains("0004001001") && frames[0].contains("0004001101"));

    digits(QStringLiteral("2580"));
    QCOMPARE(focusForm(), QStringLiteral("FuncEspeciales"));
    digits(QStringLiteral("0000040817"));
    auto *code = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(code);
    QCOMPARE(code->text(), QStringLiteral("00000"));
    key(Qt::Key_Escape, QStringLiteral("\x1b"));
    // Back through the whole sequence, to the code as it was left.
    digits(QStringLiteral("2580"));
    QCOMPARE(QApplication::focusWidget(), code);
    key(Qt::Key_Escape, QStringLiteral("\x1b"));
    QPointer<QWidget> window = screen.findChild<QWidget *>("FormMainWindowZetaVX_DVBS2");
    key(Qt::Key_Escape, QStringLiteral("\x1b"));
    QTRY_VERIFY(!window);
    QCOMPARE(host.ends, QList<QByteArray> {"ZetaVX_DVBS2"});
}

MSP_TEST_MAIN(tst_PluginLoader)
#include "tst_pluginloader.moc"
