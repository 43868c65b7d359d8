// The channel translator and the NIT descriptors: building the translator
// against indexing the same rows in one plain map, its lookups against the
// same lookups in plain maps, and descriptor serialisation (toBin) with a
// history file against toBin without one, and that against copying the bytes.
// Natively each figure is the median time of several batches; under
// callgrind each batch is a region of its own.

#include "benchprobe.h"
#include "channelplans.h"
#include "channfrectranslator.h"
#include "logicalchanneldes.h"
#include "servicedata.h"
#include "terrestrialdelsysdes.h"

#include <QCoreApplication>
#include <QMap>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <vector>

namespace {
constexpr int Lookups = 10000;
constexpr int Serialisations = 1000;
volatile long long sink = 0;

void figure(const char *name, const std::function<void()> &batch)
{
    if (BenchProbe::underValgrind()) {
        BenchProbe::beginRegion();
        batch();
        BenchProbe::endRegion(name);
        return;
    }
    std::vector<long long> ns;
    for (int i = 0; i < 7; ++i) {
        const long long t0 = BenchProbe::monotonicNs();
        batch();
        ns.push_back(BenchProbe::monotonicNs() - t0);
    }
    std::sort(ns.begin(), ns.end());
    BenchProbe::report((QByteArray(name) + "_ns").constData(), ns[ns.size() / 2]);
}

T_CHFREQTRANS *const tables[ChannFrecTranslator::RuleCount] = {
    BG_CCIR_arr,     L_France_arr,  I_UK_SM8_arr,       DK_OIRT_arr,        M_Brazil_arr,
    B_Australia_arr, BG_Italy_arr,  BG_Morocco_arr,     BG_New_Zealand_arr, BG_India_arr,
    I_UK_arr,        I_Ireland_arr, I_South_Africa_arr, DK_Poland_arr,      DK_Czech_Republic_arr,
    K_DOM_TOM_arr};

TerrestrialDelSysDes terrestrial()
{
    TerrestrialDelSysDes d;
    d.setCentreFrequency(474.0);
    d.setBandwidth(3);
    d.setConstellation(2);
    d.setGuardInterval(1);
    d.setTransmissionMode(1);
    return d;
}

LogicalChannelDes logicalChannels()
{
    LogicalChannelDes d;
    for (int i = 0; i < 10; ++i) {
        ServiceData s;
        s.setServiceID(static_cast<unsigned short>(100 + i));
        s.setVisibleServiceFlag(1);
        s.setLogicalChannelNumber(static_cast<unsigned short>(i + 1));
        d.insertServiceData(s);
    }
    return d;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);

    figure("translator_build", [] {
        ChannFrecTranslator t;
        sink += t.channelToFreq(ChannFrecTranslator::BG_CCIR, QStringLiteral("21"));
    });
    figure("plainmap_build", [] {
        QMap<QString, int> byName[ChannFrecTranslator::RuleCount];
        for (int r = 0; r < ChannFrecTranslator::RuleCount; ++r)
            for (T_CHFREQTRANS *row = tables[r]; !row->channel.isEmpty(); ++row)
                byName[r].insert(row->channel, int(row->frequency * 1000.0));
        sink += byName[0].value(QStringLiteral("21"));
    });

    ChannFrecTranslator translator;
    QMap<QString, int> byName;
    QMap<int, QString> byFreq;
    QStringList names;
    for (T_CHFREQTRANS *row = BG_CCIR_arr; !row->channel.isEmpty(); ++row) {
        byName.insert(row->channel, int(row->frequency * 1000.0));
        byFreq.insert(int(row->frequency * 1000.0), row->channel);
        names << row->channel;
    }
    const QList<int> freqs = byFreq.keys();
    figure("translator_channelToFreq", [&] {
        for (int i = 0; i < Lookups; ++i)
            sink += translator.channelToFreq(ChannFrecTranslator::BG_CCIR,
                                             names.at(i % names.size()));
    });
    figure("plainmap_channelToFreq", [&] {
        for (int i = 0; i < Lookups; ++i)
            sink += byName.value(names.at(i % names.size()));
    });
    figure("translator_freqToChannel", [&] {
        for (int i = 0; i < Lookups; ++i)
            sink += translator
                        .freqToChannel(ChannFrecTranslator::BG_CCIR, freqs.at(i % freqs.size()))
                        .size();
    });
    figure("plainmap_freqToChannel", [&] {
        for (int i = 0; i < Lookups; ++i)
            sink += byFreq.value(freqs.at(i % freqs.size())).size();
    });

    QTemporaryDir dir;
    const QString history = dir.filePath(QStringLiteral("nit.hist"));
    TerrestrialDelSysDes plain = terrestrial();
    TerrestrialDelSysDes logged = terrestrial();
    logged.setPathHist(history);
    plain.RellenaVarEstructDatos();
    const QByteArray wire = plain.toBin();
    figure("copy_bytes", [&] {
        for (int i = 0; i < Serialisations; ++i)
            sink += QByteArray(wire.constData(), wire.size()).size();
    });
    figure("terrestrial_toBin", [&] {
        for (int i = 0; i < Serialisations; ++i)
            sink += plain.toBin().size();
    });
    figure("terrestrial_toBin_history", [&] {
        for (int i = 0; i < Serialisations; ++i)
            sink += logged.toBin().size();
    });
    LogicalChannelDes lcPlain = logicalChannels();
    LogicalChannelDes lcLogged = logicalChannels();
    lcLogged.setPathHist(history);
    figure("logical_toBin", [&] {
        for (int i = 0; i < Serialisations; ++i)
            sink += lcPlain.toBin().size();
    });
    figure("logical_toBin_history", [&] {
        for (int i = 0; i < Serialisations; ++i)
            sink += lcLogged.toBin().size();
    });
    BenchProbe::report("terrestrial_bytes", wire.size());
    return 0;
}
