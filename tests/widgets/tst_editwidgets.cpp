#include "boton.h"
#include "channelspinbox.h"
#include "checkbox.h"
#include "combobox.h"
#include "editbox.h"
#include "modalanswerer.h"
#include "spinbox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDoubleValidator>
#include <QIntValidator>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QSignalSpy>
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

// The keypad widgets inside a real form: a field before, the widget under
// test, a field after.
class tst_EditWidgets : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void editBoxLeave_data();
    void editBoxLeave();
    void editBoxUpDownToParent();
    void editBoxLockUpDown();
    void editBoxReturn_data();
    void editBoxReturn();
    void editBoxEditMode();
    void editBoxValidateInput_data();
    void editBoxValidateInput();

    void comboBoxSteps_data();
    void comboBoxSteps();
    void comboBoxFocusAndPopup();
    void comboBoxEditable();
    void comboBoxValidateInput_data();
    void comboBoxValidateInput();

    void spinBoxKeys();
    void spinBoxDigitsTakeEffect();
    void channelText_data();
    void channelText();
    void channelValidate_data();
    void channelValidate();

    void checkBoxAndBotonReturn();

private:
    template<typename W> W *build()
    {
        auto *w = new W(form);
        form->layout()->addWidget(w);
        form->layout()->addWidget(after = new EditBox(form));
        form->show();
        form->activateWindow();
        return w;
    }
    void focusOn(QWidget *w)
    {
        w->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), w);
    }

    KeyForm *form = nullptr;
    EditBox *before = nullptr;
    EditBox *after = nullptr;
};

void tst_EditWidgets::init()
{
    QLocale::setDefault(QLocale::c());
    form = new KeyForm;
    form->resize(320, 220);
    auto *layout = new QVBoxLayout(form);
    layout->addWidget(before = new EditBox(form));
}

void tst_EditWidgets::cleanup()
{
    delete form;
    form = nullptr;
}

void tst_EditWidgets::editBoxLeave_data()
{
    QTest::addColumn<QString>("validator");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    const QString intRange = QStringLiteral("\nvalid range is 0 - 99");
    QTest::newRow("no validator keeps any text") << ""
                                                 << ""
                                                 << "x y?" << false << int(Qt::Key_Up) << "x y?"
                                                 << "";
    QTest::newRow("int in range") << "int"
                                  << "7"
                                  << "42" << false << int(Qt::Key_Down) << "42"
                                  << "";
    QTest::newRow("int out of range") << "int"
                                      << "7"
                                      << "120" << false << int(Qt::Key_Down) << "7"
                                      << "Value 120 is out of range" + intRange;
    QTest::newRow("int out of range, up") << "int"
                                          << "7"
                                          << "120" << false << int(Qt::Key_Up) << "7"
                                          << "Value 120 is out of range" + intRange;
    QTest::newRow("int never valid") << "int"
                                     << ""
                                     << "120" << false << int(Qt::Key_Down) << ""
                                     << "Value 120 is out of range" + intRange;
    QTest::newRow("int empty") << "int"
                               << ""
                               << "" << false << int(Qt::Key_Down) << ""
                               << "Value  is out of range" + intRange;
    QTest::newRow("double") << "double"
                            << "1.5"
                            << "20" << false << int(Qt::Key_Down) << "1.5"
                            << "Value 20 is out of range\nvalid range is 0.5 - 12.25";
    QTest::newRow("other validator") << "regexp"
                                     << "AB"
                                     << "A" << false << int(Qt::Key_Down) << "AB"
                                     << "Value A is out of range";
    QTest::newRow("no error dialog") << "int"
                                     << "7"
                                     << "120" << true << int(Qt::Key_Down) << "7"
                                     << "";
}

void tst_EditWidgets::editBoxLeave()
{
    QFETCH(QString, validator);
    QFETCH(QString, initial);
    QFETCH(QString, shown);
    QFETCH(bool, silent);
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, message);

    auto *box = build<EditBox>();
    if (validator == QLatin1String("int"))
        box->setValidator(new QIntValidator(0, 99, box));
    else if (validator == QLatin1String("double"))
        box->setValidator(new QDoubleValidator(0.5, 12.25, 2, box));
    else if (validator == QLatin1String("regexp"))
        box->setValidator(new QRegularExpressionValidator(QRegularExpression("[A-F]{2}"), box));
    box->noErrorDialog = silent;
    box->setText(initial);
    box->setText(shown);
    QCOMPARE(box->text(), shown);
    focusOn(box);

    ModalAnswerer answerer(message.isEmpty() ? QList<int> {} : QList<int> {Qt::Key_Return});
    QTest::keyClick(box, static_cast<Qt::Key>(key));

    QCOMPARE(box->text(), text);
    QCOMPARE(box->lastValidText, text);
    if (message.isEmpty()) {
        QCOMPARE(answerer.seen.size(), 0);
    } else {
        QCOMPARE(answerer.seen.size(), 1);
        QCOMPARE(answerer.seen.at(0).title, QStringLiteral("Input Error"));
        QCOMPARE(answerer.seen.at(0).message, message);
    }
    // A bad value never keeps the focus: it moves on once the alert is closed.
    QCOMPARE(form->focusWidget(), key == Qt::Key_Down ? after : before);
    QVERIFY(form->keys.isEmpty());
}

