#include "configdata.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using Hash = QHash<QString, QVariant>;
using Sections = QMap<QString, QMap<QString, QString>>;

namespace {
const QString Family = QStringLiteral("ZetaVX_DVBS2");

QString golden(const char *name)
{
    return QStringLiteral(CONFIG_TEST_DATA "/") + QLatin1String(name);
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Every section, key and value of an INI file as the settings class parses it
// from disk; lists joined with "|" so that list and text stay apart.
Sections parse(const QString &path)
{
    // A copy under a fresh name: the settings class caches files by path.
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("parse.ini"));
    QFile::copy(path, copy);
    QSettings ini(copy, QSettings::IniFormat);
    Sections sections;
    const QStringList keys = ini.allKeys();
    for (const QString &key : keys) {
        const int slash = key.indexOf(QLatin1Char('/'));
        const QString group = slash < 0 ? QString() : key.left(slash);
        const QVariant value = ini.value(key);
        const QString text = value.type() == QVariant::String
            ? value.toString()
            : QLatin1String("list:") + value.toStringList().join(QLatin1Char('|'));
        sections[group][key.mid(slash + 1)] = text;
    }
    return sections;
}

Hash fullConfig(int seed)
{
    Hash h;
    const char *indexKeys[]
        = {"Entradas", "C1_Act",    "C2_Act",    "LNB_1", "LNB_2", "Banda_1", "Banda_2", "Pol_1",
           "Pol_2",    "RollOff_1", "RollOff_2", "BW_1",  "BW_2",  "Atten_1", "Atten_2"};
    int i = 0;
    for (const char *k : indexKeys)
        h.insert(QLatin1String(k), (seed + i++) % 2);
    h.insert(QStringLiteral("BW_1"), 255);
    h.insert(QStringLiteral("Atten_2"), 20 - seed);
    h.insert(QStringLiteral("Freq1_Input"), QString::number(950 + seed));
    h.insert(QStringLiteral("Freq2_Input"), QString::number(2150 - seed));
    h.insert(QStringLiteral("SRate_1"), QStringLiteral("27500"));
    h.insert(QStringLiteral("SRate_2"), QString::number(1000 + seed));
    h.insert(QStringLiteral("Freq1_Output"), QString::number(474 + seed));
    h.insert(QStringLiteral("Freq2_Output"), QStringLiteral("858"));
    return h;
}

QMap<QString, QString> asText(const Hash &h)
{
    QMap<QString, QString> m;
    for (auto it = h.constBegin(); it != h.constEnd(); ++it)
        m.insert(it.key(), it.value().toString());
    return m;
}

// Runs `work` in a child process and gives its exit code, -1 when it did not
// exit normally. The child may give up root (so that permissions apply, as
// they do for the device's own user) and may have a file size limit.
int inChild(const std::function<int()> &work, bool unprivileged,
            rlim_t fileSizeLimit = RLIM_INFINITY)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (fileSizeLimit != RLIM_INFINITY) {
            // Past the limit writes fail with EFBIG instead of killing the process.
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit {fileSizeLimit, fileSizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (unprivileged && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(98);
        _exit(work());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
} // namespace

class tst_ConfigData : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void goldenModuleList_data();
    void goldenModuleList();
    void goldenReadData();
    void goldenTopLevel();
    void writerMatchesGolden();
    void validFile_data();
    void validFile();
    void saveKeepsOtherSections();
    void saveReplacesWholeSection();
    void familyArgumentWins();
    void readKeepsOtherHashEntries();
    void caseMatters();
    void rename();
    void remove();
    void topLevelRoundTrip();
    void hostileNames_data();
    void hostileNames();
    void unusableIdentifiers_data();
    void unusableIdentifiers();

    void writersKeys_data();
    void writersKeys();
    void emptyServiceLists();
    void readServices();
    void readServicesTwoOutputs();

    void readOnlyMedium();
    void removedMedium();
    void fileSizeLimit();
    void fullDisk();
    void noTemporaryFolder();
    void notAConfigFileIsLeftAlone_data();
    void notAConfigFileIsLeftAlone();

private:
    QScopedPointer<QTemporaryDir> medium;
    QString path(const QString &name) const { return medium->filePath(name); }
    QString copyGolden(const char *name)
    {
        const QString p = path(QLatin1String(name));
        QFile::copy(golden(name), p);
        QFile::setPermissions(p, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
        return p;
    }
};

void tst_ConfigData::init()
{
    medium.reset(new QTemporaryDir);
    QVERIFY(medium->isValid());
}

void tst_ConfigData::goldenModuleList_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("modules");
    QTest::addColumn<QStringList>("families");
    QTest::newRow("save lists all")
        << QString()
        << QStringList {"101", QString::fromUtf8("Cuéllar"), "Sala A", "mod=1;[2]", "viejo"}
        << QStringList {"ZetaVX_DVBS2", "zetavx_dvbs2", "ZetaQAM_T", "ZetaVX_DVBS2", ""};
    QTest::newRow("load lists the family") << Family << QStringList {"101", "mod=1;[2]"}
                                           << QStringList {"ZetaVX_DVBS2", "ZetaVX_DVBS2"};
    QTest::newRow("other family") << "ZetaQAM_T" << QStringList {"Sala A"}
                                  << QStringList {"ZetaQAM_T"};
}

void tst_ConfigData::goldenModuleList()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, modules);
    QFETCH(QStringList, families);
    ConfigData data;
    QStringList gotFamilies {QStringLiteral("kept")};
    QCOMPARE(data.getModuleList(golden("mixed_families.cfi"), gotFamilies, filter), modules);
    QCOMPARE(gotFamilies, QStringList {"kept"} + families);
}

