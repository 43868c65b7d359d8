#include "languageswitcher.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
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
    LanguageSwitcher switcher(
        {QStringLiteral("/nonexistent"), QStringLiteral(MSP_TRANSLATIONS_DIR)});
    LanguageProbe probe;
    const char *context = "MSP_Zeta_VX_DVBS2";
    const char *name = "Zeta-VX IF Processor DVBS/S2";
    QString error;
    QVERIFY2(switcher.setLanguage(QStringLiteral("es"), error), qPrintable(error));
    QCOMPARE(QCoreApplication::translate(context, name),
             QStringLiteral("Procesador FI Zeta-VX DVBS/S2"));
    QCOMPARE(QCoreApplication::translate("MainWindowZetaVX_DVBS2", "Comm error"),
             QStringLiteral("Error de comunicación"));
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

namespace {
// (context, source) pairs of a Linguist file, with their translations.
QMap<QPair<QString, QString>, QString> messages(const QString &path)
{
    QMap<QPair<QString, QString>, QString> result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement())
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation")) {
            const bool unfinished
                = xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
            const QString text = xml.readElementText();
            result.insert({context, source}, unfinished ? QString() : text);
        }
    }
    return result;
}
} // namespace

void tst_LanguageSwitcher::everyTextTranslated()
{
    // Every text lupdate finds in the plug-in's sources today is in the
    // Spanish source, translated.
    QTemporaryDir dir;
    const QString fresh = dir.filePath(QStringLiteral("fresh_es.ts"));
    QProcess lupdate;
    lupdate.start(
        QStringLiteral(LUPDATE_PATH),
        {QStringLiteral("-silent"), QStringLiteral(MSP_SOURCE_DIR), QStringLiteral("-ts"), fresh});
    QVERIFY(lupdate.waitForFinished(60000));
    QCOMPARE(lupdate.exitCode(), 0);
    const auto wanted = messages(fresh);
    const auto have = messages(QStringLiteral(MSP_TS_FILE));
    QVERIFY(wanted.size() > 100);
    for (auto it = wanted.constBegin(); it != wanted.constEnd(); ++it) {
        const QString where = it.key().first + QLatin1String(": ") + it.key().second;
        QVERIFY2(have.contains(it.key()),
                 qPrintable(QStringLiteral("not in the translation: ") + where));
        QVERIFY2(!have.value(it.key()).isEmpty(),
                 qPrintable(QStringLiteral("not translated: ") + where));
    }
}

QTEST_MAIN(tst_LanguageSwitcher)
#include "tst_languageswitcher.moc"
