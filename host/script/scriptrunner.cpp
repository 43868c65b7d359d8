#include "scriptrunner.h"

#include "hostwindow.h"
#include "languageswitcher.h"
#include "mediawatcher.h"
#include "moduleemulator.h"
#include "modulelink.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

namespace {
struct NamedKey {
    const char *name;
    int key;
};
const NamedKey namedKeys[] = {
    {"up", Qt::Key_Up},       {"down", Qt::Key_Down},           {"left", Qt::Key_Left},
    {"right", Qt::Key_Right}, {"return", Qt::Key_Return},       {"ok", Qt::Key_Return},
    {"enter", Qt::Key_Enter}, {"escape", Qt::Key_Escape},       {"esc", Qt::Key_Escape},
    {"tab", Qt::Key_Tab},     {"backspace", Qt::Key_Backspace}, {"delete", Qt::Key_Delete},
    {"space", Qt::Key_Space}, {"home", Qt::Key_Home},           {"end", Qt::Key_End},
};

QString keyText(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return QString(QChar(key));
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return QString(QChar(key)).toLower();
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return QStringLiteral("\r");
    if (key == Qt::Key_Space)
        return QStringLiteral(" ");
    if (key == Qt::Key_Backspace)
        return QStringLiteral("\b");
    return QString();
}

// How many keys a step presses, one a tick; other steps take one tick.
int strokes(const ScriptRunner::Step &step)
{
    if (step.command == QLatin1String("key"))
        return step.args.size();
    if (step.command == QLatin1String("keys"))
        return step.args.value(0).size();
    return 1;
}
} // namespace

ScriptRunner::ScriptRunner(HostWindow *window, QObject *parent)
    : QObject(parent)
    , window(window)
{
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &ScriptRunner::next);
}

int ScriptRunner::keyCode(const QString &name)
{
    const QString n = name.toLower();
    for (const NamedKey &k : namedKeys)
        if (n == QLatin1String(k.name))
            return k.key;
    static const QRegularExpression fkey(QStringLiteral("^f([1-9]|1[0-2])$"));
    const QRegularExpressionMatch m = fkey.match(n);
    if (m.hasMatch())
        return Qt::Key_F1 + m.captured(1).toInt() - 1;
    if (n.size() == 1 && n.at(0).isDigit())
        return Qt::Key_0 + n.at(0).digitValue();
    if (n.size() == 1 && n.at(0) >= QLatin1Char('a') && n.at(0) <= QLatin1Char('z'))
        return Qt::Key_A + (n.at(0).unicode() - 'a');
    return 0;
}

bool ScriptRunner::parseLine(const QString &text, int line, Step &step, QString &error)
{
    step = Step();
    step.line = line;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
        return true;
    const int space = trimmed.indexOf(QRegularExpression(QStringLiteral("\\s")));
    step.command = (space < 0 ? trimmed : trimmed.left(space)).toLower();
    const QString rest = space < 0 ? QString() : trimmed.mid(space + 1).trimmed();
    auto fail = [&](const QString &why) {
        error = QStringLiteral("line %1: %2").arg(line).arg(why);
        return false;
    };
    if (step.command == QLatin1String("keys") || step.command == QLatin1String("echo")
        || step.command == QLatin1String("shot")) {
        if (rest.isEmpty() && step.command != QLatin1String("echo"))
            return fail(QStringLiteral("%1 needs an argument").arg(step.command));
        step.args << rest;
        return true;
    }
    step.args = rest.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (step.command == QLatin1String("key")) {
        if (step.args.isEmpty())
            return fail(QStringLiteral("key needs at least one key name"));
        for (const QString &name : qAsConst(step.args))
            if (!keyCode(name))
                return fail(QStringLiteral("unknown key \"%1\"").arg(name));
        return true;
    }
    if (step.command == QLatin1String("wait") && step.args.value(0) == QLatin1String("idle")) {
        bool ok = step.args.size() == 1;
        const int ms = ok ? 0 : step.args.value(1).toInt(&ok);
        if (step.args.size() > 2 || !ok || ms < 0 || ms > 600000)
            return fail(QStringLiteral("wait idle takes a time in milliseconds (0..600000)"));
        return true;
    }
    if (step.command == QLatin1String("wait")) {
        bool ok = false;
        const int ms = step.args.value(0).toInt(&ok);
        if (step.args.size() != 1 || !ok || ms < 0 || ms > 600000)
            return fail(QStringLiteral("wait needs a time in milliseconds (0..600000)"));
        return true;
    }
    if (step.command == QLatin1String("lang")) {
        if (step.args.size() != 1)
            return fail(QStringLiteral("lang needs a language code"));
        return true;
    }
    if (step.command == QLatin1String("medium")) {
        if (step.args.size() != 2
            || (step.args[1] != QLatin1String("on") && step.args[1] != QLatin1String("off")))
            return fail(QStringLiteral("medium needs a name and on or off"));
        return true;
    }
    if (step.command == QLatin1String("state") || step.command == QLatin1String("quit")) {
        if (!step.args.isEmpty())
            return fail(QStringLiteral("%1 takes no argument").arg(step.command));
        return true;
    }
    return fail(QStringLiteral("unknown command \"%1\"").arg(step.command));
}