void tst_ConfigData::goldenReadData()
{
    ConfigData data;
    Hash hash;
    QVERIFY(data.readData(golden("mixed_families.cfi"), QStringLiteral("101"), hash));
    QCOMPARE(hash.size(), 21);
    QVERIFY(!hash.contains(QStringLiteral("FAMILY_KEY")));
    // Scalars come back as text.
    QCOMPARE(hash.value(QStringLiteral("BW_1")), QVariant(QStringLiteral("255")));
    QCOMPARE(hash.value(QStringLiteral("Freq2_Output")), QVariant(QStringLiteral("482")));
    QCOMPARE(hash.value(QStringLiteral("Atten_2")).toInt(), 20);

    Hash other;
    QVERIFY(data.readData(golden("mixed_families.cfi"), QStringLiteral("mod=1;[2]"), other));
    QCOMPARE(asText(other), (QMap<QString, QString> {{"Entradas", "0"}, {"Freq1_Output", "1000"}}));
    QVERIFY(!data.readData(golden("mixed_families.cfi"), QStringLiteral("102"), other));
    QVERIFY(!data.readData(golden("mixed_families.cfi"), QStringLiteral("General"), other));
    QVERIFY(!data.readData(golden("missing.cfi"), QStringLiteral("101"), other));
    QCOMPARE(other.size(), 2);
}

void tst_ConfigData::goldenTopLevel()
{
    ConfigData data;
    QString file = golden("mixed_families.cfi");
    QCOMPARE(data.getVersion(file), QStringLiteral("2.1"));
    QCOMPARE(data.getNetworkId(file), QStringLiteral("12289"));
    QCOMPARE(data.getOriginalNetworkId(file), QStringLiteral("8916"));
    QCOMPARE(data.getNetworkNameDescriptor(file), QStringLiteral("Red Cabecera Norte"));
    file = golden("only_top_level.cfi");
    QCOMPARE(data.getOriginalNetworkId(file), QString());
    file = golden("missing.cfi");
    QCOMPARE(data.getVersion(file), QString());
}

// The golden file minus its hand-made oddities, rebuilt through our writers.
void tst_ConfigData::writerMatchesGolden()
{
    ConfigData data;
    QString file = path(QStringLiteral("ours.cfi"));
    Hash sala {{"Canal", 5}};
    Hash mod {{"Entradas", 0}, {"Freq1_Output", QStringLiteral("1000")}};
    Hash h101;
    const Sections want = parse(golden("mixed_families.cfi"));
    for (auto it = want.value("101").constBegin(); it != want.value("101").constEnd(); ++it)
        if (it.key() != QLatin1String("FAMILY_KEY"))
            h101.insert(it.key(),
                        it.key().startsWith(QLatin1String("Freq"))
                                || it.key().startsWith(QLatin1String("SRate"))
                            ? QVariant(it.value())
                            : QVariant(it.value().toInt()));
    QVERIFY(data.writeData(file, QStringLiteral("101"), Family, h101));
    QVERIFY(data.writeData(file, QStringLiteral("Sala A"), QStringLiteral("ZetaQAM_T"), sala));
    QVERIFY(data.writeData(file, QStringLiteral("mod=1;[2]"), Family, mod));
    QString v = QStringLiteral("2.1"), n = QStringLiteral("12289"), o = QStringLiteral("8916"),
            d = QStringLiteral("Red Cabecera Norte");
    QVERIFY(data.storeVersion(file, v));
    QVERIFY(data.storeNetworkId(file, n));
    QVERIFY(data.storeOriginalNetworkId(file, o));
    QVERIFY(data.storeNetworkNameDescriptor(file, d));

    Sections expected = want;
    expected.remove(QString::fromUtf8("Cuéllar"));
    expected.remove(QStringLiteral("viejo"));
    QCOMPARE(parse(file), expected);
    // Section names are escaped the way the hand-written file spells them.
    QVERIFY(bytesOf(file).contains("\n[mod%3D1%3B%5B2%5D]\n"));
    QVERIFY(bytesOf(file).startsWith("[General]\n"));
}

