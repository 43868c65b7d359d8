#pragma once

#include <QFile>
#include <QList>
#include <QByteArray>

// The history file's records, split at CR LF; a line break of any other kind
// stays inside its line, so the comparison catches it.
inline QList<QByteArray> historyLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray all = file.readAll();
    QList<QByteArray> lines;
    int start = 0;
    int at;
    while ((at = all.indexOf("\r\n", start)) >= 0) {
        lines << all.mid(start, at - start);
        start = at + 2;
    }
    if (start < all.size())
        lines << all.mid(start) + "<unterminated>";
    return lines;
}
