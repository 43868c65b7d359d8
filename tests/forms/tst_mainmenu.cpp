#include "editbox.h"
#include "fakehost.h"
#include "ffuncespeciales.h"
#include "fmainmenuzetavx_dvbs2.h"
#include "mainwindowzetavx_dvbs2.h"
#include "modalanswerer.h"
#include "stackediform.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include "testmain.h"

// The main menu and the service form, driven by keys inside the main window
// with a fake host behind it.
class tst_MainMenu : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void texts();
    void menuKeys_data();
    void menuKeys();
    void serviceKeys_data();
    void serviceKeys();

private:
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
        // The service form builds its fields when it is first shown.
        code = service->findChild<EditBox *>(QStringLiteral("leSpFunction"));
        data = service->findChild<EditBox *>(QStringLiteral("leSpData"));
        QVERIFY(code && data);
        // The form's last focused field takes the focus; the first time that is the code.
        QTRY_VERIFY(service->isAncestorOf(QApplication::focusWidget()));
    }

    FakeHost *host = nullptr;
    MainWindowZetaVX_DVBS2 *window = nullptr;
    StackedIForm *stack = nullptr;
    FMainMenuZetaVX_DVBS2 *menu = nullptr;
    FFuncEspeciales *service = nullptr;
    QListWidget *list = nullptr;
    EditBox *code = nullptr;
    EditBox *data = nullptr;
};

void tst_MainMenu::init()
{
    host = new FakeHost;
    window = new MainWindowZetaVX_DVBS2(nullptr, host, nullptr);
    stack = window->findChild<StackedIForm *>(QStringLiteral("StackedForm"));
    menu = window->findChild<FMainMenuZetaVX_DVBS2 *>();
    service = window->findChild<FFuncEspeciales *>();
    list = menu->findChild<QListWidget *>(QStringLiteral("m_ListWidget"));
    QVERIFY(list);
    window->show();
    window->activateWindow();
    list->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), list);
}

void tst_MainMenu::cleanup()
{
    delete window;
    delete host;
}

void tst_MainMenu::texts()
{
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("Config Product"));
    QCOMPARE(list->item(0)->data(Qt::WhatsThisRole).toString(),
             QStringLiteral("ZetaVX_DVBS2_ConfigProd"));
    openService();
    const QList<QPair<QLabel *, QString>> labels {
        {menu->findChild<QLabel *>(QStringLiteral("lbTitulo")), "Zeta-VX IF processor DVBS/S2"},
        {service->findChild<QLabel *>(QStringLiteral("lbTitulo")), "Special function"},
        {service->findChild<QLabel *>(QStringLiteral("label")), "Special Function"},
        {service->findChild<QLabel *>(QStringLiteral("label_2")), "Data"}};
    for (const auto &label : labels) {
        QCOMPARE(label.first->text(), label.second);
        label.first->clear();
    }
    QEvent change(QEvent::LanguageChange);
    QApplication::sendEvent(menu, &change);
    QApplication::sendEvent(service, &change);
    for (const auto &label : labels)
        QCOMPARE(label.first->text(), label.second);
}

void tst_MainMenu::menuKeys_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("visible");

    // chosen: the key of the item the menu hands to the window, if any.
    const QString config = QStringLiteral("ZetaVX_DVBS2_ConfigProd");
    const QString special = QStringLiteral("ZetaVX_DVBS2_FuncionesEspeciales");
    const QString stays = QStringLiteral("ZetaVX_DVBS2_MainMenu");
    QTest::newRow("return on the entry") << "\r" << config << "ZetaVX_DVBS2_CfgProd";
    QTest::newRow("the sequence") << "2580" << special << "FuncionesEspeciales";
    QTest::newRow("incomplete") << "258" << QString() << stays;
    QTest::newRow("wrong key in the middle") << "25980" << QString() << stays;
    // The second 2 restarts the match and is not taken as its first key.
    QTest::newRow("repeated first key") << "22580" << QString() << stays;
    QTest::newRow("escape drops a partial match") << "25\03380" << QString() << stays;
}

void tst_MainMenu::menuKeys()
{
    QFETCH(QString, typed);
    QFETCH(QString, chosen);
    QFETCH(QString, visible);
    list->setCurrentRow(0);
    QStringList keys;
    connect(menu, &FMainMenuZetaVX_DVBS2::Seleccionado, this,
            [&](QListWidgetItem *item) { keys.append(item->data(Qt::WhatsThisRole).toString()); });
    QSignalSpy exited(window, &MainWindowZetaVX_DVBS2::Exit);
    type(typed);
    QCOMPARE(keys, chosen.isEmpty() ? QStringList() : QStringList {chosen});
    QCOMPARE(stack->currentForm(), visible);
    // Every Escape on the menu makes the window exit.
    QCOMPARE(exited.count(), typed.count(QLatin1Char('\033')));
}

void tst_MainMenu::serviceKeys_data()
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
    QTest::newRow("return, reset code") << "40817" << Ret << false << true << false << none;
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

void tst_MainMenu::serviceKeys()
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

MSP_TEST_MAIN(tst_MainMenu)
#include "tst_mainmenu.moc"
