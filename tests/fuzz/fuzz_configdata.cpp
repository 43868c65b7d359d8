// Arbitrary bytes as a ".cfi" file on a stick. Every reader comes back with a
// defined result, and a save lands or says so: either every other module and
// top-level key reads back as before and the saved module reads back as the
// settings class itself gives back what was saved, or the writer returned
// false and the file is byte for byte what it was.

#include "configdata.h"

#include <QDataStream>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {
using Values = QMap<QString, QByteArray>;
const QByteArray Unreadable = QByteArrayLiteral("\0unreadable");

QTemporaryDir &dir()
{
    static QTemporaryDir d;
    return d;
}

// A name never used before: the settings class caches parsed files by name.
QString freshName()
{
    static int counter = 0;
    return dir().filePath(QStringLiteral("f%1.cfi").arg(counter++));
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A value as the settings class gives it back after writing it: numbers and
// booleans as their text, lists as lists of such values; anything else in
// binary form, so that types stay apart.
QByteArray canonical(const QVariant &value)
{
    switch (value.userType()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return canonical(value.toString());
    case QMetaType::QStringList:
    case QMetaType::QVariantList: {
        QByteArray all = "list";
        const QVariantList items = value.toList();
        for (const QVariant &item : items)
            all += '\x1f' + canonical(item);
        return all;
    }
    default: {
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out << value;
        return bytes;
    }
    }
}

// Every key as the settings class reads the file.
Values parse(const QByteArray &bytes)
{
    const QString path = freshName();
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        __builtin_trap();
    f.close();
    Values all;
    QSettings ini(path, QSettings::IniFormat);
    const QStringList keys = ini.allKeys();
    for (const QString &key : keys) {
        // A key under an empty section name ("[]") is listed but cannot be
        // read; once written back it moves to the name it can be read by.
        QString name = key;
        while (name.contains(QLatin1String("//")))
            name.replace(QLatin1String("//"), QLatin1String("/"));
        while (name.startsWith(QLatin1Char('/')))
            name.remove(0, 1);
        while (name.endsWith(QLatin1Char('/')))
            name.chop(1);
        all.insert(name, name == key ? canonical(ini.value(key)) : Unreadable);
    }
    QFile::remove(path);
    return all;
}

// Every key outside the module reads as before, but for keys that could not
// be read before.
bool sameOutside(const Values &before, const Values &now, const QString &module)
{
    QStringList keys = before.keys() + now.keys();
    for (const QString &key : qAsConst(keys)) {
        if (key.startsWith(module + QLatin1Char('/')) || before.value(key) == Unreadable)
            continue;
        if (!before.contains(key) || !now.contains(key) || before.value(key) != now.value(key))
            return false;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const QString path = freshName();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return 0;
    }

    ConfigData cfg;
    cfg.isValidFile(path);
    QStringList families;
    QString all;
    const QStringList modules = cfg.getModuleList(path, families, all);
    if (modules.size() != families.size())
        __builtin_trap();
    QString file = path;
    cfg.getVersion(file);
    for (const QString &module : modules.mid(0, 2)) {
        QHash<QString, QVariant> hash;
        QStringList names, names2;
        QList<int> ids, ids2, actives, actives2;
        cfg.readDataPlusServices(path, module, hash, names, ids, actives);
        cfg.readDataPlusServices_2xout(path, module, hash, names, names2, ids, ids2, actives,
                                       actives2);
    }

    // The module: a new one, one of the file's, or a name and values taken
    // from the file's last line, whatever they hold.
    const QByteArray last = bytes.mid(bytes.lastIndexOf('\n') + 1);
    const int pick = size > 0 ? data[0] % 4 : 0;
    const QString module = pick == 0 || modules.isEmpty() ? QStringLiteral("42")
        : pick == 1                                       ? modules.at(data[0] % modules.size())
                                                          : QString::fromUtf8(last.left(12));
    QHash<QString, QVariant> hash {{QStringLiteral("Entradas"), 1},
                                   {QStringLiteral("Freq1_Output"), QString::fromUtf8(last)},
                                   {QString::fromLatin1(last.right(6)), QVariantList {7}}};
    QStringList names {QString::fromUtf8(last.mid(3))};
    QList<int> ids {int(size)}, actives {1};
    const Values before = parse(bytes);
    const bool saved = pick == 3
        ? cfg.writeData(path, module, QStringLiteral("ZetaVX_DVBS2"), hash)
        : cfg.writeDataPlusServices(path, module, QStringLiteral("ZetaVX_DVBS2"), hash, names, ids,
                                    actives);
    const QByteArray after = bytesOf(path);
    if (!saved) {
        if (after != bytes)
            __builtin_trap();
    } else {
        // The same section saved by the settings class alone into an empty file.
        const QString reference = freshName();
        {
            QSettings ini(reference, QSettings::IniFormat);
            ini.beginGroup(module);
            for (auto it = hash.constBegin(); it != hash.constEnd(); ++it)
                if (!it.key().isEmpty())
                    ini.setValue(it.key(), it.value());
            if (pick != 3) {
                ini.setValue(QStringLiteral("Services_Names"), names);
                ini.setValue(QStringLiteral("Services_Ids"), QVariantList {int(size)});
                ini.setValue(QStringLiteral("Services_Actives"), QVariantList {1});
            }
            ini.setValue(QStringLiteral("FAMILY_KEY"), QStringLiteral("ZetaVX_DVBS2"));
        }
        const Values now = parse(after);
        const Values expected = parse(bytesOf(reference));
        if (!sameOutside(before, now, module))
            __builtin_trap();
        for (auto it = now.constBegin(); it != now.constEnd(); ++it)
            if (it.key().startsWith(module + QLatin1Char('/')) && !expected.contains(it.key()))
                __builtin_trap();
        for (auto it = expected.constBegin(); it != expected.constEnd(); ++it)
            if (now.value(it.key()) != it.value())
                __builtin_trap();
        QFile::remove(reference);
    }
    QFile::remove(path);
    return 0;
}
