#include "configdata.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString FamilyKey = QStringLiteral("FAMILY_KEY");
const QString OriginalNetworkIdKey = QStringLiteral("ORIGINAL_NETWORK_ID");
const QString VersionKey = QStringLiteral("VERSION");
const QString NetworkIdKey = QStringLiteral("NETWORK_ID");
const QString NetworkDescriptorKey = QStringLiteral("NETWORK_DESCRIPTOR");

// One operation on a configuration file. The settings class works on a private
// copy in a working folder, never on the medium itself:
// - it keeps a process-wide cache per path that a failed write leaves dirty
//   (later reads would show a save that never reached the disk) and that a
//   FAT medium's two-second time stamps can leave stale;
// - on writing it creates missing folders (a removed medium would be
//   re-created as an empty folder) and waits without end on a lock entry it
//   cannot remove.
// A change reaches the medium in one piece through QSaveFile, so the file
// there is always either the old one or the new one.
class IniSession
{
public:
    explicit IniSession(const QString &path)
        : target(path)
        , folder(workFolder())
        , id(QString::number(++sessions))
    {
        const QFileInfo info(path);
        // A link that leads nowhere (or in a loop) would make the save create
        // a file wherever it points; folders, devices and pipes are not files.
        if (!info.exists() && !info.isSymLink())
            state = Missing;
        else if (!info.isFile())
            state = NotAFile;
        else if (info.size() > ConfigData::MaxFileSize)
            state = TooLarge;
        else
            state = load(path);
        if (!fileUsable())
            qWarning() << "Not a configuration file:" << path;
        if (state == Missing && !writeCopy(QByteArray()))
            state = NoRoom;
        if (state == NoRoom)
            qWarning() << "No room for a working copy of" << path << "in" << folder;
        // What cannot be worked on reads as an empty file and is never written.
        settings.reset(new QSettings(usable() ? copyPath() : QStringLiteral("/dev/null"),
                                     QSettings::IniFormat));
    }

    ~IniSession()
    {
        settings.reset();
        if (!folder.isEmpty()) {
            QFile::remove(copyPath());
            QFile::remove(checkPath());
        }
    }

    // True when the file's contents are known: it was read, or it does not exist yet.
    bool usable() const { return state == Loaded || state == Missing; }
    // True when only the working copy failed, not the file.
    bool fileUsable() const { return usable() || state == NoRoom; }
    QSettings &ini() { return *settings; }

    // Writes the changed copy back over the file and tells whether it landed:
    // the copy, read again from disk under a new name, holds the given
    // sections and top-level key exactly as the working copy does. Only
    // those are compared; the rest the settings class rewrote from what it
    // had read, and checking it all would cost a second full parse.
    bool commit(const QStringList &groups, const QString &key = QString())
    {
        if (!usable()) {
            qWarning() << "Configuration file left unchanged:" << target;
            return false;
        }
        const QStringList expected = snapshot(*settings, groups, key);
        settings->sync();
        // A file the settings class flags keeps that status; a failed write
        // then shows only in what reaches the disk.
        bool ok = settings->status() != QSettings::AccessError;
        settings.reset();
        QByteArray bytes;
        QFile written(copyPath());
        ok = ok && written.open(QIODevice::ReadOnly)
            && (bytes = written.readAll()).size() == written.size();
        written.close();
        // A file that began with a byte-order mark was read as UTF-8, and the
        // settings class writes its texts so but without the mark, which
        // would make them read back as Latin-1.
        if (ok && utf8 && !bytes.startsWith(ByteOrderMark)) {
            bytes.prepend(ByteOrderMark);
            ok = writeFile(copyPath(), bytes);
        }
        // Read back under a new name, which the settings class has no cache for.
        const QString check = checkPath();
        ok = ok && QFile::rename(copyPath(), check)
            && snapshot(QSettings(check, QSettings::IniFormat), groups, key) == expected;
        if (!ok) {
            qWarning() << "Cannot prepare configuration file" << target;
            return false;
        }
        if (bytes.size() > ConfigData::MaxFileSize) {
            qWarning() << "Configuration file would grow too large to be read again:" << target;
            return false;
        }
        if (!QFileInfo(QFileInfo(target).absolutePath()).isDir()) {
            qWarning() << "Configuration file folder is gone:" << target;
            return false;
        }
        // Unbuffered: QSaveFile only notices errors of its own writes, not of
        // a final flush, and would then replace the file with a torn one.
        QSaveFile out(target);
        out.setDirectWriteFallback(false);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
            || out.write(bytes) != bytes.size() || !out.commit()) {
            qWarning() << "Cannot write configuration file" << target << out.errorString();
            out.cancelWriting();
            return false;
        }
        return true;
    }

