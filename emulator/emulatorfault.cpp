#include "emulatorfault.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace {
struct KindName {
    EmulatorFault::Kind kind;
    const char *name;
};
const KindName kindNames[] = {
    {EmulatorFault::Refuse, "refuse"}, {EmulatorFault::Drop, "drop"},
    {EmulatorFault::Corrupt, "corrupt"}, {EmulatorFault::Delay, "delay"},
    {EmulatorFault::Late, "late"},
};
} // namespace

bool EmulatorFault::appliesTo(int command) const
{
    return remaining != 0 && (commands.isEmpty() || commands.contains(command));
}

QString EmulatorFault::toString() const
{
    QString text;
    for (const KindName &k : kindNames)
        if (k.kind == kind)
            text = QLatin1String(k.name);
    if (kind == Delay || kind == Late)
        text += QStringLiteral("=%1").arg(delayMs);
    if (!commands.isEmpty()) {
        QList<int> sorted = commands.values();
        std::sort(sorted.begin(), sorted.end());
        QStringList codes;
        for (int c : sorted)
            codes << QString::number(c);
        text += QLatin1Char(':') + codes.join(QLatin1Char(','));
    }
    if (remaining >= 0)
        text += QStringLiteral("*%1").arg(remaining);
    return text;
}

bool EmulatorFault::parse(const QString &text, EmulatorFault &fault, QString &error)
{
    static const QRegularExpression syntax(QStringLiteral(
            "^([a-z]+)(?:=(\\d+))?(?::(\\d+(?:,\\d+)*))?(?:\\*(\\d+))?$"));
    const QRegularExpressionMatch m = syntax.match(text.trimmed());
    if (!m.hasMatch()) {
        error = QStringLiteral("bad fault \"%1\": expected KIND[=MS][:CMD,...][*COUNT]").arg(text);
        return false;
    }
    EmulatorFault f;
    bool known = false;
    for (const KindName &k : kindNames) {
        if (m.captured(1) == QLatin1String(k.name)) {
            f.kind = k.kind;
            known = true;
        }
    }
    if (!known) {
        error = QStringLiteral("unknown fault \"%1\": use refuse, drop, corrupt, delay or late")
                        .arg(m.captured(1));
        return false;
    }
    if (!m.captured(2).isEmpty()) {
        if (f.kind != Delay && f.kind != Late) {
            error = QStringLiteral("fault \"%1\" takes no delay").arg(m.captured(1));
            return false;
        }
        bool ok = false;
        f.delayMs = m.captured(2).toInt(&ok);
        if (!ok || f.delayMs > 600000) {
            error = QStringLiteral("delay out of range in \"%1\"").arg(text);
            return false;
        }
    } else {
        f.delayMs = f.kind == Late ? DefaultLateMs : f.kind == Delay ? DefaultDelayMs : 0;
    }
    if (!m.captured(3).isEmpty()) {
        for (const QString &code : m.captured(3).split(QLatin1Char(','))) {
            const int c = code.toInt();
            if (c < 1 || c > 255) {
                error = QStringLiteral("command %1 out of range in \"%2\"").arg(code, text);
                return false;
            }
            f.commands.insert(c);
        }
    }
    if (!m.captured(4).isEmpty())
        f.remaining = m.captured(4).toInt();
    fault = f;
    return true;
}
