#include "commprotocol.h"
#include "editbox.h"
#include "fakehost.h"
#include "fcfgprodzetavx_dvbs2.h"
#include "ffuncespeciales.h"
#include "fmainmenuzetavx_dvbs2.h"
#include "fselecficheros.h"
#include "fselecmodulos.h"
#include "mainwindowzetavx_dvbs2.h"
#include "modalanswerer.h"
#include "stackediform.h"
#include "testmain.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>

// The main window with a fake host behind it: the main menu's and service form's
// keys, and the navigation row by row (emit a form's signal, check the visible
// form, the alerts shown and what reached the host).
class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void stackOrderAndTexts();
    void formsBuiltOnFirstUse();
    void menuKeys_data();
    void menuKeys();
    void serviceKeys_data();
    void serviceKeys();
    void navigation_data();
    void navigation();
    void browserKeepsOtherFiles();

private:
    template<typename T> T *form() { return window->findChild<T *>(); }
    // QTest sends the character 015 as Return and 033 as Escape.
    void type(const QString &keys)
    {
        for (const QChar c : keys)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    void openService()
    {
        type(QStringLiteral("2580"));
        QCOMPARE(stack->currentForm(), QStringLiteral("FuncionesEspeciales"));
        // The service form builds its fields when it is first shown; the first
        // time the code takes the focus.
        code = form<FFuncEspeciales>()->findChild<EditBox *>(QStringLiteral("leSpFunction"));
        QVERIFY(code);
        QTRY_COMPARE(QApplication::focusWidget(), code);
    }

    QTemporaryDir usb;
    FakeHost *host = nullptr;
    MainWindowZetaVX_DVBS2 *window = nullptr;
    StackedIForm *stack = nullptr;
    QListWidget *list = nullptr;
    EditBox *code = nullptr;
};

void tst_MainWindow::init()
{
    host = new FakeHost;
    host->deviceNames = QStringList {QStringLiteral("USB")};
    host->devicePaths = QStringList {usb.path()};
    window = new MainWindowZetaVX_DVBS2(nullptr, host, nullptr);
    stack = window->findChild<StackedIForm *>(QStringLiteral("StackedForm"));
    list = form<FMainMenuZetaVX_DVBS2>()->findChild<QListWidget *>(QStringLiteral("m_ListWidget"));
    QVERIFY(stack && list);
    window->show();
    window->activateWindow();
    list->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), list);
}

void tst_MainWindow::cleanup()
{
    delete window;
    delete host;
}

void tst_MainWindow::stackOrderAndTexts()
{
    const QStringList ids {"ZetaVX_DVBS2_MainMenu", "ModifIDMod",           "SelecModulos",
                           "SelecFicheros",         "ZetaVX_DVBS2_CfgProd", "FuncionesEspeciales"};
    QCOMPARE(stack->count(), 6);
    for (int i = 0; i < ids.size(); ++i)
        QCOMPARE(stack->indexOf(ids.at(i)), i);
    QCOMPARE(window->size(), QSize(320, 220));
    QCOMPARE(stack->currentForm(), ids.at(0));
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("Config Product"));
    QCOMPARE(list->item(0)->data(Qt::WhatsThisRole).toString(),
             QStringLiteral("ZetaVX_DVBS2_ConfigProd"));
    openService();
    auto *menu = form<FMainMenuZetaVX_DVBS2>();
    auto *service = form<FFuncEspeciales>();
    const QList<QPair<QLabel *, QString>> labels {
        {menu->findChild<QLabel *>(QStringLiteral("lbTitulo")), "Zeta-VX IF processor DVBS/S2"},
        {service->findChild<QLabel *>(QStringLiteral("lbTitulo")), "Special function"},
        {service->findChild<QLabel *>(QStringLiteral("label")), "Special Function"},
        {service->findChild<QLabel *>(QStringLiteral("label_2")), "Data"}};
    for (const auto &label : labels)
        QCOMPARE(label.first->text(), label.second);
}

// Only the menu is built up front; every other form builds its widgets when it
// is first shown or first handed data, and keeps the place the stack gave it.
void tst_MainWindow::formsBuiltOnFirstUse()
{
    for (int i = 1; i < stack->count(); ++i)
        QVERIFY2(stack->widget(i)->findChildren<QWidget *>().isEmpty(),
                 qPrintable(stack->widget(i)->objectName()));
    auto *cfg = form<FCfgProdZetaVX_DVBS2>();
    window->resize(300, 200);
    QTRY_COMPARE(stack->size(), QSize(300, 200));
    // A host's stored configuration, handed over right after Run, waits for the widgets.
    window->SetDataConfig({{"Atten_1", 3}});
    window->SetDataConfig({{"Atten_2", 5}});
    QVERIFY(cfg->findChildren<QWidget *>().isEmpty());
    QCOMPARE(cfg->UpdateDataMSP().value("Atten_1"), QVariant(3));
    QCOMPARE(cfg->UpdateDataMSP().value("Atten_2"), QVariant(5));
    stack->setCurrentForm("ZetaVX_DVBS2_CfgProd");
    QCOMPARE(cfg->geometry(), stack->rect());
    QCOMPARE(cfg->findChild<QComboBox *>("cbAten_1")->currentIndex(), 3);
}

