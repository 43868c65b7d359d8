#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

// Keeps each module's configuration between runs, one INI file per module in
// a folder: <folder>/<family>-<module key>.ini, keys in the group [config].
class ConfigStore
{
public:
    explicit ConfigStore(const QString &folder);

    QString folder() const { return dir; }
    QString fileFor(const QString &family, const QString &moduleKey) const;
    bool save(const QString &family, const QString &moduleKey,
              const QHash<QString, QVariant> &config, QString &error);
    // Empty when nothing was stored or the file cannot be read.
    QHash<QString, QVariant> load(const QString &family, const QString &moduleKey) const;

private:
    QString dir;
};
