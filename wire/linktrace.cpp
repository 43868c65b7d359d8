#include "linktrace.h"

LinkTrace::LinkTrace(QObject *parent)
    : QObject(parent)
{
    clock.start();
}

bool LinkTrace::setFile(const QString &path, QString &error)
{
    file.setFileName(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        error = QStringLiteral("cannot write the trace to %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

QStringList LinkTrace::splitTraceFile(QStringList args)
{
    for (int i = 1; i < args.size(); ++i) {
        if (args.at(i).startsWith(QLatin1String("--trace="))) {
            args.insert(i + 1, QStringLiteral("--trace-file=") + args.at(i).mid(8));
            args[i] = QStringLiteral("--trace");
        } else if (args.at(i) == QLatin1String("--trace") && i + 1 < args.size()
                   && !args.at(i + 1).startsWith(QLatin1Char('-'))) {
            args[i + 1] = QStringLiteral("--trace-file=") + args.at(i + 1);
        }
    }
    return args;
}

void LinkTrace::write(const QString &line)
{
    const QByteArray text = QStringLiteral("%1 %2\n")
                                .arg(double(clock.nsecsElapsed()) / 1e6, 10, 'f', 3)
                                .arg(line)
                                .toLocal8Bit();
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stream);
    std::fflush(stream);
    if (file.isOpen()) {
        file.write(text);
        file.flush();
    }
}
