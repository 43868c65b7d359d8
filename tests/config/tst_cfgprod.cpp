#include "checkbox.h"
#include "combobox.h"
#include "editbox.h"
#include "fcfgprodzetavx_dvbs2.h"
#include "testmain.h"

#include <QGridLayout>
#include <QLabel>

// The configuration form on its own: its choices, enable rules and keys.
class tst_CfgProd : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void parameterFields();
    void enableRules();

private:
    template<typename T> T *w(const QString &name) { return form->findChild<T *>(name); }
    bool enabled(const char *name) { return w<QWidget>(name)->isEnabled(); }

    QWidget *window = nullptr;
    FCfgProdZetaVX_DVBS2 *form = nullptr;
};

void tst_CfgProd::init()
{
    window = new QWidget;
    window->resize(320, 220);
    form = new FCfgProdZetaVX_DVBS2(window);
    window->show();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void tst_CfgProd::cleanup() { delete window; }

// Every parameter row names a field of its kind on the form, beside the row's
// caption and unit; list fields offer the row's range, bandwidth lists its MHz.
void tst_CfgProd::parameterFields()
{
    auto *grid = w<QGridLayout>("gridLayout");
    for (const ModuleParameters::Parameter &p : ModuleParameters::all()) {
        auto *field = w<QWidget>(p.field);
        QVERIFY2(field, p.field);
        int row = -1;
        int unused = 0;
        grid->getItemPosition(grid->indexOf(field), &row, &unused, &unused, &unused);
        auto label = [&](int column) {
            QLayoutItem *item = grid->itemAtPosition(row, column);
            auto *l = item ? qobject_cast<QLabel *>(item->widget()) : nullptr;
            return l ? l->text() : QString();
        };
        QCOMPARE(label(0), QString(p.caption));
        QCOMPARE(label(3), QString(p.unit));
        auto *list = qobject_cast<ComboBox *>(field);
        QCOMPARE(!list, p.kind == ModuleParameters::Number);
        QVERIFY(list || qobject_cast<EditBox *>(field));
        if (list)
            QCOMPARE(list->count(), p.maximum + 1);
        for (int i = 0; i < p.values.count; ++i)
            QCOMPARE(list->itemText(i), QString::number(p.values.mhz[i]));
        if (p.autoField)
            QVERIFY(qobject_cast<CheckBox *>(w<QWidget>(p.autoField)));
    }
}

void tst_CfgProd::enableRules()
{
    // As built: one input, supplies off, bandwidths automatic.
    for (const char *n : {"cbLnb_2", "cbBand_1", "cbPol_1", "cbBW_1", "cbBand_2", "cbBW_2"})
        QVERIFY2(!enabled(n), n);
    w<ComboBox>("cbInputNum")->setCurrentIndex(1);
    QVERIFY(enabled("cbLnb_2") && !enabled("cbPol_2"));
    w<ComboBox>("cbLnb_2")->setCurrentIndex(1);
    QVERIFY(enabled("cbBand_2") && enabled("cbPol_2"));

    // A processor switched off locks its fields but "Auto", and unchecking
    // "Auto" unlocks the list even then.
    w<ComboBox>("cbActive_p2")->setCurrentIndex(0);
    for (const char *n :
         {"cbAten_2", "cbRollOff_2", "leInputFreq_2", "leOutputFreq_2", "leSRate_2"})
        QVERIFY2(!enabled(n), n);
    w<CheckBox>("ckAutoBW_2")->setChecked(false);
    QVERIFY(enabled("cbBW_2") && enabled("cbLnb_1"));
    w<ComboBox>("cbActive_p2")->setCurrentIndex(1);
    QVERIFY(enabled("cbAten_2") && enabled("leSRate_2"));
}

MSP_TEST_MAIN(tst_CfgProd)
#include "tst_cfgprod.moc"
