#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

namespace NitHistory {

// "Datos: " and the bytes as upper-case hex digits without separators.
inline QString hexText(const QByteArray &bytes)
{
    return QStringLiteral("Datos: ") + QString::fromLatin1(bytes.toHex().toUpper());
}

// Appends the lines, each ended by CR LF. The history is a best-effort log:
// a path that cannot be opened (unset, missing folder, read-only medium) is
// skipped, and the caller's bytes stay valid all the same.
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
    file.close();
}

} // namespace NitHistory
