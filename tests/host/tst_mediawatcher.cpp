#include "mediawatcher.h"

#include <QTemporaryDir>
#include <QtTest>

class tst_MediaWatcher : public QObject
{
    Q_OBJECT

private slots:
    void badMedium_data();
    void badMedium();
    void presentMedia();
};

void tst_MediaWatcher::badMedium_data()
{
    QTest::addColumn<QString>("medium");
    QTest::newRow("no path") << "USB=";
    QTest::newRow("no name") << "=/tmp/usb";
    QTest::newRow("no equals sign") << "/tmp/usb";
    QTest::newRow("parent missing") << "USB=/nonexistent-parent/usb";
}

void tst_MediaWatcher::badMedium()
{
    QFETCH(QString, medium);
    MediaWatcher w;
    QString error;
    QVERIFY(!w.addMedium(medium, error));
    QVERIFY(!error.isEmpty());
    QVERIFY(w.media().isEmpty());
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
    QCOMPARE(names, (QStringList {QStringLiteral("USB"), QStringLiteral("SD")}));
    QCOMPARE(
        paths,
        (QStringList {dir.filePath(QStringLiteral("usb")), dir.filePath(QStringLiteral("sd"))}));
    w.presentMedia(2, names, paths);
    QCOMPARE(names, QStringList {QStringLiteral("SD")});
}

QTEST_MAIN(tst_MediaWatcher)
#include "tst_mediawatcher.moc"
