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
#include <QtTest>

// The main menu and the service form, driven by keys inside the main window
// with a fake host behind it.
class tst_MainMenu : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void menuLayout();
    void configEntry_data();
    void configEntry();
    void accessSequence_data();
    void accessSequence();
    void sequenceStartsOverAfterUse();
    void escapeExits();
    void serviceFieldValidators_data();
    void serviceFieldValidators();
    void serviceKeys_data();
    void serviceKeys();
    void serviceFieldsKeepTheirTexts();
    void retranslate();

private:
    void type(const QString &keys);
    void press(int key) { QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key)); }
    void openService();
    QString current() const { return stack->currentForm(); }

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
    QVERIFY(stack && menu && service);
    list = menu->findChild<QListWidget *>(QStringLiteral("m_ListWidget"));
    code = service->findChild<EditBox *>(QStringLiteral("leSpFunction"));
    data = service->findChild<EditBox *>(QStringLiteral("leSpData"));
    QVERIFY(list && code && data);
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

void tst_MainMenu::type(const QString &keys)
{
    for (const QChar c : keys)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

void tst_MainMenu::openService()
{
    type(QStringLiteral("2580"));
    QCOMPARE(current(), QStringLiteral("FuncionesEspeciales"));
    // The form's last focused field takes the focus; the first time that is the code.
    QTRY_VERIFY(service->isAncestorOf(QApplication::focusWidget()));
}

void tst_MainMenu::menuLayout()
{
    QCOMPARE(menu->findChild<QLabel *>(QStringLiteral("lbTitulo"))->text(),
             QStringLiteral("Zeta-VX IF processor DVBS/S2"));
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("Config Product"));
    QCOMPARE(list->item(0)->data(Qt::WhatsThisRole).toString(),
             QStringLiteral("ZetaVX_DVBS2_ConfigProd"));
    QCOMPARE(FMainMenuZetaVX_DVBS2().findChild<QListWidget *>()->currentRow(), -1);
}

void tst_MainMenu::configEntry_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("return") << int(Qt::Key_Return);
    QTest::newRow("enter") << int(Qt::Key_Enter);
}

void tst_MainMenu::configEntry()
{
    QFETCH(int, key);
    QList<QListWidgetItem *> chosen;
    connect(menu, &FMainMenuZetaVX_DVBS2::Seleccionado, this,
            [&](QListWidgetItem *item) { chosen.append(item); });
    press(Qt::Key_Down);
    QCOMPARE(list->currentRow(), 0);
    press(key);
    QCOMPARE(chosen, QList<QListWidgetItem *> {list->item(0)});
    QCOMPARE(current(), QStringLiteral("ZetaVX_DVBS2_CfgProd"));
}

void tst_MainMenu::accessSequence_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("opens");
    QTest::newRow("the sequence") << "2580" << true;
    QTest::newRow("after other keys") << "112580" << true;
    QTest::newRow("incomplete") << "258" << false;
    QTest::newRow("wrong key in the middle") << "25980" << false;
    // The second 2 restarts the match and is not taken as its first key.
    QTest::newRow("repeated first key") << "22580" << false;
    QTest::newRow("again after a wrong key") << "25912580" << true;
}

void tst_MainMenu::accessSequence()
{
    QFETCH(QString, typed);
    QFETCH(bool, opens);
    QStringList chosen;
    connect(menu, &FMainMenuZetaVX_DVBS2::Seleccionado, this, [&](QListWidgetItem *item) {
        chosen.append(item->data(Qt::WhatsThisRole).toString());
        QVERIFY(!item->listWidget());
    });
    type(typed);
    QCOMPARE(current(),
             opens ? QStringLiteral("FuncionesEspeciales")
                   : QStringLiteral("ZetaVX_DVBS2_MainMenu"));
    QCOMPARE(chosen, opens ? QStringList {"ZetaVX_DVBS2_FuncionesEspeciales"} : QStringList {});
    // The entry of the sequence is never one of the list's items.
    QCOMPARE(list->count(), 1);
    QVERIFY(host->sent.isEmpty());
}

void tst_MainMenu::sequenceStartsOverAfterUse()
{
    openService();
    press(Qt::Key_Escape);
    QCOMPARE(current(), QStringLiteral("ZetaVX_DVBS2_MainMenu"));
    list->setFocus();
    type(QStringLiteral("0"));
    QCOMPARE(current(), QStringLiteral("ZetaVX_DVBS2_MainMenu"));
    type(QStringLiteral("2580"));
    QCOMPARE(current(), QStringLiteral("FuncionesEspeciales"));
}

void tst_MainMenu::escapeExits()
{
    QSignalSpy exits(window, &MainWindowZetaVX_DVBS2::Exit);
    type(QStringLiteral("25"));
    press(Qt::Key_Escape);
    QCOMPARE(exits.count(), 1);
    // The partial match is lost with the Escape.
    type(QStringLiteral("80"));
    QCOMPARE(current(), QStringLiteral("ZetaVX_DVBS2_MainMenu"));
    QCOMPARE(exits.count(), 1);
}

