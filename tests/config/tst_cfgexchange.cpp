#include "checkbox.h"
#include "combobox.h"
#include "commmsg.h"
#include "editbox.h"
#include "fakehost.h"
#include "fcfgprodzetavx_dvbs2.h"
#include "fmainmenuzetavx_dvbs2.h"
#include "modalanswerer.h"
#include "msp_zeta_vx_dvbs2.h"
#include "testmain.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QTimer>

using Frames = QList<QByteArray>;

namespace {
QByteArray hex(const char *text) { return QByteArray::fromHex(text); }

// A configuration that differs from the defaults in every field: list
// positions as numbers, edit box texts quoted.
QHash<QString, QVariant> changedConfig()
{
    const QString fields = "Entradas=1 C1_Act=1 C2_Act=1 LNB_1=1 LNB_2=1 Banda_1=1 Banda_2=0 "
                           "Pol_1=1 Pol_2=0 RollOff_1=2 RollOff_2=1 BW_1=29 BW_2=29 Atten_1=20 "
                           "Atten_2=7 Freq1_Input='1550' Freq2_Input='2150' SRate_1='45000' "
                           "SRate_2='1000' Freq1_Output='1234' Freq2_Output='999'";
    QHash<QString, QVariant> config;
    for (const QString &field : fields.split(' ')) {
        QString value = field.section('=', 1);
        config[field.section('=', 0, 0)]
            = value.startsWith('\'') ? QVariant(value.remove('\'')) : QVariant(value.toInt());
    }
    return config;
}
} // namespace

// The configuration form's fields and enable rules, and its exchange with the
// module, the host and the configuration hash, driven through the plug-in
// interface the way a host drives it.
class tst_CfgExchange : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void parameterFields();
    void enableRules();
    void refused_data();
    void refused();
    void answersFillTheForm();
    void badAnswers();
    void answersDuringAlert();
    void send();
    void hashRoundTrip();

private:
    void deliver(const QByteArray &bytes, int failureFlag = -1);
    void key(int k);
    void focus(const QString &field);
    template<typename T> T *w(const char *name) { return cfg->findChild<T *>(QLatin1String(name)); }
    bool enabled(const char *name) { return w<QWidget>(name)->isEnabled(); }
    int level(const char *n) { return w<QProgressBar>(QByteArray("pbNivelEntrada_") + n)->value(); }
    // An input's level as kept: the bar, its colour and the text.
    QString levelShown(const char *n)
    {
        auto *bar = w<QProgressBar>(QByteArray("pbNivelEntrada_") + n);
        return QString("%1 %2 %3")
            .arg(bar->value())
            .arg(bar->palette().color(QPalette::Highlight).name(),
                 w<QLabel>(QByteArray("lbNivelEntrada_") + n)->text());
    }

    FakeHost *host = nullptr;
    MSP_Zeta_VX_DVBS2 *plugin = nullptr;
    QWidget *parent = nullptr;
    FCfgProdZetaVX_DVBS2 *cfg = nullptr;
};

void tst_CfgExchange::init()
{
    host = new FakeHost;
    plugin = new MSP_Zeta_VX_DVBS2;
    parent = new QWidget;
    parent->resize(320, 220);
    plugin->SetIServiciosComunes(host);
    plugin->Run(parent);
    parent->show();
    QApplication::setActiveWindow(parent);
    QVERIFY(QTest::qWaitForWindowActive(parent));

    // Opened from the main menu with the keypad, the form starts on its first field.
    auto *list = parent->findChild<FMainMenuZetaVX_DVBS2 *>()->findChild<QListWidget *>();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    cfg = parent->findChild<FCfgProdZetaVX_DVBS2 *>();
    QVERIFY(cfg && cfg->isVisible());
    QVERIFY(w<QWidget>("cbInputNum")->hasFocus());
}

void tst_CfgExchange::cleanup()
{
    delete parent;
    delete plugin;
    delete host;
}

void tst_CfgExchange::deliver(const QByteArray &bytes, int failureFlag)
{
    CommMsg msg;
    msg.msgData = bytes;
    if (failureFlag >= 0)
        msg.linkFlags[failureFlag] = true;
    QVERIFY(plugin->DataRcvd(msg));
}

// Keys go to the focused field first, as on the device.
void tst_CfgExchange::key(int k)
{
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : cfg;
    QTest::keyClick(target, static_cast<Qt::Key>(k));
}

