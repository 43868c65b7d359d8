// Configuration files at scale. ConfigData's four operations that the forms
// use, on files of 1, 100, 1,000 and 10,000 modules, against the settings
// class parsing the same file (writeData against the settings class replacing
// the same module on its own); then the file browser listing a folder of 1,000
// ".cfi" files for loading (each file validated) and for saving (no check).
// Natively each figure is the median time of several calls; under callgrind
// each call is a region of its own.

#include "benchprobe.h"
#include "configdata.h"
#include "fselecficheros.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QListWidget>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <vector>

namespace {
const QString Family = QStringLiteral("ZetaVX_DVBS2");

QHash<QString, QVariant> sampleHash()
{
    return {{QStringLiteral("Entradas"), 1},
            {QStringLiteral("C1_Act"), 1},
            {QStringLiteral("C2_Act"), 1},
            {QStringLiteral("LNB_1"), 1},
            {QStringLiteral("LNB_2"), 0},
            {QStringLiteral("Banda_1"), 1},
            {QStringLiteral("Banda_2"), 0},
            {QStringLiteral("Pol_1"), 1},
            {QStringLiteral("Pol_2"), 0},
            {QStringLiteral("Freq1_Input"), QStringLiteral("1550")},
            {QStringLiteral("Freq2_Input"), QStringLiteral("1210")},
            {QStringLiteral("SRate_1"), QStringLiteral("27500")},
            {QStringLiteral("SRate_2"), QStringLiteral("22000")},
            {QStringLiteral("RollOff_1"), 0},
            {QStringLiteral("RollOff_2"), 1},
            {QStringLiteral("BW_1"), 255},
            {QStringLiteral("BW_2"), 29},
            {QStringLiteral("Freq1_Output"), QStringLiteral("1100")},
            {QStringLiteral("Freq2_Output"), QStringLiteral("1300")},
            {QStringLiteral("Atten_1"), 0},
            {QStringLiteral("Atten_2"), 3}};
}

QString moduleName(int i) { return QStringLiteral("MOD%1").arg(i, 5, 10, QLatin1Char('0')); }

// Writes the file as the settings class would, without going through it.
void writeModules(const QString &path, int count)
{
    QMap<QString, QVariant> sorted;
    const QHash<QString, QVariant> hash = sampleHash();
    for (auto it = hash.cbegin(); it != hash.cend(); ++it)
        sorted.insert(it.key(), it.value());
    QByteArray section;
    for (auto it = sorted.cbegin(); it != sorted.cend(); ++it)
        section += it.key().toLatin1() + '=' + it.value().toString().toLatin1() + '\n';
    section += "FAMILY_KEY=" + Family.toLatin1() + '\n';
    QByteArray all;
    for (int i = 1; i <= count; ++i)
        all += '[' + moduleName(i).toLatin1() + "]\n" + section + '\n';
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(all) != all.size())
        std::fprintf(stderr, "bench_files: cannot write %s\n", qPrintable(path));
}

// One figure: under callgrind one call in its own region, natively the
// median time of several calls.
void figure(const QByteArray &name, int repeats, const std::function<void()> &call)
{
    // Memory freed by the last figure is consolidated now, not in this one.
    malloc_trim(0);
    if (BenchProbe::underValgrind()) {
        BenchProbe::beginRegion();
        call();
        BenchProbe::endRegion(name.constData());
        return;
    }
    std::vector<long long> ns;
    for (int i = 0; i < repeats; ++i) {
        const long long t0 = BenchProbe::monotonicNs();
        call();
        ns.push_back(BenchProbe::monotonicNs() - t0);
    }
    std::sort(ns.begin(), ns.end());
    BenchProbe::report((name + "_ns").constData(), ns[ns.size() / 2]);
}

// A new time stamp makes the settings class parse the file again instead of
// answering from its process-wide cache.
void touch(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadWrite);
    static int step = 0;
    f.setFileTime(QDateTime::currentDateTime().addSecs(-1 - ++step),
                  QFileDevice::FileModificationTime);
}

int listed(FSelecFicheros &browser)
{
    auto *list = browser.findChild<QListWidget *>(QStringLiteral("m_ListSelecFichWidget"));
    return list ? list->count() : -1;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;

    for (int count : {1, 100, 1000, 10000}) {
        const QString path = dir.filePath(QStringLiteral("modules_%1.cfi").arg(count));
        writeModules(path, count);
        const QByteArray n = QByteArray::number(count);
        const int repeats = count >= 10000 ? 1 : 11;
        const QString middle = moduleName((count + 1) / 2);
        QHash<QString, QVariant> hash = sampleHash();

        bool ok = true;
        figure("qsettings_" + n, repeats, [&] {
            touch(path);
            QSettings ini(path, QSettings::IniFormat);
            ok = ok && ini.childGroups().size() == count;
        });
        figure("qsettings_write_" + n, repeats, [&] {
            touch(path);
            QSettings ini(path, QSettings::IniFormat);
            ini.beginGroup(middle);
            ini.remove(QString());
            for (auto it = hash.cbegin(); it != hash.cend(); ++it)
                ini.setValue(it.key(), it.value());
            ini.setValue(QStringLiteral("FAMILY_KEY"), Family);
            ini.endGroup();
        });
        figure("isValidFile_" + n, repeats, [&] { ok = ok && ConfigData().isValidFile(path); });
        figure("getModuleList_" + n, repeats, [&] {
            QStringList families;
            QString family = Family;
            ok = ok && ConfigData().getModuleList(path, families, family).size() == count;
        });
        figure("readData_" + n, repeats, [&] {
            QHash<QString, QVariant> read;
            ok = ok && ConfigData().readData(path, middle, read) && read.size() == hash.size();
        });
        figure("writeData_" + n, repeats,
               [&] { ok = ConfigData().writeData(path, middle, Family, hash) && ok; });
        QStringList families;
        QString family = Family;
        ok = ok && ConfigData().getModuleList(path, families, family).size() == count;
        BenchProbe::report(("files_ok_" + n).constData(), ok ? 1 : 0);
    }

    // A medium's folder of 1,000 configuration files of three modules each.
    QTemporaryDir medium;
    writeModules(medium.filePath(QStringLiteral("first.cfi")), 3);
    for (int i = 1; i < 1000; ++i)
        QFile::copy(
            medium.filePath(QStringLiteral("first.cfi")),
            medium.filePath(QStringLiteral("config_%1.cfi").arg(i, 4, 10, QLatin1Char('0'))));
    FSelecFicheros browser;
    const QStringList names {QStringLiteral("USB")};
    const QStringList paths {medium.path()};
    figure("browse_load", 5, [&] { browser.setFunctionAndOrigin(32, names, paths); });
    BenchProbe::report("browse_load_items", listed(browser));
    figure("browse_save", 5, [&] { browser.setFunctionAndOrigin(16, names, paths); });
    BenchProbe::report("browse_save_items", listed(browser));
    return 0;
}
