#include "commprotocol.h"
#include "fakehost.h"
#include "fcfgprodzetavx_dvbs2.h"
#include "fmainmenuzetavx_dvbs2.h"
#include "fselecficheros.h"
#include "fselecmodulos.h"
#include "mainwindowzetavx_dvbs2.h"
#include "modalanswerer.h"
#include "stackediform.h"
#include "testmain.h"

#include <QComboBox>
#include <QListWidgetItem>
#include <QSignalSpy>
#include <QTableWidget>

// The form stack's lookup, and the main window's navigation row by row: emit a
// form's signal, check the visible form, the alerts shown and what reached the host.
class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void lookupAndSwitch();
    void init();
    void cleanup();
    void stackOrder();
    void formsBuiltOnFirstUse();
    void navigation_data();
    void navigation();
    void browserKeepsOtherFiles();

private:
    template<typename T> T *form() { return window->findChild<T *>(); }

    QTemporaryDir usb;
    FakeHost *host = nullptr;
    MainWindowZetaVX_DVBS2 *window = nullptr;
    StackedIForm *stack = nullptr;
};

void tst_MainWindow::lookupAndSwitch()
{
    StackedIForm stack;
    QVERIFY(stack.indexOf(QStringLiteral("A")) == -1 && !stack.form(QStringLiteral("A")));
    // A plain widget is skipped by every lookup, even under a form's name.
    auto *plain = new QWidget;
    plain->setObjectName(QStringLiteral("A"));
    auto *a = new IForm(QStringLiteral("A"));
    auto *b = new IForm(QStringLiteral("B"));
    for (QWidget *w : QList<QWidget *> {plain, a, b, new IForm(QStringLiteral("B"))})
        stack.addWidget(w);
    QCOMPARE(stack.currentForm(), QString());
    QCOMPARE(stack.form(QStringLiteral("A")), a);
    QCOMPARE(stack.indexOf(QStringLiteral("B")), 2);
    QCOMPARE(stack.form(QStringLiteral("B")), b);

    // Only the exact name of another form switches.
    stack.setCurrentForm(QStringLiteral("A"));
    QSignalSpy changed(&stack, &QStackedWidget::currentChanged);
    for (const char *id : {"b", "Nowhere", "A"})
        stack.setCurrentForm(QLatin1String(id));
    QCOMPARE(changed.count(), 0);
    stack.setCurrentForm(QStringLiteral("B"));
    QCOMPARE(stack.currentWidget(), b);
}

void tst_MainWindow::init()
{
    host = new FakeHost;
    host->deviceNames = QStringList {QStringLiteral("USB")};
    host->devicePaths = QStringList {usb.path()};
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
    QCOMPARE(stack->count(), 6);
    for (int i = 0; i < ids.size(); ++i)
        QCOMPARE(stack->indexOf(ids.at(i)), i);
    QCOMPARE(window->size(), QSize(320, 220));
    QCOMPARE(stack->currentForm(), ids.at(0));
}

// Only the menu is built up front; every other form builds its widgets when it
// is first shown or first handed data, and keeps the place the stack gave it.
void tst_MainWindow::formsBuiltOnFirstUse()
{
    for (int i = 1; i < stack->count(); ++i)
        QVERIFY2(stack->widget(i)->findChildren<QWidget *>().isEmpty(),
                 qPrintable(stack->widget(i)->objectName()));
    auto *cfg = form<FCfgProdZetaVX_DVBS2>();
    QEvent change(QEvent::LanguageChange);
    QApplication::sendEvent(cfg, &change);
    QVERIFY(cfg->findChildren<QWidget *>().isEmpty());

    window->resize(300, 200);
    QTRY_COMPARE(stack->size(), QSize(300, 200));
    window->SetDataConfig({{"Atten_1", 3}});
    QCOMPARE(cfg->UpdateDataMSP().value("Atten_1"), QVariant(3));
    stack->setCurrentForm("ZetaVX_DVBS2_CfgProd");
    QCOMPARE(cfg->geometry(), stack->rect());
    QCOMPARE(cfg->findChild<QComboBox *>("cbAten_1")->currentIndex(), 3);
    stack->setCurrentForm("SelecModulos");
    QCOMPARE(stack->currentWidget()->geometry(), stack->rect());
    QVERIFY(stack->currentWidget()->findChild<QTableWidget *>("m_tableWidget"));
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
    // Escape on the main menu, which makes the window exit, is driven in tst_mainmenu.
    const QString menu = QStringLiteral("ZetaVX_DVBS2_MainMenu");
    const QString cfg = QStringLiteral("ZetaVX_DVBS2_CfgProd");
    const QString files = QStringLiteral("SelecFicheros");
    const QString modules = QStringLiteral("SelecModulos");
    const QString special = QStringLiteral("FuncionesEspeciales");
    const QString item = QStringLiteral("Seleccionado");
    const QStringList none;
    QTest::newRow("menu: other key") << menu << item << menu << 0 << none << "Config Product";
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
    QTest::newRow("module list: other function") << modules << item << cfg << 1 << none << "";
    QTest::newRow("special: Cancelar") << special << "Cancelar" << menu << 0 << none << "";
    // The special-functions form has no Salir: the row calls the window's slot with it.
    QTest::newRow("Salir from a sender not listed")
        << special << "Salir" << special << 0 << none << "";
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
    const QByteArray name = signal.toLatin1();
    if (!itemKey.isEmpty()) {
        QListWidgetItem entry(QStringLiteral("Entry"));
        entry.setData(Qt::WhatsThisRole, itemKey);
        emit form<FMainMenuZetaVX_DVBS2>()->Seleccionado(&entry);
    } else if (source->metaObject()->indexOfSignal(name + "(IForm*)") >= 0) {
        QVERIFY(QMetaObject::invokeMethod(source, name, Q_ARG(IForm *, source)));
    } else {
        QVERIFY(QMetaObject::invokeMethod(window, name, Q_ARG(IForm *, source)));
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