// Focuses a field, enabled or not; an empty name leaves no field focused.
void tst_CfgExchange::focus(const QString &field)
{
    if (field.isEmpty()) {
        QApplication::focusWidget()->clearFocus();
        return;
    }
    auto *target = cfg->findChild<QWidget *>(field);
    target->setEnabled(true);
    target->setFocus();
    QVERIFY(target->hasFocus());
}

// Every parameter row names a field of its kind on the form, beside the row's
// caption and unit; list fields offer the row's range, bandwidth lists its MHz.
void tst_CfgExchange::parameterFields()
{
    auto *grid = w<QGridLayout>("gridLayout");
    for (const ModuleParameters::Parameter &p : ModuleParameters::all()) {
        auto *field = w<QWidget>(p.field);
        QVERIFY2(field, p.field);
        int row = -1;
        int unused = 0;
        grid->getItemPosition(grid->indexOf(field), &row, &unused, &unused, &unused);
        auto label = [&](int column) {
            QLayoutItem *item = grid->itemAtPosition(row, column);
            auto *l = item ? qobject_cast<QLabel *>(item->widget()) : nullptr;
            return l ? l->text() : QString();
        };
        QCOMPARE(label(0), QString(p.caption));
        QCOMPARE(label(3), QString(p.unit));
        auto *list = qobject_cast<ComboBox *>(field);
        QCOMPARE(!list, p.kind == ModuleParameters::Number);
        QVERIFY(list || qobject_cast<EditBox *>(field));
        if (list)
            QCOMPARE(list->count(), p.maximum + 1);
        for (int i = 0; i < p.values.count; ++i)
            QCOMPARE(list->itemText(i), QString::number(p.values.mhz[i]));
        if (p.autoField)
            QVERIFY(qobject_cast<CheckBox *>(w<QWidget>(p.autoField)));
    }
}

void tst_CfgExchange::enableRules()
{
    // As built: one input, supplies off, bandwidths automatic.
    for (const char *n : {"cbLnb_2", "cbBand_1", "cbPol_1", "cbBW_1", "cbBand_2", "cbBW_2"})
        QVERIFY2(!enabled(n), n);
    w<ComboBox>("cbInputNum")->setCurrentIndex(1);
    QVERIFY(enabled("cbLnb_2") && !enabled("cbPol_2"));
    w<ComboBox>("cbLnb_2")->setCurrentIndex(1);
    QVERIFY(enabled("cbBand_2") && enabled("cbPol_2"));

    // A processor switched off locks its fields but "Auto", and unchecking
    // "Auto" unlocks the list even then.
    w<ComboBox>("cbActive_p2")->setCurrentIndex(0);
    for (const char *n :
         {"cbAten_2", "cbRollOff_2", "leInputFreq_2", "leOutputFreq_2", "leSRate_2"})
        QVERIFY2(!enabled(n), n);
    w<CheckBox>("ckAutoBW_2")->setChecked(false);
    QVERIFY(enabled("cbBW_2") && enabled("cbLnb_1"));
    w<ComboBox>("cbActive_p2")->setCurrentIndex(1);
    QVERIFY(enabled("cbAten_2") && enabled("leSRate_2"));
}

// F6 asks for the information, the levels and the configuration, and stops at
// the first refusal; F8 and F7 stop at theirs too.
void tst_CfgExchange::refused_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("refuseFrom");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("levelAfter");
    QTest::newRow("F6 module info") << int(Qt::Key_F6) << 0 << "Module info read error" << 65;
    QTest::newRow("F6 levels") << int(Qt::Key_F6) << 1 << "Module Input read error" << 65;
    QTest::newRow("F6 configuration") << int(Qt::Key_F6) << 2 << "Configuration read error" << 65;
    QTest::newRow("F6 sent") << int(Qt::Key_F6) << 3 << QString() << 65;
    // The inputs that went through before the refusal did change.
    QTest::newRow("F8") << int(Qt::Key_F8) << 4 << "Communication error" << 10;
    QTest::newRow("F7") << int(Qt::Key_F7) << 0 << "Communication error" << 65;
}

