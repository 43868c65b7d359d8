#include "channelspinbox.h"
#include "checkbox.h"
#include "combobox.h"
#include "editbox.h"
#include "falertmessage.h"
#include "modalanswerer.h"
#include "scrollarea.h"
#include "spinbox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include "testmain.h"

namespace {
// A form that records the keys its fields hand on to it.
class KeyForm : public QWidget
{
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent *event) override { keys.append(event->key()); }
};
} // namespace

// The keypad widget set: the fields' keys inside a real form (a field before, the
// widget under test, a field after), the alert dialog they share and the scroll
// area's focus scrolling. The title menu is driven through the forms' menus, the
// key sequence checker through the main menu's access sequence.
class tst_EditWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void keys_data();
    void keys();
    void channelSpinBox();
    void editModeAndValidateInput();
    void alert_data();
    void alert();
    void scrollArea();

private:
    void focusOn(QWidget *w)
    {
        w->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), w);
    }
};

void tst_EditWidgets::keys_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("move");
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("toForm");
    QTest::addColumn<QString>("message");

    // start: the values given to the widget's user property (text, current item, value,
    // checked) one after the other; state: that property after the key; move: -1 to the
    // field before, 1 to the field after; message: the alert shown, if any. "edit+" keeps
    // Return; a combo box opens its list on Return; the spin box's digit rule alone sets
    // its value.
    const int Up = Qt::Key_Up, Down = Qt::Key_Down, Left = Qt::Key_Left, Right = Qt::Key_Right;
    const int Return = Qt::Key_Return;
    const QString range = QStringLiteral(" is out of range\nvalid range is 0 - 99");
    QTest::newRow("edit: return") << "edit" << Return << "id" << 0 << "id" << true << "";
    QTest::newRow("edit+: return") << "edit+" << Return << "id" << 0 << "id" << false << "";
    QTest::newRow("edit+: enter") << "edit+" << int(Qt::Key_Enter) << "id" << 0 << "id" << true
                                  << "";
    QTest::newRow("edit: any text") << "edit" << Up << "x y?" << -1 << "x y?" << false << "";
    QTest::newRow("edit: int too big")
        << "edit int" << Down << "7|120" << 1 << "7" << false << "Value 120" + range;
    QTest::newRow("edit: double") << "edit double" << Down << "1.5|20" << 1 << "1.5" << false
                                  << "Value 20 is out of range\nvalid range is 0.5 - 12.25";
    QTest::newRow("edit: other validator")
        << "edit regexp" << Down << "AB|A" << 1 << "AB" << false << "Value A is out of range";
    QTest::newRow("edit: no error dialog")
        << "edit int silent" << Down << "7|120" << 1 << "7" << false << "";
    // The form gets the key and keeps the focus where it is.
    QTest::newRow("edit: to the parent")
        << "edit int to parent" << Up << "5|500" << 0 << "5" << true << "Value 500" + range;
    QTest::newRow("edit: locked") << "edit int locked" << Down << "5|500" << 0 << "500" << false
                                  << "";
    QTest::newRow("combo: left wraps") << "combo" << Left << "13V" << 0 << "Off" << false << "";
    QTest::newRow("combo: left") << "combo" << Left << "18V" << 0 << "13V" << false << "";
    QTest::newRow("combo: right wraps") << "combo" << Right << "Off" << 0 << "13V" << false << "";
    QTest::newRow("combo: up") << "combo" << Up << "18V" << -1 << "18V" << false << "";
    QTest::newRow("combo: return") << "combo" << Return << "18V" << 0 << "18V" << false << "";
    QTest::newRow("spin: right stops") << "spin" << Right << "8" << 0 << "10" << false << "";
    QTest::newRow("spin: left") << "spin" << Left << "8" << 0 << "5" << false << "";
    QTest::newRow("spin: down") << "spin" << Down << "8" << 1 << "8" << false << "";
    QTest::newRow("spin: digit") << "spin" << int(Qt::Key_4) << "8" << 0 << "4" << false << "";
    QTest::newRow("check: return") << "check" << Return << "false" << 0 << "true" << false << "";
    QTest::newRow("check: return again")
        << "check" << Return << "true" << 0 << "false" << false << "";
}

