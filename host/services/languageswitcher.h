#pragma once

#include <QObject>
#include <QStringList>
#include <QTranslator>

// Installs and removes the plug-in's translation at run time. Installing or
// removing a translator sends every widget a LanguageChange event, on which
// the plug-in's forms retranslate themselves.
class LanguageSwitcher : public QObject
{
    Q_OBJECT

public:
    static const char CatalogPrefix[];

    explicit LanguageSwitcher(const QStringList &searchDirs, QObject *parent = nullptr);

    // "en" is the plug-in's own language and needs no catalogue.
    bool setLanguage(const QString &language, QString &error);
    QString language() const { return current; }
    // English <-> Spanish.
    bool toggle(QString &error);

signals:
    void languageChanged(const QString &language);

private:
    QStringList dirs;
    QTranslator translator;
    bool installed = false;
    QString current = QStringLiteral("en");
};