void tst_EditWidgets::editBoxUpDownToParent()
{
    auto *box = build<EditBox>();
    box->setValidator(new QIntValidator(0, 99, box));
    box->upDownToParent = true;
    box->setText(QStringLiteral("5"));
    box->setText(QStringLiteral("500"));
    focusOn(box);

    ModalAnswerer answerer({Qt::Key_Return});
    QTest::keyClick(box, Qt::Key_Up);
    QCOMPARE(box->text(), QStringLiteral("5"));
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(form->keys, QList<int> {Qt::Key_Up});
    QCOMPARE(form->focusWidget(), box);
}

void tst_EditWidgets::editBoxLockUpDown()
{
    auto *box = build<EditBox>();
    box->setValidator(new QIntValidator(0, 99, box));
    box->lockUpDown = true;
    box->setText(QStringLiteral("500"));
    focusOn(box);

    ModalAnswerer answerer;
    QTest::keyClick(box, Qt::Key_Down);
    QTest::keyClick(box, Qt::Key_Up);
    QCOMPARE(box->text(), QStringLiteral("500"));
    QCOMPARE(answerer.seen.size(), 0);
    QVERIFY(form->keys.isEmpty());
    QCOMPARE(form->focusWidget(), box);
}

void tst_EditWidgets::editBoxReturn_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("acceptReturn");
    QTest::addColumn<QList<int>>("formKeys");
    QTest::newRow("return reaches the form")
        << int(Qt::Key_Return) << false << QList<int> {Qt::Key_Return};
    QTest::newRow("return kept by the box") << int(Qt::Key_Return) << true << QList<int> {};
    QTest::newRow("enter reaches the form")
        << int(Qt::Key_Enter) << true << QList<int> {Qt::Key_Enter};
}

void tst_EditWidgets::editBoxReturn()
{
    QFETCH(int, key);
    QFETCH(bool, acceptReturn);
    QFETCH(QList<int>, formKeys);
    auto *box = build<EditBox>();
    box->acceptReturn = acceptReturn;
    box->setText(QStringLiteral("id"));
    focusOn(box);
    QTest::keyClick(box, static_cast<Qt::Key>(key));
    QCOMPARE(form->keys, formKeys);
    QCOMPARE(box->text(), QStringLiteral("id"));
}

void tst_EditWidgets::editBoxEditMode()
{
    auto *box = build<EditBox>();
    focusOn(box);
    box->setText(QStringLiteral("12"));
    box->end(false);
    box->setEditMode(true);
    QTest::keyClick(box, Qt::Key_7);
    QCOMPARE(box->text(), QStringLiteral("127"));
    QCOMPARE(box->selectedText(), QStringLiteral("7"));
    // The next digit replaces the one just typed.
    QTest::keyClick(box, Qt::Key_3);
    QCOMPARE(box->text(), QStringLiteral("123"));
    QCOMPARE(box->selectedText(), QStringLiteral("3"));
    // Only digits select.
    box->end(false);
    QTest::keyClick(box, Qt::Key_A);
    QCOMPARE(box->text(), QStringLiteral("123a"));
    QVERIFY(!box->hasSelectedText());

    // Switching on again changes nothing; switching off drops the selection.
    box->setSelection(0, 2);
    box->setEditMode(true);
    QCOMPARE(box->selectedText(), QStringLiteral("12"));
    box->setEditMode(false);
    QVERIFY(!box->hasSelectedText());
    box->end(false);
    QTest::keyClick(box, Qt::Key_4);
    QCOMPARE(box->text(), QStringLiteral("123a4"));
    QVERIFY(!box->hasSelectedText());
}

