#include "mediawatcher.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {
volatile sig_atomic_t lastSignal = 0;
volatile sig_atomic_t signalCount = 0;
void record(int sig)
{
    lastSignal = sig;
    ++signalCount;
}
} // namespace

class tst_MediaWatcher : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void badMedium_data();
    void badMedium();
    void appearAndDisappear_data();
    void appearAndDisappear();
    void presentMedia();
};

void tst_MediaWatcher::initTestCase()
{
    for (int sig : {SIGUSR1, SIGUSR2, SIGCONT, SIGALRM})
        std::signal(sig, record);
}

void tst_MediaWatcher::badMedium_data()
{
    QTest::addColumn<QString>("spec");
    QTest::newRow("no path") << "USB=";
    QTest::newRow("no name") << "=/tmp/usb";
    QTest::newRow("no equals sign") << "/tmp/usb";
    QTest::newRow("parent missing") << "USB=/nonexistent-parent/usb";
}

void tst_MediaWatcher::badMedium()
{
    QFETCH(QString, spec);
    MediaWatcher w;
    QString error;
    QVERIFY(!w.addMedium(spec, error));
    QVERIFY(!error.isEmpty());
    QVERIFY(w.media().isEmpty());
}

void tst_MediaWatcher::appearAndDisappear_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("inserted");
    QTest::addColumn<int>("removed");
    QTest::newRow("USB memory") << "USB" << int(SIGUSR1) << int(SIGUSR2);
    QTest::newRow("SD card") << "SD" << int(SIGCONT) << int(SIGALRM);
    QTest::newRow("other names are USB") << "Stick" << int(SIGUSR1) << int(SIGUSR2);
}

void tst_MediaWatcher::appearAndDisappear()
{
    QFETCH(QString, name);
    QFETCH(int, inserted);
    QFETCH(int, removed);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("medium"));
    MediaWatcher w;
    QString error;
    QVERIFY2(w.addMedium(name + QLatin1Char('=') + path, error), qPrintable(error));
    QVERIFY(!w.media().first().present);
    QSignalSpy changed(&w, &MediaWatcher::mediumChanged);
    signalCount = 0;

    QVERIFY(QDir().mkdir(path));
    QTRY_COMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(1).toBool(), true);
    QTRY_COMPARE(int(signalCount), 1);
    QCOMPARE(int(lastSignal), inserted);

    QVERIFY(QDir(path).removeRecursively());
    QTRY_COMPARE(changed.count(), 2);
    QCOMPARE(changed.at(1).at(1).toBool(), false);
    QTRY_COMPARE(int(signalCount), 2);
    QCOMPARE(int(lastSignal), removed);
}

void tst_MediaWatcher::presentMedia()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("usb"));
    QDir(dir.path()).mkdir(QStringLiteral("sd"));
    MediaWatcher w;
    w.setRaiseSignals(false);
    QString error;
    QVERIFY(w.addMedium(QStringLiteral("USB=") + dir.filePath(QStringLiteral("usb")), error));
    QVERIFY(w.addMedium(QStringLiteral("SD=") + dir.filePath(QStringLiteral("sd")), error));
    QVERIFY(w.addMedium(QStringLiteral("USB2=") + dir.filePath(QStringLiteral("absent")), error));
    QVERIFY(!w.addMedium(QStringLiteral("USB=") + dir.filePath(QStringLiteral("again")), error));
    QStringList names, paths;
    w.presentMedia(7, names, paths);
    QCOMPARE(names, (QStringList{QStringLiteral("USB"), QStringLiteral("SD")}));
    QCOMPARE(paths, (QStringList{dir.filePath(QStringLiteral("usb")), dir.filePath(QStringLiteral("sd"))}));
    w.presentMedia(2, names, paths);
    QCOMPARE(names, QStringList{QStringLiteral("SD")});
}

QTEST_MAIN(tst_MediaWatcher)
#include "tst_mediawatcher.moc"
