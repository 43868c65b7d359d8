#include "devicedetector.h"
#include "fselecficheros.h"
#include "modalanswerer.h"
#include "popupanswerer.h"
#include "testmain.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <csignal>
#include <sys/mount.h>
#include <unistd.h>

namespace {
const QByteArray ValidConfig = "[101]\nEntradas=1\nFAMILY_KEY=ZetaVX_DVBS2\n";
const QStringList FileMenu {"&Copy File", "&Cut File", "&File Clear"};

void makeFile(const QString &path, const QByteArray &bytes = ValidConfig, qint64 size = -1)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    if (size >= 0) // sparse: no disk space, no time
        QVERIFY(f.resize(size));
}

// Media are looked up in "proc/mounts" under the working directory.
void writeMounts(const QString &root, const QByteArray &lines)
{
    QDir(root).mkpath("proc");
    makeFile(root + "/proc/mounts", "/dev/root / ext4 rw 0 0\n" + lines);
}
} // namespace

// The file browser driven by keys on temporary folders standing for media.
class tst_FSelecFicheros : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void staysOnMedium();
    void save_data();
    void save();
    void mediaSignals();
    void waitForMedia();
    void paste();

private:
    void press(int key)
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : browser,
                        Qt::Key(key));
    }
    // The rows as shown, or their keys: the path of a medium, the name of an entry.
    QStringList shown(int role = Qt::DisplayRole) const
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->item(i)->data(role).toString();
        return texts;
    }
    QString title() const { return browser->findChild<QLabel *>("lbTitulo")->text(); }
    QString at() const { return QDir::cleanPath(browser->getPathFicheros()); }
    QListWidget *list() const { return browser->findChild<QListWidget *>("m_ListSelecFichWidget"); }
    QLineEdit *box() const { return browser->findChild<QLineEdit *>("leNewFile"); }
    // The entries of the file menu opened on a row, answered with keys; none
    // when no menu opens.
    QStringList menuOn(int row, const QList<int> &keys = {})
    {
        list()->setCurrentRow(row);
        PopupAnswerer menu(keys);
        press(Qt::Key_F5);
        return menu.entries;
    }
    bool start(int function, const QStringList &paths)
    {
        return browser->setFunctionAndOrigin(function,
                                             QStringList {"USB", "SD"}.mid(0, paths.size()), paths);
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

// Into a medium and back. What each function lists; links off the medium (to
// a folder, to a file, to nowhere) are neither listed nor entered, one within
// it is. However the host
// spells the medium's root, Escape climbs no higher than it, and from there to
// the row of the device it was entered from.
void tst_FSelecFicheros::staysOnMedium()
{
    QTemporaryDir outside;
    makeFile(outside.filePath("secret.cfi"));
    QVERIFY(QDir(sd->path()).mkdir("sub"));
    makeFile(sd->filePath("sub/m.cfi"));
    makeFile(sd->filePath("a.cfi"));
    makeFile(sd->filePath("bad.cfi"), QByteArray("\0\x01garbage=[", 11));
    makeFile(sd->filePath("huge.cfi"), ValidConfig, 100 * 1024 * 1024);
    makeFile(sd->filePath("notes.txt"), "x");
    QVERIFY(QFile::link(outside.path(), sd->filePath("away")));
    QVERIFY(QFile::link(outside.filePath("secret.cfi"), sd->filePath("stolen.cfi")));
    QVERIFY(QFile::link(sd->filePath("nowhere"), sd->filePath("dangling.cfi")));
    QVERIFY(QFile::link(sd->path(), sd->filePath("up")));
    QSignalSpy aceptar(browser, &FSelecFicheros::Aceptar);
    QSignalSpy left(browser, &FSelecFicheros::Salir);
    // Managing lists every file, saving any ".cfi", loading only valid ones.
    const QList<QPair<int, QStringList>> listings {
        {1, {"a.cfi", "bad.cfi", "huge.cfi", "notes.txt"}},
        {16, {"a.cfi", "bad.cfi", "huge.cfi"}},
        {32, {"a.cfi"}}};
    for (const auto &listing : listings) {
        QVERIFY(start(listing.first, {usb->path(), sd->path() + "/./"}));
        QCOMPARE(shown(), (QStringList {"USB", "SD"}));
        QCOMPARE(shown(Qt::ToolTipRole), (QStringList {usb->path(), sd->path() + "/./"}));
        press(Qt::Key_Down);
        press(Qt::Key_Return);
        QCOMPARE(shown(Qt::ToolTipRole), QStringList({"sub", "up"}) + listing.second);
        QCOMPARE(box()->isVisible(), listing.first == 16);
        // Only managing files has a file menu.
        QCOMPARE(menuOn(2), listing.first == 1 ? FileMenu : QStringList());
    }
    QCOMPARE(browser->LeerFicheros(sd->path()).size(), 5);
    // Down the link to the root and back up again: the path only grows.
    for (int i = 0; i < 3; ++i) {
        list()->setCurrentRow(1);
        press(Qt::Key_Return);
    }
    QCOMPARE(at(), sd->filePath("up/up/up"));
    for (int i = 0; i < 3; ++i)
        press(Qt::Key_Escape);
    list()->setCurrentRow(0);
    press(Qt::Key_Return);
    QCOMPARE(at(), sd->filePath("sub"));
    press(Qt::Key_Return);
    QCOMPARE(aceptar.count(), 1);
    QCOMPARE(browser->getFichSelec(), "m.cfi");
    press(Qt::Key_Escape);
    QCOMPARE(at(), sd->path());
    press(Qt::Key_Escape);
    QCOMPARE(title(), "Select device");
    QCOMPARE(list()->currentRow(), 1);
    QCOMPARE(menuOn(1), QStringList());
    QCOMPARE(left.count(), 0);
    press(Qt::Key_Escape);
    QCOMPARE(left.count(), 1);
}

void tst_FSelecFicheros::save_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("message");
    const QString garbage = "Not a configuration file:\n";
    QTest::newRow("extension added") << "new" << true << "new.cfi" << 0 << "";
    QTest::newRow("too short") << ".cfi" << true << ".cfi" << -1 << "";
    QTest::newRow("garbage") << "bad.cfi" << false << "" << 0 << garbage + "bad.cfi";
    QTest::newRow("read-only medium")
        << "a.cfi" << false << "" << 0 << "The medium is write protected";
    // A typed name obeys the listing's rule: nothing off the medium.
    const QString off = "This name leads off the medium:\n";
    QTest::newRow("dangling link") << "dangling" << true << "" << 0 << off + "dangling.cfi";
    QTest::newRow("up a folder") << "../up" << true << "" << 0 << off + "../up.cfi";
}

