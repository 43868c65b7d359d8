#include "mediawatcher.h"

#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <unistd.h>

MediaWatcher::MediaWatcher(QObject *parent)
    : QObject(parent)
{
    connect(&watcher, &QFileSystemWatcher::directoryChanged, this, &MediaWatcher::rescan);
}

void MediaWatcher::ignoreMediaSignals()
{
    std::signal(SIGUSR1, SIG_IGN);
    std::signal(SIGUSR2, SIG_IGN);
    std::signal(SIGALRM, SIG_IGN);
}

int MediaWatcher::signalFor(Kind kind, bool present)
{
    if (kind == Sd)
        return present ? SIGCONT : SIGALRM;
    return present ? SIGUSR1 : SIGUSR2;
}

bool MediaWatcher::addMedium(const QString &medium, QString &error)
{
    const int eq = medium.indexOf(QLatin1Char('='));
    if (eq <= 0 || eq == medium.size() - 1) {
        error = QStringLiteral("bad medium \"%1\": expected NAME=PATH").arg(medium);
        return false;
    }
    Medium m;
    m.name = medium.left(eq);
    m.path = QDir::cleanPath(QDir(medium.mid(eq + 1)).absolutePath());
    m.kind = m.name.startsWith(QLatin1String("SD"), Qt::CaseInsensitive) ? Sd : Usb;
    for (const Medium &other : qAsConst(list)) {
        if (other.name == m.name) {
            error = QStringLiteral("medium %1 given twice").arg(m.name);
            return false;
        }
    }
    const QString parentDir = QFileInfo(m.path).absolutePath();
    if (!QFileInfo(parentDir).isDir()) {
        error = QStringLiteral("the folder %1 that should hold medium %2 does not exist")
                    .arg(parentDir, m.name);
        return false;
    }
    m.present = QFileInfo(m.path).isDir();
    list.append(m);
    if (!watcher.directories().contains(parentDir))
        watcher.addPath(parentDir);
    return true;
}

void MediaWatcher::presentMedia(int selector, QStringList &names, QStringList &paths) const
{
    names.clear();
    paths.clear();
    for (const Medium &m : list) {
        if (m.present && (selector & m.kind)) {
            names << m.name;
            paths << m.path;
        }
    }
}

void MediaWatcher::rescan()
{
    for (Medium &m : list) {
        const bool present = QFileInfo(m.path).isDir();
        if (present == m.present)
            continue;
        m.present = present;
        const int sig = signalFor(m.kind, present);
        emit mediumChanged(m.name, present, sig);
        if (raiseSignals)
            ::kill(::getpid(), sig);
    }
}
