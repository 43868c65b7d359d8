#include "ckeysequencechecker.h"
#include "editbox.h"
#include "scrollarea.h"
#include "titlemenu.h"

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

// The titled pop-up menu, the scroll area's focus scrolling and the key
// sequence checker.
class tst_KeypadMenus : public QObject
{
    Q_OBJECT

private slots:
    void titleMenuOpensOnFirstEntry_data();
    void titleMenuOpensOnFirstEntry();
    void titleMenuPaintsTitleBar();
    void scrollAtFirstField();
    void scrollAtLastField();
    void typedKeyBringsFieldIntoView();
    void keySequence_data();
    void keySequence();

private:
    struct Form {
        ScrollArea area;
        QWidget *content = nullptr;
        QList<EditBox *> fields;
    };
    // Ten fields 60 pixels apart in a 600-pixel content, the last one known to the area.
    static void buildForm(Form &f);
    static void focusOn(QWidget *w)
    {
        w->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), w);
    }
};

void tst_KeypadMenus::titleMenuOpensOnFirstEntry_data()
{
    QTest::addColumn<bool>("atPosition");
    QTest::newRow("exec()") << false;
    QTest::newRow("exec(pos)") << true;
}

void tst_KeypadMenus::titleMenuOpensOnFirstEntry()
{
    QFETCH(bool, atPosition);
    TitleMenu menu;
    menu.title = QStringLiteral("File");
    QCOMPARE(menu.actions().size(), 1);
    QAction *placeholder = menu.actions().first();
    QCOMPARE(placeholder->text(), QStringLiteral("title"));
    QVERIFY(!placeholder->isEnabled());
    QAction *copy = menu.addAction(QStringLiteral("Copy"));
    menu.addAction(QStringLiteral("Paste"));
    QMenu *sub = menu.addMenu(QStringLiteral("More"));
    QCOMPARE(sub->palette(), menu.palette());

    // Return alone, as soon as the menu is up, must trigger the first real entry.
    QAction *highlighted = nullptr;
    int polls = 0;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
        if (QApplication::activePopupWidget() == &menu) {
            highlighted = menu.activeAction();
            QTest::keyClick(&menu, Qt::Key_Return);
        } else if (++polls > 200) {
            menu.close();
        }
    });
    poll.start(10);
    QAction *chosen = atPosition ? menu.exec(QPoint(20, 20)) : menu.exec();
    poll.stop();
    QCOMPARE(highlighted, copy);
    QCOMPARE(chosen, copy);
}

void tst_KeypadMenus::titleMenuPaintsTitleBar()
{
    TitleMenu menu;
    menu.title = QStringLiteral("Modules");
    menu.addAction(QStringLiteral("Delete"));
    menu.ensurePolished();
    menu.adjustSize();
    const QImage image = menu.grab().toImage();
    const QRect bar = menu.actionGeometry(menu.actions().first());
    QVERIFY(!bar.isEmpty());
    QCOMPARE(image.pixelColor(1, 1), QColor(Qt::black));
    QCOMPARE(image.pixelColor(bar.right(), bar.bottom()), QColor(Qt::black));
    int light = 0;
    for (int x = bar.left(); x <= bar.right(); ++x) {
        for (int y = bar.top(); y <= bar.bottom(); ++y)
            light += qGray(image.pixel(x, y)) > 128;
    }
    QVERIFY2(light > 10, "the title text is drawn in white on the black bar");
    // The real entry's row keeps the white menu background.
    const QRect entry = menu.actionGeometry(menu.actions().at(1));
    QCOMPARE(image.pixelColor(entry.right() - 2, entry.center().y()), QColor(Qt::white));
}

void tst_KeypadMenus::buildForm(Form &f)
{
    f.area.resize(200, 200);
    f.content = new QWidget;
    f.content->resize(180, 600);
    for (int i = 0; i < 10; ++i) {
        auto *field = new EditBox(f.content);
        field->setGeometry(10, i * 60, 100, 30);
        f.fields.append(field);
    }
    f.area.setWidget(f.content);
    f.area.lastWidget = f.fields.last();
    f.area.show();
    f.area.activateWindow();
}