private:
    enum State { Missing, Loaded, NotAFile, TooLarge, Unreadable, NoRoom };

    // The private copies of all sessions share one folder, made on first use
    // and removed with the process: a folder of its own for each session
    // cost a directory creation and removal on every call, most of the time
    // of listing a medium's configuration files. It is made again when it is
    // gone (a long-running host may see its temporary folder cleaned) or not
    // ours to write in (the process changed its user). Its name carries the
    // process id, so that the folder of a process that was killed outright
    // is removed by the next one.
    static QString workFolder()
    {
        static std::unique_ptr<QTemporaryDir> shared;
        if (!shared || !shared->isValid() || !QFileInfo(shared->path()).isWritable()) {
            if (shared)
                shared->setAutoRemove(false);
            const QDir base(baseFolder());
            removeLeftFolders(base);
            shared.reset(new QTemporaryDir(base.filePath(FolderPrefix + QString::number(getpid())
                                                         + QStringLiteral("-XXXXXX"))));
        }
        return shared->isValid() ? shared->path() : QString();
    }

    // The copies need no durability, but the settings class flushes every
    // file it writes to the disk: in memory (/dev/shm) that costs nothing,
    // where on a disk it doubled the time of a save. A temporary folder
    // named in TMPDIR is used as it is.
    static QString baseFolder()
    {
        const QFileInfo shm(QStringLiteral("/dev/shm"));
        return qEnvironmentVariableIsEmpty("TMPDIR") && shm.isDir() && shm.isWritable()
            ? shm.filePath()
            : QDir::tempPath();
    }

    static void removeLeftFolders(const QDir &base)
    {
        const QStringList names
            = base.entryList({FolderPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoSymLinks);
        for (const QString &name : names) {
            bool number = false;
            const pid_t pid
                = name.mid(FolderPrefix.size()).section(QLatin1Char('-'), 0, 0).toInt(&number);
            if (number && pid > 0 && pid != getpid() && kill(pid, 0) != 0 && errno == ESRCH)
                QDir(base.filePath(name)).removeRecursively();
        }
    }

    QString copyPath() const
    {
        return folder + QStringLiteral("/copy-") + id + QStringLiteral(".cfi");
    }
    QString checkPath() const
    {
        return folder + QStringLiteral("/check-") + id + QStringLiteral(".cfi");
    }

    // A value as the settings class gives it back from disk: it writes a list
    // of one string as that string and an empty list as an invalid value, so
    // every value compares as its list of texts.
    static QString readBack(const QVariant &value)
    {
        const int type = value.userType();
        QStringList texts;
        if (type == QMetaType::QStringList || type == QMetaType::QVariantList) {
            const QVariantList items = value.toList();
            for (const QVariant &item : items)
                texts.append(item.toString());
        } else if (value.isValid()) {
            texts.append(value.toString());
        }
        return QString::number(texts.size()) + QLatin1Char(':') + texts.join(QChar(0x1f));
    }

    static QStringList snapshot(QSettings &&ini, const QStringList &groups, const QString &key)
    {
        return snapshot(ini, groups, key);
    }

    static QStringList snapshot(QSettings &ini, const QStringList &groups, const QString &key)
    {
        QStringList all;
        for (const QString &group : groups) {
            ini.beginGroup(group);
            QStringList keys = ini.allKeys();
            keys.sort();
            for (const QString &k : qAsConst(keys))
                all << group + QLatin1Char('/') + k << readBack(ini.value(k));
            ini.endGroup();
        }
        if (!key.isEmpty())
            all << key << readBack(ini.value(key));
        return all;
    }

    // Writes the working copy; every byte is checked, so that a full
    // temporary folder never passes for a shorter file.
    bool writeCopy(const QByteArray &bytes) const
    {
        return !folder.isEmpty() && writeFile(copyPath(), bytes);
    }

    static bool writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        const bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
            && file.write(bytes) == bytes.size();
        file.close();
        if (!ok)
            QFile::remove(path);
        return ok;
    }

    State load(const QString &path)
    {
        // Without blocking: a pipe put in the file's place would wait for a writer.
        const int fd
            = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        struct stat st {
        };
        if (fd < 0)
            return Unreadable;
        QFile in;
        if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)
            || !in.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            return NotAFile;
        }
        // Read at most one byte beyond the limit: the size may have changed
        // since it was checked.
        const QByteArray bytes = in.read(ConfigData::MaxFileSize + 1);
        if (bytes.size() > ConfigData::MaxFileSize)
            return TooLarge;
        // Settings files are text; a NUL byte marks some other kind of file.
        if (bytes.contains('\0'))
            return Unreadable;
        utf8 = bytes.startsWith(ByteOrderMark);
        return writeCopy(bytes) ? Loaded : NoRoom;
    }

    static inline const QString FolderPrefix = QStringLiteral("zetavx-cfg-");
    static inline const QByteArray ByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");
    static inline int sessions = 0;
    QString target;
    QString folder;
    QString id;
    State state = Missing;
    bool utf8 = false;
    std::unique_ptr<QSettings> settings;
};

