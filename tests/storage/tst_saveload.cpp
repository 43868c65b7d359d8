#include "configdata.h"
#include "fakehost.h"
#include "fcfgprodzetavx_dvbs2.h"
#include "imsp.h"
#include "modalanswerer.h"
#include "popupanswerer.h"
#include "stackediform.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

extern "C" QObject *qt_plugin_instance();

using Hash = QHash<QString, QVariant>;

namespace {
// A configuration the form accepts, varied by a few fields.
Hash config(int atten, int pol, const QString &freqOut)
{
    return Hash {{"Entradas", 1},
                 {"C1_Act", 1},
                 {"C2_Act", 0},
                 {"LNB_1", 1},
                 {"LNB_2", 1},
                 {"Banda_1", 1},
                 {"Banda_2", 0},
                 {"Pol_1", pol},
                 {"Pol_2", 1 - pol},
                 {"Freq1_Input", "1550"},
                 {"Freq2_Input", "1210"},
                 {"SRate_1", "27500"},
                 {"SRate_2", "22000"},
                 {"RollOff_1", 1},
                 {"RollOff_2", 2},
                 {"BW_1", 255},
                 {"BW_2", 255},
                 {"Freq1_Output", freqOut},
                 {"Freq2_Output", "1800"},
                 {"Atten_1", atten},
                 {"Atten_2", 20}};
}

QMap<QString, QString> asText(const Hash &h)
{
    QMap<QString, QString> m;
    for (auto it = h.constBegin(); it != h.constEnd(); ++it)
        m.insert(it.key(), it.value().toString());
    return m;
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

// Save and load end to end: the plug-in as a host loads it, a fake host whose
// medium is a temporary folder, and keys on the browser and the module list.
class tst_SaveLoad : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saveTwoModulesAndLoadBack();
    void declineWritesNothing();
    void overwriteChosenModule();

private:
    void press(int key) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(key)); }
    void type(const QString &text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    QString current() const { return stack->currentForm(); }
    QStringList browserRows() const;
    QStringList moduleRows() const;
    // From the configuration form to the module list, choosing or naming a file.
    void openFile(bool write, const QString &name, bool existing);
    void chooseRow(const QString &id);
    void setForm(const Hash &h) { imsp->SetDataConfig(h); }
    QMap<QString, QString> formConfig() const { return asText(cfg->UpdateDataMSP()); }

    QTemporaryDir *usb = nullptr;
    FakeHost *host = nullptr;
    QWidget *hostWidget = nullptr;
    Imsp *imsp = nullptr;
    StackedIForm *stack = nullptr;
    FCfgProdZetaVX_DVBS2 *cfg = nullptr;
};

void tst_SaveLoad::init()
{
    usb = new QTemporaryDir;
    host = new FakeHost;
    host->deviceNames = QStringList {"USB"};
    host->devicePaths = QStringList {usb->path()};
    imsp = qobject_cast<Imsp *>(qt_plugin_instance());
    QVERIFY(imsp);
    imsp->SetIServiciosComunes(host);
    hostWidget = new QWidget;
    hostWidget->resize(320, 240);
    imsp->Run(hostWidget);
    hostWidget->show();
    QApplication::setActiveWindow(hostWidget);
    QVERIFY(QTest::qWaitForWindowActive(hostWidget));
    stack = hostWidget->findChild<StackedIForm *>("StackedForm");
    cfg = hostWidget->findChild<FCfgProdZetaVX_DVBS2 *>();
    QVERIFY(stack && cfg);
    stack->setCurrentForm("ZetaVX_DVBS2_CfgProd");
}

void tst_SaveLoad::cleanup()
{
    delete hostWidget;
    delete host;
    delete usb;
}

