#include "commprotocol.h"
#include "fakehost.h"
#include "fcfgprodzetavx_dvbs2.h"
#include "ffuncespeciales.h"
#include "fmainmenuzetavx_dvbs2.h"
#include "fselecficheros.h"
#include "fselecmodulos.h"
#include "mainwindowzetavx_dvbs2.h"
#include "modalanswerer.h"
#include "stackediform.h"

#include <QLineEdit>
#include <QListWidgetItem>
#include <QSignalSpy>
#include <QtTest>

// Navigation of the main window, row by row: emit a form's signal, check the
// visible form and what reached the host.
class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void stackOrder();
    void mainMenu_data();
    void mainMenu();
    void salir();
    void leavingConfigStoresWithHost();
    void browse_data();
    void browse();
    void browserAcceptNonConfigFile();
    void specialFunction_data();
    void specialFunction();
    void specialFunctionRefused();
    void cancelSpecial();
    void moduleListSave();
    void moduleListLoadError();
    void moduleListOtherFunction();
    void routing();
    void nitConstants();

private:
    template<typename T> T *form() { return window->findChild<T *>(); }
    QString current() const { return stack->currentForm(); }

    FakeHost *host = nullptr;
    MainWindowZetaVX_DVBS2 *window = nullptr;
    StackedIForm *stack = nullptr;
};

void tst_MainWindow::init()
{
    host = new FakeHost;
    window = new MainWindowZetaVX_DVBS2(nullptr, host, nullptr);
    stack = window->findChild<StackedIForm *>(QStringLiteral("StackedForm"));
    QVERIFY(stack);
    window->show();
}

void tst_MainWindow::cleanup()
{
    delete window;
    delete host;
}

void tst_MainWindow::stackOrder()
{
    const QStringList ids {"ZetaVX_DVBS2_MainMenu", "ModifIDMod",           "SelecModulos",
                           "SelecFicheros",         "ZetaVX_DVBS2_CfgProd", "FuncionesEspeciales"};
    const QStringList names {"MainMenu",      "ModifIDMod", "SelecModulos",
                             "SelecFicheros", "CfgProd",    "FuncEspeciales"};
    QCOMPARE(stack->count(), 6);
    for (int i = 0; i < ids.size(); ++i) {
        QCOMPARE(stack->indexOf(ids.at(i)), i);
        QCOMPARE(stack->widget(i)->objectName(), names.at(i));
    }
    QCOMPARE(window->objectName(), QStringLiteral("FormMainWindowZetaVX_DVBS2"));
    QCOMPARE(window->size(), QSize(320, 220));
    QCOMPARE(stack->widget(5)->whatsThis(), QStringLiteral("ZetaVX_DVBS2_FuncionesEspeciales"));
    QCOMPARE(current(), QStringLiteral("ZetaVX_DVBS2_MainMenu"));
}

void tst_MainWindow::mainMenu_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("visible");
    QTest::newRow("config") << "ZetaVX_DVBS2_ConfigProd"
                            << "ZetaVX_DVBS2_CfgProd";
    QTest::newRow("special") << "ZetaVX_DVBS2_FuncionesEspeciales"
                             << "FuncionesEspeciales";
    QTest::newRow("other") << "Config Product"
                           << "ZetaVX_DVBS2_MainMenu";
    QTest::newRow("case differs") << "zetavx_dvbs2_configprod"
                                  << "ZetaVX_DVBS2_MainMenu";
}

void tst_MainWindow::mainMenu()
{
    QFETCH(QString, key);
    QFETCH(QString, visible);
    QListWidgetItem item(QStringLiteral("Entry"));
    item.setData(Qt::WhatsThisRole, key);
    emit form<FMainMenuZetaVX_DVBS2>()->Seleccionado(&item);
    QCOMPARE(current(), visible);
}

void tst_MainWindow::salir()
{
    QSignalSpy exits(window, &MainWindowZetaVX_DVBS2::Exit);
    emit form<FMainMenuZetaVX_DVBS2>()->Salir(form<FMainMenuZetaVX_DVBS2>());
    QCOMPARE(exits.count(), 1);
    QCOMPARE(current(), QStringLiteral("ZetaVX_DVBS2_MainMenu"));

    stack->setCurrentForm(QStringLiteral("SelecFicheros"));
    emit form<FSelecFicheros>()->Salir(form<FSelecFicheros>());
    QCOMPARE(current(), QStringLiteral("ZetaVX_DVBS2_CfgProd"));

    stack->setCurrentForm(QStringLiteral("SelecModulos"));
    emit form<FSelecModulos>()->Salir(form<FSelecModulos>());
    QCOMPARE(current(), QStringLiteral("SelecFicheros"));

    // A sender the table does not list for the slot changes nothing.
    window->Salir(form<FFuncEspeciales>());
    QCOMPARE(current(), QStringLiteral("SelecFicheros"));
    QCOMPARE(exits.count(), 1);
    QVERIFY(host->stores.isEmpty());
}

