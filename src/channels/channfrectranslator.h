#pragma once

#include "channelplans.h"

#include <QMap>
#include <QString>
#include <QStringList>

// Translates between channel names, centre frequencies (kHz) and channel
// indices of the sixteen national channel plans. Lookups are exact: there is
// no nearest-channel search.
class ChannFrecTranslator
{
public:
    // Fixed to int so that a stray value from a caller can be checked, not assumed.
    enum RULE : int {
        BG_CCIR = 0,
        L_France,
        I_UK_SM8,
        DK_OIRT,
        M_Brazil,
        B_Australia,
        BG_Italy,
        BG_Morocco,
        BG_New_Zealand,
        BG_India,
        I_UK,
        I_Ireland,
        I_South_Africa,
        DK_Poland,
        DK_Czech_Republic,
        K_DOM_TOM
    };
    static constexpr int RuleCount = 16;

    ChannFrecTranslator();

    // Rows up to the first with an empty name. Where rows share a frequency,
    // name or index, the later row wins in the map keyed by it.
    void addToMap(RULE rule, T_CHFREQTRANS *table);

    // 0 when the plan has no such channel.
    int channelToFreq(RULE rule, QString channel);
    // Empty when no channel lies exactly at the frequency (kHz).
    QString freqToChannel(RULE rule, long frequency);
    // 0 when the plan has no such channel, which is also a valid index.
    int channelTochanidx(RULE rule, QString channel);
    QString chanidxToChannel(RULE rule, int index);
    // One name per distinct frequency, by ascending frequency.
    QStringList getChannelList(RULE rule);

private:
    static bool validRule(RULE rule);

    QMap<int, QString> m_freqToChannel[RuleCount];
    QMap<QString, int> m_channelToFreq[RuleCount];
    QMap<int, QString> m_indexToChannel[RuleCount];
    QMap<QString, int> m_channelToIndex[RuleCount];
};