// The settings class maps an empty group to the top level and treats "/" and
// "\" as group separators, so such an identifier cannot name one section of
// its own; writing under it would touch the other sections or the top level.
bool isSectionName(const QString &module)
{
    if (module.isEmpty() || module.contains(QLatin1Char('/'))
        || module.contains(QLatin1Char('\\'))) {
        qWarning() << "Unusable module identifier" << module;
        return false;
    }
    return true;
}

QVariantList toVariantList(const QList<int> &values, int count)
{
    QVariantList list;
    const int n = qMin(count, values.size());
    list.reserve(n);
    for (int i = 0; i < n; ++i)
        list.append(values.at(i));
    return list;
}

QVariantList toVariantList(const QList<int> &values)
{
    return toVariantList(values, values.size());
}

QStringList firstStrings(const QStringList &values, int count)
{
    return values.mid(0, qMin(count, values.size()));
}

QList<int> toIntList(const QVariant &value)
{
    QList<int> list;
    const QStringList texts = value.toStringList();
    for (const QString &text : texts)
        list.append(text.toInt(nullptr, 10));
    return list;
}

// Removes a module's keys and its nested groups. Removing the group itself
// would also take a top-level key of the same name.
void clearSection(QSettings &ini, const QString &module)
{
    ini.beginGroup(module);
    const QStringList entries = ini.childKeys() + ini.childGroups();
    for (const QString &entry : entries)
        ini.remove(entry);
    ini.endGroup();
}

// Replaces the module's section as a whole inside an open session: the hash,
// then the lists in the writer's order, then the family, which so wins over
// a hash entry of that name.
void putSection(QSettings &ini, const QString &module, const QString &family,
                const QHash<QString, QVariant> &hash,
                const std::function<void(QSettings &)> &lists = {})
{
    clearSection(ini, module);
    ini.beginGroup(module);
    for (auto it = hash.constBegin(); it != hash.constEnd(); ++it) {
        // An empty key would land at the top level of the file.
        if (!it.key().isEmpty())
            ini.setValue(it.key(), it.value());
    }
    if (lists)
        lists(ini);
    ini.setValue(FamilyKey, family);
    ini.endGroup();
}

