#include "configdata.h"
#include "fselecficheros.h"
#include "modalanswerer.h"
#include "popupanswerer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/mount.h>
#include <unistd.h>

namespace {
void makeFile(const QString &path, const QByteArray &bytes = "x")
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QByteArray ValidConfig = "[101]\nEntradas=1\nFAMILY_KEY=ZetaVX_DVBS2\n";
} // namespace

// The file browser driven by keys on temporary folders standing for media.
class tst_FSelecFicheros : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void oneOrigin();
    void twoOrigins();
    void listing_data();
    void listing();
    void newFileName_data();
    void newFileName();
    void boxAndList();
    void enterAndChoose();
    void longPathTitle();
    void hostileFolder();
    void staysOnMedium();
    void escapeStopsAtRoot();
    void saveRefusesWhatItCannotWrite_data();
    void saveRefusesWhatItCannotWrite();
    void waitForMedia();
    void waitForMediaCancelled();

    void menuEntries_data();
    void menuEntries();
    void paste_data();
    void paste();
    void pasteOntoExisting();
    void cancelPaste();

private:
    void press(int key)
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : browser,
                        Qt::Key(key));
    }
    // keyClicks only knows ASCII: send other characters as text of an unknown key.
    void type(const QString &text)
    {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown,
                                QString(c), Qt::NoModifier);
    }
    QStringList shown() const;
    QStringList keysShown() const;
    QString title() const { return browser->findChild<QLabel *>("lbTitulo")->text(); }
    QListWidget *list() const { return browser->findChild<QListWidget *>("m_ListSelecFichWidget"); }
    QLineEdit *box() const { return browser->findChild<QLineEdit *>("leNewFile"); }
    void startManaging(const QString &path)
    {
        QVERIFY(browser->setFunctionAndOrigin(1, {"USB"}, {path}));
    }

    QTemporaryDir *usb = nullptr;
    QTemporaryDir *sd = nullptr;
    FSelecFicheros *browser = nullptr;
};

void tst_FSelecFicheros::init()
{
    usb = new QTemporaryDir;
    sd = new QTemporaryDir;
    browser = new FSelecFicheros;
    browser->resize(320, 220);
    browser->show();
    QApplication::setActiveWindow(browser);
    QVERIFY(QTest::qWaitForWindowActive(browser));
}

void tst_FSelecFicheros::cleanup()
{
    delete browser;
    delete usb;
    delete sd;
}

QStringList tst_FSelecFicheros::shown() const
{
    QStringList texts;
    for (int i = 0; i < list()->count(); ++i)
        texts << list()->item(i)->text();
    return texts;
}

QStringList tst_FSelecFicheros::keysShown() const
{
    QStringList keys;
    for (int i = 0; i < list()->count(); ++i)
        keys << list()->item(i)->data(Qt::ToolTipRole).toString();
    return keys;
}

void tst_FSelecFicheros::oneOrigin()
{
    QSignalSpy salir(browser, &FSelecFicheros::Salir);
    QVERIFY(browser->setFunctionAndOrigin(32, {"USB"}, {usb->path()}));
    QCOMPARE(browser->getPathFicheros(), usb->path());
    QCOMPARE(title(), QStringLiteral("USB "));
    press(Qt::Key_Escape);
    QCOMPARE(salir.count(), 1);
}

void tst_FSelecFicheros::twoOrigins()
{
    QSignalSpy salir(browser, &FSelecFicheros::Salir);
    QVERIFY(QDir(sd->path()).mkdir("photos"));
    QVERIFY(browser->setFunctionAndOrigin(32, {"USB", "SD"}, {usb->path(), sd->path()}));
    QCOMPARE(browser->getPathFicheros(), QString());
    QCOMPARE(title(), QStringLiteral("Select device"));
    QCOMPARE(shown(), (QStringList {"USB", "SD"}));
    QCOMPARE(keysShown(), (QStringList {usb->path(), sd->path()}));
    QVERIFY(list()->hasFocus());
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    QCOMPARE(browser->getPathFicheros(), sd->path());
    QCOMPARE(title(), QStringLiteral("SD "));
    QCOMPARE(shown(), QStringList {"photos"});
    press(Qt::Key_Escape);
    QCOMPARE(browser->getPathFicheros(), QString());
    QCOMPARE(list()->currentRow(), 1);
    QCOMPARE(salir.count(), 0);
    press(Qt::Key_Escape);
    QCOMPARE(salir.count(), 1);
}

