// Arbitrary bytes as a ".cfi" file on a stick. Every reader comes back with a
// defined result, and a save lands or says so: either every other module and
// top-level key reads back as before and the saved module reads back as the
// settings class alone gives back what was saved, or the writer returned
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
const QString Family = QStringLiteral("ZetaVX_DVBS2");

// A new name each time: the settings class caches parsed files by name.
QString fileWith(const QByteArray &bytes)
{
    static QTemporaryDir dir;
    static int counter = 0;
    const QString path = dir.filePath(QStringLiteral("f%1.cfi").arg(counter++));
    if (QFile f(path); !f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        __builtin_trap();
    return path;
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A value as the settings class gives it back once written: numbers and
// booleans as text, lists as lists; anything else exactly, type included.
QByteArray canonical(const QVariant &value)
{
    QByteArray bytes;
    const int type = value.userType();
    if (type == QMetaType::QStringList || type == QMetaType::QVariantList) {
        bytes = "list";
        for (const QVariant &item : value.toList())
            bytes += '\x1f' + canonical(item);
    } else if (type == QMetaType::Bool || type == QMetaType::Double || type == QMetaType::Float
               || type == QMetaType::Int || type == QMetaType::LongLong) {
        bytes = canonical(value.toString());
    } else {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out << value;
    }
    return bytes;
}

// Every key of the file as the settings class reads it. One listed under an
// empty section name ("[]") cannot be read; written back, it moves to the
// name it can be read by.
Values parse(const QByteArray &bytes)
{
    const QString path = fileWith(bytes);
    Values all;
    QSettings ini(path, QSettings::IniFormat);
    for (const QString &key : ini.allKeys()) {
        const QString name = key.split(QLatin1Char('/'), Qt::SkipEmptyParts).join('/');
        all.insert(name, name == key ? canonical(ini.value(key)) : Unreadable);
    }
    QFile::remove(path);
    return all;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const QString path = fileWith(bytes);
    ConfigData cfg;
    cfg.isValidFile(path);
    QStringList families;
    QString all, file = path;
    const QStringList modules = cfg.getModuleList(path, families, all);
    if (modules.size() != families.size())
        __builtin_trap();
    cfg.getVersion(file);
    QHash<QString, QVariant> hash;
    QStringList names, names2;
    QList<int> ids, ids2, actives, actives2;
    for (const QString &module : modules.mid(0, 2))
        cfg.readDataPlusServices_2xout(path, module, hash, names, names2, ids, ids2, actives,
                                       actives2);

    // A new module, one of the file's, or a name and values from its last line.
    const QByteArray last = bytes.mid(bytes.lastIndexOf('\n') + 1);
    const int pick = size > 0 ? data[0] % 4 : 0;
    const QString module = pick == 0 || modules.isEmpty() ? QStringLiteral("42")
        : pick == 1                                       ? modules.at(data[0] % modules.size())
                                                          : QString::fromUtf8(last.left(12));
    hash = {{QStringLiteral("Entradas"), 1},
            {QStringLiteral("Freq1_Output"), QString::fromUtf8(last)},
            {QString::fromLatin1(last.right(6)), QVariantList {7}}};
    names = QStringList {QString::fromUtf8(last.mid(3))};
    ids = {int(size)};
    actives = {1};
    const Values before = parse(bytes);
    const bool saved = pick == 3
        ? cfg.writeData(path, module, Family, hash)
        : cfg.writeDataPlusServices(path, module, Family, hash, names, ids, actives);
    const QByteArray after = bytesOf(path);
    if (!saved && after != bytes)
        __builtin_trap();
    if (saved) {
        // The same section saved by the settings class alone into an empty file.
        const QString reference = fileWith({});
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
            ini.setValue(QStringLiteral("FAMILY_KEY"), Family);
        }
        Values expected = parse(bytesOf(reference));
        const Values now = parse(after);
        for (auto it = before.constBegin(); it != before.constEnd(); ++it)
            if (!it.key().startsWith(module + '/') && !expected.contains(it.key()))
                expected.insert(it.key(), it.value());
        for (const QString &key : expected.keys() + now.keys())
            if (expected.value(key) != Unreadable && expected.value(key) != now.value(key))
                __builtin_trap();
        QFile::remove(reference);
    }
    QFile::remove(path);
    return 0;
}
