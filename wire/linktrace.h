#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QString>

#include <cstdio>

// The link monitor's output: every line stamped with the milliseconds since
// the trace began, printed on standard output and, with a file, written there
// too as it happens.
class LinkTrace : public QObject
{
    Q_OBJECT

public:
    explicit LinkTrace(QObject *parent = nullptr);

    bool setFile(const QString &path, QString &error);
    // Standard output unless told otherwise: a tool whose results go there
    // traces on standard error.
    void setStream(std::FILE *out) { stream = out; }
    // Rewrites "--trace FILE" into "--trace --trace-file FILE" for a command
    // line parser, which has no options with an optional value.
    static QStringList splitTraceFile(QStringList args);

public slots:
    void write(const QString &line);

private:
    QElapsedTimer clock;
    QFile file;
    std::FILE *stream = stdout;
};