void tst_FSelecFicheros::listing_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("withBox");
    const QStringList dirs {"Sub dir", "zz"};
    QTest::newRow("manage: everything") << 1
                                        << dirs
            + QStringList {"a.cfi", "b.qm", "bad.cfi", "huge.cfi", "lib.so", "notes.txt", "r.ord"}
                                        << false;
    QTest::newRow("choose config: valid only") << 2 << dirs + QStringList {"a.cfi"} << false;
    QTest::newRow("qm") << 4 << dirs + QStringList {"b.qm"} << false;
    QTest::newRow("so") << 8 << dirs + QStringList {"lib.so"} << false;
    QTest::newRow("save config: any .cfi")
        << 16 << dirs + QStringList {"a.cfi", "bad.cfi", "huge.cfi"} << true;
    QTest::newRow("load config: valid only") << 32 << dirs + QStringList {"a.cfi"} << false;
    QTest::newRow("save ord") << 64 << dirs + QStringList {"r.ord"} << true;
    QTest::newRow("load ord") << 128 << dirs + QStringList {"r.ord"} << false;
    QTest::newRow("unknown code") << 3
                                  << dirs
            + QStringList {"a.cfi", "b.qm", "bad.cfi", "huge.cfi", "lib.so", "notes.txt", "r.ord"}
                                  << false;
}

void tst_FSelecFicheros::listing()
{
    QFETCH(int, function);
    QFETCH(QStringList, names);
    QFETCH(bool, withBox);
    QDir root(usb->path());
    root.mkdir("zz");
    root.mkdir("Sub dir");
    makeFile(usb->filePath("a.cfi"), ValidConfig);
    makeFile(usb->filePath("bad.cfi"), QByteArray("\0\x01garbage=[", 11));
    for (const char *name : {"b.qm", "lib.so", "notes.txt", "r.ord"})
        makeFile(usb->filePath(name));
    QFile huge(usb->filePath("huge.cfi"));
    QVERIFY(huge.open(QIODevice::WriteOnly));
    huge.write(ValidConfig);
    QVERIFY(huge.resize(100 * 1024 * 1024));
    huge.close();

    QElapsedTimer timer;
    timer.start();
    QVERIFY(browser->setFunctionAndOrigin(function, {"USB"}, {usb->path()}));
    QVERIFY2(timer.elapsed() < 1500, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(shown(), names);
    QCOMPARE(keysShown(), names);
    QCOMPARE(box()->isVisible(), withBox);
    QCOMPARE(list()->geometry(), withBox ? QRect(0, 40, 320, 180) : QRect(0, 20, 320, 200));
    QCOMPARE(list()->currentRow(), 0);
    QCOMPARE(browser->getFunction(), function);
}

void tst_FSelecFicheros::newFileName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("tipo");
    QTest::newRow("extension added") << "abc"
                                     << "abc.cfi" << 0;
    QTest::newRow("extension kept") << "abc.cfi"
                                    << "abc.cfi" << 0;
    QTest::newRow("other extension") << "abc.txt"
                                     << "abc.txt.cfi" << 0;
    QTest::newRow("too short") << ".cfi"
                               << ".cfi" << -1;
    QTest::newRow("hostile") << QString::fromUtf8("a \"b\" [c]=d;é")
                             << QString::fromUtf8("a \"b\" [c]=d;é.cfi") << 0;
}