void tst_EditWidgets::keys()
{
    QFETCH(QString, kind);
    QFETCH(int, key);
    QFETCH(QString, start);
    QFETCH(int, move);
    QFETCH(QString, state);
    QFETCH(bool, toForm);
    QFETCH(QString, message);

    KeyForm form;
    auto *layout = new QVBoxLayout(&form);
    auto *before = new EditBox(&form);
    layout->addWidget(before);
    QWidget *w = nullptr;
    if (kind == QLatin1String("combo")) {
        auto *combo = new ComboBox(&form);
        combo->addItems({"13V", "18V", "Off"});
        w = combo;
    } else if (kind == QLatin1String("spin")) {
        auto *spin = new SpinBox(&form);
        spin->setRange(0, 10);
        spin->setSingleStep(3);
        spin->setKeyboardTracking(false);
        w = spin;
    } else if (kind == QLatin1String("check")) {
        w = new CheckBox(&form);
    } else {
        auto *box = new EditBox(&form);
        if (kind.contains(QLatin1String("int")))
            box->setValidator(new QIntValidator(0, 99, box));
        else if (kind.contains(QLatin1String("double")))
            box->setValidator(new QDoubleValidator(0.5, 12.25, 2, box));
        else if (kind.contains(QLatin1String("regexp")))
            box->setValidator(new QRegularExpressionValidator(QRegularExpression("[A-F]{2}"), box));
        box->acceptReturn = kind.endsWith(QLatin1Char('+'));
        box->noErrorDialog = kind.contains(QLatin1String("silent"));
        box->upDownToParent = kind.contains(QLatin1String("to parent"));
        box->lockUpDown = kind.contains(QLatin1String("locked"));
        w = box;
    }
    auto *box = qobject_cast<EditBox *>(w);
    const QMetaProperty property = w->metaObject()->userProperty();
    // Through the edit box's own setText, which keeps the last valid text.
    for (const QString &value : start.split(QLatin1Char('|'))) {
        if (box)
            box->setText(value);
        else
            property.write(w, value);
    }
    auto *after = new EditBox(&form);
    layout->addWidget(w);
    layout->addWidget(after);
    form.show();
    form.activateWindow();
    w->setFocus();
    QTRY_VERIFY(w->hasFocus());
    if (auto *spin = qobject_cast<SpinBox *>(w))
        spin->selectAll();
    ModalAnswerer answerer(message.isEmpty() ? QList<int> {} : QList<int> {Qt::Key_Return});
    QTest::keyClick(w, Qt::Key(key));

    QCOMPARE(property.read(w).toString(), state);
    if (box)
        QCOMPARE(box->lastValidText,
                 box->lockUpDown ? start.section(QLatin1Char('|'), 0, 0) : state);
    QStringList shown;
    for (const ModalAnswerer::Seen &seen : qAsConst(answerer.seen))
        shown << seen.title << seen.message;
    QCOMPARE(shown, message.isEmpty() ? QStringList() : (QStringList {"Input Error", message}));
    QCOMPARE(form.keys, toForm ? QList<int> {key} : QList<int> {});
    // A bad value never keeps the focus: it moves on once the alert is closed.
    QWidget *focus = move < 0 ? before : move > 0 ? after : w;
    QVERIFY(form.focusWidget() == focus || focus->isAncestorOf(form.focusWidget()));
    if (auto *combo = qobject_cast<ComboBox *>(w))
        QTRY_COMPARE(combo->view()->isVisible(), key == Qt::Key_Return);
}

// Operations the forms never call but the widget set exports.
void tst_EditWidgets::channelSpinBox()
{
    struct Channels : ChannelSpinBox {
        Channels()
            : ChannelSpinBox(nullptr, "channel")
        { }
        using ChannelSpinBox::valueFromText;
    } spin;
    QCOMPARE(spin.maximum(), 105);
    for (const auto &[value, text] :
         {std::pair(0, "C02"), std::pair(67, "C69"), std::pair(68, "S02"), std::pair(105, "S39")}) {
        spin.setValue(value);
        QCOMPARE(spin.text(), QString(text));
    }
    for (const auto &[text, value] :
         {std::pair("C05", 3), std::pair("S10", 76), std::pair("X10", 0)}) {
        QCOMPARE(spin.valueFromText(text), value);
    }
    int pos = 0;
    for (QString text : {"C01", "C70", "S40", "S1"})
        QVERIFY2(spin.validate(text, pos) != QValidator::Acceptable, qPrintable(text));
}

