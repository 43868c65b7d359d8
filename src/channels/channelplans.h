#pragma once

#include <QString>

// One channel of a national channel plan. The channel index is a code shared
// across plans: the 8 MHz UHF raster 474 to 858 MHz is 52 to 100 wherever a
// plan has it.
struct T_CHFREQTRANS {
    QString channel; // as shown to the user, compared exactly
    double frequency; // centre frequency in MHz
    int index;
};

// The sixteen plans, in the order of ChannFrecTranslator::RULE. Rows are in
// table order, which decides which channel a shared frequency belongs to;
// each table ends with one terminator row (empty name, 0.0, 0). They are
// filled when the library is loaded.
extern T_CHFREQTRANS BG_CCIR_arr[102];
extern T_CHFREQTRANS L_France_arr[97];
extern T_CHFREQTRANS I_UK_SM8_arr[100];
extern T_CHFREQTRANS DK_OIRT_arr[100];
extern T_CHFREQTRANS M_Brazil_arr[137];
extern T_CHFREQTRANS B_Australia_arr[117];
extern T_CHFREQTRANS BG_Italy_arr[101];
extern T_CHFREQTRANS BG_Morocco_arr[98];
extern T_CHFREQTRANS BG_New_Zealand_arr[102];
extern T_CHFREQTRANS BG_India_arr[107];
extern T_CHFREQTRANS I_UK_arr[50];
extern T_CHFREQTRANS I_Ireland_arr[99];
extern T_CHFREQTRANS I_South_Africa_arr[99];
extern T_CHFREQTRANS DK_Poland_arr[100];
extern T_CHFREQTRANS DK_Czech_Republic_arr[62];
extern T_CHFREQTRANS K_DOM_TOM_arr[59];