void tst_FSelecFicheros::newFileName()
{
    QFETCH(QString, typed);
    QFETCH(QString, chosen);
    QFETCH(int, tipo);
    QSignalSpy aceptar(browser, &FSelecFicheros::Aceptar);
    QVERIFY(browser->setFunctionAndOrigin(16, {"USB"}, {usb->path()}));
    // An empty folder: only the box, its text selected so typing replaces it.
    QVERIFY(!list()->isVisible());
    QVERIFY(box()->hasFocus());
    QCOMPARE(box()->text(), QStringLiteral("New File"));
    QCOMPARE(box()->selectedText(), QStringLiteral("New File"));
    type(typed);
    press(Qt::Key_Return);
    QCOMPARE(aceptar.count(), 1);
    QCOMPARE(browser->getFichSelec(), chosen);
    QCOMPARE(browser->getTipoFichero(), tipo);
}

void tst_FSelecFicheros::boxAndList()
{
    makeFile(usb->filePath("a.cfi"), ValidConfig);
    makeFile(usb->filePath("b.cfi"), ValidConfig);
    QVERIFY(browser->setFunctionAndOrigin(16, {"USB"}, {usb->path()}));
    QVERIFY(box()->hasFocus());
    press(Qt::Key_Down);
    QVERIFY(list()->hasFocus());
    QCOMPARE(list()->currentRow(), 0);
    press(Qt::Key_Down);
    QCOMPARE(list()->currentRow(), 1);
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    QVERIFY(box()->hasFocus());
    QCOMPARE(box()->selectedText(), box()->text());
    QSignalSpy aceptar(browser, &FSelecFicheros::Aceptar);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    QCOMPARE(aceptar.count(), 1);
    QCOMPARE(browser->getFichSelec(), QStringLiteral("b.cfi"));
}

void tst_FSelecFicheros::enterAndChoose()
{
    QDir(usb->path()).mkpath("a/b");
    QDir(usb->path()).mkpath("c");
    makeFile(usb->filePath("a/b/m.cfi"), ValidConfig);
    QSignalSpy aceptar(browser, &FSelecFicheros::Aceptar);
    QVERIFY(browser->setFunctionAndOrigin(32, {"USB"}, {usb->path()}));
    QCOMPARE(shown(), (QStringList {"a", "c"}));
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    QCOMPARE(browser->getPathFicheros(), usb->path() + "/a/b");
    QCOMPARE(title(), QStringLiteral("USB /a/b"));
    press(Qt::Key_Return);
    QCOMPARE(aceptar.count(), 1);
    QCOMPARE(browser->getFichSelec(), QStringLiteral("m.cfi"));
    QCOMPARE(browser->getTipoFichero(), 0);
    press(Qt::Key_Escape);
    press(Qt::Key_Escape);
    QCOMPARE(browser->getPathFicheros(), usb->path());
    QCOMPARE(list()->currentRow(), 0);
}

void tst_FSelecFicheros::longPathTitle()
{
    const QString deep
        = QStringLiteral("a-rather-long-folder-name/and-another-long-one/and-the-last-one");
    QVERIFY(QDir(usb->path()).mkpath(deep));
    QVERIFY(browser->setFunctionAndOrigin(1, {"Memoria USB"}, {usb->path()}));
    for (int i = 0; i < 3; ++i)
        press(Qt::Key_Return);
    QCOMPARE(browser->getPathFicheros(), usb->path() + "/" + deep);
    const QString text = title();
    QVERIFY2(text.startsWith(QStringLiteral("Memoria USB ")), qPrintable(text));
    QVERIFY2(text.endsWith(QStringLiteral("and-the-last-one")), qPrintable(text));
    QVERIFY(text.contains(QChar(0x2026)));
    const QLabel *label = browser->findChild<QLabel *>("lbTitulo");
    QVERIFY(label->fontMetrics().horizontalAdvance(text) <= label->width() - 10);
}

