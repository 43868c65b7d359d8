// Arbitrary bytes as a ".cfi" file on a stick: every reader, the module list
// and a rename must come back with a defined result.

#include "configdata.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static int counter = 0;
    // A new name each time: the settings class caches parsed files by name.
    const QString path = dir.filePath(QStringLiteral("f%1.cfi").arg(counter++));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }

    ConfigData cfg;
    cfg.isValidFile(path);
    QStringList families;
    QString all;
    const QStringList modules = cfg.getModuleList(path, families, all);
    if (modules.size() != families.size())
        __builtin_trap();
    QString mine = QStringLiteral("ZetaVX_DVBS2");
    QStringList mineFamilies;
    cfg.getModuleList(path, mineFamilies, mine);

    QString file = path;
    cfg.getVersion(file);
    cfg.getNetworkId(file);
    cfg.getOriginalNetworkId(file);
    cfg.getNetworkNameDescriptor(file);
    for (const QString &module : modules.mid(0, 4)) {
        QHash<QString, QVariant> hash;
        QStringList names, names2;
        QList<int> ids, ids2, actives, actives2;
        cfg.readData(path, module, hash);
        cfg.readDataPlusServices(path, module, hash, names, ids, actives);
        cfg.readDataPlusServices_2xout(path, module, hash, names, names2, ids, ids2, actives,
                                       actives2);
    }
    // A file the settings class finds malformed is left as it was (it never
    // writes back what it could not parse), so only the absence of faults is checked.
    if (!modules.isEmpty())
        cfg.renameSection(path, modules.first(), QStringLiteral("renamed"));
    QFile::remove(path);
    return 0;
}
