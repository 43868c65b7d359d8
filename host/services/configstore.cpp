#include "configstore.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryFile>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Module keys come from the plug-in: keep them from naming other folders.
QString safeName(QString text)
{
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9_.-]"));
    text.replace(unsafe, QStringLiteral("_"));
    if (text.isEmpty() || text.startsWith(QLatin1Char('.')))
        text.prepend(QLatin1Char('_'));
    return text;
}
} // namespace

ConfigStore::ConfigStore(const QString &folder)
    : dir(folder)
{ }

QString ConfigStore::fileFor(const QString &family, const QString &moduleKey) const
{
    return QDir(dir).filePath(safeName(family) + QLatin1Char('-') + safeName(moduleKey)
                              + QStringLiteral(".ini"));
}

bool ConfigStore::save(const QString &family, const QString &moduleKey,
                       const QHash<QString, QVariant> &config, QString &error)
{
    if (!QDir().mkpath(dir)) {
        error = QStringLiteral("cannot create %1").arg(dir);
        return false;
    }
    // The settings class writes a new file of its own beside the old one,
    // which then takes the old one's place: whatever was there (a link, a
    // pipe, a huge file) is neither followed, opened nor read, and stays as
    // it was when the write fails.
    const QString path = fileFor(family, moduleKey);
    QTemporaryFile fresh(path + QStringLiteral(".XXXXXX"));
    if (!fresh.open()) {
        error = QStringLiteral("cannot write in %1: %2").arg(dir, fresh.errorString());
        return false;
    }
    bool ok = false;
    {
        QSettings s(fresh.fileName(), QSettings::IniFormat);
        s.beginGroup(QStringLiteral("config"));
        for (auto it = config.constBegin(); it != config.constEnd(); ++it)
            s.setValue(it.key(), it.value());
        s.endGroup();
        s.sync();
        ok = s.status() == QSettings::NoError;
    }
    if (!ok
        || std::rename(QFile::encodeName(fresh.fileName()).constData(),
                       QFile::encodeName(path).constData())
            != 0) {
        error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    fresh.setAutoRemove(false);
    return true;
}

QHash<QString, QVariant> ConfigStore::load(const QString &family, const QString &moduleKey) const
{
    QHash<QString, QVariant> config;
    const QString path = fileFor(family, moduleKey);
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return config;
    // Opened without following a link and without waiting on a pipe; only a
    // plain file of a sane size is read.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat st {
    };
    if (fd < 0 || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        qWarning().noquote() << "Stored configuration" << path << "is not a plain file; not loaded";
        if (fd >= 0)
            ::close(fd);
        return config;
    }
    QFile in;
    in.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const QByteArray bytes = in.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize) {
        qWarning().noquote() << "Stored configuration" << path << "is larger than" << MaxFileSize
                             << "bytes; not loaded";
        return config;
    }
    // Parsed from a copy of its own: the settings class would answer a file
    // replaced within the same millisecond from its cache.
    QTemporaryFile copy;
    if (!copy.open() || copy.write(bytes) != bytes.size() || !copy.flush())
        return config;
    QSettings s(copy.fileName(), QSettings::IniFormat);
    s.beginGroup(QStringLiteral("config"));
    for (const QString &key : s.childKeys())
        config.insert(key, s.value(key));
    return config;
}
