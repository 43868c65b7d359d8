#include "moduleconfig.h"

#include "commprotocol.h"

bool ModuleConfig::fromRecords(CommProtocol &answer, Hash &hash, QString &missing)
{
    Hash read;
    QByteArray &rest = answer.getMsgData();
    // As the form reads them: anything up to the next record tag is skipped,
    // records of unknown codes carry nothing that is read.
    while (rest.size() >= 4) {
        if (answer.popShort(true) != CommProtocol::RecordTag)
            continue;
        const Parameter *p = ModuleParameters::byCommand(answer.getCurrentRxCmd());
        if (!p)
            continue;
        const int v = p->width == 2 ? answer.popShort(true) : answer.popByte(true);
        switch (p->kind) {
        case ModuleParameters::ListIndex:
            read.insert(QLatin1String(p->key), v);
            break;
        case ModuleParameters::Number:
            read.insert(QLatin1String(p->key), QString::number(v));
            break;
        case ModuleParameters::AutoBandwidth:
            read.insert(QLatin1String(p->key),
                        (v & ModuleParameters::AutoBandwidthFlag)
                            ? ModuleParameters::AutoBandwidthKey
                            : ModuleParameters::positionOf(*p, v));
            break;
        }
    }
    for (const Parameter &p : ModuleParameters::all()) {
        if (!read.contains(QLatin1String(p.key))) {
            missing = name(p);
            return false;
        }
    }
    hash = read;
    return true;
}

bool ModuleConfig::check(const Hash &hash, QString &error)
{
    for (const Parameter &p : ModuleParameters::all()) {
        const QString key = QLatin1String(p.key);
        if (!hash.contains(key)) {
            error = QStringLiteral("%1 is missing").arg(name(p));
            return false;
        }
        bool ok = false;
        const int v = hash.value(key).toString().trimmed().toInt(&ok);
        const bool automatic
            = p.kind == ModuleParameters::AutoBandwidth && v == ModuleParameters::AutoBandwidthKey;
        if (!ok || (!automatic && (v < p.minimum || v > p.maximum))) {
            error = QStringLiteral("%1 is \"%2\", not a value from %3 to %4%5")
                        .arg(name(p), hash.value(key).toString())
                        .arg(p.minimum)
                        .arg(p.maximum)
                        .arg(p.kind == ModuleParameters::AutoBandwidth ? QStringLiteral(" or 255")
                                                                       : QString());
            return false;
        }
    }
    return true;
}

ModuleConfig::Hash ModuleConfig::typed(const Hash &hash)
{
    Hash out;
    for (const Parameter &p : ModuleParameters::all()) {
        const int v = value(p, hash);
        if (p.kind == ModuleParameters::Number)
            out.insert(QLatin1String(p.key), QString::number(v));
        else
            out.insert(QLatin1String(p.key), v);
    }
    return out;
}

int ModuleConfig::value(const Parameter &p, const Hash &hash)
{
    return hash.value(QLatin1String(p.key)).toString().trimmed().toInt();
}

int ModuleConfig::wireValue(const Parameter &p, const Hash &hash)
{
    const int v = value(p, hash);
    if (p.kind != ModuleParameters::AutoBandwidth)
        return v;
    if (v == ModuleParameters::AutoBandwidthKey)
        return ModuleParameters::AutoBandwidthFlag;
    return v >= 0 && v < p.values.count ? p.values.mhz[v] : 0;
}

QString ModuleConfig::text(const Parameter &p, int value)
{
    QString number = QString::number(value);
    if (p.kind == ModuleParameters::AutoBandwidth) {
        if (value == ModuleParameters::AutoBandwidthKey)
            return QStringLiteral("Auto");
        number = value >= 0 && value < p.values.count ? QString::number(p.values.mhz[value])
                                                      : QStringLiteral("?");
    }
    return *p.unit ? number + QLatin1Char(' ') + QLatin1String(p.unit) : number;
}

QString ModuleConfig::name(const Parameter &p)
{
    return QStringLiteral("%1 (%2)").arg(QLatin1String(p.caption), QLatin1String(p.key));
}

QList<const ModuleConfig::Parameter *> ModuleConfig::differences(const Hash &a, const Hash &b)
{
    QList<const Parameter *> out;
    for (const Parameter &p : ModuleParameters::all())
        if (value(p, a) != value(p, b))
            out << &p;
    return out;
}
