#include "editbox.h"
#include "falertmessage.h"
#include "fcapturemessage.h"
#include "modalanswerer.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

// The shared alert and capture dialogs: captions, key bits, icons, geometry.
class tst_AlertMessage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void buttonsAndKeys_data();
    void buttonsAndKeys();
    void icons_data();
    void icons();
    void geometryOverHostWindow();
    void nonModal();
    void captureDialog();

private:
    template<typename T> static T *child(QWidget *dialog, const char *name)
    {
        return dialog->findChild<T *>(QLatin1String(name));
    }
    static QImage shownIcon(QWidget *dialog)
    {
        const QPixmap pixmap
            = child<QLabel>(dialog, "m_CenterIconLabel")->pixmap(Qt::ReturnByValue);
        return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    }
    static QImage resourceIcon(const QString &file)
    {
        return QImage(QStringLiteral(":/resources/") + file).convertToFormat(QImage::Format_ARGB32);
    }

    QWidget *host = nullptr;
};

void tst_AlertMessage::init()
{
    // Frameless, so that its geometry is exactly the one set here.
    host = new QWidget(nullptr, Qt::FramelessWindowHint);
    host->setGeometry(0, 0, 320, 240);
    host->show();
}

void tst_AlertMessage::cleanup()
{
    FAlertMessage::getInstance()->hide();
    delete host;
}

void tst_AlertMessage::buttonsAndKeys_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("dialogsSeen");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    const QString ok = QStringLiteral("Press Ok to continue");
    const QString esc = QStringLiteral("Press Esc to cancel");
    const int Ret = Qt::Key_Return, Ent = Qt::Key_Enter, Esc = Qt::Key_Escape;
    // A key that does nothing leaves the dialog up for the next one.
    QTest::newRow("6, return accepts") << 6 << QList<int> {Ret} << 1 << 1 << ok << esc;
    QTest::newRow("6, escape cancels") << 6 << QList<int> {Esc} << 0 << 1 << ok << esc;
    QTest::newRow("2, escape ignored") << 2 << QList<int> {Esc, Ent} << 1 << 2 << ok << QString();
    QTest::newRow("4, return ignored") << 4 << QList<int> {Ret, Esc} << 0 << 2 << esc << QString();
    QTest::newRow("8, escape alone")
        << 8 << QList<int> {Ret, Esc} << 0 << 2 << QString() << QString();
    QTest::newRow("16, return alone")
        << 16 << QList<int> {Esc, Ret} << 1 << 2 << QString() << QString();
    // No key closes it; the answerer finally closes it as a program would.
    QTest::newRow("0, no key") << 0 << QList<int> {Ret, Ent, Esc} << 0 << 4 << QString()
                               << QString();
}

void tst_AlertMessage::buttonsAndKeys()
{
    QFETCH(int, buttons);
    QFETCH(QList<int>, keys);
    QFETCH(int, result);
    QFETCH(int, dialogsSeen);
    QFETCH(QString, first);
    QFETCH(QString, second);

    ModalAnswerer answerer(keys);
    FAlertMessage *alert = FAlertMessage::getInstance();
    QCOMPARE(alert->showDialog(host, QStringLiteral("Data writing"),
                               QStringLiteral("Writing config data"), buttons, 1, true),
             result);
    QCOMPARE(answerer.seen.size(), dialogsSeen);
    QCOMPARE(answerer.seen.at(0).title, QStringLiteral("Data writing"));
    QCOMPARE(answerer.seen.at(0).message, QStringLiteral("Writing config data"));
    QCOMPARE(answerer.unexpected, buttons == 0 ? 1 : 0);
    QVERIFY(!alert->isVisible());

    auto *firstButton = child<QPushButton>(alert, "m_FirstButton");
    auto *secondButton = child<QPushButton>(alert, "m_SecondButton");
    QCOMPARE(firstButton->isVisibleTo(alert), !first.isEmpty());
    QCOMPARE(secondButton->isVisibleTo(alert), !second.isEmpty());
    if (!first.isEmpty())
        QCOMPARE(firstButton->text(), first);
    if (!second.isEmpty())
        QCOMPARE(secondButton->text(), second);
    QCOMPARE(firstButton->focusPolicy(), Qt::NoFocus);
}

void tst_AlertMessage::icons_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("file");
    QTest::newRow("0") << 0 << "info_icon.png";
    QTest::newRow("1") << 1 << "info_icon.png";
    QTest::newRow("2") << 2 << "warning_icon.png";
    QTest::newRow("4") << 4 << "error_icon.png";
    QTest::newRow("8") << 8 << "done_icon.png";
    QTest::newRow("12 done wins") << 12 << "done_icon.png";
    QTest::newRow("6 error wins") << 6 << "error_icon.png";
    QTest::newRow("3 warning wins") << 3 << "warning_icon.png";
}