void tst_MainWindow::leavingConfigStoresWithHost()
{
    stack->setCurrentForm(QStringLiteral("ZetaVX_DVBS2_CfgProd"));
    auto *cfg = form<FCfgProdZetaVX_DVBS2>();
    emit cfg->Salir(cfg);
    QCOMPARE(current(), QStringLiteral("ZetaVX_DVBS2_MainMenu"));
    QCOMPARE(host->stores.size(), 1);
    QCOMPARE(host->stores.at(0).family, QStringLiteral("ZetaVX_DVBS2"));
    QCOMPARE(host->stores.at(0).moduleKey, QStringLiteral("ZetaVX_DVBS2"));
    QCOMPARE(host->stores.at(0).config, cfg->UpdateDataMSP());

    // Nothing changed in between: the host is told all the same.
    stack->setCurrentForm(QStringLiteral("ZetaVX_DVBS2_CfgProd"));
    emit cfg->Salir(cfg);
    QCOMPARE(host->stores.size(), 2);
}

void tst_MainWindow::browse_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<int>("function");
    QTest::newRow("read") << false << 32;
    QTest::newRow("write") << true << 16;
}

void tst_MainWindow::browse()
{
    QFETCH(bool, write);
    QFETCH(int, function);
    QTemporaryDir usb;
    host->deviceNames = QStringList {QStringLiteral("USB")};
    host->devicePaths = QStringList {usb.path()};
    stack->setCurrentForm(QStringLiteral("ZetaVX_DVBS2_CfgProd"));
    auto *cfg = form<FCfgProdZetaVX_DVBS2>();
    if (write)
        emit cfg->PresentaFichEsc(cfg);
    else
        emit cfg->PresentaFichLect(cfg);
    QCOMPARE(host->deviceSelectors, QList<int> {7});
    QCOMPARE(form<FSelecFicheros>()->getFunction(), function);
    QCOMPARE(current(), QStringLiteral("SelecFicheros"));
}

void tst_MainWindow::browserAcceptNonConfigFile()
{
    QTemporaryDir usb;
    host->deviceNames = QStringList {QStringLiteral("USB")};
    host->devicePaths = QStringList {usb.path()};
    window->PresentaFichEsc(nullptr);
    QCOMPARE(current(), QStringLiteral("SelecFicheros"));
    auto *browser = form<FSelecFicheros>();
    QVERIFY(browser->getTipoFichero() != 0);
    emit browser->Aceptar(browser);
    QCOMPARE(current(), QStringLiteral("SelecFicheros"));
}

void tst_MainWindow::specialFunction_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("sends");
    QTest::newRow("reset") << "40817" << true;
    QTest::newRow("leading zeros") << "040817" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("other number") << "40818" << false;
    QTest::newRow("not a number") << "4o817" << false;
}

void tst_MainWindow::specialFunction()
{
    QFETCH(QString, code);
    QFETCH(bool, sends);
    stack->setCurrentForm(QStringLiteral("FuncionesEspeciales"));
    auto *special = form<FFuncEspeciales>();
    // The validator may refuse some of the texts above; set them directly.
    special->findChild<QLineEdit *>(QStringLiteral("leSpFunction"))->setText(code);
    special->findChild<QLineEdit *>(QStringLiteral("leSpData"))->setText(QStringLiteral("12"));

    ModalAnswerer answerer({Qt::Key_Return});
    emit special->Aceptar(special);
    if (sends) {
        QCOMPARE(host->sentBytes(), QList<QByteArray> {QByteArray::fromHex("0004001d")});
        QCOMPARE(host->sentBy.at(0), nullptr);
        QCOMPARE(answerer.seen.size(), 0);
    } else {
        QVERIFY(host->sent.isEmpty());
        QCOMPARE(answerer.seen.size(), 1);
        QCOMPARE(answerer.seen.at(0).title, QStringLiteral("Input error"));
        QCOMPARE(answerer.seen.at(0).message, QStringLiteral("Unknown function code\n\t"));
    }
    QCOMPARE(answerer.unexpected, 0);
    QCOMPARE(current(), QStringLiteral("FuncionesEspeciales"));
}