// Links that loop, a link to the parent, odd names, an unreadable folder.
void tst_FSelecFicheros::hostileFolder()
{
    QDir root(usb->path());
    QVERIFY(QFile::link(usb->filePath("loop2"), usb->filePath("loop1")));
    QVERIFY(QFile::link(usb->filePath("loop1"), usb->filePath("loop2")));
    QVERIFY(QFile::link(usb->path(), usb->filePath("up")));
    QVERIFY(root.mkdir("locked"));
    makeFile(usb->filePath("locked/in.cfi"), ValidConfig);
    QFile::setPermissions(usb->filePath("locked"), QFileDevice::Permissions());
    const QString odd = QString::fromUtf8("it's \"[x]\" =; ñ.cfi");
    makeFile(usb->filePath(odd), ValidConfig);

    QVERIFY(browser->setFunctionAndOrigin(32, {"USB"}, {usb->path()}));
    QCOMPARE(shown(), (QStringList {"locked", "up", odd}));
    // Down the link to the parent and back up again: the path only grows.
    press(Qt::Key_Down);
    for (int i = 0; i < 5; ++i) {
        list()->setCurrentRow(1);
        press(Qt::Key_Return);
    }
    QVERIFY(browser->getPathFicheros().endsWith("/up/up/up/up/up"));
    for (int i = 0; i < 5; ++i)
        press(Qt::Key_Escape);
    QCOMPARE(browser->getPathFicheros(), usb->path());
    list()->setCurrentRow(0);
    press(Qt::Key_Return);
    // Unreadable for a user that permissions apply to: then it lists as empty.
    QCOMPARE(shown().isEmpty(), geteuid() != 0);
    QFile::setPermissions(usb->filePath("locked"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// Links off the medium: to the parent of the medium, to "/", to the other
// medium, dangling. None is listed or entered; links within the medium are.
void tst_FSelecFicheros::staysOnMedium()
{
    QTemporaryDir outside;
    makeFile(outside.filePath("secret.cfi"), ValidConfig);
    QVERIFY(QDir(usb->path()).mkdir("sub"));
    makeFile(usb->filePath("sub/inner.cfi"), ValidConfig);
    QVERIFY(QFile::link(outside.path(), usb->filePath("away")));
    QVERIFY(QFile::link(outside.filePath("secret.cfi"), usb->filePath("stolen.cfi")));
    QVERIFY(QFile::link("/", usb->filePath("rootfs")));
    QVERIFY(QFile::link(sd->path(), usb->filePath("other")));
    QVERIFY(QFile::link(usb->filePath("nowhere"), usb->filePath("dangling.cfi")));
    QVERIFY(QFile::link(usb->filePath("sub"), usb->filePath("shortcut")));
    QVERIFY(QFile::link(usb->filePath("sub/inner.cfi"), usb->filePath("inner-link.cfi")));

    for (int function : {1, 16, 32}) {
        QVERIFY(browser->setFunctionAndOrigin(function, {"USB", "SD"}, {usb->path(), sd->path()}));
        list()->setCurrentRow(0);
        press(Qt::Key_Return);
        QCOMPARE(browser->getPathFicheros(), usb->path());
        QCOMPARE(keysShown(), (QStringList {"shortcut", "sub", "inner-link.cfi"}));
    }
    QCOMPARE(browser->LeerFicheros(usb->path()).size(), 3);

    // The link inside the medium leads in, and Escape comes back to the root.
    list()->setCurrentRow(0);
    press(Qt::Key_Return);
    QCOMPARE(browser->getPathFicheros(), usb->filePath("shortcut"));
    QCOMPARE(keysShown(), QStringList {"inner.cfi"});
    press(Qt::Key_Escape);
    QCOMPARE(browser->getPathFicheros(), usb->path());
}

// However the host spells the medium's root, Escape climbs no higher than it.
void tst_FSelecFicheros::escapeStopsAtRoot()
{
    QVERIFY(QDir(usb->path()).mkpath("a/b"));
    const QString spelt = usb->path() + "/./";
    QVERIFY(browser->setFunctionAndOrigin(1, {"USB", "SD"}, {spelt, sd->path()}));
    list()->setCurrentRow(0);
    press(Qt::Key_Return);
    for (int i = 0; i < 2; ++i) {
        list()->setCurrentRow(0);
        press(Qt::Key_Return);
    }
    QVERIFY2(browser->getPathFicheros().endsWith("/a/b"), qPrintable(browser->getPathFicheros()));
    QSignalSpy left(browser, &FSelecFicheros::Salir);
    press(Qt::Key_Escape);
    QCOMPARE(QDir::cleanPath(browser->getPathFicheros()), usb->filePath("a"));
    press(Qt::Key_Escape);
    QCOMPARE(QDir::cleanPath(browser->getPathFicheros()), usb->path());
    press(Qt::Key_Escape);
    QCOMPARE(browser->getPathFicheros(), QString());
    QCOMPARE(title(), QStringLiteral("Select device"));
    QCOMPARE(left.count(), 0);
    press(Qt::Key_Escape);
    QCOMPARE(left.count(), 1);
}

void tst_FSelecFicheros::saveRefusesWhatItCannotWrite_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("valid file") << "a.cfi" << false << "";
    QTest::newRow("new name") << "new" << true << "";
    QTest::newRow("garbage") << "bad.cfi" << false << "Not a configuration file:\nbad.cfi";
    QTest::newRow("garbage typed") << "bad" << true << "Not a configuration file:\nbad.cfi";
    QTest::newRow("100 MB") << "huge.cfi" << false << "Not a configuration file:\nhuge.cfi";
    QTest::newRow("read-only medium") << "a.cfi" << false << "The medium is write protected";
}

// Saving answers "saved" whatever the medium does; what cannot work is told
// while another file or medium can still be chosen.
void tst_FSelecFicheros::saveRefusesWhatItCannotWrite()
{
    QFETCH(QString, name);
    QFETCH(bool, typed);
    QFETCH(QString, message);
    QString root = usb->path();
    const bool readOnly = QByteArray(QTest::currentDataTag()) == "read-only medium";
    if (readOnly) {
        // Root writes anywhere: only a read-only mount stops it.
        root = usb->filePath("ro");
        QDir().mkdir(root);
        if (mount("tmpfs", QFile::encodeName(root).constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("cannot mount a tmpfs here (needs CAP_SYS_ADMIN)");
    }
    makeFile(root + "/a.cfi", ValidConfig);
    makeFile(root + "/bad.cfi", QByteArray("\0[1]\n", 5));
    QFile huge(root + "/huge.cfi");
    if (!readOnly) {
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(100 * 1024 * 1024));
        huge.close();
    }
    if (readOnly)
        mount("tmpfs", QFile::encodeName(root).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY,
              nullptr);
    QSignalSpy aceptar(browser, &FSelecFicheros::Aceptar);
    QVERIFY(browser->setFunctionAndOrigin(16, {"USB"}, {root}));
    ModalAnswerer alerts({Qt::Key_Return});
    if (typed) {
        type(name);
    } else {
        press(Qt::Key_Down);
        list()->setCurrentRow(shown().indexOf(name));
    }
    press(Qt::Key_Return);
    if (readOnly)
        umount(QFile::encodeName(root).constData());
    QCOMPARE(aceptar.count(), message.isEmpty() ? 1 : 0);
    QCOMPARE(alerts.seen.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(alerts.seen.at(0).title, QStringLiteral("Data writing"));
        QCOMPARE(alerts.seen.at(0).message, message);
        QCOMPARE(browser->getPathFicheros(), root);
    }
}

// Media are looked up in "proc/mounts" under the working directory.
static void writeMounts(const QString &root, const QByteArray &lines)
{
    QDir(root).mkpath("proc");
    QFile mounts(root + "/proc/mounts");
    QVERIFY(mounts.open(QIODevice::WriteOnly));
    mounts.write("/dev/root / ext4 rw 0 0\n" + lines);
}

void tst_FSelecFicheros::waitForMedia()
{
    QTemporaryDir root;
    writeMounts(root.path(), QByteArray());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(root.path());
    QString title;
    QString message;
    // The medium is mounted, then announced, while the alert waits.
    QTimer::singleShot(100, this, [&] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            title = w->findChild<QLabel *>("lbTitulo")->text();
            message = w->findChild<QLabel *>("m_LabelMessage")->text();
        }
        writeMounts(root.path(), "/dev/sdb1 " + QFile::encodeName(sd->path()) + " vfat rw 0 0\n");
        raise(SIGCONT);
    });
    const bool started = browser->waitConnDevices(32, {"USB", "SD"}, {usb->path(), sd->path()});
    QDir::setCurrent(previous);
    QVERIFY(started);
    QCOMPARE(title, QStringLiteral("Media not available"));
    QCOMPARE(message, QStringLiteral("USB: Not present\nSD: Not present"));
    // Only the mounted medium is offered, so the browse starts inside it.
    QCOMPARE(browser->getPathFicheros(), sd->path());
    QCOMPARE(browser->getFunction(), 32);
}

void tst_FSelecFicheros::waitForMediaCancelled()
{
    QTemporaryDir root;
    writeMounts(root.path(), "/dev/sda1 " + QFile::encodeName(usb->path()) + "/ vfat rw 0 0\n");
    const QString previous = QDir::currentPath();
    QDir::setCurrent(root.path());
    ModalAnswerer answers({Qt::Key_Return, Qt::Key_Escape});
    const bool started = browser->waitConnDevices(16, {"USB"}, {usb->path()});
    QDir::setCurrent(previous);
    QVERIFY(!started);
    // Return does not close it: only Escape or a medium does.
    QCOMPARE(answers.seen.size(), 2);
    QCOMPARE(answers.seen.at(0).title, QStringLiteral("Media not available"));
    QCOMPARE(answers.unexpected, 0);
}

void tst_FSelecFicheros::menuEntries_data()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("clipboard");
    QTest::addColumn<QStringList>("entries");
    const QStringList file {"&Copy File", "&Cut File", "&File Clear"};
    QTest::newRow("file") << 1 << 1 << false << file;
    QTest::newRow("file, clipboard set") << 1 << 1 << true << file + QStringList {"&Paste File"};
    QTest::newRow("folder") << 1 << 0 << false << QStringList();
    QTest::newRow("folder, clipboard set") << 1 << 0 << true << QStringList {"&Paste File"};
    QTest::newRow("load function") << 32 << 1 << false << QStringList();
    QTest::newRow("device table") << 1 << -1 << false << QStringList();
}

