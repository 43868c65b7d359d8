#include "configstore.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

namespace {
// Module keys come from the plug-in: keep them from naming other folders.
QString safeName(QString text)
{
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9_.-]"));
    text.replace(unsafe, QStringLiteral("_"));
    if (text.isEmpty() || text.startsWith(QLatin1Char('.')))
        text.prepend(QLatin1Char('_'));
    return text;
}
} // namespace

ConfigStore::ConfigStore(const QString &folder)
    : dir(folder)
{ }

QString ConfigStore::fileFor(const QString &family, const QString &moduleKey) const
{
    return QDir(dir).filePath(safeName(family) + QLatin1Char('-') + safeName(moduleKey)
                              + QStringLiteral(".ini"));
}

bool ConfigStore::save(const QString &family, const QString &moduleKey,
                       const QHash<QString, QVariant> &config, QString &error)
{
    if (!QDir().mkpath(dir)) {
        error = QStringLiteral("cannot create %1").arg(dir);
        return false;
    }
    QSettings s(fileFor(family, moduleKey), QSettings::IniFormat);
    s.remove(QStringLiteral("config"));
    s.beginGroup(QStringLiteral("config"));
    for (auto it = config.constBegin(); it != config.constEnd(); ++it)
        s.setValue(it.key(), it.value());
    s.endGroup();
    s.sync();
    if (s.status() != QSettings::NoError) {
        error = QStringLiteral("cannot write %1").arg(s.fileName());
        return false;
    }
    return true;
}

QHash<QString, QVariant> ConfigStore::load(const QString &family, const QString &moduleKey) const
{
    QHash<QString, QVariant> config;
    const QString path = fileFor(family, moduleKey);
    if (!QFileInfo(path).isFile())
        return config;
    QSettings s(path, QSettings::IniFormat);
    if (s.status() != QSettings::NoError)
        return config;
    s.beginGroup(QStringLiteral("config"));
    for (const QString &key : s.childKeys())
        config.insert(key, s.value(key));
    return config;
}
