#include "configdata.h"
#include "fakehost.h"
#include "fcfgprodzetavx_dvbs2.h"
#include "fselecmodulos.h"
#include "imsp.h"
#include "modalanswerer.h"
#include "popupanswerer.h"
#include "stackediform.h"
#include "testmain.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>

extern "C" QObject *qt_plugin_instance();

using Hash = QHash<QString, QVariant>;

// The module list on a file holding modules of several families, then save
// and load end to end: the plug-in as a host loads it, a fake host whose medium
// is a temporary folder, and keys on the form, the browser and the module list.
class tst_SaveLoad : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listAndChoose();
    void deleteModule();
    void saveAndLoadBack();

private:
    void open(int function, QString family)
    {
        list->hide();
        list->setFunction(function, file, family);
        list->setQuienMeLLama("SelecFicheros");
        list->show();
    }
    void press(int key)
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : list,
                        Qt::Key(key));
    }
    QStringList column(int c) const
    {
        QStringList texts;
        for (int r = 0; r < table()->rowCount(); ++r)
            texts << table()->item(r, c)->text();
        return texts;
    }
    QTableWidget *table() const { return list->findChild<QTableWidget *>("m_tableWidget"); }
    QLineEdit *box() const { return list->findChild<QLineEdit *>("lineEditNewModule"); }

    QTemporaryDir *dir = nullptr;
    QString file;
    QWidget *top = nullptr;
    FSelecModulos *list = nullptr;
};

void tst_SaveLoad::init()
{
    dir = new QTemporaryDir;
    file = dir->filePath("cabecera.cfi");
    ConfigData data;
    QHash<QString, QVariant> h {{"Entradas", 1}};
    data.writeData(file, "101", "ZetaVX_DVBS2", h);
    data.writeData(file, "Sala A", "ZetaQAM_T", h);
    data.writeData(file, "7", "ZetaVX_DVBS2", h);
    data.writeData(file, "x", "zetavx_dvbs2", h);
    top = new QWidget;
    top->resize(320, 220);
    list = new FSelecModulos(top);
    list->resize(320, 220);
    top->show();
    QApplication::setActiveWindow(top);
    QVERIFY(QTest::qWaitForWindowActive(top));
}

void tst_SaveLoad::cleanup()
{
    delete top;
    delete dir;
}

// Saving offers a box for a new identifier, its text selected, above the
// table; loading lists this family only (its name's case counts), from the table.
void tst_SaveLoad::listAndChoose()
{
    QSignalSpy chosen(list, &FSelecModulos::Seleccionado);
    QSignalSpy salir(list, &FSelecModulos::Salir);
    open(2, QString());
    QVERIFY(box()->isVisible() && box()->hasFocus());
    QCOMPARE(box()->selectedText(), "New ID");
    // Down from the box to the table, up from its first row back to the box.
    press(Qt::Key_Down);
    QVERIFY(table()->hasFocus());
    press(Qt::Key_Up);
    QVERIFY(box()->hasFocus());
    QCOMPARE(box()->selectedText(), box()->text());
    press(Qt::Key_Escape);
    QCOMPARE(salir.count(), 1);
    // A typed identifier is taken as typed, leading zeros and all; zero and
    // letters are refused.
    for (const char *typed : {"0", "abc", "007"}) {
        open(2, QString());
        QTest::keyClicks(box(), typed);
        press(Qt::Key_Return);
    }
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(list->getModSeleccionado(), "007");

    open(4, "ZetaVX_DVBS2");
    QCOMPARE(column(0), (QStringList {"101", "7"}));
    QVERIFY(!box()->isVisible() && table()->hasFocus());
    // A file without modules: an empty table where Return does nothing. Only
    // managing modules has a menu.
    file = dir->filePath("none.cfi");
    open(4, "ZetaVX_DVBS2");
    QCOMPARE(table()->rowCount(), 0);
    PopupAnswerer menu;
    press(Qt::Key_Return);
    press(Qt::Key_F5);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(menu.entries, QStringList());
}

// Module Clear asks first: Escape keeps the module, Return deletes it.
void tst_SaveLoad::deleteModule()
{
    QSignalSpy deleted(list, &FSelecModulos::deleteModuleId);
    open(1, "ZetaVX_DVBS2");
    press(Qt::Key_Down);
    // Whoever receives the signal removes the section; the list shows the file again.
    connect(list, &FSelecModulos::deleteModuleId, this,
            [this](IForm *) { ConfigData().removeSection(file, list->getModSeleccionado()); });
    ModalAnswerer alerts({Qt::Key_Escape, Qt::Key_Return});
    PopupAnswerer menu({Qt::Key_Return, Qt::Key_Return});
    press(Qt::Key_F5);
    QCOMPARE(deleted.count(), 0);
    QCOMPARE(column(0), (QStringList {"101", "7"}));
    press(Qt::Key_F5);
    QCOMPARE(menu.entries, (QStringList {"&Module Clear", "&Modify Module ID"}));
    QCOMPARE(alerts.seen.size(), 2);
    QCOMPARE(alerts.seen.at(1).title, "Module Erasing");
    QCOMPARE(alerts.seen.at(1).message, "Confirm delete of Module 7");
    QCOMPARE(deleted.count(), 1);
    QCOMPARE(column(0), QStringList {"101"});
}