void tst_MainWindow::specialFunctionRefused()
{
    host->refuseFrom = 0;
    stack->setCurrentForm(QStringLiteral("FuncionesEspeciales"));
    auto *special = form<FFuncEspeciales>();
    special->findChild<QLineEdit *>(QStringLiteral("leSpFunction"))
        ->setText(QStringLiteral("40817"));
    ModalAnswerer answerer({Qt::Key_Return});
    emit special->Aceptar(special);
    QCOMPARE(host->sent.size(), 1);
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen.at(0).title, QStringLiteral("Comm error"));
    QCOMPARE(answerer.seen.at(0).message, QStringLiteral("Transmission error\n\t"));
    QCOMPARE(current(), QStringLiteral("FuncionesEspeciales"));
}

void tst_MainWindow::cancelSpecial()
{
    stack->setCurrentForm(QStringLiteral("FuncionesEspeciales"));
    auto *special = form<FFuncEspeciales>();
    emit special->Cancelar(special);
    QCOMPARE(current(), QStringLiteral("ZetaVX_DVBS2_MainMenu"));
}

void tst_MainWindow::moduleListSave()
{
    QTemporaryDir usb;
    auto *modules = form<FSelecModulos>();
    QString file = usb.filePath(QStringLiteral("a.cfi"));
    QString family;
    modules->setFunction(2, file, family);
    stack->setCurrentForm(QStringLiteral("SelecModulos"));

    // Declining the question writes nothing and still returns to the form.
    ModalAnswerer answerer({Qt::Key_Escape});
    emit modules->Seleccionado(modules);
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen.at(0).title, QStringLiteral("Data writing"));
    QCOMPARE(answerer.seen.at(0).message, QStringLiteral("Writing config data\r\n\t"));
    QCOMPARE(answerer.unexpected, 0);
    QCOMPARE(current(), QStringLiteral("ZetaVX_DVBS2_CfgProd"));
    QCOMPARE(QDir(usb.path()).entryList(QDir::Files), QStringList());
}

void tst_MainWindow::moduleListLoadError()
{
    QTemporaryDir usb;
    auto *modules = form<FSelecModulos>();
    QString file = usb.filePath(QStringLiteral("missing.cfi"));
    QString family = QStringLiteral("ZetaVX_DVBS2");
    modules->setFunction(4, file, family);
    stack->setCurrentForm(QStringLiteral("SelecModulos"));

    ModalAnswerer answerer({Qt::Key_Return});
    emit modules->Seleccionado(modules);
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen.at(0).title, QStringLiteral("Data reading"));
    QCOMPARE(answerer.seen.at(0).message, QStringLiteral("Data read error"));
    QCOMPARE(current(), QStringLiteral("ZetaVX_DVBS2_CfgProd"));
}

void tst_MainWindow::moduleListOtherFunction()
{
    auto *modules = form<FSelecModulos>();
    QString file;
    QString family;
    modules->setFunction(1, file, family);
    stack->setCurrentForm(QStringLiteral("SelecModulos"));
    ModalAnswerer answerer;
    emit modules->Seleccionado(modules);
    QCOMPARE(answerer.seen.size(), 0);
    QCOMPARE(current(), QStringLiteral("ZetaVX_DVBS2_CfgProd"));
}

void tst_MainWindow::routing()
{
    QByteArray bytes = QByteArray::fromHex("000400190001");
    CommMsg msg(bytes);
    CommProtocol answer(msg);
    for (const char *id :
         {"ZetaVX_DVBS2_MainMenu", "FuncionesEspeciales", "SelecFicheros", "SelecModulos"}) {
        stack->setCurrentForm(QString::fromLatin1(id));
        QVERIFY2(!window->dataRcvd(answer), id);
    }
    stack->setCurrentForm(QStringLiteral("ZetaVX_DVBS2_CfgProd"));
    QVERIFY(window->dataRcvd(answer));
}

void tst_MainWindow::nitConstants()
{
    QStringList names {QStringLiteral("A")};
    QList<int> ids {1, 2};
    QString text = QStringLiteral("keep");
    window->SetDataNIT({{QStringLiteral("k"), 1}}, names, ids, ids, text);
    QVERIFY(!window->hayDatosTablaNIT());
    QVERIFY(!window->hayDatosListaServicios());
    QVERIFY(window->GetServicesActivesList(names, ids));
    QVERIFY(window->GetServicesActivesList_out2(names, ids));
    QCOMPARE(names, QStringList {QStringLiteral("A")});
    QCOMPARE(ids, (QList<int> {1, 2}));
    QCOMPARE(text, QStringLiteral("keep"));
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
