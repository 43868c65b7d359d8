#include "languageswitcher.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QWidget>
#include <QtTest>

class LanguageProbe : public QWidget
{
public:
    int changes = 0;

protected:
    void changeEvent(QEvent *e) override
    {
        if (e->type() == QEvent::LanguageChange)
            ++changes;
        QWidget::changeEvent(e);
    }
};

class tst_LanguageSwitcher : public QObject
{
    Q_OBJECT

private slots:
    void switchAndBack();
    void missingCatalogue();
    void everyTextTranslated();
};

void tst_LanguageSwitcher::switchAndBack()
{
    LanguageSwitcher switcher({QStringLiteral("/nonexistent"), QStringLiteral(MSP_TRANSLATIONS_DIR)});
    LanguageProbe probe;
    const char *context = "MSP_Zeta_VX_DVBS2";
    const char *name = "Zeta-VX IF Processor DVBS/S2";
    QString error;
    QVERIFY2(switcher.setLanguage(QStringLiteral("es"), error), qPrintable(error));
    QCOMPARE(QCoreApplication::translate(context, name), QStringLiteral("Procesador FI Zeta-VX DVBS/S2"));
    QCOMPARE(QCoreApplication::translate("MainWindowZetaVX_DVBS2", "Comm error"), QStringLiteral("Error de comunicación"));
    QTRY_COMPARE(probe.changes, 1);
    QVERIFY(switcher.toggle(error));
    QCOMPARE(switcher.language(), QStringLiteral("en"));
    QCOMPARE(QCoreApplication::translate(context, name), QString::fromLatin1(name));
    QTRY_COMPARE(probe.changes, 2);
    // Choosing the language in force changes nothing.
    QVERIFY(switcher.setLanguage(QStringLiteral("en"), error));
    QTest::qWait(20);
    QCOMPARE(probe.changes, 2);
}

void tst_LanguageSwitcher::missingCatalogue()
{
    LanguageSwitcher switcher({QStringLiteral(MSP_TRANSLATIONS_DIR)});
    QString error;
    QVERIFY(!switcher.setLanguage(QStringLiteral("fr"), error));
    QVERIFY(error.contains(QLatin1String("msp_zetavx_dvbs2_fr")));
    QCOMPARE(switcher.language(), QStringLiteral("en"));
}

void tst_LanguageSwitcher::everyTextTranslated()
{
    // The Spanish source holds no unfinished or empty translation.
    QFile ts(QStringLiteral(MSP_TS_FILE));
    QVERIFY(ts.open(QIODevice::ReadOnly));
    const QByteArray text = ts.readAll();
    QVERIFY(text.contains("<message"));
    QVERIFY(!text.contains("type=\"unfinished\""));
    QVERIFY(!text.contains("<translation></translation>"));
    QVERIFY(!text.contains("<translation/>"));
}

QTEST_MAIN(tst_LanguageSwitcher)
#include "tst_languageswitcher.moc"