void tst_KeypadMenus::scrollAtFirstField()
{
    Form f;
    buildForm(f);
    QScrollBar *bar = f.area.verticalScrollBar();
    focusOn(f.fields.at(0));
    bar->setValue(50);

    QList<int> values;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(f.fields.at(0), Qt::Key_Up);
        values.append(bar->value());
        QCOMPARE(f.area.focusWidget(), f.fields.at(0));
    }
    // Down scrolls back as many steps as Up scrolled before the focus moves on.
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(f.fields.at(0), Qt::Key_Down);
        values.append(bar->value());
        QCOMPARE(f.area.focusWidget(), f.fields.at(0));
    }
    QCOMPARE(values, (QList<int> {30, 10, 0, 0, 20, 40, 60}));
    QTest::keyClick(f.fields.at(0), Qt::Key_Down);
    QCOMPARE(f.area.focusWidget(), f.fields.at(1));
    QCOMPARE(bar->value(), 60);
}

void tst_KeypadMenus::scrollAtLastField()
{
    Form f;
    buildForm(f);
    QScrollBar *bar = f.area.verticalScrollBar();
    focusOn(f.fields.at(0));
    QTest::keyClick(f.fields.at(0), Qt::Key_Down); // the first field is fixed here
    QCOMPARE(f.area.focusWidget(), f.fields.at(1));

    EditBox *last = f.fields.last();
    focusOn(last);
    bar->setValue(bar->maximum() - 50);
    const int start = bar->value();
    int scrolled = 0;
    while (bar->value() < bar->maximum() && scrolled < 10) {
        QTest::keyClick(last, Qt::Key_Down);
        ++scrolled;
        QCOMPARE(bar->value(), qMin(start + 20 * scrolled, bar->maximum()));
    }
    QCOMPARE(scrolled, 3);
    // At the bottom Down does nothing: no wrap to the first field.
    QTest::keyClick(last, Qt::Key_Down);
    QCOMPARE(bar->value(), bar->maximum());
    QCOMPARE(f.area.focusWidget(), last);

    for (int i = 0; i < scrolled; ++i) {
        QTest::keyClick(last, Qt::Key_Up);
        QCOMPARE(f.area.focusWidget(), last);
    }
    QCOMPARE(bar->value(), bar->maximum() - 60);
    QTest::keyClick(last, Qt::Key_Up);
    QCOMPARE(f.area.focusWidget(), f.fields.at(8));
}

void tst_KeypadMenus::typedKeyBringsFieldIntoView()
{
    Form f;
    buildForm(f);
    QScrollBar *bar = f.area.verticalScrollBar();
    focusOn(f.fields.at(0));
    QTest::keyClick(f.fields.at(0), Qt::Key_Down);
    bar->setValue(0);

    // Field 3 spans 180..210 and the viewport ends before 210.
    EditBox *field = f.fields.at(3);
    const int viewport = f.area.viewport()->height();
    QVERIFY(viewport < 210);
    focusOn(field);
    QTest::keyClick(field, Qt::Key_5);
    QCOMPARE(field->text(), QStringLiteral("5"));
    QCOMPARE(bar->value(), 210 + 80 - viewport);
}

void tst_KeypadMenus::keySequence_data()
{
    QTest::addColumn<QList<int>>("sequence");
    QTest::addColumn<QList<int>>("typed");
    QTest::addColumn<QList<bool>>("matches");
    const int A = Qt::Key_A, B = Qt::Key_B;
    QTest::newRow("A A B") << QList<int> {A, A, B} << QList<int> {A, A, B}
                           << QList<bool> {false, false, true};
    // The third A resets the position; B is then compared with the first A.
    QTest::newRow("A A A B") << QList<int> {A, A, B} << QList<int> {A, A, A, B}
                             << QList<bool> {false, false, false, false};
    QTest::newRow("starts over after a match")
        << QList<int> {1, 2} << QList<int> {1, 2, 1, 2} << QList<bool> {false, true, false, true};
    QTest::newRow("wrong key in the middle")
        << QList<int> {1, 2, 3, 4} << QList<int> {1, 2, 9, 3, 4, 1, 2, 3, 4}
        << QList<bool> {false, false, false, false, false, false, false, false, true};
    QTest::newRow("empty never matches")
        << QList<int> {} << QList<int> {A, 0} << QList<bool> {false, false};
    QTest::newRow("single key") << QList<int> {5} << QList<int> {5, 5} << QList<bool> {true, true};
}

void tst_KeypadMenus::keySequence()
{
    QFETCH(QList<int>, sequence);
    QFETCH(QList<int>, typed);
    QFETCH(QList<bool>, matches);
    CKeySequenceChecker checker;
    for (int key : sequence)
        checker.pushKeyToSequence(key);
    QList<bool> results;
    for (int key : typed)
        results.append(checker.isSequenceMatched(key));
    QCOMPARE(results, matches);
}

QTEST_MAIN(tst_KeypadMenus)
#include "tst_keypadmenus.moc"
