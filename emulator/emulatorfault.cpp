#include "emulatorfault.h"

#include <QRegularExpression>
#include <QStringList>

namespace {
struct KindName {
    EmulatorFault::Kind kind;
    const char *name;
};
const KindName kindNames[] = {
    {EmulatorFault::Refuse, "refuse"},   {EmulatorFault::Drop, "drop"},
    {EmulatorFault::Corrupt, "corrupt"}, {EmulatorFault::Delay, "delay"},
    {EmulatorFault::Late, "late"},
};
} // namespace

bool EmulatorFault::appliesTo(int command, int firstByte) const
{
    if (remaining == 0)
        return false;
    if (matches.isEmpty())
        return true;
    for (const Match &m : matches)
        if (m.command == command && (m.value < 0 || m.value == firstByte))
            return true;
    return false;
}

QString EmulatorFault::toString() const
{
    QString text;
    for (const KindName &k : kindNames)
        if (k.kind == kind)
            text = QLatin1String(k.name);
    if (kind == Delay || kind == Late)
        text += QStringLiteral("=%1").arg(delayMs);
    if (!matches.isEmpty()) {
        QStringList codes;
        for (const Match &m : matches)
            codes << (m.value < 0 ? QString::number(m.command)
                                  : QStringLiteral("%1/%2").arg(m.command).arg(m.value));
        text += QLatin1Char(':') + codes.join(QLatin1Char(','));
    }
    if (remaining >= 0)
        text += QStringLiteral("*%1").arg(remaining);
    return text;
}

bool EmulatorFault::parse(const QString &text, EmulatorFault &fault, QString &error)
{
    static const QRegularExpression syntax(QStringLiteral(
        "^([a-z]+)(?:=(\\d+))?(?::(\\d+(?:/\\d+)?(?:,\\d+(?:/\\d+)?)*))?(?:\\*(\\d+))?$"));
    const QRegularExpressionMatch m = syntax.match(text.trimmed());
    if (!m.hasMatch()) {
        error = QStringLiteral("bad fault \"%1\": expected KIND[=MS][:CMD[/VALUE],...][*COUNT]")
                    .arg(text);
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
        for (const QString &item : m.captured(3).split(QLatin1Char(','))) {
            const int c = item.section(QLatin1Char('/'), 0, 0).toInt();
            const QString value = item.section(QLatin1Char('/'), 1, 1);
            const int v = value.isEmpty() ? -1 : value.toInt();
            if (c < 1 || c > 255 || v > 255) {
                error = QStringLiteral("command %1 out of range in \"%2\"").arg(item, text);
                return false;
            }
            f.matches.append({c, v});
        }
    }
    if (!m.captured(4).isEmpty())
        f.remaining = m.captured(4).toInt();
    fault = f;
    return true;
}
