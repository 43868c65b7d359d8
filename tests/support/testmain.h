#pragma once

#include <QtTest>

// QTest::qExec, except that a "QObject::connect:" warning fails the test
// function it came from, or the run: a connection not made is a fault.
inline int mspTestExec(QObject *testObject, int argc, char **argv)
{
    static QtMessageHandler testLog = nullptr;
    static bool connectFailed = false;
    QTest::qInit(testObject, argc, argv);
    // On top of QTest's own handler, which still logs every message.
    testLog = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            testLog(type, context, message);
            if (type != QtWarningMsg || !message.startsWith(QLatin1String("QObject::connect:")))
                return;
            connectFailed = true;
            if (QTest::currentTestFunction())
                QTest::qFail(qPrintable("Unexpected warning: " + message), "", 0);
        });
    const int result = QTest::qRun();
    qInstallMessageHandler(testLog);
    QTest::qCleanup();
    return result ? result : int(connectFailed);
}

// In place of QTEST_MAIN and QTEST_GUILESS_MAIN.
#define MSP_TEST_MAIN_WITH(Application, TestObject) \
    int main(int argc, char *argv[]) \
    { \
        Application app(argc, argv); \
        app.setAttribute(Qt::AA_Use96Dpi, true); \
        TestObject tc; \
        QTEST_SET_MAIN_SOURCE_PATH \
        return mspTestExec(&tc, argc, argv); \
    }
#if defined(QT_WIDGETS_LIB)
#define MSP_TEST_MAIN(TestObject) MSP_TEST_MAIN_WITH(QApplication, TestObject)
#elif defined(QT_GUI_LIB)
#define MSP_TEST_MAIN(TestObject) MSP_TEST_MAIN_WITH(QGuiApplication, TestObject)
#else
#define MSP_TEST_MAIN(TestObject) MSP_TEST_MAIN_WITH(QCoreApplication, TestObject)
#endif
#define MSP_TEST_GUILESS_MAIN(TestObject) MSP_TEST_MAIN_WITH(QCoreApplication, TestObject)