void tst_MainMenu::serviceFieldValidators_data()
{
    QTest::addColumn<bool>("codeField");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::newRow("code: five digits") << true << "40817"
                                       << "40817";
    QTest::newRow("code: sixth digit refused") << true << "123456"
                                               << "12345";
    QTest::newRow("code: no minus") << true << "-7"
                                    << "7";
    QTest::newRow("data: negative") << false << "-42"
                                    << "-42";
    QTest::newRow("data: long") << false << "1234567"
                                << "1234567";
    QTest::newRow("data: no letters") << false << "1a2"
                                      << "12";
}

void tst_MainMenu::serviceFieldValidators()
{
    QFETCH(bool, codeField);
    QFETCH(QString, typed);
    QFETCH(QString, text);
    openService();
    EditBox *field = codeField ? code : data;
    field->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), field);
    type(typed);
    QCOMPARE(field->text(), text);
}

void tst_MainMenu::serviceKeys_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("visible");
    QTest::addColumn<bool>("sends");
    QTest::addColumn<bool>("unknown");

    const QString service = QStringLiteral("FuncionesEspeciales");
    const QString menu = QStringLiteral("ZetaVX_DVBS2_MainMenu");
    QTest::newRow("return, reset code")
        << "40817" << int(Qt::Key_Return) << service << true << false;
    QTest::newRow("enter, reset code") << "40817" << int(Qt::Key_Enter) << service << true << false;
    QTest::newRow("F7, reset code") << "40817" << int(Qt::Key_F7) << service << true << false;
    QTest::newRow("leading zero") << "04081" << int(Qt::Key_Return) << service << false << true;
    QTest::newRow("return, other code") << "123" << int(Qt::Key_Return) << service << false << true;
    QTest::newRow("F7, other code") << "7" << int(Qt::Key_F7) << service << false << true;
    QTest::newRow("return, empty code") << "" << int(Qt::Key_Return) << service << false << true;
    QTest::newRow("F7, empty code cancels") << "" << int(Qt::Key_F7) << menu << false << false;
    QTest::newRow("escape cancels") << "40817" << int(Qt::Key_Escape) << menu << false << false;
}

void tst_MainMenu::serviceKeys()
{
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, visible);
    QFETCH(bool, sends);
    QFETCH(bool, unknown);

    openService();
    type(typed);
    ModalAnswerer answerer(unknown ? QList<int> {Qt::Key_Return} : QList<int> {});
    press(key);
    QCOMPARE(current(), visible);
    QCOMPARE(host->sentBytes(),
             sends ? QList<QByteArray> {QByteArray::fromHex("0004001d")} : QList<QByteArray> {});
    QCOMPARE(answerer.seen.size(), unknown ? 1 : 0);
    if (unknown) {
        QCOMPARE(answerer.seen.at(0).title, QStringLiteral("Input error"));
        QCOMPARE(answerer.seen.at(0).message, QStringLiteral("Unknown function code\n\t"));
    }
}

void tst_MainMenu::serviceFieldsKeepTheirTexts()
{
    openService();
    QCOMPARE(QApplication::focusWidget(), code);
    type(QStringLiteral("123"));
    press(Qt::Key_Down);
    QTRY_COMPARE(QApplication::focusWidget(), data);
    type(QStringLiteral("-9"));
    QSignalSpy accepted(service, &FFuncEspeciales::Aceptar);
    ModalAnswerer answerer({Qt::Key_Return});
    press(Qt::Key_Return);
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(answerer.seen.size(), 1);
    QString c, d;
    service->getSpecialFunctionData(c, d);
    QCOMPARE(c, QStringLiteral("123"));
    QCOMPARE(d, QStringLiteral("-9"));

    QTRY_COMPARE(QApplication::focusWidget(), data);
    press(Qt::Key_Escape);
    QCOMPARE(current(), QStringLiteral("ZetaVX_DVBS2_MainMenu"));
    list->setFocus();
    openService();
    QCOMPARE(code->text(), QStringLiteral("123"));
    QCOMPARE(data->text(), QStringLiteral("-9"));
}

void tst_MainMenu::retranslate()
{
    auto *menuTitle = menu->findChild<QLabel *>(QStringLiteral("lbTitulo"));
    auto *serviceLabel = service->findChild<QLabel *>(QStringLiteral("label"));
    menuTitle->clear();
    serviceLabel->clear();
    QEvent change(QEvent::LanguageChange);
    QApplication::sendEvent(menu, &change);
    QApplication::sendEvent(service, &change);
    QCOMPARE(menuTitle->text(), QStringLiteral("Zeta-VX IF processor DVBS/S2"));
    QCOMPARE(serviceLabel->text(), QStringLiteral("Special Function"));
    QCOMPARE(service->findChild<QLabel *>(QStringLiteral("label_2"))->text(),
             QStringLiteral("Data"));
}

QTEST_MAIN(tst_MainMenu)
#include "tst_mainmenu.moc"
