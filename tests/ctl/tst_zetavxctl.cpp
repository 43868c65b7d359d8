#include "configdata.h"
#include "ctlcommand.h"
#include "moduleemulator.h"
#include "testmain.h"

#include <QSettings>
#include <QTemporaryDir>

// zetavx-ctl against the emulated module: what it reads, lists, sends and
// refuses to call done.
class tst_ZetavxCtl : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void commands_data();
    void commands();

private:
    // Runs the tool; %F in an argument is the test's file.
    int ctl(QStringList args, QString &out);

    std::unique_ptr<ModuleEmulator> module;
    // The set-requests the module received, as the link monitor writes them (reads left out).
    QStringList received;
    QTemporaryDir dir;
    QString file;
};

void tst_ZetavxCtl::init()
{
    module = std::make_unique<ModuleEmulator>();
    connect(module.get(), &ModuleEmulator::traced, this, [this](const QString &line) {
        const QString frame = line.mid(7).section(" | ", 0, 0);
        if (line.startsWith("emu <- ") && !frame.startsWith("Get"))
            received << frame;
    });
    static int run = 0;
    file = dir.filePath(QString("m%1.cfi").arg(++run));
    QString out;
    QCOMPARE(ctl({"read", "--link", "emulator", "--out", "%F", "--module", "101"}, out), 0);
    QCOMPARE(out, QString("saved the module as module 101 of %1\n").arg(file));
    received.clear();
}

int tst_ZetavxCtl::ctl(QStringList args, QString &out)
{
    args.replaceInStrings("%F", file);
    args.prepend("zetavx-ctl");
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    CtlCommand command(outStream, errStream);
    command.setEmulator(module.get());
    const int status = command.run(args);
    out += err;
    return status;
}

void tst_ZetavxCtl::commands_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QStringList>("sets");
    const auto row = [](const char *name, const QString &change, const QStringList &args,
                        int status, const QString &output, const QStringList &sets = {}) {
        QTest::newRow(name) << change << args << status << output << sets;
    };
    const QStringList diff {"diff", "--link", "emulator", "%F", "--module", "101"};
    const QStringList apply {"apply", "--link", "emulator", "%F", "--module", "101"};
    const QStringList onlyChanged = apply + QStringList {"--only-changed"};
    // F8's frames in F8's order, with the file's one change.
    const QStringList bulk
        = QString("SetAllCfg(25) value=0;NumInputs(15) value=1;LNB1(1) value=1;LNB2(2) value=1;"
                  "Band1(5) value=1;Band2(6) value=0;Pol1(3) value=1;Pol2(4) value=0;"
                  "InputFreq1(7) value=1550;InputFreq2(8) value=1210;InputSRate1(9) value=27500;"
                  "InputSRate2(10) value=22000;RollOff1(11) value=0;RollOff2(12) value=1;"
                  "InputBandwidth1(13) value=128 (auto);InputBandwidth2(14) value=128 (auto);"
                  "OutputFreq1(18) value=1750;OutputFreq2(19) value=1300;"
                  "OutputAttenuation1(20) value=0;OutputAttenuation2(21) value=3;"
                  "C1Activate(16) value=1;C2Activate(17) value=1;SetAllCfg(25) value=1 [confirm]")
              .split(';');

    row("read --out, then diff: equal", "", diff, 0, "the module equals module 101 of %F\n");
    row("diff lists the one changed parameter", "Freq1_Output=1750", diff, 1,
        "Output freq (Freq1_Output): module 1100 MHz, file 1750 MHz\n"
        "1 of 21 parameters differ from module 101 of %F\n");
    row("diff: a manual bandwidth by the channel's list", "BW_2=29", diff, 1,
        "BW (BW_2): module Auto, file 68 MHz\n");
    row("apply --only-changed: one confirmed set", "Freq1_Output=1750", onlyChanged, 0,
        "sent the 1 changed of 21 parameters, verified\n",
        {"OutputFreq1(18) value=1750 [confirm]"});
    row("apply: the bulk write in the keypad's order", "Freq1_Output=1750", apply, 0,
        "bulk write of module 101 of %F (21 parameters, 1 changed), verified\n", bulk);
    row("apply: nothing to change", "", apply, 0, "nothing to change\n");
    row("apply --dry-run sends nothing", "Freq1_Output=1750", apply + QStringList {"--dry-run"}, 0,
        "would send SetAllCfg(25) value=1 [confirm] | 02 01 00 05 00 04 00 19 01 56 D7\n");
    row("a value out of range", "Freq1_Input=5000", apply, 3,
        "module 101 of %F: Input freq (Freq1_Input) is \"5000\", not a value from 950 to 2150");
    row("module not in the file", "", {"show", "%F", "--module", "7"}, 3,
        "module 7 is not in %F\n");
    row("file not found", "", {"list", "%F.none"}, 3, "%F.none: no such file\n");
    row("list", "", {"list", "%F"}, 0, "101          ZetaVX_DVBS2\n");
    row("no module", "", {"diff", "--link", "emulator", "%F"}, 2, "diff needs --module ID\n");
    row("link down", "", {"diff", "--link", "tcp:127.0.0.1:1", "%F", "--module", "101"}, 4,
        "link down: tcp 127.0.0.1:1: Connection refused");

    // A confirmation refused, lost or corrupt, and a read before that is never answered.
    const QString change = "Freq1_Output=1750";
    const QString set = "Output freq (Freq1_Output): OutputFreq1(18) value=1750: ";
    const QStringList one {"OutputFreq1(18) value=1750 [confirm]"};
    const auto fault = [](const QStringList &args, const char *fault) {
        return args + QStringList {"--fault", fault};
    };
    row("fault: a set of the bulk write refused", change, fault(apply, "refuse:18"), 8,
        "not applied:\nOutput freq (Freq1_Output): module reads 1100 MHz, file 1750 MHz", bulk);
    row("fault: one set refused", change, fault(onlyChanged, "refuse:18"), 6,
        set + "refused by the module", one);
    row("fault: one confirmation lost", change, fault(onlyChanged, "drop:18"), 5,
        set + "no confirmation in 3000 ms", one);
    row("fault: the bulk write's end corrupt", change, fault(apply, "corrupt:25"), 7,
        "check it with diff: SetAllCfg(25) value=1: corrupt or truncated confirmation", bulk);
    row("fault: the read before never answered", change, fault(onlyChanged, "late:24*1"), 5,
        "reading the module: GetAllCfg(24): no answer in 3000 ms");
}

void tst_ZetavxCtl::commands()
{
    QFETCH(QString, change);
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(QStringList, sets);

    if (!change.isEmpty())
        QSettings(file, QSettings::IniFormat)
            .setValue("101/" + change.section('=', 0, 0), change.section('=', 1));
    QString out;
    QCOMPARE(ctl(args, out), status);
    QVERIFY2(out.contains(output.replace("%F", file)) && (status == 0 || !out.contains("verified")),
             qPrintable(out));
    QCOMPARE(std::exchange(received, {}), sets);
    if (args.first() == "apply" && status == 0 && !args.contains("--dry-run")) {
        ModuleConfig::Hash wanted;
        QVERIFY(ConfigData().readData(file, "101", wanted));
        QCOMPARE(module->configHash(), ModuleConfig::typed(wanted));
        QCOMPARE(ctl({"diff", "--link", "emulator", "%F", "--module", "101"}, out), 0);
    }
}

MSP_TEST_MAIN(tst_ZetavxCtl)
#include "tst_zetavxctl.moc"