void tst_ConfigData::validFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<bool>("canHold");
    QTest::newRow("modules") << "mixed_families.cfi" << true << true;
    QTest::newRow("services") << "services.cfi" << true << true;
    QTest::newRow("top level only") << "only_top_level.cfi" << false << true;
    QTest::newRow("garbage") << "garbage.cfi" << false << false;
    QTest::newRow("empty") << "empty" << false << true;
    QTest::newRow("missing") << "missing" << false << true;
    QTest::newRow("folder") << "folder" << false << false;
    QTest::newRow("link loop") << "loop" << false << true;
    QTest::newRow("fifo") << "fifo" << false << false;
    QTest::newRow("100 MB") << "huge" << false << false;
    QTest::newRow("just below the limit") << "limit" << true << true;
}

void tst_ConfigData::validFile()
{
    QFETCH(QString, kind);
    QFETCH(bool, valid);
    QFETCH(bool, canHold);
    QString file = path(QStringLiteral("x.cfi"));
    if (kind.endsWith(QLatin1String(".cfi"))) {
        file = golden(kind.toLatin1().constData());
    } else if (kind == QLatin1String("empty")) {
        QFile(file).open(QIODevice::WriteOnly);
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(medium->path()).mkdir(QStringLiteral("x.cfi")));
    } else if (kind == QLatin1String("loop")) {
        QVERIFY(QFile::link(path(QStringLiteral("y.cfi")), file));
        QVERIFY(QFile::link(file, path(QStringLiteral("y.cfi"))));
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0644), 0);
    } else if (kind == QLatin1String("huge") || kind == QLatin1String("limit")) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[5]\nFAMILY_KEY=ZetaVX_DVBS2\nk=");
        if (kind == QLatin1String("huge")) // sparse: no disk space, no time
            QVERIFY(f.resize(100 * 1024 * 1024));
        else
            f.write(QByteArray(int(ConfigData::MaxFileSize - f.size()), 'x'));
    }
    ConfigData data;
    QCOMPARE(data.isValidFile(file), valid);
    QStringList families;
    QString filter;
    QCOMPARE(data.getModuleList(file, families, filter).isEmpty(), !valid);
    QCOMPARE(data.canHoldModules(file), canHold);
}

void tst_ConfigData::saveKeepsOtherSections()
{
    const QString file = copyGolden("mixed_families.cfi");
    Sections expected = parse(file);
    ConfigData data;
    Hash h = fullConfig(3);
    QStringList names;
    QList<int> ids;
    QList<int> actives;
    QVERIFY(
        data.writeDataPlusServices(file, QStringLiteral("555"), Family, h, names, ids, actives));
    const Sections after = parse(file);
    QCOMPARE(after.value("555").value("FAMILY_KEY"), Family);
    QCOMPARE(after.value("555").size(), 21 + 4);
    Sections others = after;
    others.remove(QStringLiteral("555"));
    QCOMPARE(others, expected);
}

void tst_ConfigData::saveReplacesWholeSection()
{
    const QString file = path(QStringLiteral("twice.cfi"));
    ConfigData data;
    Hash first = fullConfig(1);
    Hash second {{"Entradas", 1}, {"Nuevo", QStringLiteral("x")}};
    QVERIFY(data.writeData(file, QStringLiteral("1"), Family, first));
    QVERIFY(data.writeData(file, QStringLiteral("1"), Family, second));
    Hash read;
    QVERIFY(data.readData(file, QStringLiteral("1"), read));
    QCOMPARE(asText(read), (QMap<QString, QString> {{"Entradas", "1"}, {"Nuevo", "x"}}));
}

