#include "testmain.h"

namespace {
QtMessageHandler testLog = nullptr;
bool connectFailed = false;

void failOnConnectWarning(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    testLog(type, context, message);
    if (type != QtWarningMsg || !message.startsWith(QLatin1String("QObject::connect:")))
        return;
    connectFailed = true;
    if (QTest::currentTestFunction())
        QTest::qFail(qPrintable(QStringLiteral("Unexpected warning: ") + message),
                     context.file ? context.file : "", context.line);
}
} // namespace

int TestMain::exec(QObject *testObject, int argc, char **argv)
{
    QTest::qInit(testObject, argc, argv);
    // Installed after qInit, on top of QTest's own handler, which still logs
    // every message.
    testLog = qInstallMessageHandler(failOnConnectWarning);
    int result = QTest::qRun();
    qInstallMessageHandler(testLog);
    QTest::qCleanup();
    if (connectFailed && result == 0) {
        qWarning("A QObject::connect warning came outside a test function");
        result = 1;
    }
    return result;
}
