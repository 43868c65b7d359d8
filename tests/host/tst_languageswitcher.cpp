#include "languageswitcher.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class tst_LanguageSwitcher : public QObject
{
    Q_OBJECT

private slots:
    void switchAndBack();
    void everyTextTranslated();
};

void tst_LanguageSwitcher::switchAndBack()
{
    LanguageSwitcher switcher(
        {QStringLiteral("/nonexistent"), QStringLiteral(MSP_TRANSLATIONS_DIR)});
    const char *context = "MSP_Zeta_VX_DVBS2";
    const char *name = "Zeta-VX IF Processor DVBS/S2";
    QString error;
    QVERIFY(!switcher.setLanguage(QStringLiteral("fr"), error));
    QVERIFY(error.contains(QLatin1String("msp_zetavx_dvbs2_fr")));
    QSignalSpy changed(&switcher, &LanguageSwitcher::languageChanged);
    QVERIFY2(switcher.setLanguage(QStringLiteral("es"), error), qPrintable(error));
    QCOMPARE(QCoreApplication::translate(context, name),
             QStringLiteral("Procesador FI Zeta-VX DVBS/S2"));
    QCOMPARE(QCoreApplication::translate("MainWindowZetaVX_DVBS2", "Comm error"),
             QStringLiteral("Error de comunicación"));
    QVERIFY(switcher.toggle(error));
    QCOMPARE(QCoreApplication::translate(context, name), QString::fromLatin1(name));
    // Choosing the language in force changes nothing.
    QVERIFY(switcher.setLanguage(QStringLiteral("en"), error));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(switcher.language(), QStringLiteral("en"));
}

void tst_LanguageSwitcher::everyTextTranslated()
{
    // lupdate merges the texts it finds in the plug-in's sources today into a
    // copy of the Spanish source: one missing or untranslated stays unfinished.
    QTemporaryDir dir;
    const QString ts = dir.filePath(QStringLiteral("es.ts"));
    QVERIFY(QFile::copy(QStringLiteral(MSP_TS_FILE), ts));
    QProcess lupdate;
    lupdate.start(
        QStringLiteral(LUPDATE_PATH),
        {QStringLiteral("-silent"), QStringLiteral(MSP_SOURCE_DIR), QStringLiteral("-ts"), ts});
    QVERIFY(lupdate.waitForFinished(60000));
    QCOMPARE(lupdate.exitCode(), 0);
    QFile file(ts);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.count("<message") > 100);
    QCOMPARE(text.count("type=\"unfinished\""), 0);
}

QTEST_MAIN(tst_LanguageSwitcher)
#include "tst_languageswitcher.moc"