QStringList tst_SaveLoad::browserRows() const
{
    QStringList rows;
    auto *list = hostWidget->findChild<QListWidget *>("m_ListSelecFichWidget");
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

QStringList tst_SaveLoad::moduleRows() const
{
    QStringList rows;
    auto *table = hostWidget->findChild<QTableWidget *>("m_tableWidget");
    for (int r = 0; r < table->rowCount(); ++r)
        rows << table->item(r, 0)->text() + " / " + table->item(r, 1)->text();
    return rows;
}

void tst_SaveLoad::openFile(bool write, const QString &name, bool existing)
{
    // An alert just closed gives the activation back to the host's window.
    QApplication::setActiveWindow(hostWidget);
    QVERIFY(QTest::qWaitForWindowActive(hostWidget));
    {
        // The form's file menu: read first, then write.
        PopupAnswerer menu(write ? QList<int> {Qt::Key_Down, Qt::Key_Return}
                                 : QList<int> {Qt::Key_Return});
        QTest::keyClick(cfg, Qt::Key_F5);
    }
    QCOMPARE(current(), QStringLiteral("SelecFicheros"));
    if (!existing) {
        type(name);
        press(Qt::Key_Return);
    } else {
        const int row = browserRows().indexOf(name);
        QVERIFY2(row >= 0, qPrintable(browserRows().join(", ")));
        if (write)
            press(Qt::Key_Down);
        for (int i = 0; i < row; ++i)
            press(Qt::Key_Down);
        press(Qt::Key_Return);
    }
    QCOMPARE(current(), QStringLiteral("SelecModulos"));
}

void tst_SaveLoad::chooseRow(const QString &id)
{
    auto *table = hostWidget->findChild<QTableWidget *>("m_tableWidget");
    auto *box = hostWidget->findChild<QLineEdit *>("lineEditNewModule");
    if (box->isVisible())
        press(Qt::Key_Down);
    while (table->item(table->currentRow(), 0)->text() != id
           && table->currentRow() < table->rowCount() - 1)
        press(Qt::Key_Down);
    QCOMPARE(table->item(table->currentRow(), 0)->text(), id);
    press(Qt::Key_Return);
}

void tst_SaveLoad::saveTwoModulesAndLoadBack()
{
    const Hash a = config(3, 1, "1000");
    const Hash b = config(7, 0, "2000");
    setForm(a);
    const QMap<QString, QString> savedA = formConfig();

    openFile(true, "mis datos", false);
    QCOMPARE(moduleRows(), QStringList());
    {
        ModalAnswerer first({Qt::Key_Return, Qt::Key_Return});
        type("101");
        press(Qt::Key_Return);
        QCOMPARE(first.seen.size(), 2);
        QCOMPARE(first.seen.at(0).title, QStringLiteral("Data writing"));
        QCOMPARE(first.seen.at(0).message, QStringLiteral("Writing config data\r\n\t"));
        QCOMPARE(first.seen.at(1).title, QStringLiteral("Data writed"));
        QCOMPARE(first.seen.at(1).message, QStringLiteral("Config data saved \r\n\t"));
        QCOMPARE(current(), QStringLiteral("ZetaVX_DVBS2_CfgProd"));
    }

    // Another product's module and the network keys share the file.
    const QString file = usb->filePath("mis datos.cfi");
    ConfigData data;
    Hash other {{"Canal", 5}};
    QVERIFY(data.writeData(file, "Sala A", "ZetaQAM_T", other));
    QString path = file, version = QStringLiteral("2.1");
    QVERIFY(data.storeVersion(path, version));

    setForm(b);
    const QMap<QString, QString> savedB = formConfig();
    openFile(true, "mis datos.cfi", true);
    // Saving lists every module of the file, whatever its family.
    QCOMPARE(moduleRows(), (QStringList {"101 / ZetaVX_DVBS2", "Sala A / ZetaQAM_T"}));
    {
        ModalAnswerer second({Qt::Key_Return, Qt::Key_Return});
        type("102");
        press(Qt::Key_Return);
        QCOMPARE(second.seen.size(), 2);
        QCOMPARE(second.unexpected, 0);
    }

    QSettings ini(file, QSettings::IniFormat);
    QCOMPARE(ini.childGroups(), (QStringList {"101", "102", "Sala A"}));
    QCOMPARE(ini.value("VERSION").toString(), QStringLiteral("2.1"));
    QCOMPARE(ini.value("Sala A/Canal").toString(), QStringLiteral("5"));
    ini.beginGroup("101");
    QCOMPARE(ini.value("FAMILY_KEY").toString(), QStringLiteral("ZetaVX_DVBS2"));
    for (const char *key : {"Services_Names", "Services_Ids", "Services_Actives"})
        QVERIFY2(ini.contains(key) && ini.value(key).toStringList().isEmpty(), key);
    ini.endGroup();

    // Load each back into a changed form: every field returns.
    setForm(config(12, 0, "1500"));
    QVERIFY(formConfig() != savedA);
    for (const auto &module :
         {qMakePair(QStringLiteral("101"), savedA), qMakePair(QStringLiteral("102"), savedB)}) {
        openFile(false, "mis datos.cfi", true);
        // Loading lists only this product's modules.
        QCOMPARE(moduleRows(), (QStringList {"101 / ZetaVX_DVBS2", "102 / ZetaVX_DVBS2"}));
        ModalAnswerer answers({Qt::Key_Return});
        chooseRow(module.first);
        QCOMPARE(answers.seen.size(), 1);
        QCOMPARE(answers.seen.at(0).title, QStringLiteral("Data reading"));
        QCOMPARE(answers.seen.at(0).message, QStringLiteral("Data Correctly read"));
        QCOMPARE(current(), QStringLiteral("ZetaVX_DVBS2_CfgProd"));
        // The form takes its own keys; the file's service keys may come along.
        QMap<QString, QString> loaded = formConfig();
        for (const QString &key : loaded.keys())
            if (!module.second.contains(key))
                loaded.remove(key);
        QCOMPARE(loaded, module.second);
    }
}

void tst_SaveLoad::declineWritesNothing()
{
    const QString file = usb->filePath("a.cfi");
    ConfigData data;
    Hash h = config(1, 1, "1000");
    QVERIFY(data.writeData(file, "5", "ZetaVX_DVBS2", h));
    const QByteArray before = bytesOf(file);
    setForm(config(9, 0, "2100"));
    openFile(true, "a.cfi", true);
    ModalAnswerer answers({Qt::Key_Escape});
    chooseRow("5");
    QCOMPARE(answers.seen.size(), 1);
    QCOMPARE(answers.unexpected, 0);
    QCOMPARE(current(), QStringLiteral("ZetaVX_DVBS2_CfgProd"));
    QCOMPARE(bytesOf(file), before);
    QCOMPARE(QDir(usb->path()).entryList(QDir::Files), QStringList {"a.cfi"});
}

void tst_SaveLoad::overwriteChosenModule()
{
    const QString file = usb->filePath("a.cfi");
    ConfigData data;
    Hash old {{"Entradas", 0}, {"Obsolete", "x"}};
    QVERIFY(data.writeData(file, "5", "OtherFamily", old));
    setForm(config(4, 1, "1111"));
    const QMap<QString, QString> saved = formConfig();
    openFile(true, "a.cfi", true);
    ModalAnswerer answers({Qt::Key_Return, Qt::Key_Return});
    chooseRow("5");
    QCOMPARE(answers.seen.size(), 2);
    Hash back;
    QVERIFY(data.readData(file, "5", back));
    for (const char *key : {"Services_Names", "Services_Ids", "Services_Actives"})
        back.remove(key);
    QCOMPARE(asText(back), saved);
    QStringList families;
    QString filter;
    QCOMPARE(data.getModuleList(file, families, filter), QStringList {"5"});
    QCOMPARE(families, QStringList {"ZetaVX_DVBS2"});
}

QTEST_MAIN(tst_SaveLoad)
#include "tst_saveload.moc"