void tst_EditWidgets::editBoxValidateInput_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("valid");
    QTest::newRow("no validator") << ""
                                  << "anything" << 0 << 0 << "#" << true;
    QTest::newRow("int appended in range") << "int"
                                           << "1" << 0 << 0 << "2" << true;
    QTest::newRow("int appended too big") << "int"
                                          << "12" << 0 << 0 << "3" << false;
    QTest::newRow("int selection replaced") << "int"
                                            << "12" << 0 << 1 << "9" << true;
    // With ABC and its first two letters selected, X makes XC, not ABCX.
    QTest::newRow("selection replaced in place") << "XC"
                                                 << "ABC" << 0 << 2 << "X" << true;
    QTest::newRow("intermediate counts") << "XC"
                                         << "" << 0 << 0 << "X" << true;
    QTest::newRow("invalid") << "XC"
                             << "" << 0 << 0 << "C" << false;
}

void tst_EditWidgets::editBoxValidateInput()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, input);
    QFETCH(bool, valid);
    EditBox box;
    if (pattern == QLatin1String("int"))
        box.setValidator(new QIntValidator(0, 99, &box));
    else if (!pattern.isEmpty())
        box.setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), &box));
    box.setText(text);
    if (selLength)
        box.setSelection(selStart, selLength);
    QCOMPARE(box.validateInput(input), valid);
    QCOMPARE(box.text(), text);
}

void tst_EditWidgets::comboBoxSteps_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("index");
    QTest::newRow("left wraps to the last") << 0 << int(Qt::Key_Left) << 2;
    QTest::newRow("left") << 2 << int(Qt::Key_Left) << 1;
    QTest::newRow("right") << 0 << int(Qt::Key_Right) << 1;
    QTest::newRow("right wraps to the first") << 2 << int(Qt::Key_Right) << 0;
}

void tst_EditWidgets::comboBoxSteps()
{
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, index);
    auto *combo = build<ComboBox>();
    combo->addItems({"13V", "18V", "Off"});
    combo->setCurrentIndex(start);
    focusOn(combo);
    QTest::keyClick(combo, static_cast<Qt::Key>(key));
    QCOMPARE(combo->currentIndex(), index);
    QCOMPARE(form->focusWidget(), combo);
}

void tst_EditWidgets::comboBoxFocusAndPopup()
{
    auto *combo = build<ComboBox>();
    combo->addItems({"A", "B"});
    focusOn(combo);
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(form->focusWidget(), after);
    focusOn(combo);
    QTest::keyClick(combo, Qt::Key_Up);
    QCOMPARE(form->focusWidget(), before);

    focusOn(combo);
    QVERIFY(!combo->view()->isVisible());
    QTest::keyClick(combo, Qt::Key_Return);
    QTRY_VERIFY(combo->view()->isVisible());
    combo->hidePopup();
    QCOMPARE(combo->currentIndex(), 0);
    QVERIFY(form->keys.isEmpty());
}

void tst_EditWidgets::comboBoxEditable()
{
    auto *combo = build<ComboBox>();
    combo->addItems({"Auto", "36", "54"});
    QVERIFY(!combo->editBox);
    combo->setEditMode(true); // nothing to forward to
    combo->setEditable(true);
    QVERIFY(combo->editBox);
    QCOMPARE(combo->lineEdit(), static_cast<QLineEdit *>(combo->editBox));

    combo->setCurrentIndex(0);
    combo->setEditMode(true);
    QVERIFY(combo->editBox->editMode);
    combo->editBox->setText(QStringLiteral("54"));
    combo->setEditMode(false);
    QCOMPARE(combo->currentIndex(), 2);
    QVERIFY(!combo->editBox->editMode);

    combo->setEditMode(true);
    combo->editBox->setText(QStringLiteral("5"));
    combo->setEditMode(false);
    QCOMPARE(combo->currentIndex(), 2);

    focusOn(combo);
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(form->focusWidget(), after);

    QPointer<EditBox> box = combo->editBox;
    combo->setEditable(false);
    QVERIFY(!combo->editBox);
    QVERIFY(box.isNull());
}

void tst_EditWidgets::comboBoxValidateInput_data()
{
    QTest::addColumn<bool>("editable");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("valid");
    QTest::newRow("not editable") << false << "" << 0 << "Z" << true;
    QTest::newRow("prefix of an item") << true << "C" << 0 << "X" << true;
    QTest::newRow("prefix is case-sensitive") << true << "c" << 0 << "X" << false;
    // ABC with AB selected and X typed: the selection goes, X is appended: CX.
    QTest::newRow("selection removed, input appended") << true << "ABC" << 2 << "X" << true;
    QTest::newRow("no item starts so") << true << "ABC" << 0 << "X" << false;
}