void tst_MainWindow::menuKeys_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("visible");

    const QString stays = QStringLiteral("ZetaVX_DVBS2_MainMenu");
    QTest::newRow("return on the entry") << "\r"
                                         << "ZetaVX_DVBS2_CfgProd";
    QTest::newRow("the sequence") << "2580"
                                  << "FuncionesEspeciales";
    QTest::newRow("incomplete") << "258" << stays;
    QTest::newRow("wrong key in the middle") << "25980" << stays;
    // The second 2 restarts the match and is not taken as its first key.
    QTest::newRow("repeated first key") << "22580" << stays;
    QTest::newRow("escape drops a partial match") << "25\03380" << stays;
}

void tst_MainWindow::menuKeys()
{
    QFETCH(QString, typed);
    QFETCH(QString, visible);
    list->setCurrentRow(0);
    QSignalSpy exited(window, &MainWindowZetaVX_DVBS2::Exit);
    type(typed);
    QCOMPARE(stack->currentForm(), visible);
    // Every Escape on the menu makes the window exit.
    QCOMPARE(exited.count(), typed.count(QLatin1Char('\033')));
}

void tst_MainWindow::serviceKeys_data()
{
    QTest::addColumn<QString>("codeText");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("refuse");
    QTest::addColumn<bool>("sends");
    QTest::addColumn<bool>("cancels");
    QTest::addColumn<QStringList>("alert");

    const QStringList none;
    const QStringList unknown {"Input error", "Unknown function code\n\t"};
    const int Ret = Qt::Key_Return, F7 = Qt::Key_F7;
    QTest::newRow("F7, reset code") << "40817" << F7 << false << true << false << none;
    // Five characters at most: "0000040817" keeps "00000", which is no code.
    QTest::newRow("ten characters") << "0000040817" << Ret << false << false << false << unknown;
    QTest::newRow("return, empty code") << "" << Ret << false << false << false << unknown;
    QTest::newRow("F7, empty code cancels") << "" << F7 << false << false << true << none;
    QTest::newRow("escape cancels")
        << "40817" << int(Qt::Key_Escape) << false << false << true << none;
    QTest::newRow("host refuses") << "40817" << Ret << true << true << false
                                  << QStringList {"Comm error", "Transmission error\n\t"};
}

void tst_MainWindow::serviceKeys()
{
    QFETCH(QString, codeText);
    QFETCH(int, key);
    QFETCH(bool, refuse);
    QFETCH(bool, sends);
    QFETCH(bool, cancels);
    QFETCH(QStringList, alert);

    host->refuseFrom = refuse ? 0 : -1;
    openService();
    // Set, not typed: the field would refuse a sixth digit.
    code->setText(codeText);
    ModalAnswerer answerer(alert.isEmpty() ? QList<int> {} : QList<int> {Qt::Key_Return});
    QTest::keyClick(code, Qt::Key(key));
    QCOMPARE(stack->currentForm(),
             cancels ? QStringLiteral("ZetaVX_DVBS2_MainMenu")
                     : QStringLiteral("FuncionesEspeciales"));
    QCOMPARE(host->sentBytes(),
             sends ? QList<QByteArray> {QByteArray::fromHex("0004001d")} : QList<QByteArray> {});
    QStringList shown;
    for (const ModalAnswerer::Seen &seen : qAsConst(answerer.seen))
        shown << seen.title << seen.message;
    QCOMPARE(shown, alert);
}