bool writeSection(const QString &file, const QString &module, const QString &family,
                  const QHash<QString, QVariant> &hash,
                  const std::function<void(QSettings &)> &lists = {})
{
    if (!isSectionName(module))
        return false;
    IniSession session(file);
    if (session.usable())
        putSection(session.ini(), module, family, hash, lists);
    return session.commit({module});
}

QString topLevelValue(const QString &file, const QString &key)
{
    IniSession session(file);
    return session.ini().value(key, QString()).toString();
}

bool storeTopLevelValue(const QString &file, const QString &key, const QString &value)
{
    IniSession session(file);
    if (session.usable())
        session.ini().setValue(key, value);
    return session.commit({}, key);
}

// The per-service lists that the full writers share, up to the inputs.
void putCompleteServices(QSettings &ini, const QStringList &names, const QList<int> &ids,
                         const QList<int> &actives, const QList<int> &oldIds,
                         const QList<int> &types, const QList<int> &caInfo,
                         const QList<int> &bandwidths, const QStringList &codings,
                         const QList<int> &inputs, const QList<int> *outputs)
{
    const int n = ids.size();
    ini.setValue(QStringLiteral("Services_Names"), names);
    ini.setValue(QStringLiteral("Services_Ids"), toVariantList(ids));
    ini.setValue(QStringLiteral("Services_Actives"), toVariantList(actives, n));
    ini.setValue(QStringLiteral("Old_Services_Ids"), toVariantList(oldIds, n));
    ini.setValue(QStringLiteral("Inputs"), toVariantList(inputs, n));
    if (outputs)
        ini.setValue(QStringLiteral("Outputs"), toVariantList(*outputs, n));
    ini.setValue(QStringLiteral("Services_types"), toVariantList(types, n));
    ini.setValue(QStringLiteral("Services_CAInfo"), toVariantList(caInfo, n));
    ini.setValue(QStringLiteral("Services_bw"), toVariantList(bandwidths, n));
    ini.setValue(QStringLiteral("Services_cod"), firstStrings(codings, n));
}

void putPids(QSettings &ini, const QList<int> &pidServices, const QList<int> &pidInputs,
             const QList<int> &pidNumbers, const QList<QString> &pidTypes,
             const QList<QString> &pidDescTypes, const QList<QString> &pidLangs,
             const QList<int> &pidFilters)
{
    const int n = pidNumbers.size();
    ini.setValue(QStringLiteral("PID_Services"), toVariantList(pidServices, n));
    ini.setValue(QStringLiteral("PID_Inputs"), toVariantList(pidInputs, n));
    ini.setValue(QStringLiteral("PID_PIDNum"), toVariantList(pidNumbers, n));
    ini.setValue(QStringLiteral("PID_Type"), firstStrings(pidTypes, n));
    ini.setValue(QStringLiteral("PID_DescType"), firstStrings(pidDescTypes, n));
    ini.setValue(QStringLiteral("PID_Lang"), firstStrings(pidLangs, n));
    ini.setValue(QStringLiteral("PID_Filter"), toVariantList(pidFilters, n));
}
} // namespace

ConfigData::ConfigData() = default;

bool ConfigData::isValidFile(const QString &file)
{
    IniSession session(file);
    return !session.ini().childGroups().isEmpty();
}

bool ConfigData::canHoldModules(const QString &file) { return IniSession(file).fileUsable(); }

QStringList ConfigData::getModuleList(const QString &file, QStringList &families, QString &family)
{
    IniSession session(file);
    QSettings &ini = session.ini();
    QStringList modules;
    const QStringList groups = ini.childGroups();
    for (const QString &group : groups) {
        ini.beginGroup(group);
        const QString moduleFamily = ini.value(FamilyKey, QString()).toString();
        if (family.isEmpty() || moduleFamily == family) {
            families.append(moduleFamily);
            modules.append(group);
        }
        ini.endGroup();
    }
    return modules;
}

