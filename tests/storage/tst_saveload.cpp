#include "configdata.h"
#include "fakehost.h"
#include "fcfgprodzetavx_dvbs2.h"
#include "imsp.h"
#include "modalanswerer.h"
#include "popupanswerer.h"
#include "stackediform.h"
#include "testmain.h"

#include <QListWidget>
#include <QTableWidget>
#include <QTemporaryDir>

extern "C" QObject *qt_plugin_instance();

using Hash = QHash<QString, QVariant>;

// Save and load end to end: the plug-in as a host loads it, a fake host whose
// medium is a temporary folder, and keys on the form, the browser and the module list.
class tst_SaveLoad : public QObject
{
    Q_OBJECT

private slots:
    void saveAndLoadBack();
};

void tst_SaveLoad::saveAndLoadBack()
{
    // Another product's module and a module of another family to save over.
    QTemporaryDir usb;
    const QString file = usb.filePath("mis datos.cfi");
    ConfigData data;
    Hash other {{"Canal", 5}};
    QVERIFY(data.writeData(file, "Sala A", "ZetaQAM_T", other));
    QVERIFY(data.writeData(file, "5", "OtherFamily", other));

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
    auto press = [](int key) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(key)); };
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
        auto *list = window.findChild<QListWidget *>("m_ListSelecFichWidget");
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), "mis datos.cfi");
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
    auto bytes = [&file] {
        QFile f(file);
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
        QCOMPARE(stack->currentForm(), "ZetaVX_DVBS2_CfgProd");
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
        QCOMPARE(stack->currentForm(), "ZetaVX_DVBS2_CfgProd");
        QCOMPARE(cfg->UpdateDataMSP(), savedHashes.at(row));
    }
}

MSP_TEST_MAIN(tst_SaveLoad)
#include "tst_saveload.moc"
