#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// Placeholder until the configuration files land: the two operations the
// main window calls.
class ConfigData
{
public:
    ConfigData() = default;

    bool readData(const QString &file, const QString &module, QHash<QString, QVariant> &hash);
    bool writeDataPlusServices(const QString &file, const QString &module, const QString &family,
                               QHash<QString, QVariant> &hash, QStringList &names, QList<int> &ids,
                               QList<int> &actives);
};
