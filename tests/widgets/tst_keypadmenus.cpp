#include "editbox.h"
#include "scrollarea.h"
#include "testmain.h"
#include "titlemenu.h"

#include <QAction>
#include <QApplication>
#include <QScrollBar>

// The titled pop-up menu and the scroll area's focus scrolling. Opening a title
// menu on its first entry is driven through the configuration form's file menu,
// the key sequence checker through the main menu's access sequence.
class tst_KeypadMenus : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void titleMenu();
    void scrollAtEdgeFields_data();
    void scrollAtEdgeFields();
    void typedKeyBringsFieldIntoView();

private:
    void focusOn(QWidget *w)
    {
        w->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), w);
    }

    // Ten fields 60 pixels apart in a 600-pixel content, the last one known to the area.
    ScrollArea *area = nullptr;
    QList<EditBox *> fields;
};

void tst_KeypadMenus::init()
{
    area = new ScrollArea;
    area->resize(200, 200);
    auto *content = new QWidget;
    content->resize(180, 600);
    fields.clear();
    for (int i = 0; i < 10; ++i) {
        fields.append(new EditBox(content));
        fields.last()->setGeometry(10, i * 60, 100, 30);
    }
    area->setWidget(content);
    area->lastWidget = fields.last();
    area->show();
    area->activateWindow();
    // The first focus move fixes the first field.
    focusOn(fields.at(0));
    QTest::keyClick(fields.at(0), Qt::Key_Down);
    QCOMPARE(area->focusWidget(), fields.at(1));
}

void tst_KeypadMenus::cleanup() { delete area; }

void tst_KeypadMenus::titleMenu()
{
    TitleMenu menu;
    menu.title = QStringLiteral("File");
    QCOMPARE(menu.actions().size(), 1);
    QCOMPARE(menu.actions().first()->text(), QStringLiteral("title"));
    QVERIFY(!menu.actions().first()->isEnabled());
    QAction *copy = menu.addAction(QStringLiteral("Copy"));
    QCOMPARE(menu.addMenu(QStringLiteral("More"))->palette(), menu.palette());
    // A black bar over the title row, the entries on white.
    menu.adjustSize();
    const QImage image = menu.grab().toImage();
    const QRect entry = menu.actionGeometry(copy);
    QCOMPARE(image.pixelColor(menu.actionGeometry(menu.actions().first()).bottomRight()),
             QColor(Qt::black));
    QCOMPARE(image.pixelColor(entry.right() - 2, entry.center().y()), QColor(Qt::white));
}

void tst_KeypadMenus::scrollAtEdgeFields_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("outward");
    QTest::addColumn<int>("neighbour");
    QTest::newRow("first field") << 0 << int(Qt::Key_Up) << 1;
    QTest::newRow("last field") << 9 << int(Qt::Key_Down) << 8;
}

void tst_KeypadMenus::scrollAtEdgeFields()
{
    QFETCH(int, field);
    QFETCH(int, outward);
    QFETCH(int, neighbour);
    const auto inward = Qt::Key(outward == Qt::Key_Up ? Qt::Key_Down : Qt::Key_Up);
    EditBox *edge = fields.at(field);
    QScrollBar *bar = area->verticalScrollBar();
    // How far the content is from the end the edge field lies at.
    auto distance = [&] { return field ? bar->maximum() - bar->value() : bar->value(); };
    focusOn(edge);
    bar->setValue(field ? bar->maximum() - 50 : 50);

    // Outward the content scrolls in steps up to its end and stops there;
    // inward it scrolls back as many steps before the focus moves on.
    QList<int> distances;
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(edge, i < 4 ? Qt::Key(outward) : inward);
        distances.append(distance());
        QCOMPARE(area->focusWidget(), edge);
    }
    QCOMPARE(distances, (QList<int> {30, 10, 0, 0, 20, 40, 60}));
    QTest::keyClick(edge, inward);
    QCOMPARE(area->focusWidget(), fields.at(neighbour));
    QCOMPARE(distance(), 60);
}

void tst_KeypadMenus::typedKeyBringsFieldIntoView()
{
    QScrollBar *bar = area->verticalScrollBar();
    bar->setValue(0);
    // Field 3 spans 180..210 and the viewport ends before 210.
    const int viewport = area->viewport()->height();
    QVERIFY(viewport < 210);
    focusOn(fields.at(3));
    QTest::keyClick(fields.at(3), Qt::Key_5);
    QCOMPARE(fields.at(3)->text(), QStringLiteral("5"));
    QCOMPARE(bar->value(), 210 + 80 - viewport);
}

MSP_TEST_MAIN(tst_KeypadMenus)
#include "tst_keypadmenus.moc"