bool ScriptRunner::load(const QString &path, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = QStringLiteral("cannot read script %1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > 1024 * 1024) {
        error = QStringLiteral("script %1 is too large").arg(path);
        return false;
    }
    if (!loadText(QString::fromUtf8(file.readAll()), error)) {
        error = QStringLiteral("%1: %2").arg(path, error);
        return false;
    }
    return true;
}

bool ScriptRunner::loadText(const QString &text, QString &error)
{
    QList<Step> parsed;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        Step step;
        if (!parseLine(lines.at(i), i + 1, step, error))
            return false;
        if (!step.command.isEmpty())
            parsed.append(step);
    }
    script = parsed;
    return true;
}

void ScriptRunner::start()
{
    index = 0;
    stroke = 0;
    timer.start(0);
}

void ScriptRunner::next()
{
    if (index >= script.size()) {
        emit finished(0);
        return;
    }
    const Step step = script.at(index);
    {
        QString error;
        if (awaitingIdle(step, error)) {
            if (error.isEmpty()) {
                timer.start(IdlePollMs);
                return;
            }
            emit message(QStringLiteral("script line %1: %2").arg(step.line).arg(error));
            emit finished(2);
            return;
        }
    }
    // Keys on one line go out one a tick, each after the one before has
    // moved the focus, as if pressed one after another.
    const int key = stroke;
    if (++stroke >= strokes(step)) {
        stroke = 0;
        ++index;
    }
    int pause = 0;
    QString error;
    // The next step is armed before this one runs: a key may open a modal
    // dialog whose nested event loop must go on playing the script.
    timer.start(keyDelay);
    if (!run(step, key, pause, error)) {
        timer.stop();
        emit message(QStringLiteral("script line %1: %2").arg(step.line).arg(error));
        emit finished(2);
        return;
    }
    if (step.command == QLatin1String("quit")) {
        timer.stop();
        index = script.size();
        emit finished(0);
        return;
    }
    if (pause != keyDelay)
        timer.start(pause);
}

bool ScriptRunner::awaitingIdle(const Step &step, QString &error)
{
    if (step.command != QLatin1String("wait") || step.args.value(0) != QLatin1String("idle"))
        return false;
    if (!link) {
        error = QStringLiteral("no link to wait for");
        return true;
    }
    if (!idleClock.isValid())
        idleClock.start();
    if (link->isIdle()) {
        idleClock.invalidate();
        return false;
    }
    const int limit = step.args.size() > 1 ? step.args.at(1).toInt() : DefaultIdleMs;
    if (idleClock.elapsed() >= limit) {
        idleClock.invalidate();
        error = QStringLiteral("the link is still busy after %1 ms").arg(limit);
    }
    return true;
}

bool ScriptRunner::run(const Step &step, int which, int &pause, QString &error)
{
    const QString &c = step.command;
    pause = 0;
    if (c == QLatin1String("key")) {
        const int key = keyCode(step.args.at(which));
        window->sendKey(key, keyText(key));
        pause = keyDelay;
    } else if (c == QLatin1String("keys")) {
        const QChar ch = step.args.value(0).at(which);
        const int key = keyCode(QString(ch));
        if (!key) {
            error = QStringLiteral("no key types \"%1\"").arg(ch);
            return false;
        }
        window->sendKey(key, QString(ch));
        pause = keyDelay;
    } else if (c == QLatin1String("wait")) {
        pause = step.args.value(0).toInt(); // 0 (then 1) once "wait idle" is over
    } else if (c == QLatin1String("shot")) {
        const QString path = QDir(window->screenshotDir().isEmpty() ? QDir::currentPath()
                                                                    : window->screenshotDir())
                                 .filePath(step.args.value(0));
        if (!window->saveScreenshot(path, error))
            return false;
        emit message(QStringLiteral("screenshot %1").arg(QDir::cleanPath(path)));
    } else if (c == QLatin1String("lang")) {
        if (!window->language() || !window->language()->setLanguage(step.args.value(0), error)) {
            if (error.isEmpty())
                error = QStringLiteral("no language switching in this host");
            return false;
        }
    } else if (c == QLatin1String("medium")) {
        MediaWatcher *media = window->media();
        const MediaWatcher::Medium *found = nullptr;
        if (media)
            for (const MediaWatcher::Medium &m : media->media())
                if (m.name == step.args.value(0))
                    found = &m;
        if (!found) {
            error = QStringLiteral("no medium %1").arg(step.args.value(0));
            return false;
        }
        const bool on = step.args.value(1) == QLatin1String("on");
        QDir dir(found->path);
        if (on ? !QDir().mkpath(found->path) : (dir.exists() && !dir.removeRecursively())) {
            error = QStringLiteral("cannot %1 %2")
                        .arg(on ? QStringLiteral("create") : QStringLiteral("remove"), found->path);
            return false;
        }
        media->rescan();
    } else if (c == QLatin1String("state")) {
        if (!window->module()) {
            error = QStringLiteral("the link is not the in-process emulator");
            return false;
        }
        const QHash<QString, QVariant> hash = window->module()->configHash();
        QStringList keys = hash.keys();
        keys.sort();
        QStringList parts;
        for (const QString &k : keys)
            parts << QStringLiteral("%1=%2").arg(k, hash.value(k).toString());
        emit message(QStringLiteral("emulator state: %1").arg(parts.join(QLatin1Char(' '))));
    } else if (c == QLatin1String("echo")) {
        emit message(step.args.value(0));
    }
    if (pause == 0)
        pause = 1;
    return true;
}
