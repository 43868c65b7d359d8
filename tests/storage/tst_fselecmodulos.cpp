#include "configdata.h"
#include "fselecmodulos.h"
#include "modalanswerer.h"
#include "popupanswerer.h"
#include "testmain.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>

// The module list on a file holding modules of several families.
class tst_FSelecModulos : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listAndChoose();
    void typedIdentifier_data();
    void typedIdentifier();
    void deleteModule_data();
    void deleteModule();

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

void tst_FSelecModulos::init()
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

void tst_FSelecModulos::cleanup()
{
    delete top;
    delete dir;
}

// Saving lists every family and offers a box for a new identifier, its text
// selected, above the table; loading lists this family only, from the table.
void tst_FSelecModulos::listAndChoose()
{
    QSignalSpy chosen(list, &FSelecModulos::Seleccionado);
    QSignalSpy salir(list, &FSelecModulos::Salir);
    open(2, QString());
    QCOMPARE(column(1),
             (QStringList {"ZetaVX_DVBS2", "ZetaVX_DVBS2", "ZetaQAM_T", "zetavx_dvbs2"}));
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
    QCOMPARE(chosen.count(), 0);
    QCOMPARE(menu.entries, QStringList());
}

void tst_FSelecModulos::typedIdentifier_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("leading zeros kept") << "007" << true;
    QTest::newRow("zero") << "0" << false;
    QTest::newRow("letters refused") << "abc" << false;
}

void tst_FSelecModulos::typedIdentifier()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QSignalSpy spy(list, &FSelecModulos::Seleccionado);
    open(2, QString());
    QTest::keyClicks(box(), typed);
    press(Qt::Key_Return);
    QCOMPARE(spy.count(), accepted ? 1 : 0);
    QCOMPARE(list->getModSeleccionado(), accepted ? typed : QString());
}

void tst_FSelecModulos::deleteModule_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("confirmed") << int(Qt::Key_Return);
    QTest::newRow("cancelled") << int(Qt::Key_Escape);
}

void tst_FSelecModulos::deleteModule()
{
    QFETCH(int, answer);
    const bool confirmed = answer == Qt::Key_Return;
    QSignalSpy deleted(list, &FSelecModulos::deleteModuleId);
    open(1, "ZetaVX_DVBS2");
    press(Qt::Key_Down);
    // Whoever receives the signal removes the section; the list shows the file again.
    connect(list, &FSelecModulos::deleteModuleId, this,
            [this](IForm *) { ConfigData().removeSection(file, list->getModSeleccionado()); });
    ModalAnswerer alerts({answer});
    PopupAnswerer menu({Qt::Key_Return});
    press(Qt::Key_F5);
    QCOMPARE(menu.entries, (QStringList {"&Module Clear", "&Modify Module ID"}));
    QCOMPARE(alerts.seen.size(), 1);
    QCOMPARE(alerts.seen.at(0).title, "Module Erasing");
    QCOMPARE(alerts.seen.at(0).message, "Confirm delete of Module 7");
    QCOMPARE(deleted.count(), confirmed ? 1 : 0);
    QCOMPARE(column(0), confirmed ? QStringList {"101"} : (QStringList {"101", "7"}));
}

MSP_TEST_MAIN(tst_FSelecModulos)
#include "tst_fselecmodulos.moc"