void tst_FSelecFicheros::menuEntries()
{
    QFETCH(int, function);
    QFETCH(int, row);
    QFETCH(bool, clipboard);
    QFETCH(QStringList, entries);
    QDir(usb->path()).mkdir("d");
    makeFile(usb->filePath("f.cfi"), ValidConfig);
    if (row < 0)
        QVERIFY(browser->setFunctionAndOrigin(function, {"USB", "SD"}, {usb->path(), sd->path()}));
    else
        QVERIFY(browser->setFunctionAndOrigin(function, {"USB"}, {usb->path()}));
    if (clipboard) {
        list()->setCurrentRow(1);
        QVERIFY(QMetaObject::invokeMethod(browser, "copyFileToClipboard"));
    }
    list()->setCurrentRow(qMax(row, 0));
    PopupAnswerer menu;
    press(Qt::Key_F5);
    QCOMPARE(menu.menus, entries.isEmpty() ? 0 : 1);
    QCOMPARE(menu.entries, entries);
}

void tst_FSelecFicheros::paste_data()
{
    QTest::addColumn<bool>("cut");
    QTest::newRow("copy") << false;
    QTest::newRow("cut") << true;
}

// Copy or cut a file, enter another folder, F5, Paste, confirm.
void tst_FSelecFicheros::paste()
{
    QFETCH(bool, cut);
    QDir(usb->path()).mkdir("dest");
    makeFile(usb->filePath("dest/other.txt"));
    makeFile(usb->filePath("f.cfi"), ValidConfig);
    startManaging(usb->path());
    list()->setCurrentRow(1);
    {
        PopupAnswerer menu(cut ? QList<int> {Qt::Key_Down, Qt::Key_Return}
                               : QList<int> {Qt::Key_Return});
        press(Qt::Key_F5);
    }
    list()->setCurrentRow(0);
    press(Qt::Key_Return);
    QCOMPARE(browser->getPathFicheros(), usb->path() + "/dest");
    ModalAnswerer alerts({Qt::Key_Return});
    {
        PopupAnswerer menu({Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
        press(Qt::Key_F5);
        QCOMPARE(menu.entries.last(), QStringLiteral("&Paste File"));
    }
    QCOMPARE(alerts.seen.size(), 1);
    QCOMPARE(alerts.seen.at(0).title, QStringLiteral("Confirm file paste"));
    QCOMPARE(alerts.seen.at(0).message, QStringLiteral("Please confirm paste of file\nf.cfi"));
    QCOMPARE(alerts.unexpected, 0);
    QFile copy(usb->filePath("dest/f.cfi"));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), ValidConfig);
    QCOMPARE(QFile::exists(usb->filePath("f.cfi")), !cut);
    QCOMPARE(shown(), (QStringList {"f.cfi", "other.txt"}));
    // The clipboard is empty again.
    PopupAnswerer menu;
    press(Qt::Key_F5);
    QVERIFY(!menu.entries.contains("&Paste File"));
}