void tst_EditWidgets::editModeAndValidateInput()
{
    // Edit mode leaves the digit just typed selected, so the next one replaces it.
    EditBox box;
    box.setValidator(
        new QRegularExpressionValidator(QRegularExpression("[A-C]{3}|[0-9]{2}"), &box));
    box.setEditMode(true);
    QTest::keyClicks(&box, "12");
    QCOMPARE(box.text(), QString("2"));
    QCOMPARE(box.selectedText(), QString("2"));
    box.setEditMode(false);
    QVERIFY(!box.hasSelectedText());
    QTest::keyClick(&box, Qt::Key_3);
    QCOMPARE(box.text(), QString("23"));

    // The selection is replaced in place in an edit box, dropped then appended in a combo box.
    box.setText("ABC");
    box.setSelection(0, 2);
    QString x = "X", b = "B", c = "C";
    QVERIFY(!box.validateInput(x));
    QVERIFY(box.validateInput(b)); // "BC" may still become a valid text
    ComboBox combo;
    combo.addItems({"CX1", "ABC", "Off"});
    combo.setEditable(true);
    combo.setCurrentIndex(2);
    combo.lineEdit()->setText("ABC");
    combo.lineEdit()->setSelection(0, 2);
    QVERIFY(combo.validateInput(x)); // "CX" starts "CX1"
    QVERIFY(!combo.validateInput(c)); // "CC" starts nothing
    // Leaving edit mode picks the item typed, and keeps the current one for unknown text.
    combo.setEditMode(true);
    combo.setEditMode(false);
    QCOMPARE(combo.currentIndex(), 1);
    combo.lineEdit()->setText("AB");
    combo.setEditMode(false);
    QCOMPARE(combo.currentIndex(), 1);
}

void tst_EditWidgets::alert_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("file");

    const QString ok = QStringLiteral("Press Ok to continue");
    const QString esc = QStringLiteral("Press Esc to cancel");
    const int Ret = Qt::Key_Return, Ent = Qt::Key_Enter, Esc = Qt::Key_Escape;
    // A key that does nothing leaves the dialog up for the next one; with no
    // key at all the answerer finally closes it as a program would.
    QTest::newRow("6, return") << 6 << QList<int> {Ret} << 1 << QStringList {ok, esc} << 0
                               << "info_icon.png";
    QTest::newRow("6, escape") << 6 << QList<int> {Esc} << 0 << QStringList {ok, esc} << 1
                               << "info_icon.png";
    QTest::newRow("2, escape ignored")
        << 2 << QList<int> {Esc, Ent} << 1 << QStringList {ok} << 2 << "warning_icon.png";
    QTest::newRow("4, return ignored")
        << 4 << QList<int> {Ret, Esc} << 0 << QStringList {esc} << 4 << "error_icon.png";
    QTest::newRow("8, escape alone")
        << 8 << QList<int> {Ret, Esc} << 0 << QStringList {} << 8 << "done_icon.png";
    QTest::newRow("16, return alone")
        << 16 << QList<int> {Esc, Ret} << 1 << QStringList {} << 12 << "done_icon.png";
    QTest::newRow("0, no key") << 0 << QList<int> {Ret, Ent, Esc} << 0 << QStringList {} << 3
                               << "warning_icon.png";
}