void tst_CfgExchange::refused()
{
    QFETCH(int, k);
    QFETCH(int, refuseFrom);
    QFETCH(QString, message);
    QFETCH(int, levelAfter);
    host->refuseFrom = refuseFrom;
    cfg->setInputLevel_1(5);
    focus("cbPol_1");
    ModalAnswerer answerer({Qt::Key_Return});
    key(k);
    const int tried = qMin(refuseFrom + 1, k == Qt::Key_F6 ? 3 : 23);
    QCOMPARE(host->sent.size(), tried);
    QCOMPARE(host->sentBy.value(0), plugin);
    if (k == Qt::Key_F6) {
        QCOMPARE(host->sentBytes(),
                 Frames({hex("0004 0017"), hex("0004 0016"), hex("0004 0018")}).mid(0, tried));
        QCOMPARE(host->sent.last().expectedAnswer, (QList<int> {23, 22, 24}).at(tried - 1));
        QCOMPARE(host->sent.last().answerTimeoutMs, 3000);
    }
    QCOMPARE(answerer.seen.size(), message.isEmpty() ? 0 : 1);
    for (const ModalAnswerer::Seen &seen : answerer.seen)
        QCOMPARE(seen.title + '/' + seen.message, "Comm error/" + message);
    QCOMPARE(level("1"), levelAfter);
}

void tst_CfgExchange::answersFillTheForm()
{
    deliver(hex("0004 0017 01E240 0205 30312E3200 07 00002A"));
    QCOMPARE(w<QLabel>("lbCodigo")->text(), "123456 VX-Lyra");
    QCOMPARE(w<QLabel>("lbVersionHW")->text(), "2.05");
    QCOMPARE(w<QLabel>("lbVersionFW")->text(), "1.2");
    QCOMPARE(w<QLabel>("lbNumSerie")->text(), "7-42");

    deliver(hex("0004 0016 03 06"));
    QCOMPARE(levelShown("1"), "45 #00ff00 55-60");
    QCOMPARE(levelShown("2"), "75 #00ff00 70-75");
    // Both ends of the table show in red; a code past it shows as the first band.
    deliver(hex("0004 0016 09 0A"));
    QCOMPARE(levelShown("1"), "100 #ff0000 >85");
    QCOMPARE(levelShown("2"), "15 #ff0000 <45");

    // "Auto" at a list position past 15; 72 MHz is in list 1 only.
    deliver(hex("0004 0018 0004 000D A1 0004 000E 48"));
    QVERIFY(w<CheckBox>("ckAutoBW_1")->isChecked());
    QCOMPARE(w<ComboBox>("cbBW_1")->currentIndex(), 33);
    QCOMPARE(w<ComboBox>("cbBW_2")->currentIndex(), -1);
    // Two junk bytes before the first record, records in the module's own order.
    deliver(hex("0004 0018 BEEF"
                "0004 000F 01  0004 0001 01  0004 0002 01  0004 0005 01  0004 0006 00"
                "0004 0003 01  0004 0004 00  0004 0007 060E  0004 0008 0866"
                "0004 0009 AFC8  0004 000A 03E8  0004 000B 02  0004 000C 01"
                "0004 000D 48  0004 000E 44  0004 0010 01  0004 0011 01"
                "0004 0012 04D2  0004 0013 03E7  0004 0014 14  0004 0015 07"));
    QCOMPARE(cfg->UpdateDataMSP(), changedConfig());
}

// Frames too short or unknown change nothing; a link failure is told, and
// its frame is not read.
void tst_CfgExchange::badAnswers()
{
    ModalAnswerer answerer({Qt::Key_Return, Qt::Key_Return});
    const QHash<QString, QVariant> before = cfg->UpdateDataMSP();
    for (const char *frame : {"", "00", "0004", "0004 0019 01", "0004 001A 0080", "0004 0063 0102",
                              "0004 0018", "0004 0018 0004", "0004 0018 0004 001B 05"})
        deliver(hex(frame));
    QCOMPARE(cfg->UpdateDataMSP(), before);
    for (int flag : {1, 2})
        deliver(hex("0004 0017 01E240"), flag);
    QCOMPARE(w<QLabel>("lbCodigo")->text(), QString());
    QCOMPARE(answerer.seen.size(), 2);
    QCOMPARE(answerer.seen.at(1).title + '/' + answerer.seen.at(1).message,
             "Comm error/Communication error");

    // An unknown record reads nothing; the scan finds the next tag.
    deliver(hex("0004 0018 0004 001B 0505 0004 0001 01"));
    QCOMPARE(w<ComboBox>("cbLnb_1")->currentIndex(), 1);
    // A record cut short reads its missing bytes as 0.
    deliver(hex("0004 0018 0004 0007 06"));
    QCOMPARE(w<EditBox>("leInputFreq_1")->text(), "0");
}

