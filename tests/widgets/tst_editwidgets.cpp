#include "boton.h"
#include "channelspinbox.h"
#include "checkbox.h"
#include "combobox.h"
#include "editbox.h"
#include "modalanswerer.h"
#include "spinbox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <QtTest>

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

// Key handling of the keypad widgets inside a real form: a field before, the
// widget under test, a field after.
class tst_EditWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void keys_data();
    void keys();
    void editMode();
    void validateInput_data();
    void validateInput();
    void editableComboBox();
    void channels_data();
    void channels();
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
    QTest::newRow("edit: int never valid")
        << "edit int" << Up << "120" << -1 << "" << false << "Value 120" + range;
    QTest::newRow("edit: int empty")
        << "edit int" << Down << "" << 1 << "" << false << "Value " + range;
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
    QTest::newRow("combo: right") << "combo" << Right << "18V" << 0 << "Off" << false << "";
    QTest::newRow("combo: right wraps") << "combo" << Right << "Off" << 0 << "13V" << false << "";
    QTest::newRow("combo: up") << "combo" << Up << "18V" << -1 << "18V" << false << "";
    QTest::newRow("combo: down") << "combo" << Down << "18V" << 1 << "18V" << false << "";
    QTest::newRow("combo: return") << "combo" << Return << "18V" << 0 << "18V" << false << "";
    QTest::newRow("spin: right stops") << "spin" << Right << "8" << 0 << "10" << false << "";
    QTest::newRow("spin: left") << "spin" << Left << "8" << 0 << "5" << false << "";
    QTest::newRow("spin: up") << "spin" << Up << "8" << -1 << "8" << false << "";
    QTest::newRow("spin: down") << "spin" << Down << "8" << 1 << "8" << false << "";
    QTest::newRow("spin: digit") << "spin" << int(Qt::Key_4) << "8" << 0 << "4" << false << "";
    QTest::newRow("check: return") << "check" << Return << "false" << 0 << "true" << false << "";
    QTest::newRow("check: return again")
        << "check" << Return << "true" << 0 << "false" << false << "";
    QTest::newRow("button: return") << "button" << Return << "false" << 0 << "true" << false << "";
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
    } else if (kind == QLatin1String("button")) {
        // Checkable, so that its user property records the click.
        auto *button = new Boton(&form);
        button->setCheckable(true);
        w = button;
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

void tst_EditWidgets::editMode()
{
    EditBox box;
    box.show();
    box.setText(QStringLiteral("12"));
    box.setEditMode(true);
    QTest::keyClick(&box, Qt::Key_7);
    QCOMPARE(box.selectedText(), QStringLiteral("7"));
    // The next digit replaces the one just typed; other keys select nothing.
    QTest::keyClick(&box, Qt::Key_3);
    QCOMPARE(box.text(), QStringLiteral("123"));
    QCOMPARE(box.selectedText(), QStringLiteral("3"));
    box.end(false);
    QTest::keyClick(&box, Qt::Key_A);
    QCOMPARE(box.text(), QStringLiteral("123a"));
    QVERIFY(!box.hasSelectedText());
    // Switching on again changes nothing; switching off drops the selection.
    box.setSelection(0, 2);
    box.setEditMode(true);
    QCOMPARE(box.selectedText(), QStringLiteral("12"));
    box.setEditMode(false);
    QVERIFY(!box.hasSelectedText());
    box.end(false);
    QTest::keyClick(&box, Qt::Key_4);
    QVERIFY(!box.hasSelectedText());
}

void tst_EditWidgets::validateInput_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QStringList>("textAndInput");
    QTest::addColumn<bool>("valid");
    // Edit boxes with no validator or the pattern XC; combo boxes with the items XC, CXY.
    QTest::newRow("edit, no validator") << "" << 0 << QStringList {"anything", "#"} << true;
    QTest::newRow("edit, input appended") << "XC" << 0 << QStringList {"X", "C"} << true;
    // With ABC and its first two letters selected, X makes XC, not ABCX.
    QTest::newRow("edit, selection replaced in place")
        << "XC" << 2 << QStringList {"ABC", "X"} << true;
    QTest::newRow("edit, intermediate counts") << "XC" << 0 << QStringList {"", "X"} << true;
    QTest::newRow("edit, invalid") << "XC" << 0 << QStringList {"", "C"} << false;
    QTest::newRow("combo, not editable") << "combo" << 0 << QStringList {"", "Z"} << true;
    QTest::newRow("combo, prefix of an item")
        << "combo editable" << 0 << QStringList {"C", "X"} << true;
    QTest::newRow("combo, prefix is case-sensitive")
        << "combo editable" << 0 << QStringList {"c", "X"} << false;
    // ABC with AB selected and X typed: the selection goes, X is appended: CX.
    QTest::newRow("combo, selection removed, input appended")
        << "combo editable" << 2 << QStringList {"ABC", "X"} << true;
}

