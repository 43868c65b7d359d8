#include "channfrectranslator.h"

#include <QDebug>

#include <limits>

ChannFrecTranslator::ChannFrecTranslator()
{
    addToMap(BG_CCIR, BG_CCIR_arr);
    addToMap(L_France, L_France_arr);
    addToMap(I_UK_SM8, I_UK_SM8_arr);
    addToMap(DK_OIRT, DK_OIRT_arr);
    addToMap(M_Brazil, M_Brazil_arr);
    addToMap(B_Australia, B_Australia_arr);
    addToMap(BG_Italy, BG_Italy_arr);
    addToMap(BG_Morocco, BG_Morocco_arr);
    addToMap(BG_New_Zealand, BG_New_Zealand_arr);
    addToMap(BG_India, BG_India_arr);
    addToMap(I_UK, I_UK_arr);
    addToMap(I_Ireland, I_Ireland_arr);
    addToMap(I_South_Africa, I_South_Africa_arr);
    addToMap(DK_Poland, DK_Poland_arr);
    addToMap(DK_Czech_Republic, DK_Czech_Republic_arr);
    addToMap(K_DOM_TOM, K_DOM_TOM_arr);
}

bool ChannFrecTranslator::validRule(RULE rule)
{
    if (rule >= 0 && rule < RuleCount)
        return true;
    qWarning() << "ChannFrecTranslator: unknown rule" << int(rule);
    return false;
}

void ChannFrecTranslator::addToMap(RULE rule, T_CHFREQTRANS *table)
{
    if (!validRule(rule) || !table)
        return;
    for (const T_CHFREQTRANS *row = table; !row->channel.isEmpty(); ++row) {
        const int khz = static_cast<int>(row->frequency * 1000.0);
        m_channelToFreq[rule].insert(row->channel, khz);
        m_freqToChannel[rule].insert(khz, row->channel);
        m_channelToIndex[rule].insert(row->channel, row->index);
        m_indexToChannel[rule].insert(row->index, row->channel);
    }
}

int ChannFrecTranslator::channelToFreq(RULE rule, QString channel)
{
    return validRule(rule) ? m_channelToFreq[rule].value(channel, 0) : 0;
}

QString ChannFrecTranslator::freqToChannel(RULE rule, long frequency)
{
    // A long beyond int cannot be any channel's frequency; it must not wrap
    // onto one either.
    if (!validRule(rule) || frequency < std::numeric_limits<int>::min()
        || frequency > std::numeric_limits<int>::max())
        return QString();
    return m_freqToChannel[rule].value(static_cast<int>(frequency));
}

int ChannFrecTranslator::channelTochanidx(RULE rule, QString channel)
{
    return validRule(rule) ? m_channelToIndex[rule].value(channel, 0) : 0;
}

QString ChannFrecTranslator::chanidxToChannel(RULE rule, int index)
{
    return validRule(rule) ? m_indexToChannel[rule].value(index) : QString();
}

QStringList ChannFrecTranslator::getChannelList(RULE rule)
{
    if (!validRule(rule))
        return QStringList();
    // QMap iterates in ascending key order.
    return m_freqToChannel[rule].values();
}