bool ConfigData::readData(const QString &file, const QString &module,
                          QHash<QString, QVariant> &hash)
{
    IniSession session(file);
    QSettings &ini = session.ini();
    if (!ini.childGroups().contains(module))
        return false;
    ini.beginGroup(module);
    const QStringList keys = ini.childKeys();
    for (const QString &key : keys) {
        if (key != FamilyKey)
            hash.insert(key, ini.value(key));
    }
    ini.endGroup();
    return true;
}

bool ConfigData::writeData(const QString &file, const QString &module, const QString &family,
                           QHash<QString, QVariant> &hash)
{
    return writeSection(file, module, family, hash);
}

bool ConfigData::removeSection(const QString &file, const QString &module)
{
    // An identifier that cannot name a section is in no file.
    if (!isSectionName(module))
        return true;
    IniSession session(file);
    if (!session.usable() || !session.ini().childGroups().contains(module))
        return session.usable();
    clearSection(session.ini(), module);
    return session.commit({module});
}

bool ConfigData::renameSection(const QString &file, const QString &oldModule,
                               const QString &newModule)
{
    QHash<QString, QVariant> hash;
    if (!readData(file, oldModule, hash))
        return false;
    if (!isSectionName(newModule))
        return false;
    // One session for the removal and the new section, so that the file on
    // the medium goes from the old name to the new one in a single step.
    IniSession session(file);
    if (session.usable()) {
        QSettings &ini = session.ini();
        ini.beginGroup(oldModule);
        const QString family = ini.value(FamilyKey, QString()).toString();
        ini.endGroup();
        clearSection(ini, oldModule);
        putSection(ini, newModule, family, hash);
    }
    return session.commit({oldModule, newModule});
}

QString ConfigData::getOriginalNetworkId(QString &file)
{
    return topLevelValue(file, OriginalNetworkIdKey);
}

QString ConfigData::getVersion(QString &file) { return topLevelValue(file, VersionKey); }

QString ConfigData::getNetworkId(QString &file) { return topLevelValue(file, NetworkIdKey); }

QString ConfigData::getNetworkNameDescriptor(QString &file)
{
    return topLevelValue(file, NetworkDescriptorKey);
}

bool ConfigData::storeOriginalNetworkId(QString &file, QString &value)
{
    return storeTopLevelValue(file, OriginalNetworkIdKey, value);
}

bool ConfigData::storeVersion(QString &file, QString &value)
{
    return storeTopLevelValue(file, VersionKey, value);
}

bool ConfigData::storeNetworkId(QString &file, QString &value)
{
    return storeTopLevelValue(file, NetworkIdKey, value);
}

bool ConfigData::storeNetworkNameDescriptor(QString &file, QString &value)
{
    return storeTopLevelValue(file, NetworkDescriptorKey, value);
}

bool ConfigData::writeDataPlusServices(const QString &file, const QString &module,
                                       const QString &family, QHash<QString, QVariant> &hash,
                                       QStringList &names, QList<int> &ids, QList<int> &actives)
{
    return writeSection(file, module, family, hash, [&](QSettings &ini) {
        ini.setValue(QStringLiteral("Services_Names"), names);
        ini.setValue(QStringLiteral("Services_Ids"), toVariantList(ids));
        ini.setValue(QStringLiteral("Services_Actives"), toVariantList(actives, ids.size()));
    });
}