// A file chosen from the list or a name typed in the box. What cannot work
// is told while another file or medium can still be chosen.
void tst_FSelecFicheros::save()
{
    QFETCH(QString, name);
    QFETCH(bool, typed);
    QFETCH(QString, chosen);
    QFETCH(int, tipo);
    QFETCH(QString, message);
    QString root = usb->path();
    const bool readOnly = message.startsWith("The medium");
    if (readOnly) {
        // Root writes anywhere: only a read-only mount stops it.
        root = usb->filePath("ro");
        QDir().mkdir(root);
        if (mount("tmpfs", QFile::encodeName(root).constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("cannot mount a tmpfs here (needs CAP_SYS_ADMIN)");
    }
    makeFile(root + "/a.cfi");
    makeFile(root + "/bad.cfi", QByteArray("\0[1]\n", 5));
    QTemporaryDir outside;
    QFile::link(outside.filePath("made.cfi"), root + "/dangling.cfi");
    if (readOnly)
        mount("tmpfs", QFile::encodeName(root).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY,
              nullptr);
    QSignalSpy aceptar(browser, &FSelecFicheros::Aceptar);
    QVERIFY(start(16, {root}));
    ModalAnswerer alerts({Qt::Key_Return});
    press(Qt::Key_Down);
    QVERIFY(list()->hasFocus());
    if (typed) {
        // Up from the list's first row: the box, its text selected so typing replaces it.
        press(Qt::Key_Up);
        QCOMPARE(box()->selectedText(), "New File");
        QTest::keyClicks(QApplication::focusWidget(), name);
    } else {
        list()->setCurrentRow(shown().indexOf(name));
    }
    press(Qt::Key_Return);
    if (readOnly)
        umount(QFile::encodeName(root).constData());
    QCOMPARE(aceptar.count(), message.isEmpty() ? 1 : 0);
    QCOMPARE(alerts.seen.size(), message.isEmpty() ? 0 : 1);
    if (message.isEmpty()) {
        QCOMPARE(browser->getFichSelec(), chosen);
        QCOMPARE(browser->getTipoFichero(), tipo);
    } else {
        QCOMPARE(alerts.seen.at(0).title, "Data writing");
        QCOMPARE(alerts.seen.at(0).message, message);
        QCOMPARE(browser->getPathFicheros(), root);
    }
}

// The media detector turns signals into its own, in order and in the event
// loop. Its handlers stay installed: a detector made after one is gone hears them.
void tst_FSelecFicheros::mediaSignals()
{
    QStringList events;
    QObject listener;
    auto record = [&](DeviceDetector *d) {
        events.clear();
        connect(d, &DeviceDetector::USBDeviceConnected, &listener, [&] { events << "USB+"; });
        connect(d, &DeviceDetector::USBDeviceDisconnected, &listener, [&] { events << "USB-"; });
        connect(d, &DeviceDetector::SDDeviceConnected, &listener, [&] { events << "SD+"; });
        connect(d, &DeviceDetector::SDDeviceDisconnected, &listener, [&] { events << "SD-"; });
    };
    DeviceDetector *d = DeviceDetector::Instance();
    record(d);
    // USB in and SD in back to back, then both out; a number of no medium between.
    for (int sig : {SIGUSR1, SIGCONT, SIGUSR2, SIGALRM})
        QCOMPARE(raise(sig), 0);
    DeviceDetector::hupSignalHandler(SIGHUP);
    DeviceDetector::hupSignalHandler(SIGUSR2);
    QVERIFY(events.isEmpty());
    QTRY_COMPARE(events, (QStringList {"USB+", "SD+", "USB-", "SD-", "USB-"}));
    QPointer<DeviceDetector> old = d;
    DeviceDetector::Destroy();
    QVERIFY(old.isNull());
    record(DeviceDetector::Instance());
    raise(SIGCONT);
    QTRY_COMPARE(events, QStringList {"SD+"});
}

// With no medium there an alert waits, which Return does not close: Escape
// gives up, and a medium mounted and announced meanwhile starts the browse in
// it, the only one offered.
void tst_FSelecFicheros::waitForMedia()
{
    QTemporaryDir root;
    // A medium mounted elsewhere than its path is not there.
    writeMounts(root.path(), "/dev/sda1 " + QFile::encodeName(usb->path()) + "/ vfat rw 0 0\n");
    const QString previous = QDir::currentPath();
    QDir::setCurrent(root.path());
    const QStringList names {"USB", "SD"}, paths {usb->path(), sd->path()};
    QList<ModalAnswerer::Seen> seen;
    bool cancelled = false;
    {
        ModalAnswerer answers({Qt::Key_Return, Qt::Key_Escape});
        cancelled = !browser->waitConnDevices(32, names, paths);
        seen = answers.seen;
    }
    QTimer::singleShot(0, this, [&] {
        writeMounts(root.path(), "/dev/sdb1 " + QFile::encodeName(sd->path()) + " vfat rw 0 0\n");
        raise(SIGCONT);
    });
    const bool started = browser->waitConnDevices(32, names, paths);
    QDir::setCurrent(previous);
    QVERIFY(cancelled);
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen.at(1).title, "Media not available");
    QCOMPARE(seen.at(1).message, "USB: Not present\nSD: Not present");
    QVERIFY(started);
    QCOMPARE(browser->getPathFicheros(), sd->path());
}

// The file clipboard from the menu: a copy pasted onto itself is refused, a
// paste cancelled or refused keeps the clipboard, one confirmed copies the
// bytes and empties it; a cut moves the file.
void tst_FSelecFicheros::paste()
{
    QDir(usb->path()).mkdir("dest");
    makeFile(usb->filePath("dest/other.txt"), "x");
    makeFile(usb->filePath("f.cfi"));
    QVERIFY(start(1, {usb->path()}));
    // A folder has a menu only while the clipboard holds a file.
    QCOMPARE(menuOn(0), QStringList());
    QCOMPARE(menuOn(1, {Qt::Key_Return}), FileMenu);
    QCOMPARE(menuOn(0), QStringList {"&Paste File"});
    const QList<int> paste {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return};
    const QStringList withPaste = FileMenu + QStringList {"&Paste File"};
    ModalAnswerer alerts(
        {Qt::Key_Return, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Return, Qt::Key_Return});
    QCOMPARE(menuOn(1, paste), withPaste);
    list()->setCurrentRow(0);
    press(Qt::Key_Return);
    QCOMPARE(menuOn(0, paste), withPaste);
    QVERIFY(!QFile::exists(usb->filePath("dest/f.cfi")));
    QCOMPARE(menuOn(0, paste), withPaste);
    QCOMPARE(alerts.seen.at(0).title, "Confirm file paste");
    QCOMPARE(alerts.seen.at(0).message, "Please confirm paste of file\nf.cfi");
    QCOMPARE(alerts.seen.at(1).title, "File open error");
    QCOMPARE(alerts.seen.at(1).message, "Destination file already exists, delete first");
    QCOMPARE(shown(), (QStringList {"f.cfi", "other.txt"}));
    QFile copy(usb->filePath("dest/f.cfi"));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), ValidConfig);
    QVERIFY(QFile::exists(usb->filePath("f.cfi")));
    QCOMPARE(menuOn(0), FileMenu);

    QCOMPARE(menuOn(1, {Qt::Key_Down, Qt::Key_Return}), FileMenu);
    press(Qt::Key_Escape);
    QCOMPARE(menuOn(1, paste), withPaste);
    QVERIFY(QFile::exists(usb->filePath("other.txt")));
    QVERIFY(!QFile::exists(usb->filePath("dest/other.txt")));
    QCOMPARE(alerts.seen.size(), 5);
}

MSP_TEST_MAIN(tst_FSelecFicheros)
#include "tst_fselecficheros.moc"
