#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

namespace DescHistory {

// "Datos: " and the bytes as upper-case hex digits without separators.
inline QString hexText(const QByteArray &bytes)
{
    return QStringLiteral("Datos: ") + QString::fromLatin1(bytes.toHex().toUpper());
}

// Appends the lines, each ended by CR LF; a history that cannot be opened is
// skipped, it never stops a descriptor from being produced.
inline void append(const QString &path, const QStringList &lines)
{
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    QByteArray out;
    for (const QString &line : lines)
        out += line.toLatin1() + "\r\n";
    file.write(out);
}

// Binary-coded decimal of the low `digits` decimal digits of value.
inline quint32 toBcd(quint32 value, int digits)
{
    quint32 bcd = 0;
    for (int i = 0; i < digits; ++i) {
        bcd |= (value % 10) << (4 * i);
        value /= 10;
    }
    return bcd;
}

} // namespace DescHistory
