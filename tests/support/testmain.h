#pragma once

#include <QtTest>

// Runs a test object as QTest::qExec does, except that a "QObject::connect:"
// warning fails the test function that caused it, or the whole run outside
// one: a connection that was not made is a fault, not a line in the log.
class TestMain
{
public:
    static int exec(QObject *testObject, int argc, char **argv);
};

// The application class QTEST_MAIN would pick for what the test links.
#if defined(QT_WIDGETS_LIB)
#define MSP_TEST_APPLICATION QApplication
#elif defined(QT_GUI_LIB)
#define MSP_TEST_APPLICATION QGuiApplication
#else
#define MSP_TEST_APPLICATION QCoreApplication
#endif

// In place of QTEST_MAIN, QTEST_GUILESS_MAIN and QTEST_APPLESS_MAIN.
#define MSP_TEST_MAIN_WITH(Application, TestObject) \
    int main(int argc, char *argv[]) \
    { \
        QTest::Internal::callInitMain<TestObject>(); \
        Application app(argc, argv); \
        app.setAttribute(Qt::AA_Use96Dpi, true); \
        TestObject tc; \
        QTEST_SET_MAIN_SOURCE_PATH \
        return TestMain::exec(&tc, argc, argv); \
    }
#define MSP_TEST_MAIN(TestObject) MSP_TEST_MAIN_WITH(MSP_TEST_APPLICATION, TestObject)
#define MSP_TEST_GUILESS_MAIN(TestObject) MSP_TEST_MAIN_WITH(QCoreApplication, TestObject)
#define MSP_TEST_APPLESS_MAIN(TestObject) \
    int main(int argc, char *argv[]) \
    { \
        TestObject tc; \
        QTEST_SET_MAIN_SOURCE_PATH \
        return TestMain::exec(&tc, argc, argv); \
    }