void tst_EditWidgets::comboBoxValidateInput()
{
    QFETCH(bool, editable);
    QFETCH(QString, text);
    QFETCH(int, selLength);
    QFETCH(QString, input);
    QFETCH(bool, valid);
    ComboBox combo;
    combo.addItems({"XC", "CXY"});
    if (editable) {
        combo.setEditable(true);
        combo.editBox->setText(text);
        if (selLength)
            combo.editBox->setSelection(0, selLength);
    }
    QCOMPARE(combo.validateInput(input), valid);
}

void tst_EditWidgets::spinBoxKeys()
{
    auto *spin = build<SpinBox>();
    spin->setRange(0, 10);
    spin->setSingleStep(3);
    spin->setValue(8);
    QCOMPARE(spin->findChild<QLineEdit *>(), static_cast<QLineEdit *>(spin->editBox));
    focusOn(spin);
    QTest::keyClick(spin, Qt::Key_Right);
    QCOMPARE(spin->value(), 10);
    QTest::keyClick(spin, Qt::Key_Right);
    QCOMPARE(spin->value(), 10);
    QTest::keyClick(spin, Qt::Key_Left);
    QCOMPARE(spin->value(), 7);
    QTest::keyClick(spin, Qt::Key_Down);
    QCOMPARE(form->focusWidget(), after);
    focusOn(spin);
    QTest::keyClick(spin, Qt::Key_Up);
    QCOMPARE(form->focusWidget(), before);
}

void tst_EditWidgets::spinBoxDigitsTakeEffect()
{
    auto *spin = build<SpinBox>();
    // Without keyboard tracking only the spin box's own digit rule sets the value.
    spin->setKeyboardTracking(false);
    spin->setRange(0, 500);
    spin->setValue(7);
    QSignalSpy changed(spin, QOverload<int>::of(&QSpinBox::valueChanged));
    focusOn(spin);
    spin->selectAll();
    QTest::keyClick(spin, Qt::Key_4);
    QCOMPARE(spin->value(), 4);
    QTest::keyClick(spin, Qt::Key_2);
    QCOMPARE(spin->value(), 42);
    QCOMPARE(changed.count(), 2);
}

void tst_EditWidgets::channelText_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("first C") << 0 << "C02";
    QTest::newRow("C10") << 8 << "C10";
    QTest::newRow("last C") << 67 << "C69";
    QTest::newRow("first S") << 68 << "S02";
    QTest::newRow("S10") << 76 << "S10";
    QTest::newRow("last S") << 105 << "S39";
}

void tst_EditWidgets::channelText()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    ChannelSpinBox spin;
    QCOMPARE(spin.minimum(), 0);
    QCOMPARE(spin.maximum(), 105);
    spin.setValue(value);
    QCOMPARE(spin.text(), text);
    QCOMPARE(spin.textFromValue(value), text);
    QCOMPARE(spin.valueFromText(text), value);
}

void tst_EditWidgets::channelValidate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("value");
    QTest::newRow("C05") << "C05" << int(QValidator::Acceptable) << 3;
    QTest::newRow("S10") << "S10" << int(QValidator::Acceptable) << 76;
    QTest::newRow("X10") << "X10" << int(QValidator::Invalid) << 0;
    QTest::newRow("C01") << "C01" << int(QValidator::Invalid) << -1;
    QTest::newRow("C70") << "C70" << int(QValidator::Invalid) << 68;
    QTest::newRow("S40") << "S40" << int(QValidator::Invalid) << 106;
    QTest::newRow("c05 lower case") << "c05" << int(QValidator::Invalid) << 0;
    QTest::newRow("empty") << "" << int(QValidator::Intermediate) << 0;
}

void tst_EditWidgets::channelValidate()
{
    QFETCH(QString, text);
    QFETCH(int, state);
    QFETCH(int, value);
    ChannelSpinBox spin;
    QString copy = text;
    int pos = 0;
    QCOMPARE(int(spin.validate(copy, pos)), state);
    QCOMPARE(spin.valueFromText(text), value);
}

void tst_EditWidgets::checkBoxAndBotonReturn()
{
    auto *check = build<CheckBox>();
    auto *button = new Boton(form);
    form->layout()->addWidget(button);
    QSignalSpy clicked(button, &QPushButton::clicked);
    focusOn(check);
    QTest::keyClick(check, Qt::Key_Return);
    QVERIFY(check->isChecked());
    QTest::keyClick(check, Qt::Key_Return);
    QVERIFY(!check->isChecked());
    focusOn(button);
    QTest::keyClick(button, Qt::Key_Return);
    QCOMPARE(clicked.count(), 1);
    QVERIFY(form->keys.isEmpty());
}

QTEST_MAIN(tst_EditWidgets)
#include "tst_editwidgets.moc"