void tst_SaveLoad::saveAndLoadBack()
{
    // Another product's module and a module of another family to save over.
    QTemporaryDir usb;
    const QString stored = usb.filePath("mis datos.cfi");
    ConfigData data;
    Hash other {{"Canal", 5}};
    QVERIFY(data.writeData(stored, "Sala A", "ZetaQAM_T", other));
    QVERIFY(data.writeData(stored, "5", "OtherFamily", other));

    FakeHost host;
    host.deviceNames = QStringList {"USB"};
    host.devicePaths = QStringList {usb.path()};
    auto *imsp = qobject_cast<Imsp *>(qt_plugin_instance());
    QVERIFY(imsp);
    imsp->SetIServiciosComunes(&host);
    QWidget window;
    window.resize(320, 240);
    imsp->Run(&window);
    window.show();
    auto *stack = window.findChild<StackedIForm *>("StackedForm");
    auto *cfg = window.findChild<FCfgProdZetaVX_DVBS2 *>();
    stack->setCurrentForm("ZetaVX_DVBS2_CfgProd");
    auto shown = [](const ModalAnswerer &answers) {
        QStringList texts;
        for (const ModalAnswerer::Seen &s : answers.seen)
            texts << s.title + '/' + s.message;
        return texts;
    };
    // The module list builds its table when it is first shown.
    auto moduleRows = [&window] {
        auto *table = window.findChild<QTableWidget *>("m_tableWidget");
        QStringList rows;
        for (int r = 0; r < table->rowCount(); ++r)
            rows << table->item(r, 0)->text() + " / " + table->item(r, 1)->text();
        return rows;
    };
    // From the form's file menu (read first, then write) to the module list.
    auto openFile = [&](bool write) {
        // An alert just closed gives the activation back to the host's window.
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        {
            PopupAnswerer menu(write ? QList<int> {Qt::Key_Down, Qt::Key_Return}
                                     : QList<int> {Qt::Key_Return});
            QTest::keyClick(cfg, Qt::Key_F5);
            QCOMPARE(
                menu.entries,
                QStringList({"&Read Configuration from File", "&Write Configuration to File"}));
        }
        QCOMPARE(stack->currentForm(), "SelecFicheros");
        auto *files = window.findChild<QListWidget *>("m_ListSelecFichWidget");
        QCOMPARE(files->item(0)->text(), "mis datos.cfi");
        if (write) // from the box for a new name down to the list
            press(Qt::Key_Down);
        press(Qt::Key_Return);
        QCOMPARE(stack->currentForm(), "SelecModulos");
    };
    auto setForm = [&](int atten, int pol, const QString &freqOut) {
        imsp->SetDataConfig({{"Pol_1", pol}, {"Freq1_Output", freqOut}, {"Atten_1", atten}});
        return cfg->UpdateDataMSP();
    };

    const Hash savedA = setForm(3, 1, "1000");
    // Escape at the question writes nothing; Return saves.
    auto bytes = [&stored] {
        QFile f(stored);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray before = bytes();
    const QString question = "Data writing/Writing config data\r\n\t";
    const QString saved = "Data writed/Config data saved \r\n\t";
    for (int answer : {Qt::Key_Escape, Qt::Key_Return}) {
        openFile(true);
        ModalAnswerer answers({answer, Qt::Key_Return});
        QTest::keyClicks(QApplication::focusWidget(), "101");
        press(Qt::Key_Return);
        if (answer == Qt::Key_Return) {
            QCOMPARE(shown(answers), (QStringList {question, saved}));
            break;
        }
        QCOMPARE(shown(answers), QStringList {question});
        QCOMPARE(bytes(), before);
    }
    const Hash savedB = setForm(7, 0, "2000");
    openFile(true);
    // Saving lists every module of the file, whatever its family.
    QCOMPARE(moduleRows(),
             (QStringList {"101 / ZetaVX_DVBS2", "5 / OtherFamily", "Sala A / ZetaQAM_T"}));
    {
        ModalAnswerer answers({Qt::Key_Return, Qt::Key_Return});
        press(Qt::Key_Down); // from the box to the table
        press(Qt::Key_Down);
        press(Qt::Key_Return);
        QCOMPARE(shown(answers), (QStringList {question, saved}));
    }
    // Load each back into a changed form: every field returns.
    QVERIFY(setForm(12, 0, "1500") != savedA);
    const QList<Hash> savedHashes {savedA, savedB};
    for (int row = 0; row < 2; ++row) {
        openFile(false);
        // Loading lists only this product's modules.
        QCOMPARE(moduleRows(), (QStringList {"101 / ZetaVX_DVBS2", "5 / ZetaVX_DVBS2"}));
        ModalAnswerer answers({Qt::Key_Return});
        if (row == 1)
            press(Qt::Key_Down);
        press(Qt::Key_Return);
        QCOMPARE(shown(answers), QStringList {"Data reading/Data Correctly read"});
        QCOMPARE(cfg->UpdateDataMSP(), savedHashes.at(row));
    }
}

MSP_TEST_MAIN(tst_SaveLoad)
#include "tst_saveload.moc"
