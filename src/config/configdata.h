#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// Reads and writes configuration files (".cfi"): INI files of the settings
// class with one section per module, named by the module identifier, plus a
// few network-level keys outside every section. Each call opens the file,
// does its work and closes it again, so an object holds no state and lives on
// the caller's stack for one action. Unlike the settings class alone, every
// writer says whether its change reached the disk: false means the file was
// left as it was.
class ConfigData
{
public:
    ConfigData();

    bool isValidFile(const QString &file);
    // True when a module can be saved into the file without losing what it
    // holds: it does not exist yet, or it reads as a settings file (possibly
    // with no module yet). Huge, binary, unreadable files and folders are not.
    bool canHoldModules(const QString &file);
    QStringList getModuleList(const QString &file, QStringList &families, QString &family);
    bool readData(const QString &file, const QString &module, QHash<QString, QVariant> &hash);
    bool writeData(const QString &file, const QString &module, const QString &family,
                   QHash<QString, QVariant> &hash);
    bool removeSection(const QString &file, const QString &module);
    bool renameSection(const QString &file, const QString &oldModule, const QString &newModule);

    QString getOriginalNetworkId(QString &file);
    QString getVersion(QString &file);
    QString getNetworkId(QString &file);
    QString getNetworkNameDescriptor(QString &file);
    bool storeOriginalNetworkId(QString &file, QString &value);
    bool storeVersion(QString &file, QString &value);
    bool storeNetworkId(QString &file, QString &value);
    bool storeNetworkNameDescriptor(QString &file, QString &value);

    bool writeDataPlusServices(const QString &file, const QString &module, const QString &family,
                               QHash<QString, QVariant> &hash, QStringList &names, QList<int> &ids,
                               QList<int> &actives);
    bool writeDataPlusServicesDM(const QString &file, const QString &module, const QString &family,
                                 QHash<QString, QVariant> &hash, QStringList &names,
                                 QList<int> &ids, QList<int> &actives, QStringList &providers,
                                 QList<int> &videoPids, QList<int> &audioPids,
                                 QList<int> &videoBitRates, QList<int> &audioBitRates);
    bool writeDataPlusServicesDMH(const QString &file, const QString &module, const QString &family,
                                  QHash<QString, QVariant> &hash, QStringList &names,
                                  QList<int> &ids, QList<int> &actives, QStringList &providers,
                                  QList<int> &encProfiles, QList<int> &encLevels,
                                  QList<int> &encAudios, QList<int> &videoModes,
                                  QList<int> &videoBitRates);
    bool writeDataPlusServicesCompleto(const QString &file, const QString &module,
                                       const QString &family, QHash<QString, QVariant> &hash,
                                       QStringList &names, QList<int> &ids, QList<int> &actives,
                                       QList<int> &oldIds, QList<int> &types, QList<int> &caInfo,
                                       QList<int> &bandwidths, QStringList &codings,
                                       QList<int> &inputs);
    bool writeDataPlusServicesCompleto_conPIDs(
        const QString &file, const QString &module, const QString &family,
        QHash<QString, QVariant> &hash, QStringList &names, QList<int> &ids, QList<int> &actives,
        QList<int> &oldIds, QList<int> &types, QList<int> &caInfo, QList<int> &bandwidths,
        QStringList &codings, QList<int> &inputs, QList<int> &pidServices, QList<int> &pidInputs,
        QList<int> &pidNumbers, QList<QString> &pidTypes, QList<QString> &pidDescTypes,
        QList<QString> &pidLangs, QList<int> &pidFilters);
    bool writeDataPlusServicesCompleto_conPIDs_conOuts(
        const QString &file, const QString &module, const QString &family,
        QHash<QString, QVariant> &hash, QStringList &names, QList<int> &ids, QList<int> &actives,
        QList<int> &oldIds, QList<int> &types, QList<int> &caInfo, QList<int> &bandwidths,
        QStringList &codings, QList<int> &inputs, QList<int> &outputs, QList<int> &pidServices,
        QList<int> &pidInputs, QList<int> &pidNumbers, QList<QString> &pidTypes,
        QList<QString> &pidDescTypes, QList<QString> &pidLangs, QList<int> &pidFilters);

    bool readDataPlusServices(const QString &file, const QString &module,
                              QHash<QString, QVariant> &hash, QStringList &names, QList<int> &ids,
                              QList<int> &actives);
    bool readDataPlusServices_2xout(const QString &file, const QString &module,
                                    QHash<QString, QVariant> &hash, QStringList &names1,
                                    QStringList &names2, QList<int> &ids1, QList<int> &ids2,
                                    QList<int> &actives1, QList<int> &actives2);

    // Files above this size are not configuration files: the settings class
    // parses a whole file in memory, and a stray huge "*.cfi" would stall the
    // keypad for seconds on every listing.
    static constexpr qint64 MaxFileSize = 8 * 1024 * 1024;
};