void tst_ConfigData::familyArgumentWins()
{
    const QString file = path(QStringLiteral("f.cfi"));
    ConfigData data;
    Hash h {{"FAMILY_KEY", QStringLiteral("Impostor")}, {"Entradas", 0}};
    QVERIFY(data.writeData(file, QStringLiteral("9"), Family, h));
    QCOMPARE(parse(file).value("9").value("FAMILY_KEY"), Family);
    QStringList families;
    QString filter = Family;
    QCOMPARE(data.getModuleList(file, families, filter), QStringList {"9"});
}

void tst_ConfigData::readKeepsOtherHashEntries()
{
    ConfigData data;
    Hash hash {{"Entradas", 7}, {"Extra", QStringLiteral("kept")}};
    QVERIFY(data.readData(golden("mixed_families.cfi"), QStringLiteral("mod=1;[2]"), hash));
    QCOMPARE(
        asText(hash),
        (QMap<QString, QString> {{"Entradas", "0"}, {"Extra", "kept"}, {"Freq1_Output", "1000"}}));
}

void tst_ConfigData::caseMatters()
{
    const QString file = path(QStringLiteral("case.cfi"));
    ConfigData data;
    Hash lower {{"v", 1}}, upper {{"v", 2}};
    QVERIFY(data.writeData(file, QStringLiteral("abc"), Family, lower));
    QVERIFY(data.writeData(file, QStringLiteral("ABC"), Family, upper));
    QStringList families;
    QString filter;
    QCOMPARE(data.getModuleList(file, families, filter), (QStringList {"ABC", "abc"}));
    Hash read;
    QVERIFY(data.readData(file, QStringLiteral("abc"), read));
    QCOMPARE(read.value("v").toInt(), 1);
}

void tst_ConfigData::rename()
{
    const QString file = copyGolden("mixed_families.cfi");
    const Sections before = parse(file);
    ConfigData data;
    const QByteArray bytes = bytesOf(file);
    QVERIFY(!data.renameSection(file, QStringLiteral("nope"), QStringLiteral("x")));
    QCOMPARE(bytesOf(file), bytes);

    // Onto an existing module: that module is replaced.
    QVERIFY(data.renameSection(file, QStringLiteral("Sala A"), QStringLiteral("101")));
    Sections expected = before;
    expected[QStringLiteral("101")] = expected.take(QStringLiteral("Sala A"));
    QCOMPARE(parse(file), expected);

    QVERIFY(data.renameSection(file, QStringLiteral("viejo"), QStringLiteral("nuevo")));
    QCOMPARE(parse(file).value("nuevo").value("FAMILY_KEY"), QString());
    QVERIFY(!parse(file).contains("viejo"));
}

void tst_ConfigData::remove()
{
    const QString file = copyGolden("mixed_families.cfi");
    Sections expected = parse(file);
    ConfigData data;
    QVERIFY(data.removeSection(file, QStringLiteral("101")));
    expected.remove(QStringLiteral("101"));
    QCOMPARE(parse(file), expected);
    const QByteArray bytes = bytesOf(file);
    QVERIFY(data.removeSection(file, QStringLiteral("101")));
    QCOMPARE(bytesOf(file), bytes);
}

void tst_ConfigData::topLevelRoundTrip()
{
    QString file = copyGolden("only_top_level.cfi");
    ConfigData data;
    QString v = QStringLiteral("Red, \"Sur\" = 1");
    QVERIFY(data.storeNetworkNameDescriptor(file, v));
    QCOMPARE(data.getNetworkNameDescriptor(file), v);
    QCOMPARE(data.getVersion(file), QStringLiteral("1.0"));
    // Top-level keys are no module and stay when modules come and go.
    QVERIFY(!data.isValidFile(file));
    Hash h {{"a", 1}};
    QVERIFY(data.writeData(file, QStringLiteral("1"), Family, h));
    QVERIFY(data.renameSection(file, QStringLiteral("1"), QStringLiteral("2")));
    QVERIFY(data.removeSection(file, QStringLiteral("2")));
    QCOMPARE(data.getNetworkId(file), QStringLiteral("77"));
    QCOMPARE(data.getNetworkNameDescriptor(file), v);
}

void tst_ConfigData::hostileNames_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("module");
    QTest::newRow("spaces") << "my file.cfi"
                            << "Cabecera 1";
    QTest::newRow("quotes") << "it's \"q\".cfi"
                            << "O'Neil \"x\"";
    QTest::newRow("non-ASCII") << QString::fromUtf8("ñandú €.cfi")
                               << QString::fromUtf8("Ñandú €漢");
    QTest::newRow("brackets") << "[a].cfi"
                              << "[General]";
    QTest::newRow("equals, semicolon") << "a=b;c.cfi"
                                       << "k=v;w";
    QTest::newRow("hash, percent") << "#%41.cfi"
                                   << "#%41 ;comment";
    QTest::newRow("General") << "g.cfi"
                             << "General";
    QTest::newRow("-5") << "n.cfi"
                        << "-5";
}

