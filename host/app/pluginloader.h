#pragma once

#include <QLibrary>
#include <QString>

class Imsp;
class QObject;

// Loads a module plug-in library by path through its two entry points,
// checks its verification data against the host's build key and reaches its
// Imsp interface by interface identifier.
class PluginLoader
{
public:
    static const char BuildKey[];

    explicit PluginLoader(const QString &path);

    bool load(QString &error);
    Imsp *plugin() const { return msp; }
    QObject *root() const { return object; }

    // True when verification data (key=value lines) carry our build key.
    static bool verify(const QByteArray &data, QString &error);

private:
    QLibrary library;
    QString path;
    QObject *object = nullptr;
    Imsp *msp = nullptr;
};
