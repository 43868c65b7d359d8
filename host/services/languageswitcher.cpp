#include "languageswitcher.h"

#include <QCoreApplication>

const char LanguageSwitcher::CatalogPrefix[] = "msp_zetavx_dvbs2_";

LanguageSwitcher::LanguageSwitcher(const QStringList &searchDirs, QObject *parent)
    : QObject(parent)
    , dirs(searchDirs)
{ }

bool LanguageSwitcher::setLanguage(const QString &language, QString &error)
{
    if (language == current)
        return true;
    if (language == QLatin1String("en")) {
        QCoreApplication::removeTranslator(&translator);
        installed = false;
        current = language;
        emit languageChanged(current);
        return true;
    }
    const QString file = QLatin1String(CatalogPrefix) + language;
    if (installed) {
        QCoreApplication::removeTranslator(&translator);
        installed = false;
    }
    bool loaded = false;
    for (const QString &dir : dirs) {
        if (translator.load(file, dir)) {
            loaded = true;
            break;
        }
    }
    if (!loaded) {
        error = QStringLiteral("no translation %1.qm in %2")
                    .arg(file, dirs.join(QStringLiteral(", ")));
        current = QStringLiteral("en");
        emit languageChanged(current);
        return false;
    }
    QCoreApplication::installTranslator(&translator);
    installed = true;
    current = language;
    emit languageChanged(current);
    return true;
}

bool LanguageSwitcher::toggle(QString &error)
{
    return setLanguage(current == QLatin1String("en") ? QStringLiteral("es") : QStringLiteral("en"),
                       error);
}