bool ConfigData::writeDataPlusServicesDM(const QString &file, const QString &module,
                                         const QString &family, QHash<QString, QVariant> &hash,
                                         QStringList &names, QList<int> &ids, QList<int> &actives,
                                         QStringList &providers, QList<int> &videoPids,
                                         QList<int> &audioPids, QList<int> &videoBitRates,
                                         QList<int> &audioBitRates)
{
    return writeSection(file, module, family, hash, [&](QSettings &ini) {
        ini.setValue(QStringLiteral("Services_Names"), names);
        ini.setValue(QStringLiteral("Services_Ids"), toVariantList(ids));
        ini.setValue(QStringLiteral("Services_Actives"), toVariantList(actives, ids.size()));
        ini.setValue(QStringLiteral("Providers_Names"), providers);
        ini.setValue(QStringLiteral("Video_PID"), toVariantList(videoPids));
        ini.setValue(QStringLiteral("Audio_PID"), toVariantList(audioPids));
        ini.setValue(QStringLiteral("Video_BR"), toVariantList(videoBitRates));
        ini.setValue(QStringLiteral("Audio_BR"), toVariantList(audioBitRates));
    });
}

bool ConfigData::writeDataPlusServicesDMH(const QString &file, const QString &module,
                                          const QString &family, QHash<QString, QVariant> &hash,
                                          QStringList &names, QList<int> &ids, QList<int> &actives,
                                          QStringList &providers, QList<int> &encProfiles,
                                          QList<int> &encLevels, QList<int> &encAudios,
                                          QList<int> &videoModes, QList<int> &videoBitRates)
{
    return writeSection(file, module, family, hash, [&](QSettings &ini) {
        ini.setValue(QStringLiteral("Services_Names"), names);
        ini.setValue(QStringLiteral("Services_Ids"), toVariantList(ids));
        ini.setValue(QStringLiteral("Services_Actives"), toVariantList(actives));
        ini.setValue(QStringLiteral("Providers_Names"), providers);
        ini.setValue(QStringLiteral("Video_Mode"), toVariantList(videoModes));
        ini.setValue(QStringLiteral("EncProfile"), toVariantList(encProfiles));
        ini.setValue(QStringLiteral("EncLevel"), toVariantList(encLevels));
        ini.setValue(QStringLiteral("EncAudio"), toVariantList(encAudios));
        ini.setValue(QStringLiteral("Video_BR"), toVariantList(videoBitRates));
    });
}

bool ConfigData::writeDataPlusServicesCompleto(const QString &file, const QString &module,
                                               const QString &family,
                                               QHash<QString, QVariant> &hash, QStringList &names,
                                               QList<int> &ids, QList<int> &actives,
                                               QList<int> &oldIds, QList<int> &types,
                                               QList<int> &caInfo, QList<int> &bandwidths,
                                               QStringList &codings, QList<int> &inputs)
{
    return writeSection(file, module, family, hash, [&](QSettings &ini) {
        putCompleteServices(ini, names, ids, actives, oldIds, types, caInfo, bandwidths, codings,
                            inputs, nullptr);
    });
}

bool ConfigData::writeDataPlusServicesCompleto_conPIDs(
    const QString &file, const QString &module, const QString &family,
    QHash<QString, QVariant> &hash, QStringList &names, QList<int> &ids, QList<int> &actives,
    QList<int> &oldIds, QList<int> &types, QList<int> &caInfo, QList<int> &bandwidths,
    QStringList &codings, QList<int> &inputs, QList<int> &pidServices, QList<int> &pidInputs,
    QList<int> &pidNumbers, QList<QString> &pidTypes, QList<QString> &pidDescTypes,
    QList<QString> &pidLangs, QList<int> &pidFilters)
{
    return writeSection(file, module, family, hash, [&](QSettings &ini) {
        putCompleteServices(ini, names, ids, actives, oldIds, types, caInfo, bandwidths, codings,
                            inputs, nullptr);
        putPids(ini, pidServices, pidInputs, pidNumbers, pidTypes, pidDescTypes, pidLangs,
                pidFilters);
    });
}