void tst_ConfigData::hostileNames()
{
    QFETCH(QString, fileName);
    QFETCH(QString, module);
    const QString file = path(fileName);
    ConfigData data;
    Hash h = fullConfig(2);
    h.insert(QStringLiteral("Freq1_Output"), module);
    Hash plain {{"x", 1}};
    QVERIFY(data.writeData(file, QStringLiteral("plain"), Family, plain));
    QVERIFY(data.writeData(file, module, Family, h));
    QVERIFY(data.isValidFile(file));
    QStringList families;
    QString filter = Family;
    QStringList modules = data.getModuleList(file, families, filter);
    modules.sort();
    QStringList expected {module, QStringLiteral("plain")};
    expected.sort();
    QCOMPARE(modules, expected);
    Hash read;
    QVERIFY(data.readData(file, module, read));
    QCOMPARE(asText(read), asText(h));
}

void tst_ConfigData::unusableIdentifiers_data()
{
    QTest::addColumn<QString>("module");
    QTest::newRow("empty") << "";
    QTest::newRow("slash") << "101/x";
    QTest::newRow("backslash") << "101\\x";
}

void tst_ConfigData::unusableIdentifiers()
{
    QFETCH(QString, module);
    const QString file = copyGolden("mixed_families.cfi");
    const QByteArray bytes = bytesOf(file);
    ConfigData data;
    Hash h {{"Entradas", 1}};
    QVERIFY(data.writeData(file, module, Family, h));
    QVERIFY(data.removeSection(file, module));
    QVERIFY(data.renameSection(file, QStringLiteral("101"), module));
    QCOMPARE(bytesOf(file), bytes);
}

void tst_ConfigData::writersKeys_data()
{
    QTest::addColumn<int>("writer");
    QTest::addColumn<QStringList>("lists");
    const QStringList base {"list:A|B|C", "list:1|2", "list:1|0"};
    QTest::newRow("PlusServices") << 0 << base;
    QTest::newRow("DM") << 1
                        << base
            + QStringList {"list:P|Q", "list:11|12|13", "list:21", "list:31|32", "list:41|42"};
    QTest::newRow("DMH") << 2 << QStringList {"list:A|B|C", "list:1|2",   "list:1|0|1",
                                              "list:P|Q",   "list:31|32", "list:11|12|13",
                                              "list:21",    "list:41|42", "list:51|52"};
    const QStringList full = base
        + QStringList {"list:5|6", "list:13|14", "list:7|8", "list:9|10", "list:11|12", "list:x|y"};
    const QStringList pids {"list:1|2",   "list:3|4",   "list:100|200", "list:V|A",
                            "list:d1|d2", "list:es|en", "list:0|1"};
    QTest::newRow("Completo") << 3 << full;
    QTest::newRow("conPIDs") << 4 << full + pids;
    QStringList outs = full;
    outs.insert(5, "list:0|1");
    QTest::newRow("conOuts") << 5 << outs + pids;
}

