#include "checkbox.h"
#include "combobox.h"
#include "editbox.h"
#include "fcfgprodzetavx_dvbs2.h"
#include "modalanswerer.h"
#include "scrollarea.h"

#include <QAction>
#include <QIntValidator>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QSignalSpy>
#include <QtTest>

// The configuration form's layout, defaults, enable rules, keys and file menu.
class tst_CfgProd : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void layout();
    void choiceLists_data();
    void choiceLists();
    void focusOrder();
    void defaults();
    void enableRules();
    void levelWidgetsHidden();
    void keys();
    void fileMenu_data();
    void fileMenu();
    void languageChange();
    void noHostServices();

private:
    template<typename T> T *w(const QString &name) { return form->findChild<T *>(name); }

    QWidget *window = nullptr;
    FCfgProdZetaVX_DVBS2 *form = nullptr;
};

void tst_CfgProd::init()
{
    window = new QWidget;
    window->resize(320, 220);
    form = new FCfgProdZetaVX_DVBS2(window);
    form->setGeometry(0, 0, 320, 220);
    window->show();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void tst_CfgProd::cleanup() { delete window; }

void tst_CfgProd::layout()
{
    QCOMPARE(form->formId, QStringLiteral("ZetaVX_DVBS2_CfgProd"));
    QCOMPARE(form->objectName(), QStringLiteral("FormCfgProdZetaVX_DVBS2"));
    QCOMPARE(form->minimumSize(), QSize(320, 220));
    QCOMPARE(form->maximumSize(), QSize(320, 240));
    QCOMPARE(form->font().family(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(form->font().pointSize(), 12);
    auto *title = w<QLabel>("lbTitulo");
    QCOMPARE(title->text(), QStringLiteral("Zeta-VX IF processor DVBS/S2"));
    QCOMPARE(title->palette().color(QPalette::Window), QColor(Qt::black));
    QCOMPARE(title->palette().color(QPalette::WindowText), QColor(Qt::white));
    QVERIFY(title->autoFillBackground());

    auto *area = w<ScrollArea>("scrollArea");
    QVERIFY(area);
    QCOMPARE(area->lastWidget, w<QWidget>("cbAten_2"));
    QCOMPARE(area->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(area->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(!area->widgetResizable());
    QCOMPARE(area->widget()->objectName(), QStringLiteral("scrollAreaWidgetContents"));
    QVERIFY(area->widget()->width() <= 304);

    // The two processors' captions differ on purpose.
    const QList<QPair<const char *, const char *>> captions {
        {"label_39", "Sat polarity"}, {"label_37", "Sat pol"},    {"label_18", "Roll off"},
        {"label_19", "Roll Off"},     {"label_28", "Atenuacion"}, {"label_21", "Attenuation"}};
    for (const auto &c : captions)
        QCOMPARE(w<QLabel>(c.first)->text(), QString::fromLatin1(c.second));
    for (const char *edit : {"leInputFreq_1", "leOutputFreq_1", "leInputFreq_2", "leOutputFreq_2",
                             "leSRate_1", "leSRate_2"}) {
        const auto *v = qobject_cast<const QIntValidator *>(w<EditBox>(edit)->validator());
        QVERIFY2(v, edit);
        const bool rate = QByteArray(edit).startsWith("leSRate");
        QCOMPARE(v->bottom(), rate ? 1000 : 950);
        QCOMPARE(v->top(), rate ? 45000 : 2150);
    }
    QVERIFY(w<ComboBox>("cbAten_1")->isEditable() && w<ComboBox>("cbAten_2")->isEditable());
    QVERIFY(w<ComboBox>("cbAten_1")->editBox);
    QCOMPARE(w<ComboBox>("cbAten_2")->maxVisibleItems(), 3);
    QCOMPARE(w<CheckBox>("ckAutoBW_1")->text(), QStringLiteral("Auto"));
}

void tst_CfgProd::choiceLists_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QStringList>("items");
    const QStringList offOn {"Off", "On"};
    const QStringList band {"Low(0)", "High(22KHz)"};
    const QStringList pol {"Vertical(13V)", "Horizontal(18V)"};
    const QStringList roll {"0.35", "0.25", "0.20"};
    QStringList aten;
    for (int i = 0; i <= 20; ++i)
        aten << QString::number(i);
    const QStringList bw1 {"6",  "8",  "10", "12", "14", "16", "18",  "20",  "22",
                           "24", "26", "28", "30", "32", "34", "36",  "38",  "40",
                           "42", "44", "46", "48", "50", "54", "56",  "58",  "60",
                           "62", "64", "72", "84", "86", "90", "100", "106", "124"};
    QStringList bw2 = bw1;
    bw2[29] = "68";
    QTest::newRow("cbInputNum") << "cbInputNum" << QStringList {"1 input", "2 inputs"};
    for (const char *n : {"1", "2"}) {
        const QString s = QString::fromLatin1(n);
        QTest::addRow("cbActive_p%s", n) << "cbActive_p" + s << offOn;
        QTest::addRow("cbLnb_%s", n) << "cbLnb_" + s << offOn;
        QTest::addRow("cbBand_%s", n) << "cbBand_" + s << band;
        QTest::addRow("cbPol_%s", n) << "cbPol_" + s << pol;
        QTest::addRow("cbRollOff_%s", n) << "cbRollOff_" + s << roll;
        QTest::addRow("cbAten_%s", n) << "cbAten_" + s << aten;
        QTest::addRow("cbBW_%s", n) << "cbBW_" + s << (s == "1" ? bw1 : bw2);
    }
}

void tst_CfgProd::choiceLists()
{
    QFETCH(QString, box);
    QFETCH(QStringList, items);
    auto *combo = w<ComboBox>(box);
    QVERIFY(combo);
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    QCOMPARE(texts, items);
}

void tst_CfgProd::focusOrder()
{
    const QStringList order {"cbInputNum",    "cbActive_p1",    "cbLnb_1",        "cbBand_1",
                             "cbPol_1",       "leInputFreq_1",  "leSRate_1",      "cbRollOff_1",
                             "ckAutoBW_1",    "cbBW_1",         "leOutputFreq_1", "cbAten_1",
                             "cbActive_p2",   "cbLnb_2",        "cbBand_2",       "cbPol_2",
                             "leInputFreq_2", "leSRate_2",      "cbRollOff_2",    "ckAutoBW_2",
                             "cbBW_2",        "leOutputFreq_2", "cbAten_2"};
    QStringList seen;
    QWidget *start = w<QWidget>("cbInputNum");
    for (QWidget *x = start; seen.size() < order.size(); x = x->nextInFocusChain()) {
        if (order.contains(x->objectName()) && !seen.contains(x->objectName()))
            seen << x->objectName();
        if (x->nextInFocusChain() == start)
            break;
    }
    QCOMPARE(seen, order);
}

void tst_CfgProd::defaults()
{
    QCOMPARE(w<ComboBox>("cbInputNum")->currentText(), QStringLiteral("1 input"));
    for (const char *n : {"1", "2"}) {
        const QString s = QString::fromLatin1(n);
        QCOMPARE(w<ComboBox>("cbActive_p" + s)->currentText(), QStringLiteral("On"));
        QCOMPARE(w<ComboBox>("cbLnb_" + s)->currentText(), QStringLiteral("Off"));
        QVERIFY(!w<QWidget>("cbBand_" + s)->isEnabled());
        QVERIFY(!w<QWidget>("cbPol_" + s)->isEnabled());
        QVERIFY(w<CheckBox>("ckAutoBW_" + s)->isChecked());
        QVERIFY(!w<QWidget>("cbBW_" + s)->isEnabled());
        QCOMPARE(w<EditBox>("leInputFreq_" + s)->text(), QStringLiteral("950"));
        QCOMPARE(w<EditBox>("leOutputFreq_" + s)->text(), QStringLiteral("950"));
        QCOMPARE(w<EditBox>("leSRate_" + s)->text(), QStringLiteral("27500"));
        QCOMPARE(w<ComboBox>("cbRollOff_" + s)->currentText(), QStringLiteral("0.35"));
        QCOMPARE(w<ComboBox>("cbAten_" + s)->currentText(), QStringLiteral("0"));
    }
    QVERIFY(w<QWidget>("cbLnb_1")->isEnabled());
    QVERIFY(!w<QWidget>("cbLnb_2")->isEnabled());
}

void tst_CfgProd::enableRules()
{
    auto enabled = [this](const char *name) { return w<QWidget>(name)->isEnabled(); };
    w<ComboBox>("cbInputNum")->setCurrentIndex(1);
    QVERIFY(enabled("cbLnb_2"));
    QVERIFY(!enabled("cbBand_2") && !enabled("cbPol_2"));
    w<ComboBox>("cbLnb_2")->setCurrentIndex(1);
    QVERIFY(enabled("cbBand_2") && enabled("cbPol_2"));
    w<ComboBox>("cbInputNum")->setCurrentIndex(0);
    QVERIFY(!enabled("cbLnb_2"));
    QVERIFY(enabled("cbBand_2"));

    w<ComboBox>("cbActive_p1")->setCurrentIndex(0);
    for (const char *n :
         {"cbAten_1", "cbBW_1", "cbRollOff_1", "leInputFreq_1", "leOutputFreq_1", "leSRate_1"})
        QVERIFY2(!enabled(n), n);
    QVERIFY(enabled("ckAutoBW_1"));
    QVERIFY(enabled("cbLnb_1"));
    // Unchecking "Auto" unlocks the list even while the processor is off.
    w<CheckBox>("ckAutoBW_1")->setChecked(false);
    QVERIFY(enabled("cbBW_1"));
    w<CheckBox>("ckAutoBW_1")->setChecked(true);
    w<ComboBox>("cbActive_p1")->setCurrentIndex(1);
    QVERIFY(!enabled("cbBW_1"));
    QVERIFY(enabled("cbAten_1") && enabled("leSRate_1"));
    w<CheckBox>("ckAutoBW_1")->setChecked(false);
    QVERIFY(enabled("cbBW_1"));
    w<CheckBox>("ckAutoBW_1")->setCheckState(Qt::PartiallyChecked);
    QVERIFY(enabled("cbBW_1"));

    w<ComboBox>("cbActive_p2")->setCurrentIndex(0);
    for (const char *n :
         {"cbAten_2", "cbBW_2", "cbRollOff_2", "leInputFreq_2", "leOutputFreq_2", "leSRate_2"})
        QVERIFY2(!enabled(n), n);
    QVERIFY(enabled("ckAutoBW_2"));
}

void tst_CfgProd::levelWidgetsHidden()
{
    for (const char *n : {"label_11", "pbNivelEntrada_1", "lbNivelEntrada_1", "label_40",
                          "label_46", "pbNivelEntrada_2", "lbNivelEntrada_2", "label_47"}) {
        QVERIFY2(w<QWidget>(n)->isHidden(), n);
        QVERIFY2(!w<QWidget>(n)->isEnabled(), n);
    }
    auto *bar = w<QProgressBar>("pbNivelEntrada_1");
    QCOMPARE(bar->minimum(), 10);
    QCOMPARE(bar->maximum(), 100);
    QCOMPARE(bar->value(), 32);
    QVERIFY(bar->invertedAppearance());
    form->initInputParams();
    QCOMPARE(bar->value(), 10);
    QCOMPARE(w<QProgressBar>("pbNivelEntrada_2")->value(), 10);
}

void tst_CfgProd::keys()
{
    QSignalSpy salir(form, &FCfgProdZetaVX_DVBS2::Salir);
    ModalAnswerer answerer;
    const auto before = form->UpdateDataMSP();
    for (int k : {Qt::Key_A, Qt::Key_Return, Qt::Key_F4, Qt::Key_F9, Qt::Key_Left})
        QTest::keyClick(form, static_cast<Qt::Key>(k));
    QCOMPARE(salir.count(), 0);
    QCOMPARE(form->UpdateDataMSP(), before);
    QTest::keyClick(form, Qt::Key_Escape);
    QCOMPARE(salir.count(), 1);
    QCOMPARE(salir.at(0).at(0).value<IForm *>(), static_cast<IForm *>(form));
    QCOMPARE(answerer.seen.size(), 0);
}

void tst_CfgProd::fileMenu_data()
{
    QTest::addColumn<int>("downs");
    QTest::addColumn<bool>("read");
    QTest::newRow("read") << 0 << true;
    QTest::newRow("write") << 1 << false;
}

// The menu runs its own event loop: a timer inspects and answers it.
void tst_CfgProd::fileMenu()
{
    QFETCH(int, downs);
    QFETCH(bool, read);
    qRegisterMetaType<IForm *>();
    QSignalSpy lect(form, &FCfgProdZetaVX_DVBS2::PresentaFichLect);
    QSignalSpy esc(form, &FCfgProdZetaVX_DVBS2::PresentaFichEsc);
    for (int run = 0; run < 2; ++run) {
        QStringList entries;
        QTimer::singleShot(50, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction *a : menu->actions())
                entries << a->text();
            for (int i = 0; i < downs; ++i)
                QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QTest::keyClick(form, Qt::Key_F5);
        QCOMPARE(entries,
                 QStringList(
                     {"title", "&Read Configuration from File", "&Write Configuration to File"}));
        QCOMPARE(lect.count(), read ? run + 1 : 0);
        QCOMPARE(esc.count(), read ? 0 : run + 1);
        QVERIFY(!QApplication::activePopupWidget());
    }
    QCOMPARE(form->findChildren<QAction *>().size(), 2);
}

void tst_CfgProd::languageChange()
{
    w<ComboBox>("cbInputNum")->setCurrentIndex(1);
    w<ComboBox>("cbLnb_1")->setCurrentIndex(1);
    w<ComboBox>("cbRollOff_2")->setCurrentIndex(2);
    w<ComboBox>("cbAten_1")->setCurrentIndex(5);
    w<QLabel>("label_5")->setText(QStringLiteral("x"));
    w<QLabel>("lbTitulo")->setText(QStringLiteral("x"));
    w<ComboBox>("cbPol_1")->setItemText(1, QStringLiteral("x"));

    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(form, &change);

    QCOMPARE(w<QLabel>("label_5")->text(), QStringLiteral("Inputs"));
    QCOMPARE(w<QLabel>("lbTitulo")->text(), QStringLiteral("Zeta-VX IF processor DVBS/S2"));
    QCOMPARE(w<ComboBox>("cbPol_1")->itemText(1), QStringLiteral("Horizontal(18V)"));
    QCOMPARE(w<ComboBox>("cbPol_1")->count(), 2);
    for (const char *n : {"cbInputNum", "cbLnb_1", "cbActive_p1", "cbActive_p2"})
        QCOMPARE(w<ComboBox>(n)->currentIndex(), 0);
    QCOMPARE(w<ComboBox>("cbRollOff_2")->currentIndex(), 2);
    QCOMPARE(w<ComboBox>("cbAten_1")->currentIndex(), 5);
    // The rules follow the rebuilt lists.
    QVERIFY(!w<QWidget>("cbLnb_2")->isEnabled());
    QVERIFY(!w<QWidget>("cbBand_1")->isEnabled());
}

void tst_CfgProd::noHostServices()
{
    ModalAnswerer answerer({Qt::Key_Return, Qt::Key_Return});
    form->setInputLevel_1(5);
    QTest::keyClick(form, Qt::Key_F6);
    QCOMPARE(answerer.seen.size(), 0);
    for (int k : {Qt::Key_F7, Qt::Key_F8})
        QTest::keyClick(form, static_cast<Qt::Key>(k));
    QCOMPARE(answerer.seen.size(), 2);
    for (const auto &s : answerer.seen) {
        QCOMPARE(s.title, QStringLiteral("Comm error"));
        QCOMPARE(s.message, QStringLiteral("Communication error"));
    }
    QCOMPARE(w<QProgressBar>("pbNivelEntrada_1")->value(), 65);
    bool in = false;
    bool out = false;
    QVERIFY(!form->sendCfgData(true, in, out));
    QVERIFY(!in && !out);
    QCOMPARE(answerer.unexpected, 0);
}

QTEST_MAIN(tst_CfgProd)
#include "tst_cfgprod.moc"
