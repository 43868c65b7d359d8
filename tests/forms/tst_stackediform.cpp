#include "iform.h"
#include "stackediform.h"
#include "testmain.h"

#include <QSignalSpy>

class tst_StackedIForm : public QObject
{
    Q_OBJECT

private slots:
    void lookupAndSwitch();
};

void tst_StackedIForm::lookupAndSwitch()
{
    StackedIForm stack;
    QCOMPARE(stack.indexOf(QStringLiteral("A")), -1);
    QVERIFY(!stack.form(QStringLiteral("A")));
    QCOMPARE(stack.currentForm(), QString());

    // A plain widget is skipped by every lookup, even under a form's name.
    auto *plain = new QWidget;
    plain->setObjectName(QStringLiteral("A"));
    auto *a = new IForm(QStringLiteral("A"));
    auto *b = new IForm(QStringLiteral("B"));
    for (QWidget *w : QList<QWidget *> {plain, a, b, new IForm(QStringLiteral("B"))})
        stack.addWidget(w);
    QCOMPARE(stack.currentForm(), QString());
    QCOMPARE(stack.indexOf(QStringLiteral("A")), 1);
    QCOMPARE(stack.form(QStringLiteral("A")), a);
    QCOMPARE(stack.indexOf(QStringLiteral("B")), 2);
    QCOMPARE(stack.form(QStringLiteral("B")), b);

    // Only the exact name of another form switches.
    stack.setCurrentForm(QStringLiteral("A"));
    QSignalSpy changed(&stack, &QStackedWidget::currentChanged);
    for (const char *id : {"b", "Nowhere", "A"})
        stack.setCurrentForm(QLatin1String(id));
    QCOMPARE(stack.currentForm(), QStringLiteral("A"));
    QCOMPARE(changed.count(), 0);
    stack.setCurrentForm(QStringLiteral("B"));
    QCOMPARE(stack.currentWidget(), b);
    QCOMPARE(changed.count(), 1);
}

MSP_TEST_MAIN(tst_StackedIForm)
#include "tst_stackediform.moc"