// Each writer: its keys, and how many entries of each list reach the file.
void tst_ConfigData::writersKeys()
{
    QFETCH(int, writer);
    QFETCH(QStringList, lists);
    const QString file = path(QStringLiteral("w.cfi"));
    ConfigData data;
    Hash h {{"Entradas", 1}};
    QStringList names {"A", "B", "C"}, providers {"P", "Q"}, codings {"x", "y", "z"};
    QList<int> ids {1, 2}, actives {1, 0, 1}, a {11, 12, 13}, b {21}, c {31, 32}, d {41, 42},
        e {51, 52};
    QList<int> old {5, 6, 60}, types {7, 8, 80}, ca {9, 10}, bw {11, 12}, in {13, 14, 15},
        outs {0, 1, 1};
    QList<int> ps {1, 2, 3}, pi {3, 4}, pn {100, 200}, pf {0, 1, 1};
    QList<QString> pt {"V", "A", "X"}, pd {"d1", "d2"}, pl {"es", "en", "fr"};
    QStringList keys;
    switch (writer) {
    case 0:
        data.writeDataPlusServices(file, "m", Family, h, names, ids, actives);
        keys = QStringList {"Services_Names", "Services_Ids", "Services_Actives"};
        break;
    case 1:
        data.writeDataPlusServicesDM(file, "m", Family, h, names, ids, actives, providers, a, b, c,
                                     d);
        keys = QStringList {"Services_Names", "Services_Ids", "Services_Actives", "Providers_Names",
                            "Video_PID",      "Audio_PID",    "Video_BR",         "Audio_BR"};
        break;
    case 2:
        data.writeDataPlusServicesDMH(file, "m", Family, h, names, ids, actives, providers, a, b, d,
                                      c, e);
        keys = QStringList {"Services_Names",  "Services_Ids", "Services_Actives",
                            "Providers_Names", "Video_Mode",   "EncProfile",
                            "EncLevel",        "EncAudio",     "Video_BR"};
        break;
    case 3:
        data.writeDataPlusServicesCompleto(file, "m", Family, h, names, ids, actives, old, types,
                                           ca, bw, codings, in);
        break;
    case 4:
        data.writeDataPlusServicesCompleto_conPIDs(file, "m", Family, h, names, ids, actives, old,
                                                   types, ca, bw, codings, in, ps, pi, pn, pt, pd,
                                                   pl, pf);
        break;
    case 5:
        data.writeDataPlusServicesCompleto_conPIDs_conOuts(file, "m", Family, h, names, ids,
                                                           actives, old, types, ca, bw, codings, in,
                                                           outs, ps, pi, pn, pt, pd, pl, pf);
        break;
    }
    if (writer >= 3) {
        keys = QStringList {"Services_Names", "Services_Ids", "Services_Actives",
                            "Old_Services_Ids", "Inputs"};
        if (writer == 5)
            keys << "Outputs";
        keys << QStringList {"Services_types", "Services_CAInfo", "Services_bw", "Services_cod"};
        if (writer >= 4)
            keys << QStringList {"PID_Services", "PID_Inputs", "PID_PIDNum", "PID_Type",
                                 "PID_DescType", "PID_Lang",   "PID_Filter"};
    }
    const QMap<QString, QString> section = parse(file).value("m");
    QCOMPARE(section.size(), keys.size() + 2);
    QCOMPARE(section.value("FAMILY_KEY"), Family);
    QCOMPARE(section.value("Entradas"), QStringLiteral("1"));
    QStringList got;
    for (const QString &k : qAsConst(keys))
        got << section.value(k, QStringLiteral("<absent ") + k + QLatin1Char('>'));
    // A one-entry list is stored as a list variant: compare its entries.
    QCOMPARE(got, lists);
}

void tst_ConfigData::emptyServiceLists()
{
    const QString file = path(QStringLiteral("e.cfi"));
    ConfigData data;
    Hash h {{"Entradas", 0}};
    QStringList names;
    QList<int> ids, actives;
    QVERIFY(data.writeDataPlusServices(file, "1", Family, h, names, ids, actives));
    const QByteArray bytes = bytesOf(file);
    for (const char *key : {"Services_Names", "Services_Ids", "Services_Actives"})
        QVERIFY2(bytes.contains(QByteArray(key) + "=@Invalid()\n"), key);
    // Same as the hand-written section "9".
    QStringList n {"x"};
    QList<int> i {1}, a {1};
    Hash read;
    QVERIFY(data.readDataPlusServices(file, "1", read, n, i, a));
    QVERIFY(n.isEmpty() && i.isEmpty() && a.isEmpty());
    n << "x";
    QVERIFY(data.readDataPlusServices(golden("services.cfi"), "9", read, n, i, a));
    QVERIFY(n.isEmpty() && i.isEmpty() && a.isEmpty());
}

void tst_ConfigData::readServices()
{
    ConfigData data;
    Hash hash {{"Kept", 1}};
    QStringList names {"old"};
    QList<int> ids {99}, actives {99};
    QVERIFY(!data.readDataPlusServices(golden("services.cfi"), "404", hash, names, ids, actives));
    QCOMPARE(names, QStringList {"old"});
    QVERIFY(data.readDataPlusServices(golden("services.cfi"), "7", hash, names, ids, actives));
    QCOMPARE(names, (QStringList {"BBC One", "Canal, Sur", "Tres"}));
    QCOMPARE(ids, (QList<int> {4164, 4228, 4290}));
    QCOMPARE(actives, (QList<int> {1, 0, 1}));
    QCOMPARE(hash.value("Providers_Names").toStringList(), (QStringList {"BBC", "RTVA", "C3"}));
    QCOMPARE(hash.value("Outputs").toStringList(), (QStringList {"1", "0", "1"}));
    QCOMPARE(hash.value("Atten_1").toString(), QStringLiteral("4"));
    QVERIFY(hash.contains("Kept") && !hash.contains("FAMILY_KEY")
            && !hash.contains("Services_Ids"));
    QVERIFY(data.readDataPlusServices(golden("services.cfi"), "8", hash, names, ids, actives));
    QCOMPARE(ids, (QList<int> {1, 2, 0, 4}));
}