void tst_AlertMessage::icons()
{
    QFETCH(int, icon);
    QFETCH(QString, file);
    ModalAnswerer answerer({Qt::Key_Return});
    FAlertMessage *alert = FAlertMessage::getInstance();
    QCOMPARE(
        alert->showDialog(host, QStringLiteral("Title"), QStringLiteral("Message"), 2, icon, true),
        1);
    const QImage expected = resourceIcon(file);
    QVERIFY(!expected.isNull());
    QCOMPARE(shownIcon(alert), expected);
}

void tst_AlertMessage::geometryOverHostWindow()
{
    // A field deep inside the host window: the dialog covers that window below its top 20 pixels.
    auto *field = new EditBox(new QWidget(host));
    QPalette pal = host->palette();
    pal.setColor(QPalette::Window, QColor(10, 20, 30));
    host->setPalette(pal);
    ModalAnswerer answerer({Qt::Key_Escape});
    FAlertMessage *alert = FAlertMessage::getInstance();
    QCOMPARE(alert->showDialog(field, QStringLiteral("T"), QStringLiteral("M"), 6, 4, true), 0);
    QCOMPARE(alert->geometry(), QRect(0, 20, 320, 220));
    QCOMPARE(alert->palette().color(QPalette::Window), QColor(10, 20, 30));
    QVERIFY(alert->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(alert->objectName(), QStringLiteral("FormAlertMessage"));
    QCOMPARE(FAlertMessage::getInstance(), alert);
}

void tst_AlertMessage::nonModal()
{
    FAlertMessage *alert = FAlertMessage::getInstance();
    ModalAnswerer answerer;
    QElapsedTimer elapsed;
    elapsed.start();
    QCOMPARE(alert->showDialog(host, QStringLiteral("Reading"), QStringLiteral("Please wait"), 0, 1,
                               false),
             1);
    QVERIFY(elapsed.elapsed() >= 100);
    QVERIFY(elapsed.elapsed() < 1000);
    QVERIFY(alert->isVisible());
    QCOMPARE(child<QLabel>(alert, "lbTitulo")->text(), QStringLiteral("Reading"));

    // A later call replaces the message; a modal one waits for its key.
    alert->showDialog(host, QStringLiteral("Reading"), QStringLiteral("Still reading"), 0, 1,
                      false);
    QCOMPARE(child<QLabel>(alert, "m_LabelMessage")->text(), QStringLiteral("Still reading"));
    answerer.queueKey(Qt::Key_Return);
    QCOMPARE(alert->showDialog(host, QStringLiteral("Done"), QStringLiteral("Read"), 2, 8, true),
             1);
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen.at(0).title, QStringLiteral("Done"));
    QVERIFY(!alert->isVisible());
}

void tst_AlertMessage::captureDialog()
{
    FCaptureMessage *capture = FCaptureMessage::getInstance();
    QCOMPARE(FCaptureMessage::getInstance(), capture);
    QCOMPARE(capture->objectName(), QStringLiteral("FormCaptureMessage"));
    auto *edit = child<EditBox>(capture, "m_TextIntroduced");
    QVERIFY(edit);

    // Type into the edit box while the dialog waits, then confirm with Return.
    QTimer typer;
    connect(&typer, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() == capture) {
            typer.stop();
            QTest::keyClicks(edit, QStringLiteral("_2"));
            QTest::keyClick(edit, Qt::Key_Return);
        }
    });
    typer.start(10);
    QString text = QStringLiteral("MOD1");
    QCOMPARE(capture->showDialog(host, QStringLiteral("Module"), QStringLiteral("Name"), 6, text),
             1);
    QCOMPARE(text, QStringLiteral("MOD1"));
    QCOMPARE(capture->getNameIntroduced(), QStringLiteral("MOD1_2"));
    QCOMPARE(capture->geometry(), QRect(0, 20, 320, 220));
    QCOMPARE(shownIcon(capture), resourceIcon(QStringLiteral("helpicon.png")));
    QCOMPARE(child<QPushButton>(capture, "m_FirstButton")->text(),
             QStringLiteral("Press Ok to continue"));

    capture->setButtonTexts(QStringLiteral("Save"), QStringLiteral("Back"));
    ModalAnswerer answerer({Qt::Key_Escape});
    QCOMPARE(capture->showDialog(host, QStringLiteral("Module"), QStringLiteral("Name"), 4, text),
             0);
    QCOMPARE(answerer.seen.at(0).title, QStringLiteral("Module"));
    QCOMPARE(capture->getNameIntroduced(), QStringLiteral("MOD1"));
    auto *firstButton = child<QPushButton>(capture, "m_FirstButton");
    QCOMPARE(firstButton->text(), QStringLiteral("Back"));
    QVERIFY(!child<QPushButton>(capture, "m_SecondButton")->isVisibleTo(capture));
}

QTEST_MAIN(tst_AlertMessage)
#include "tst_alertmessage.moc"
