#include "iform.h"
#include "stackediform.h"

#include <QSignalSpy>
#include <QtTest>

class tst_StackedIForm : public QObject
{
    Q_OBJECT

private slots:
    void emptyStack();
    void lookup();
    void plainWidget();
    void switching();
};

void tst_StackedIForm::emptyStack()
{
    StackedIForm stack;
    QCOMPARE(stack.indexOf(QStringLiteral("A")), -1);
    QVERIFY(!stack.form(QStringLiteral("A")));
    QCOMPARE(stack.currentForm(), QString());
}

void tst_StackedIForm::lookup()
{
    StackedIForm stack;
    auto *a = new IForm(QStringLiteral("A"));
    auto *b = new IForm(QStringLiteral("B"));
    auto *b2 = new IForm(QStringLiteral("B"));
    stack.addWidget(a);
    stack.addWidget(b);
    stack.addWidget(b2);
    QCOMPARE(stack.indexOf(QStringLiteral("B")), 1);
    QCOMPARE(stack.form(QStringLiteral("B")), b);
    QCOMPARE(stack.form(QStringLiteral("A")), a);
    QCOMPARE(stack.indexOf(QStringLiteral("b")), -1);
    QCOMPARE(stack.currentForm(), QStringLiteral("A"));
}

void tst_StackedIForm::plainWidget()
{
    StackedIForm stack;
    auto *plain = new QWidget;
    plain->setObjectName(QStringLiteral("A"));
    stack.addWidget(plain);
    stack.addWidget(new IForm(QStringLiteral("A")));
    QCOMPARE(stack.indexOf(QStringLiteral("A")), 1);
    QCOMPARE(stack.currentWidget(), plain);
    QCOMPARE(stack.currentForm(), QString());
}

void tst_StackedIForm::switching()
{
    StackedIForm stack;
    stack.addWidget(new IForm(QStringLiteral("Menu")));
    stack.addWidget(new IForm(QStringLiteral("Cfg")));
    QSignalSpy changed(&stack, &QStackedWidget::currentChanged);

    stack.setCurrentForm(QStringLiteral("cfg"));
    QCOMPARE(stack.currentForm(), QStringLiteral("Menu"));
    stack.setCurrentForm(QStringLiteral("Nowhere"));
    QCOMPARE(stack.currentForm(), QStringLiteral("Menu"));
    stack.setCurrentForm(QStringLiteral("Menu"));
    QCOMPARE(changed.count(), 0);

    stack.setCurrentForm(QStringLiteral("Cfg"));
    QCOMPARE(stack.currentForm(), QStringLiteral("Cfg"));
    QCOMPARE(changed.count(), 1);
}

QTEST_MAIN(tst_StackedIForm)
#include "tst_stackediform.moc"