void tst_ConfigData::readServicesTwoOutputs()
{
    ConfigData data;
    Hash hash;
    QStringList n1 {"x"}, n2 {"y"};
    QList<int> i1 {9}, i2, a1, a2 {9};
    QVERIFY(
        data.readDataPlusServices_2xout(golden("services.cfi"), "7", hash, n1, n2, i1, i2, a1, a2));
    QCOMPARE(n1, QStringList {"Canal, Sur"});
    QCOMPARE(n2, (QStringList {"BBC One", "Tres"}));
    QCOMPARE(i1, QList<int> {4228});
    QCOMPARE(i2, (QList<int> {4164, 4290}));
    QCOMPARE(a1, QList<int> {0});
    QCOMPARE(a2, (QList<int> {1, 1}));
    QVERIFY(hash.contains("Outputs") == false);
    QCOMPARE(hash.value("Providers_Names").toStringList().size(), 3);

    // Output 2 and services past the end of "Outputs" belong to neither output.
    QVERIFY(
        data.readDataPlusServices_2xout(golden("services.cfi"), "8", hash, n1, n2, i1, i2, a1, a2));
    QCOMPARE(n1, QStringList {"Uno"});
    QCOMPARE(n2, QStringList {"Tres"});
    QCOMPARE(i1, QList<int> {1});
    QCOMPARE(i2, QList<int> {0});
    QCOMPARE(a2, QList<int> {0});
    QVERIFY(!data.readDataPlusServices_2xout(golden("services.cfi"), "x", hash, n1, n2, i1, i2, a1,
                                             a2));
    QCOMPARE(n1, QStringList {"Uno"});
}