// The link's messages are delivered while an alert waits: an answer is applied
// as ever, a link failure leaves the waiting alert as it is.
void tst_CfgExchange::answersDuringAlert()
{
    host->refuseFrom = 0;
    QString waiting;
    QTimer::singleShot(0, cfg, [&] {
        deliver(hex("0004 0018 0004 0001 01"));
        deliver(hex("0004 0017 01E240 0205 30312E3200 07 00002A"), 1);
        QWidget *alert = QApplication::activeModalWidget();
        QVERIFY(alert && alert->isVisible());
        waiting = alert->findChild<QLabel *>("m_LabelMessage")->text();
        QTest::keyClick(alert, Qt::Key_Return);
    });
    key(Qt::Key_F6);
    QCOMPARE(waiting, "Module info read error");
    QCOMPARE(w<ComboBox>("cbLnb_1")->currentIndex(), 1);
}

// Each sent frame as command:value ("+" when confirmed, "!" on a wrong wait or
// flag), the bytes being the link test's. F8 sends the form from a bracket of
// two set-all frames, only the closing one confirmed; F7 on each field in tab
// order, then on none (the empty name), sends that field's frame, confirmed.
// Frames of the input side reset the level bars.
void tst_CfgExchange::send()
{
    auto sent = [this] {
        QStringList frames;
        for (CommMsg m : qAsConst(host->sent)) {
            const bool confirm = m.linkFlags[6];
            const bool bad = m.linkFlags[7] || m.answerTimeoutMs != (confirm ? 3000 : 0);
            m.popShort(true);
            const int command = m.popShort(true);
            frames << QString("%1:%2%3%4")
                          .arg(command)
                          .arg(m.msgData.size() == 2 ? m.popShort(true) : m.popByte(true))
                          .arg(confirm ? "+" : "", bad ? "!" : "");
        }
        host->sent.clear();
        return frames.join(' ');
    };
    ModalAnswerer answerer;
    cfg->setInputLevel_1(5);
    key(Qt::Key_F8);
    QCOMPARE(sent(),
             "25:0 15:0 1:0 2:0 5:0 6:0 3:0 4:0 7:950 8:950 9:27500 10:27500 11:0 12:0 "
             "13:128 14:128 18:950 19:950 20:0 21:0 16:1 17:1 25:1+");
    QCOMPARE(level("1"), 10);

    plugin->SetDataConfig(changedConfig());
    QString resets;
    for (const QString &field :
         QString("cbInputNum cbActive_p1 cbLnb_1 cbBand_1 cbPol_1 leInputFreq_1 leSRate_1 "
                 "cbRollOff_1 ckAutoBW_1 cbBW_1 leOutputFreq_1 cbAten_1 cbActive_p2 cbLnb_2 "
                 "cbBand_2 cbPol_2 leInputFreq_2 leSRate_2 cbRollOff_2 ckAutoBW_2 cbBW_2 "
                 "leOutputFreq_2 cbAten_2 ")
             .split(' ')) {
        cfg->setInputLevel_1(5);
        focus(field);
        key(Qt::Key_F7);
        resets += level("1") == 10 ? 'y' : '-';
    }
    QCOMPARE(sent(),
             "15:1+ 16:1+ 1:1+ 5:1+ 3:1+ 7:1550+ 9:45000+ 11:2+ 13:72+ 13:72+ 18:1234+ "
             "20:20+ 17:1+ 2:1+ 6:0+ 4:0+ 8:2150+ 10:1000+ 12:1+ 14:68+ 14:68+ 19:999+ 21:7+");
    QCOMPARE(resets, "yyyyyyyy----yyyyyyy-----");
    QCOMPARE(answerer.seen.size(), 0);
}

void tst_CfgExchange::hashRoundTrip()
{
    QHash<QString, QVariant> config = changedConfig();
    plugin->SetDataConfig(config);
    QCOMPARE(cfg->UpdateDataMSP(), config);
    // "Auto" wins over whatever the list shows, and keeps the list's position.
    // Keys not given keep their fields, unknown keys are ignored, the levels reset.
    cfg->setInputLevel_1(9);
    plugin->SetDataConfig({{"BW_1", 255}, {"C1_Act", "0"}, {"Unknown", 5}, {"Freq2_Output", 2000}});
    config["BW_1"] = 255;
    config["C1_Act"] = 0;
    config["Freq2_Output"] = "2000";
    QCOMPARE(cfg->UpdateDataMSP(), config);
    QCOMPARE(w<ComboBox>("cbBW_1")->currentIndex(), 29);
    QCOMPARE(level("1"), 10);
}

MSP_TEST_MAIN(tst_CfgExchange)
#include "tst_cfgexchange.moc"
