#include "checkbox.h"
#include "combobox.h"
#include "editbox.h"
#include "fcfgprodzetavx_dvbs2.h"
#include "modalanswerer.h"
#include "testmain.h"

#include <QGridLayout>
#include <QLabel>
#include <QSignalSpy>

// The configuration form on its own: its choices, enable rules and keys.
class tst_CfgProd : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void parameterFields();
    void enableRules();
    void keys();
    void languageChange();

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
    QVERIFY(enabled("cbLnb_1") && !enabled("cbLnb_2"));
    for (const char *n : {"cbBand_1", "cbPol_1", "cbBW_1", "cbBand_2", "cbPol_2", "cbBW_2"})
        QVERIFY2(!enabled(n), n);
    w<ComboBox>("cbInputNum")->setCurrentIndex(1);
    QVERIFY(enabled("cbLnb_2"));
    QVERIFY(!enabled("cbBand_2") && !enabled("cbPol_2"));
    w<ComboBox>("cbLnb_2")->setCurrentIndex(1);
    QVERIFY(enabled("cbBand_2") && enabled("cbPol_2"));
    w<ComboBox>("cbInputNum")->setCurrentIndex(0);
    QVERIFY(!enabled("cbLnb_2"));
    QVERIFY(enabled("cbBand_2"));

    for (const char *n : {"1", "2"}) {
        const QByteArray s(n);
        w<ComboBox>("cbActive_p" + s)->setCurrentIndex(0);
        for (const char *field :
             {"cbAten_", "cbBW_", "cbRollOff_", "leInputFreq_", "leOutputFreq_", "leSRate_"})
            QVERIFY2(!enabled(field + s), field + s);
        QVERIFY(enabled("ckAutoBW_" + s) && enabled("cbLnb_1"));
    }
    // Unchecking "Auto" unlocks the list even while the processor is off.
    w<CheckBox>("ckAutoBW_1")->setChecked(false);
    QVERIFY(enabled("cbBW_1"));
    w<CheckBox>("ckAutoBW_1")->setChecked(true);
    w<ComboBox>("cbActive_p1")->setCurrentIndex(1);
    QVERIFY(!enabled("cbBW_1"));
    QVERIFY(enabled("cbAten_1") && enabled("leSRate_1"));
    w<CheckBox>("ckAutoBW_1")->setChecked(false);
    // A partly checked box leaves the list as it was.
    w<CheckBox>("ckAutoBW_1")->setCheckState(Qt::PartiallyChecked);
    QVERIFY(enabled("cbBW_1"));
}

void tst_CfgProd::keys()
{
    QSignalSpy salir(form, &FCfgProdZetaVX_DVBS2::Salir);
    // Without host services F6 stays quiet; F7 and F8 tell they sent nothing.
    ModalAnswerer answerer({Qt::Key_Return, Qt::Key_Return});
    const auto before = form->UpdateDataMSP();
    for (int k : {Qt::Key_A, Qt::Key_Return, Qt::Key_F4, Qt::Key_F6, Qt::Key_F7, Qt::Key_F8,
                  Qt::Key_F9, Qt::Key_Left})
        QTest::keyClick(form, static_cast<Qt::Key>(k));
    QCOMPARE(salir.count(), 0);
    QCOMPARE(form->UpdateDataMSP(), before);
    QTest::keyClick(form, Qt::Key_Escape);
    QCOMPARE(salir.count(), 1);
    QCOMPARE(salir.at(0).at(0).value<IForm *>(), static_cast<IForm *>(form));
    QCOMPARE(answerer.seen.size(), 2);
    QCOMPARE(answerer.seen.at(1).message, "Communication error");
}

// Every list keeps its selection, so the configuration and the rules stay as they were.
void tst_CfgProd::languageChange()
{
    const QList<QPair<const char *, int>> kept {{"cbInputNum", 1}, {"cbLnb_1", 1}, {"cbAten_1", 5}};
    for (const auto &k : kept)
        w<ComboBox>(k.first)->setCurrentIndex(k.second);
    w<QLabel>("lbTitulo")->setText("x");
    w<ComboBox>("cbPol_1")->setItemText(1, "x");
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(form, &change);
    QCOMPARE(w<QLabel>("lbTitulo")->text(), "Zeta-VX IF processor DVBS/S2");
    QCOMPARE(w<ComboBox>("cbPol_1")->itemText(1), "Horizontal(18V)");
    QCOMPARE(w<ComboBox>("cbPol_1")->count(), 2);
    for (const auto &k : kept)
        QCOMPARE(w<ComboBox>(k.first)->currentIndex(), k.second);
    QVERIFY(enabled("cbLnb_2") && enabled("cbBand_1"));
}

MSP_TEST_MAIN(tst_CfgProd)
#include "tst_cfgprod.moc"