void tst_ConfigData::readOnlyMedium()
{
    const QString file = copyGolden("mixed_families.cfi");
    const QByteArray bytes = bytesOf(file);
    QVERIFY(QFile::setPermissions(
        medium->path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadOther);
    const int result = inChild(
        [&] {
            ConfigData data;
            Hash h = fullConfig(4);
            QStringList n;
            QList<int> i, a;
            const bool written
                = data.writeDataPlusServices(file, QStringLiteral("101"), Family, h, n, i, a);
            Hash back;
            // Nothing of the failed save shows in a later read of the same process.
            data.readData(file, QStringLiteral("101"), back);
            return written && back.value("Freq1_Input").toString() == QLatin1String("1550") ? 0 : 1;
        },
        true);
    QFile::setPermissions(medium->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(result, 0);
    QCOMPARE(bytesOf(file), bytes);
    QCOMPARE(QDir(medium->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList {"mixed_families.cfi"});
}

void tst_ConfigData::removedMedium()
{
    const QString file = copyGolden("mixed_families.cfi");
    const QByteArray bytes = bytesOf(file);
    // The medium goes between choosing the file and saving into it.
    const QString away = medium->path() + QStringLiteral("-away");
    QVERIFY(QDir().rename(medium->path(), away));
    ConfigData data;
    Hash h = fullConfig(1);
    QVERIFY(data.writeData(file, QStringLiteral("101"), Family, h));
    QString f = file, value = QStringLiteral("1");
    QVERIFY(data.storeVersion(f, value));
    const bool recreated = QFileInfo::exists(medium->path());
    QDir().rename(away, medium->path());
    QVERIFY2(!recreated, "the medium's folder was created again");
    QCOMPARE(bytesOf(file), bytes);
}

// Disk full while the new file is prepared: every write of the process past
// the limit fails.
void tst_ConfigData::fileSizeLimit()
{
    const QString file = copyGolden("mixed_families.cfi");
    const QByteArray bytes = bytesOf(file);
    const int result = inChild(
        [&] {
            ConfigData data;
            Hash h {{"Big", QString(8000, QLatin1Char('x'))}};
            return data.writeData(file, QStringLiteral("101"), Family, h) ? 0 : 1;
        },
        false, 4096);
    QCOMPARE(result, 0);
    QCOMPARE(bytesOf(file), bytes);
    QCOMPARE(QDir(medium->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList {"mixed_families.cfi"});
}

// Disk full on the medium itself: a small tmpfs, when this process may mount one.
void tst_ConfigData::fullDisk()
{
    const QString mountPoint = path(QStringLiteral("usb"));
    QVERIFY(QDir().mkdir(mountPoint));
    if (mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=16k") != 0)
        QSKIP("cannot mount a small tmpfs here (needs CAP_SYS_ADMIN)");
    const QString file = mountPoint + QStringLiteral("/cfg.cfi");
    QFile::copy(golden("mixed_families.cfi"), file);
    const QByteArray bytes = bytesOf(file);
    {
        QFile filler(mountPoint + QStringLiteral("/filler"));
        filler.open(QIODevice::WriteOnly);
        while (filler.write(QByteArray(512, 'f')) == 512 && filler.flush()) { }
    }
    ConfigData data;
    Hash h {{"Big", QString(6000, QLatin1Char('x'))}};
    const bool written = data.writeData(file, QStringLiteral("101"), Family, h);
    const QByteArray after = bytesOf(file);
    const QStringList entries
        = QDir(mountPoint).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    umount(QFile::encodeName(mountPoint).constData());
    QVERIFY(written);
    QCOMPARE(after, bytes);
    QCOMPARE(entries, (QStringList {"cfg.cfi", "filler"}));
}

// Without a writable temporary folder the file is worked on in place. The
// child gives up root, so the working folder made by this process is no
// longer its own to write in, and its temporary folder does not exist.
void tst_ConfigData::noTemporaryFolder()
{
    const QString file = copyGolden("mixed_families.cfi");
    const QString garbage = copyGolden("garbage.cfi");
    const QByteArray garbageBytes = bytesOf(garbage);
    QFile::setPermissions(medium->path(), QFileDevice::Permissions(0x7777));
    QFile::setPermissions(file, QFileDevice::Permissions(0x6666));
    static bool fellBack;
    const int result = inChild(
        [&] {
            qputenv("TMPDIR", "/nonexistent/tmp");
            fellBack = false;
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) {
                fellBack
                    = fellBack || text.startsWith(QLatin1String("Cannot create a working folder"));
            });
            ConfigData data;
            Hash h {{"Entradas", 0}};
            Hash back;
            QStringList families;
            QString filter;
            const bool ok = data.writeData(file, QStringLiteral("7"), Family, h)
                && data.readData(file, QStringLiteral("101"), back) && back.size() == 21
                && data.getModuleList(file, families, filter).size() == 6
                && !data.isValidFile(garbage)
                && data.writeData(garbage, QStringLiteral("1"), Family, h);
            return !fellBack ? 2 : ok ? 0 : 1;
        },
        true);
    QFile::setPermissions(medium->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (result == 2)
        QSKIP("the working folder stays usable for this user");
    QCOMPARE(result, 0);
    QCOMPARE(parse(file).value("7").value("Entradas"), QStringLiteral("0"));
    QCOMPARE(parse(file).size(), 7);
    QCOMPARE(bytesOf(garbage), garbageBytes);
}

void tst_ConfigData::notAConfigFileIsLeftAlone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("too large") << "huge";
    QTest::newRow("folder") << "folder";
    QTest::newRow("unreadable") << "unreadable";
}

// Saving into something that cannot be read as a configuration file must not
// replace it by a file holding only the new module.
void tst_ConfigData::notAConfigFileIsLeftAlone()
{
    QFETCH(QString, kind);
    const QString file = path(QStringLiteral("x.cfi"));
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(file + QStringLiteral("/inner")));
    } else {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[1]\nFAMILY_KEY=ZetaVX_DVBS2\n");
        if (kind == QLatin1String("huge"))
            QVERIFY(f.resize(100 * 1024 * 1024));
    }
    const QByteArray bytes = bytesOf(file);
    auto save = [&] {
        ConfigData data;
        Hash h {{"Entradas", 1}};
        QString top = QStringLiteral("9");
        QString f = file;
        return data.writeData(file, QStringLiteral("2"), Family, h) && data.storeVersion(f, top)
                && data.removeSection(file, QStringLiteral("1"))
            ? 0
            : 1;
    };
    if (kind == QLatin1String("unreadable")) {
        QFile::setPermissions(medium->path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                  | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
        QFile::setPermissions(file, QFile::WriteOwner | QFile::WriteOther);
        QCOMPARE(inChild(save, true), 0);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    } else {
        QCOMPARE(save(), 0);
    }
    QCOMPARE(bytesOf(file), bytes);
    QCOMPARE(QFileInfo(file).isDir(), kind == QLatin1String("folder"));
}

QTEST_GUILESS_MAIN(tst_ConfigData)
#include "tst_configdata.moc"
