#include "configdata.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <functional>

#include <csignal>
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

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden
                                  | QDir::System);
}

// Every section, key and value of an INI file as the settings class parses it
// from disk; lists joined with "|" so that list and text stay apart.
Sections parse(const QString &path)
{
    // A copy under a fresh name: the settings class caches files by path.
    QTemporaryDir dir;
    const QString copy = dir.filePath("parse.ini");
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

// Runs `work` in a child process whose writes fail past `fileSizeLimit`
// bytes, as on a full disk, and gives its exit code (-1: no normal exit).
int inChild(const std::function<int()> &work, rlim_t fileSizeLimit)
{
    const pid_t pid = fork();
    if (pid == 0) {
        // Past the limit writes fail with EFBIG instead of killing the process.
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit {fileSizeLimit, fileSizeLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
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

    void goldenRead();
    void sections();
    void writersKeys_data();
    void writersKeys();
    void readServices();

    void saveInto_data();
    void saveInto();

private:
    QScopedPointer<QTemporaryDir> medium;
    QString path(const QString &name) const { return medium->filePath(name); }
    QString copyGolden(const char *name, const QString &as = QString())
    {
        const QString p = path(as.isEmpty() ? QLatin1String(name) : as);
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

void tst_ConfigData::goldenRead()
{
    ConfigData data;
    QString file = golden("mixed_families.cfi");
    // Every module, its identifier unescaped, and its family.
    QStringList families {"kept"};
    QString filter;
    QCOMPARE(data.getModuleList(file, families, filter),
             (QStringList {"101", QString::fromUtf8("Cuéllar"), "Sala A", "mod=1;[2]", "viejo"}));
    QCOMPARE(
        families,
        (QStringList {"kept", "ZetaVX_DVBS2", "zetavx_dvbs2", "ZetaQAM_T", "ZetaVX_DVBS2", ""}));

    // The hand-written module "101": a full configuration of the form, as text.
    Hash hash;
    QVERIFY(data.readData(file, "101", hash));
    QCOMPARE(hash.size(), 21);
    // Scalars come back as text.
    QCOMPARE(hash.value("BW_1"), QVariant("255"));
    // Entries the section lacks stay in the hash.
    Hash other {{"Entradas", 7}, {"Extra", "kept"}};
    QVERIFY(data.readData(file, "mod=1;[2]", other));
    QCOMPARE(other, (Hash {{"Entradas", "0"}, {"Extra", "kept"}, {"Freq1_Output", "1000"}}));
    QVERIFY(!data.readData(file, "102", other));
    QVERIFY(!data.readData(file, "General", other));
    QVERIFY(!data.readData(golden("missing.cfi"), "101", other));
    QCOMPARE(other.size(), 3);

    QCOMPARE(data.getVersion(file), "2.1");
    QCOMPARE(data.getNetworkId(file), "12289");
    QCOMPARE(data.getOriginalNetworkId(file), "8916");
    QCOMPARE(data.getNetworkNameDescriptor(file), "Red Cabecera Norte");
    file = golden("only_top_level.cfi");
    QCOMPARE(data.getOriginalNetworkId(file), QString());
}

// Saving replaces one module's section as a whole and leaves the others and
// the network keys alone; identifiers that differ in case are two modules.
void tst_ConfigData::sections()
{
    const QString file = copyGolden("mixed_families.cfi");
    // A lock folder left beside the file would stall the settings class for good.
    QVERIFY(QDir(medium->path()).mkdir("mixed_families.cfi.lock"));
    Sections expected = parse(file);
    ConfigData data;
    Hash impostor {{"FAMILY_KEY", "Impostor"}, {"Nuevo", "x"}};
    Hash upper {{"v", 2}};
    QVERIFY(data.writeData(file, "101", Family, impostor));
    QVERIFY(data.writeData(file, "VIEJO", Family, upper));
    // Onto an existing module: that module is replaced.
    QVERIFY(data.renameSection(file, "Sala A", "viejo"));
    QVERIFY(data.removeSection(file, "mod=1;[2]"));
    expected["101"] = {{"FAMILY_KEY", Family}, {"Nuevo", "x"}};
    expected["VIEJO"] = {{"FAMILY_KEY", Family}, {"v", "2"}};
    expected["viejo"] = expected.take("Sala A");
    expected.remove("mod=1;[2]");
    QCOMPARE(parse(file), expected);

    // Unknown modules, and identifiers the settings class would read as the
    // top level or as nested groups, change nothing.
    const QByteArray bytes = bytesOf(file);
    QVERIFY(!data.renameSection(file, "nope", "x"));
    QVERIFY(data.removeSection(file, "nope"));
    for (const char *bad : {"", "101/x", "101\\x"}) {
        QVERIFY(!data.writeData(file, bad, Family, upper));
        QVERIFY(data.removeSection(file, bad));
        QVERIFY(!data.renameSection(file, "101", bad));
        QVERIFY2(bytesOf(file) == bytes, bad);
    }
}

void tst_ConfigData::writersKeys_data()
{
    QTest::addColumn<bool>("full");
    QTest::addColumn<QStringList>("lists");
    QTest::newRow("DMH")
        << false
        << QStringList {"Services_Names=A|B|C", "Services_Ids=1|2", "Services_Actives=1|0|1",
                        "Providers_Names=P|Q",  "Video_Mode=31|32", "EncProfile=11|12|13",
                        "EncLevel=21",          "EncAudio=41|42",   "Video_BR=51|52"};
    QTest::newRow("conPIDs_conOuts")
        << true
        << QStringList {"Services_Names=A|B|C", "Services_Ids=1|2",   "Services_Actives=1|0",
                        "Old_Services_Ids=5|6", "Inputs=13|14",       "Services_types=7|8",
                        "Services_CAInfo=9|10", "Services_bw=11|12",  "Services_cod=x|y",
                        "PID_Services=1|2",     "PID_Inputs=3|4",     "PID_PIDNum=100|200",
                        "PID_Type=V|A",         "PID_DescType=d1|d2", "PID_Lang=es|en",
                        "PID_Filter=0|1",       "Outputs=0|1"};
}

// A writer of its own lists and the fullest of those sharing theirs: the keys,
// and how many entries of each list reach the file.
void tst_ConfigData::writersKeys()
{
    QFETCH(bool, full);
    QFETCH(QStringList, lists);
    const QString file = path("w.cfi");
    ConfigData data;
    Hash h {{"Entradas", 1}};
    QStringList names {"A", "B", "C"}, providers {"P", "Q"}, codings {"x", "y", "z"};
    QList<int> ids {1, 2}, actives {1, 0, 1}, a {11, 12, 13}, b {21}, c {31, 32}, d {41, 42},
        e {51, 52};
    QList<int> old {5, 6, 60}, types {7, 8, 80}, ca {9, 10}, bw {11, 12}, in {13, 14, 15},
        outs {0, 1, 1};
    QList<int> ps {1, 2, 3}, pi {3, 4}, pn {100, 200}, pf {0, 1, 1};
    QList<QString> pt {"V", "A", "X"}, pd {"d1", "d2"}, pl {"es", "en", "fr"};
    if (full)
        data.writeDataPlusServicesCompleto_conPIDs_conOuts(file, "m", Family, h, names, ids,
                                                           actives, old, types, ca, bw, codings, in,
                                                           outs, ps, pi, pn, pt, pd, pl, pf);
    else
        data.writeDataPlusServicesDMH(file, "m", Family, h, names, ids, actives, providers, a, b, d,
                                      c, e);
    // A one-entry list is stored as a list too.
    QMap<QString, QString> expected {{"Entradas", "1"}, {"FAMILY_KEY", Family}};
    for (const QString &list : qAsConst(lists))
        expected[list.section('=', 0, 0)] = "list:" + list.section('=', 1);
    QCOMPARE(parse(file).value("m"), expected);
}

void tst_ConfigData::readServices()
{
    ConfigData data;
    const QString file = golden("services.cfi");
    Hash hash {{"Kept", 1}};
    QStringList names {"old"};
    QList<int> ids {99}, actives {99};
    QVERIFY(data.readDataPlusServices(file, "7", hash, names, ids, actives));
    QCOMPARE(names, (QStringList {"BBC One", "Canal, Sur", "Tres"}));
    QCOMPARE(ids, (QList<int> {4164, 4228, 4290}));
    QCOMPARE(actives, (QList<int> {1, 0, 1}));
    QCOMPARE(hash.value("Providers_Names").toStringList(), (QStringList {"BBC", "RTVA", "C3"}));
    QVERIFY(hash.contains("Kept") && !hash.contains("FAMILY_KEY")
            && !hash.contains("Services_Ids"));
    QVERIFY(data.readDataPlusServices(file, "8", hash, names, ids, actives));
    QCOMPARE(ids, (QList<int> {1, 2, 0, 4}));

    // Empty lists read back empty: written again, they give the hand-written section "9".
    QVERIFY(data.readDataPlusServices(file, "9", hash, names, ids, actives));
    const QString ours = path("e.cfi");
    Hash none;
    QVERIFY(data.writeDataPlusServices(ours, "9", Family, none, names, ids, actives));
    QVERIFY(bytesOf(ours).contains("Services_Names=@Invalid()\n"));
    QCOMPARE(parse(ours).value("9"), parse(file).value("9"));

    // The settings class stores a list of one string as plain text: a module
    // of one service still saves, and reads back as that one service.
    QStringList one {"Solo"};
    QList<int> seven {7};
    QVERIFY(data.writeDataPlusServices(ours, "1", Family, none, one, seven, seven));
    QVERIFY(data.readDataPlusServices(ours, "1", hash, names, ids, actives));
    QCOMPARE(names, one);
    QCOMPARE(ids, seven);
    QCOMPARE(actives, seven);
}

void tst_ConfigData::saveInto_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<bool>("canHold");
    QTest::addColumn<bool>("saved");
    QTest::newRow("modules") << "mixed_families.cfi" << true << true << true;
    QTest::newRow("NUL bytes") << "garbage.cfi" << false << false << false;
    // A file the settings class flags but reads keeps its UTF-8 texts.
    QTest::newRow("byte-order mark") << "text:\xEF\xBB\xBF" << true << true << true;
    QTest::newRow("dangling link") << "dangling" << false << false << false;
    QTest::newRow("pipe") << "fifo" << false << false << false;
    // A save that would make it too large to read again is refused.
    QTest::newRow("8 MiB") << "limit" << true << true << false;
    QTest::newRow("one byte more") << "huge" << false << false << false;
    // Disk full while the new file is prepared: every write past the limit fails.
    QTest::newRow("file size limit") << "size limit" << true << true << false;
    // The medium goes between choosing the file and saving into it.
    QTest::newRow("medium removed") << "removed" << false << true << false;
}

// What reads as a configuration file, and whether a save lands in it: the
// writer's answer says so, a save keeps every module and adds its own, and
// what was not saved is left byte for byte. No working copy stays behind,
// and nothing is written off the medium.
void tst_ConfigData::saveInto()
{
    QFETCH(QString, kind);
    QFETCH(bool, valid);
    QFETCH(bool, canHold);
    QFETCH(bool, saved);
    QString file = path("x.cfi");
    QTemporaryDir away;
    if (kind.endsWith(".cfi")) {
        copyGolden(kind.toLatin1().constData(), "x.cfi");
    } else if (kind == "dangling") {
        QVERIFY(QFile::link(away.filePath("made.cfi"), file));
    } else if (kind == "fifo") {
        QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0644), 0);
    } else {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write((kind.startsWith("text:") ? kind.mid(5).toUtf8() : QByteArray())
                + "[1]\nFAMILY_KEY=ZetaVX_DVBS2\nk=Cu\xC3\xA9llar ");
        if (kind == "huge") // sparse: no disk space, no time
            QVERIFY(f.resize(ConfigData::MaxFileSize + 1));
        else if (kind == "limit")
            f.write(QByteArray(int(ConfigData::MaxFileSize - f.size()), 'x'));
    }
    // Reading a pipe would wait for a writer.
    const QByteArray bytes = kind == "fifo" ? QByteArray() : bytesOf(file);
    const QString gone = medium->path() + "-away";
    if (kind == "removed")
        QVERIFY(QDir().rename(medium->path(), gone));
    auto work = [&] {
        ConfigData data;
        QStringList families;
        QString filter;
        const QStringList before = data.getModuleList(file, families, filter);
        Hash one, oneAfter;
        data.readData(file, "1", one);
        if (data.isValidFile(file) != valid || before.isEmpty() == valid)
            return 1;
        if (data.canHoldModules(file) != canHold)
            return 2;
        Hash h {{"Big", QString(8000, QLatin1Char('x'))}};
        QString f = file, top = "9";
        if (data.writeData(file, "2", Family, h) != saved)
            return 3;
        // Neither may touch what is no configuration file.
        if (!canHold && (data.storeVersion(f, top) || data.removeSection(file, "1")))
            return 4;
        // A save that failed does not show in a later read of the same process.
        QStringList after = before + (saved ? QStringList {"2"} : QStringList());
        after.sort();
        data.readData(file, "1", oneAfter);
        if (oneAfter != one)
            return 6;
        return data.getModuleList(file, families, filter) == after ? 0 : 5;
    };
    const int result = kind == "size limit" ? inChild(work, 4096) : work();
    const bool recreated = kind == "removed" && QFileInfo::exists(medium->path());
    if (kind == "removed" && !recreated)
        QVERIFY(QDir().rename(gone, medium->path()));
    QCOMPARE(result, 0);
    QVERIFY2(!recreated, "the medium's folder was created again");
    if (kind != "fifo")
        QCOMPARE(bytesOf(file) != bytes, saved);
    QCOMPARE(entries(medium->path()), QStringList {"x.cfi"});
    QCOMPARE(entries(away.path()), QStringList());
}

MSP_TEST_GUILESS_MAIN(tst_ConfigData)
#include "tst_configdata.moc"