void tst_EditWidgets::validateInput()
{
    QFETCH(QString, setup);
    QFETCH(int, selected);
    QFETCH(QStringList, textAndInput);
    QFETCH(bool, valid);

    ComboBox combo;
    combo.addItems({"XC", "CXY"});
    EditBox plain;
    EditBox *box = &plain;
    if (setup == QLatin1String("combo editable")) {
        combo.setEditable(true);
        box = combo.editBox;
    } else if (setup == QLatin1String("XC")) {
        box->setValidator(new QRegularExpressionValidator(QRegularExpression(setup), box));
    }
    box->setText(textAndInput.at(0));
    if (selected)
        box->setSelection(0, selected);
    QString input = textAndInput.at(1);
    QCOMPARE(setup.startsWith(QLatin1String("combo")) ? combo.validateInput(input)
                                                      : plain.validateInput(input),
             valid);
    QCOMPARE(box->text(), textAndInput.at(0));
}

void tst_EditWidgets::editableComboBox()
{
    QWidget form;
    auto *combo = new ComboBox(&form);
    combo->addItems({"Auto", "36", "54"});
    combo->setEditMode(true); // nothing to forward to
    combo->setEditable(true);
    QCOMPARE(combo->lineEdit(), static_cast<QLineEdit *>(combo->editBox));
    combo->setEditMode(true);
    QVERIFY(combo->editBox->editMode);
    combo->editBox->setText(QStringLiteral("54"));
    combo->setEditMode(false);
    QCOMPARE(combo->currentIndex(), 2);
    QVERIFY(!combo->editBox->editMode);
    // A text that matches no item leaves the current one.
    combo->setEditMode(true);
    combo->editBox->setText(QStringLiteral("5"));
    combo->setEditMode(false);
    QCOMPARE(combo->currentIndex(), 2);
    QPointer<EditBox> box = combo->editBox;
    combo->setEditable(false);
    QVERIFY(!combo->editBox);
    QVERIFY(box.isNull());
}

void tst_EditWidgets::channels_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("value");
    const int ok = QValidator::Acceptable, bad = QValidator::Invalid;
    QTest::newRow("first C") << "C02" << ok << 0;
    QTest::newRow("C05") << "C05" << ok << 3;
    QTest::newRow("last C") << "C69" << ok << 67;
    QTest::newRow("first S") << "S02" << ok << 68;
    QTest::newRow("S10") << "S10" << ok << 76;
    QTest::newRow("last S") << "S39" << ok << 105;
    QTest::newRow("X10") << "X10" << bad << 0;
    QTest::newRow("C01") << "C01" << bad << -1;
    QTest::newRow("C70") << "C70" << bad << 68;
    QTest::newRow("S40") << "S40" << bad << 106;
    QTest::newRow("lower case") << "c05" << bad << 0;
    QTest::newRow("empty") << "" << int(QValidator::Intermediate) << 0;
}

void tst_EditWidgets::channels()
{
    QFETCH(QString, text);
    QFETCH(int, state);
    QFETCH(int, value);
    ChannelSpinBox spin;
    QCOMPARE(spin.minimum(), 0);
    QCOMPARE(spin.maximum(), 105);
    QString copy = text;
    int pos = 0;
    QCOMPARE(int(spin.validate(copy, pos)), state);
    QCOMPARE(spin.valueFromText(text), value);
    if (state == QValidator::Acceptable) {
        spin.setValue(value);
        QCOMPARE(spin.text(), text);
    }
}

QTEST_MAIN(tst_EditWidgets)
#include "tst_editwidgets.moc"
