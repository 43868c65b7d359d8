#include "editbox.h"
#include "falertmessage.h"
#include "modalanswerer.h"
#include "testmain.h"

#include <QLabel>
#include <QPushButton>

// The shared alert dialog: captions, key bits, icons, geometry.
class tst_AlertMessage : public QObject
{
    Q_OBJECT

private slots:
    void showDialog_data();
    void showDialog();
};

void tst_AlertMessage::showDialog_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("file");

    const QString ok = QStringLiteral("Press Ok to continue");
    const QString esc = QStringLiteral("Press Esc to cancel");
    const int Ret = Qt::Key_Return, Ent = Qt::Key_Enter, Esc = Qt::Key_Escape;
    // A key that does nothing leaves the dialog up for the next one; with no
    // key at all the answerer finally closes it as a program would.
    QTest::newRow("6, return") << 6 << QList<int> {Ret} << 1 << QStringList {ok, esc} << 0
                               << "info_icon.png";
    QTest::newRow("6, escape") << 6 << QList<int> {Esc} << 0 << QStringList {ok, esc} << 1
                               << "info_icon.png";
    QTest::newRow("2, escape ignored")
        << 2 << QList<int> {Esc, Ent} << 1 << QStringList {ok} << 2 << "warning_icon.png";
    QTest::newRow("4, return ignored")
        << 4 << QList<int> {Ret, Esc} << 0 << QStringList {esc} << 4 << "error_icon.png";
    QTest::newRow("8, escape alone")
        << 8 << QList<int> {Ret, Esc} << 0 << QStringList {} << 8 << "done_icon.png";
    QTest::newRow("16, return alone")
        << 16 << QList<int> {Esc, Ret} << 1 << QStringList {} << 12 << "done_icon.png";
    QTest::newRow("0, no key") << 0 << QList<int> {Ret, Ent, Esc} << 0 << QStringList {} << 3
                               << "warning_icon.png";
}

void tst_AlertMessage::showDialog()
{
    QFETCH(int, buttons);
    QFETCH(QList<int>, keys);
    QFETCH(int, result);
    QFETCH(QStringList, captions);
    QFETCH(int, icon);
    QFETCH(QString, file);

    // Frameless, so that its geometry is exactly the one set here.
    QWidget host(nullptr, Qt::FramelessWindowHint);
    host.setGeometry(0, 0, 320, 240);
    QPalette pal = host.palette();
    pal.setColor(QPalette::Window, QColor(10, 20, 30));
    host.setPalette(pal);
    // A field deep inside the host: the dialog still covers the whole host window.
    auto *field = new EditBox(new QWidget(&host));
    host.show();

    ModalAnswerer answerer(keys);
    FAlertMessage *alert = FAlertMessage::getInstance();
    // A non-modal message answers at once and stays up until the next call replaces it.
    QCOMPARE(alert->showDialog(&host, QStringLiteral("Reading"), QStringLiteral("Please wait"), 0,
                               1, false),
             1);
    QVERIFY(alert->isVisible());
    QCOMPARE(alert->showDialog(field, QStringLiteral("Data writing"),
                               QStringLiteral("Writing config data"), buttons, icon, true),
             result);
    QCOMPARE(answerer.seen.size(), keys.size() + answerer.unexpected);
    QCOMPARE(answerer.unexpected, buttons == 0 ? 1 : 0);
    QCOMPARE(answerer.seen.at(0).title, QStringLiteral("Data writing"));
    QCOMPARE(answerer.seen.at(0).message, QStringLiteral("Writing config data"));
    QVERIFY(!alert->isVisible());
    QVERIFY(alert->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(alert->geometry(), QRect(0, 20, 320, 220));
    QCOMPARE(alert->palette().color(QPalette::Window), QColor(10, 20, 30));
    // The buttons are captions only, first button first.
    QStringList shown;
    for (const auto *button : alert->findChildren<QPushButton *>()) {
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        if (button->isVisibleTo(alert))
            shown.append(button->text());
    }
    QCOMPARE(shown, captions);
    const QImage expected(QStringLiteral(":/resources/") + file);
    QVERIFY(!expected.isNull());
    const auto *label = alert->findChild<QLabel *>(QStringLiteral("m_CenterIconLabel"));
    // As the pixmap holds it: unpremultiplying rounds differently on ARM.
    QCOMPARE(label->pixmap(Qt::ReturnByValue).toImage(),
             expected.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

MSP_TEST_MAIN(tst_AlertMessage)
#include "tst_alertmessage.moc"
