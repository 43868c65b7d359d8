#include "pluginloader.h"

#include "imsp.h"

#include <QFileInfo>
#include <QObject>

const char PluginLoader::BuildKey[] = "arm linux norvane full-config";

PluginLoader::PluginLoader(const QString &path)
    : library(path)
    , path(path)
{ }

bool PluginLoader::verify(const QByteArray &data, QString &error)
{
    QByteArray pattern;
    QByteArray key;
    for (const QByteArray &line : data.split('\n')) {
        const int eq = line.indexOf('=');
        if (eq < 0)
            continue;
        if (line.left(eq) == "pattern")
            pattern = line.mid(eq + 1);
        else if (line.left(eq) == "buildkey")
            key = line.mid(eq + 1);
    }
    if (pattern != "QT_PLUGIN_VERIFICATION_DATA") {
        error = QStringLiteral("no plug-in verification data");
        return false;
    }
    if (key != BuildKey) {
        error = QStringLiteral("plug-in built for \"%1\", host is \"%2\"")
                    .arg(QString::fromLatin1(key), QLatin1String(BuildKey));
        return false;
    }
    return true;
}

bool PluginLoader::load(QString &error)
{
    using InstanceFn = QObject *(*)();
    using VerificationFn = const char *(*)();
    // QLibrary's own messages name the file it guessed, not the one given.
    if (path.contains(QLatin1Char('/')) && !QFileInfo(path).isFile()) {
        error = QStringLiteral("plug-in %1 not found").arg(path);
        return false;
    }
    if (!library.load()) {
        error = QStringLiteral("%1 is not a module plug-in (%2)").arg(path, library.errorString());
        return false;
    }
    auto verification
        = reinterpret_cast<VerificationFn>(library.resolve("qt_plugin_query_verification_data"));
    auto instance = reinterpret_cast<InstanceFn>(library.resolve("qt_plugin_instance"));
    if (!verification || !instance) {
        error = QStringLiteral("%1 is not a module plug-in (entry points missing)").arg(path);
        return false;
    }
    const char *data = verification();
    if (!data || !verify(QByteArray(data), error)) {
        error = QStringLiteral("%1: %2").arg(path, error);
        return false;
    }
    object = instance();
    msp = object ? qobject_cast<Imsp *>(object) : nullptr;
    if (!msp) {
        error = QStringLiteral("%1 does not implement %2").arg(path, QLatin1String(Imsp_iid));
        return false;
    }
    return true;
}
