#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

class HostWindow;
class ModuleLink;

// Plays a script of keys, waits and screenshots on the host, one command a
// line ('#' starts a comment):
//
//   key NAME...        keys by name: Up Down Left Right Return Enter Escape
//                      F1..F12 Tab Backspace 0..9 (e.g. "key Down Down Return")
//   keys TEXT          types each character of TEXT as its key
//   wait MS            lets the host run for MS milliseconds
//   wait idle [MS]     waits until the link has no request outstanding, at
//                      most MS milliseconds (default 10000), else fails
//   shot FILE          saves the screen as a PNG (relative to the shot folder)
//   lang CODE          switches the plug-in's language (en, es)
//   medium NAME on|off creates or removes the folder of a medium
//   state              prints the in-process emulator's configuration
//   echo TEXT          prints TEXT
//   quit               ends the script (and the host)
//
// Each key, also each of several on one line, is followed by a pause (the key
// delay) so that the screen settles.
class ScriptRunner : public QObject
{
    Q_OBJECT

public:
    struct Step {
        int line = 0;
        QString command;
        QStringList args;
    };

    static constexpr int DefaultIdleMs = 10000;
    static constexpr int IdlePollMs = 20;

    explicit ScriptRunner(HostWindow *window, QObject *parent = nullptr);

    static int keyCode(const QString &name);
    // A blank or comment line gives an empty command.
    static bool parseLine(const QString &text, int line, Step &step, QString &error);
    bool load(const QString &path, QString &error);
    bool loadText(const QString &text, QString &error);
    const QList<Step> &steps() const { return script; }

    void setKeyDelay(int ms) { keyDelay = ms; }
    // The link that "wait idle" watches.
    void setLink(ModuleLink *moduleLink) { link = moduleLink; }
    void start();

signals:
    void message(const QString &text);
    void finished(int exitCode);

private:
    void next();
    // which: the key of a key step to press.
    bool run(const Step &step, int which, int &pause, QString &error);

    // True while a "wait idle" step still waits; fails it once out of time.
    bool awaitingIdle(const Step &step, QString &error);

    HostWindow *window;
    ModuleLink *link = nullptr;
    QElapsedTimer idleClock; // invalid unless a "wait idle" step runs
    QList<Step> script;
    int index = 0;
    int stroke = 0; // the next key of the step at index
    int keyDelay = 150;
    QTimer timer;
};
