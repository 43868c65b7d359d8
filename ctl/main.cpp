// zetavx-ctl: reads a Zeta-VX module's configuration, compares it with a
// configuration file and applies the file, from the command line.

#include "ctlcommand.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zetavx-ctl"));
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    CtlCommand command(out, err);
    command.setProgressLine(isatty(STDERR_FILENO) != 0);
    return command.run(QCoreApplication::arguments());
}