void tst_EditWidgets::alert()
{
    QFETCH(int, buttons);
    QFETCH(QList<int>, keys);
    QFETCH(int, result);
    QFETCH(QStringList, captions);
    QFETCH(int, icon);
    QFETCH(QString, file);

    // Frameless, so that its geometry is exactly the one set here.
    QWidget host(nullptr, Qt::FramelessWindowHint);
    host.setGeometry(0, 0, 320, 240);
    QPalette pal = host.palette();
    pal.setColor(QPalette::Window, QColor(10, 20, 30));
    host.setPalette(pal);
    // A field deep inside the host: the dialog still covers the whole host window.
    auto *field = new EditBox(new QWidget(&host));
    host.show();

    ModalAnswerer answerer(keys);
    FAlertMessage *alert = FAlertMessage::getInstance();
    // A non-modal message answers at once and stays up until the next call replaces it.
    QCOMPARE(alert->showDialog(&host, QStringLiteral("Reading"), QStringLiteral("Please wait"), 0,
                               1, false),
             1);
    QVERIFY(alert->isVisible());
    QCOMPARE(alert->showDialog(field, QStringLiteral("Data writing"),
                               QStringLiteral("Writing config data"), buttons, icon, true),
             result);
    QCOMPARE(answerer.seen.size(), keys.size() + answerer.unexpected);
    QCOMPARE(answerer.unexpected, buttons == 0 ? 1 : 0);
    QCOMPARE(answerer.seen.at(0).title, QStringLiteral("Data writing"));
    QCOMPARE(answerer.seen.at(0).message, QStringLiteral("Writing config data"));
    QVERIFY(!alert->isVisible());
    QVERIFY(alert->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(alert->geometry(), QRect(0, 20, 320, 220));
    QCOMPARE(alert->palette().color(QPalette::Window), QColor(10, 20, 30));
    // The buttons are captions only, first button first.
    QStringList shown;
    for (const auto *button : alert->findChildren<QPushButton *>()) {
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        if (button->isVisibleTo(alert))
            shown.append(button->text());
    }
    QCOMPARE(shown, captions);
    const QImage expected(QStringLiteral(":/resources/") + file);
    QVERIFY(!expected.isNull());
    const auto *label = alert->findChild<QLabel *>(QStringLiteral("m_CenterIconLabel"));
    // As the pixmap holds it: unpremultiplying rounds differently on ARM.
    QCOMPARE(label->pixmap(Qt::ReturnByValue).toImage(),
             expected.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

void tst_EditWidgets::scrollArea()
{
    // Ten fields 60 pixels apart in a 600-pixel content, the last one known to the area.
    ScrollArea area;
    area.resize(200, 200);
    auto *content = new QWidget;
    content->resize(180, 600);
    QList<EditBox *> fields;
    for (int i = 0; i < 10; ++i) {
        fields.append(new EditBox(content));
        fields.last()->setGeometry(10, i * 60, 100, 30);
    }
    area.setWidget(content);
    area.lastWidget = fields.last();
    area.show();
    area.activateWindow();
    // The first focus move fixes the first field.
    focusOn(fields.at(0));
    QTest::keyClick(fields.at(0), Qt::Key_Down);
    QCOMPARE(area.focusWidget(), fields.at(1));

    // A typed key brings its field into view: field 3 spans 180..210, the viewport ends before.
    QScrollBar *bar = area.verticalScrollBar();
    bar->setValue(0);
    const int viewport = area.viewport()->height();
    QVERIFY(viewport < 210);
    focusOn(fields.at(3));
    QTest::keyClick(fields.at(3), Qt::Key_5);
    QCOMPARE(fields.at(3)->text(), QStringLiteral("5"));
    QCOMPARE(bar->value(), 210 + 80 - viewport);

    // At an edge field the content scrolls outward in steps up to its end and stops
    // there; inward it scrolls back as many steps before the focus moves on.
    for (const int field : {0, 9}) {
        const auto outward = field ? Qt::Key_Down : Qt::Key_Up;
        const auto inward = field ? Qt::Key_Up : Qt::Key_Down;
        EditBox *edge = fields.at(field);
        // How far the content is from the end the edge field lies at.
        auto distance = [&] { return field ? bar->maximum() - bar->value() : bar->value(); };
        focusOn(edge);
        bar->setValue(field ? bar->maximum() - 50 : 50);
        QList<int> distances;
        for (int i = 0; i < 7; ++i) {
            QTest::keyClick(edge, i < 4 ? outward : inward);
            distances.append(distance());
            QCOMPARE(area.focusWidget(), edge);
        }
        QCOMPARE(distances, (QList<int> {30, 10, 0, 0, 20, 40, 60}));
        QTest::keyClick(edge, inward);
        QCOMPARE(area.focusWidget(), fields.at(field ? 8 : 1));
        QCOMPARE(distance(), 60);
    }
}

MSP_TEST_MAIN(tst_EditWidgets)
#include "tst_editwidgets.moc"
