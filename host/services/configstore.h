#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

// Keeps each module's configuration between runs, one INI file per module in
// a folder: <folder>/<family>-<module key>.ini, keys in the group [config].
// Only plain files are read, and only small ones; a save replaces the file in
// one step and never writes through a link.
class ConfigStore
{
public:
    explicit ConfigStore(const QString &folder);

    QString folder() const { return dir; }
    QString fileFor(const QString &family, const QString &moduleKey) const;
    bool save(const QString &family, const QString &moduleKey,
              const QHash<QString, QVariant> &config, QString &error);
    // Empty when nothing was stored or the file cannot be read; a file that is
    // refused is named in a warning.
    QHash<QString, QVariant> load(const QString &family, const QString &moduleKey) const;

    // A stored configuration is well under a kilobyte.
    static constexpr qint64 MaxFileSize = 64 * 1024;

private:
    QString dir;
};
