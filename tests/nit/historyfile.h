#pragma once

#include <QFile>

// The whole history file, so that a comparison sees every line end.
inline QByteArray historyText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