void tst_MainWindow::navigation_data()
{
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QString>("signal");
    QTest::addColumn<QString>("visible");
    QTest::addColumn<int>("function");
    QTest::addColumn<QStringList>("alert");
    QTest::addColumn<QString>("itemKey");

    // function: the browse the row starts, or the module list's function before it.
    // Escape on the main menu, which makes the window exit, is driven in menuKeys.
    const QString menu = QStringLiteral("ZetaVX_DVBS2_MainMenu");
    const QString cfg = QStringLiteral("ZetaVX_DVBS2_CfgProd");
    const QString files = QStringLiteral("SelecFicheros");
    const QString modules = QStringLiteral("SelecModulos");
    const QString special = QStringLiteral("FuncionesEspeciales");
    const QString item = QStringLiteral("Seleccionado");
    const QStringList none;
    QTest::newRow("menu: key in other case")
        << menu << item << menu << 0 << none << "zetavx_dvbs2_configprod";
    QTest::newRow("config: Salir stores") << cfg << "Salir" << menu << 0 << none << "";
    QTest::newRow("config: browse to read")
        << cfg << "PresentaFichLect" << files << 32 << none << "";
    QTest::newRow("config: browse to write")
        << cfg << "PresentaFichEsc" << files << 16 << none << "";
    QTest::newRow("browser: Salir") << files << "Salir" << cfg << 0 << none << "";
    QTest::newRow("module list: Salir") << modules << "Salir" << files << 0 << none << "";
    // Every question is declined: nothing is written and the list still returns to the form.
    QTest::newRow("module list: save declined")
        << modules << item << cfg << 2 << QStringList {"Data writing", "Writing config data\r\n\t"}
        << "";
    // Accepted, but no module was chosen, so there is no section to write: the save says so.
    QTest::newRow("module list: save error")
        << modules << item << cfg << 2
        << QStringList {"Data writing", "Writing config data\r\n\t", "Data writed",
                        "Config data save error \r\n\t"}
        << "";
    QTest::newRow("module list: load error")
        << modules << item << cfg << 4 << QStringList {"Data reading", "Data read error"} << "";
    QTest::newRow("special: Cancelar") << special << "Cancelar" << menu << 0 << none << "";
}

void tst_MainWindow::navigation()
{
    QFETCH(QString, sender);
    QFETCH(QString, signal);
    QFETCH(QString, visible);
    QFETCH(int, function);
    QFETCH(QStringList, alert);
    QFETCH(QString, itemKey);

    stack->setCurrentForm(sender);
    IForm *source = stack->form(sender);
    auto *cfg = form<FCfgProdZetaVX_DVBS2>();
    // Module answers reach the configuration form only while it is visible.
    QByteArray bytes = QByteArray::fromHex("000400190001");
    CommMsg msg(bytes);
    CommProtocol answer(msg);
    QCOMPARE(window->dataRcvd(answer), source == cfg);
    if (source == form<FSelecModulos>()) {
        QString file = usb.filePath(QStringLiteral("a.cfi"));
        QString family;
        form<FSelecModulos>()->setFunction(function, file, family);
    }
    // Rows that expect a second alert accept both.
    ModalAnswerer answerer(alert.size() > 2 ? QList<int> {Qt::Key_Return, Qt::Key_Return}
                                            : QList<int> {});
    if (!itemKey.isEmpty()) {
        QListWidgetItem entry(QStringLiteral("Entry"));
        entry.setData(Qt::WhatsThisRole, itemKey);
        emit form<FMainMenuZetaVX_DVBS2>()->Seleccionado(&entry);
    } else {
        QVERIFY(QMetaObject::invokeMethod(source, qPrintable(signal), Q_ARG(IForm *, source)));
    }
    QCOMPARE(stack->currentForm(), visible);
    // Whatever the road, a field of the form shown has the focus.
    QVERIFY(stack->currentWidget()->isAncestorOf(window->focusWidget()));
    QStringList shown;
    for (const ModalAnswerer::Seen &seen : qAsConst(answerer.seen))
        shown << seen.title << seen.message;
    QCOMPARE(shown, alert);
    const bool browse = signal.startsWith(QLatin1String("PresentaFich"));
    QCOMPARE(host->deviceSelectors, browse ? QList<int> {7} : QList<int> {});
    if (browse)
        QCOMPARE(form<FSelecFicheros>()->getFunction(), function);
    // Leaving the configuration stores it with the host, changed or not.
    QCOMPARE(host->stores.size(), source == cfg && signal == QLatin1String("Salir") ? 1 : 0);
    for (const FakeHost::Store &store : qAsConst(host->stores)) {
        QCOMPARE(store.family, QStringLiteral("ZetaVX_DVBS2"));
        QCOMPARE(store.moduleKey, QStringLiteral("ZetaVX_DVBS2"));
        QCOMPARE(store.config, cfg->UpdateDataMSP());
    }
}

void tst_MainWindow::browserKeepsOtherFiles()
{
    window->PresentaFichEsc(nullptr);
    QCOMPARE(stack->currentForm(), QStringLiteral("SelecFicheros"));
    auto *browser = form<FSelecFicheros>();
    QVERIFY(browser->getTipoFichero() != 0);
    emit browser->Aceptar(browser);
    QCOMPARE(stack->currentForm(), QStringLiteral("SelecFicheros"));
}

MSP_TEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