void tst_FSelecFicheros::pasteOntoExisting()
{
    makeFile(usb->filePath("f.cfi"), ValidConfig);
    startManaging(usb->path());
    QVERIFY(QMetaObject::invokeMethod(browser, "cutFileToClipboard"));
    ModalAnswerer alerts({Qt::Key_Return, Qt::Key_Return});
    QVERIFY(QMetaObject::invokeMethod(browser, "pasteFromClipboard"));
    QCOMPARE(alerts.seen.size(), 2);
    QCOMPARE(alerts.seen.at(1).title, QStringLiteral("File open error"));
    QCOMPARE(alerts.seen.at(1).message,
             QStringLiteral("Destination file already exists, delete first"));
    QVERIFY(QFile::exists(usb->filePath("f.cfi")));
    // The clipboard stays for another try elsewhere.
    PopupAnswerer menu;
    press(Qt::Key_F5);
    QCOMPARE(menu.entries.last(), QStringLiteral("&Paste File"));
}

void tst_FSelecFicheros::cancelPaste()
{
    QDir(usb->path()).mkdir("dest");
    makeFile(usb->filePath("dest/keep.txt"));
    makeFile(usb->filePath("f.cfi"), ValidConfig);
    startManaging(usb->path());
    list()->setCurrentRow(1);
    QVERIFY(QMetaObject::invokeMethod(browser, "copyFileToClipboard"));
    list()->setCurrentRow(0);
    press(Qt::Key_Return);
    ModalAnswerer alerts({Qt::Key_Escape});
    QVERIFY(QMetaObject::invokeMethod(browser, "pasteFromClipboard"));
    QCOMPARE(alerts.seen.size(), 1);
    QVERIFY(!QFile::exists(usb->filePath("dest/f.cfi")));
    PopupAnswerer menu;
    press(Qt::Key_F5);
    QCOMPARE(menu.entries.last(), QStringLiteral("&Paste File"));
}

QTEST_MAIN(tst_FSelecFicheros)
#include "tst_fselecficheros.moc"