bool ConfigData::writeDataPlusServicesCompleto_conPIDs_conOuts(
    const QString &file, const QString &module, const QString &family,
    QHash<QString, QVariant> &hash, QStringList &names, QList<int> &ids, QList<int> &actives,
    QList<int> &oldIds, QList<int> &types, QList<int> &caInfo, QList<int> &bandwidths,
    QStringList &codings, QList<int> &inputs, QList<int> &outputs, QList<int> &pidServices,
    QList<int> &pidInputs, QList<int> &pidNumbers, QList<QString> &pidTypes,
    QList<QString> &pidDescTypes, QList<QString> &pidLangs, QList<int> &pidFilters)
{
    return writeSection(file, module, family, hash, [&](QSettings &ini) {
        putCompleteServices(ini, names, ids, actives, oldIds, types, caInfo, bandwidths, codings,
                            inputs, &outputs);
        putPids(ini, pidServices, pidInputs, pidNumbers, pidTypes, pidDescTypes, pidLangs,
                pidFilters);
    });
}

bool ConfigData::readDataPlusServices(const QString &file, const QString &module,
                                      QHash<QString, QVariant> &hash, QStringList &names,
                                      QList<int> &ids, QList<int> &actives)
{
    IniSession session(file);
    QSettings &ini = session.ini();
    if (!ini.childGroups().contains(module))
        return false;
    names.clear();
    ids.clear();
    actives.clear();
    ini.beginGroup(module);
    const QStringList keys = ini.childKeys();
    for (const QString &key : keys) {
        if (key == FamilyKey)
            continue;
        const QVariant value = ini.value(key);
        if (key == QLatin1String("Services_Names"))
            names = value.toStringList();
        else if (key == QLatin1String("Services_Ids"))
            ids.append(toIntList(value));
        else if (key == QLatin1String("Services_Actives"))
            actives.append(toIntList(value));
        else
            hash.insert(key, value);
    }
    ini.endGroup();
    return true;
}

bool ConfigData::readDataPlusServices_2xout(const QString &file, const QString &module,
                                            QHash<QString, QVariant> &hash, QStringList &names1,
                                            QStringList &names2, QList<int> &ids1, QList<int> &ids2,
                                            QList<int> &actives1, QList<int> &actives2)
{
    IniSession session(file);
    QSettings &ini = session.ini();
    if (!ini.childGroups().contains(module))
        return false;
    names1.clear();
    names2.clear();
    ids1.clear();
    ids2.clear();
    actives1.clear();
    actives2.clear();
    ini.beginGroup(module);
    QStringList keys = ini.childKeys();
    // The distribution needs "Outputs" before the three service lists.
    keys.sort();
    QList<int> outputs;
    // A service without an "Outputs" entry goes to neither output, like one
    // whose output is neither 0 nor 1.
    auto outputOf = [&outputs](int i) { return i < outputs.size() ? outputs.at(i) : -1; };
    for (const QString &key : qAsConst(keys)) {
        if (key == FamilyKey)
            continue;
        const QVariant value = ini.value(key);
        if (key == QLatin1String("Outputs")) {
            outputs = toIntList(value);
        } else if (key == QLatin1String("Services_Names")) {
            const QStringList names = value.toStringList();
            for (int i = 0; i < names.size(); ++i) {
                if (outputOf(i) == 0)
                    names1.append(names.at(i));
                else if (outputOf(i) == 1)
                    names2.append(names.at(i));
            }
        } else if (key == QLatin1String("Services_Ids")
                   || key == QLatin1String("Services_Actives")) {
            const bool isIds = key == QLatin1String("Services_Ids");
            const QList<int> values = toIntList(value);
            for (int i = 0; i < values.size(); ++i) {
                if (outputOf(i) == 0)
                    (isIds ? ids1 : actives1).append(values.at(i));
                else if (outputOf(i) == 1)
                    (isIds ? ids2 : actives2).append(values.at(i));
            }
        } else {
            hash.insert(key, value);
        }
    }
    ini.endGroup();
    return true;
}
