#pragma once

#include "commprotocol.h"

#include <array>
#include <iterator>

// The module's configuration parameters, one row each: what a parameter is
// called in the configuration hash, on the link and on the configuration
// form, how its value travels and where it goes in a bulk write. The form,
// the emulated module and the link monitors all loop over these rows, so a
// new parameter is one row here plus its field on the form; the rows are
// checked when the library is compiled.
class ModuleParameters
{
public:
    enum Kind {
        // A position in the field's choice list; the hash holds it as an int.
        ListIndex,
        // An edit box's number; the hash holds the text.
        Number,
        // A position in a bandwidth list or "Auto": the hash holds the
        // position or 255, the link the bandwidth in MHz or 0x80.
        AutoBandwidth
    };

    // The MHz value of each position of a bandwidth list.
    struct Values {
        const short *mhz;
        int count;
    };

    // In reading order, not packed: 21 constant rows.
    struct Parameter { // NOLINT(clang-analyzer-optin.performance.Padding)
        const char *key; // configuration hash key, also the files' INI key
        unsigned short command; // set-request and record code on the link
        const char *name; // the command's name in link traces and state files
        int width; // value bytes on the link, 1 or 2
        Kind kind;
        int minimum; // range of the value the form holds: a list position or a number
        int maximum;
        const char *field; // object name of the form's field
        const char *autoField; // object name of the "Auto" box of an AutoBandwidth row
        const char *caption; // the field's caption and unit on the form, untranslated
        const char *unit;
        int bulkPosition; // 1-based place among the frames of a bulk write
        bool changesInputs; // sending it resets the form's input-level bars
        Values values; // AutoBandwidth rows: the list's bandwidths
    };

private:
    // The two channels' bandwidth lists differ in one position: 72 and 68 MHz.
    static constexpr short Bandwidths1[]
        = {6,  8,  10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 32, 34, 36,  38,  40,
           42, 44, 46, 48, 50, 54, 56, 58, 60, 62, 64, 72, 84, 86, 90, 100, 106, 124};
    static constexpr short Bandwidths2[]
        = {6,  8,  10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 32, 34, 36,  38,  40,
           42, 44, 46, 48, 50, 54, 56, 58, 60, 62, 64, 68, 84, 86, 90, 100, 106, 124};
    static constexpr Values Bw1 {Bandwidths1, int(std::size(Bandwidths1))};
    static constexpr Values Bw2 {Bandwidths2, int(std::size(Bandwidths2))};
    static constexpr Values NoValues {nullptr, 0};

    // In the order of the configuration hash, which is also the order in which
    // a hash is applied to the form.
    // clang-format off
    static constexpr Parameter Table[] = {
//   key             command                           name                  width kind          range       field             autoField     caption        unit   bulk inputs values
    {"Entradas",     CommProtocol::NumInputs,          "NumInputs",          1, ListIndex,     0, 1,        "cbInputNum",     nullptr,      "Inputs",      "",    1,  true,  NoValues},
    {"C1_Act",       CommProtocol::C1Activate,         "C1Activate",         1, ListIndex,     0, 1,        "cbActive_p1",    nullptr,      "Processor 1", "",    20, true,  NoValues},
    {"C2_Act",       CommProtocol::C2Activate,         "C2Activate",         1, ListIndex,     0, 1,        "cbActive_p2",    nullptr,      "Processor 2", "",    21, true,  NoValues},
    {"LNB_1",        CommProtocol::LNB1,               "LNB1",               1, ListIndex,     0, 1,        "cbLnb_1",        nullptr,      "Power LNB",   "",    2,  true,  NoValues},
    {"LNB_2",        CommProtocol::LNB2,               "LNB2",               1, ListIndex,     0, 1,        "cbLnb_2",        nullptr,      "Power LNB",   "",    3,  true,  NoValues},
    {"Banda_1",      CommProtocol::Band1,              "Band1",              1, ListIndex,     0, 1,        "cbBand_1",       nullptr,      "Sat band",    "",    4,  true,  NoValues},
    {"Banda_2",      CommProtocol::Band2,              "Band2",              1, ListIndex,     0, 1,        "cbBand_2",       nullptr,      "Sat band",    "",    5,  true,  NoValues},
    {"Pol_1",        CommProtocol::Pol1,               "Pol1",               1, ListIndex,     0, 1,        "cbPol_1",        nullptr,      "Sat polarity","",    6,  true,  NoValues},
    {"Pol_2",        CommProtocol::Pol2,               "Pol2",               1, ListIndex,     0, 1,        "cbPol_2",        nullptr,      "Sat pol",     "",    7,  true,  NoValues},
    {"Freq1_Input",  CommProtocol::InputFreq1,         "InputFreq1",         2, Number,        950, 2150,   "leInputFreq_1",  nullptr,      "Input freq",  "MHz", 8,  true,  NoValues},
    {"Freq2_Input",  CommProtocol::InputFreq2,         "InputFreq2",         2, Number,        950, 2150,   "leInputFreq_2",  nullptr,      "Input freq",  "MHz", 9,  true,  NoValues},
    {"SRate_1",      CommProtocol::InputSRate1,        "InputSRate1",        2, Number,        1000, 45000, "leSRate_1",      nullptr,      "Symbol rate", "KBd", 10, true,  NoValues},
    {"SRate_2",      CommProtocol::InputSRate2,        "InputSRate2",        2, Number,        1000, 45000, "leSRate_2",      nullptr,      "Symbol rate", "KBd", 11, true,  NoValues},
    {"RollOff_1",    CommProtocol::RollOff1,           "RollOff1",           1, ListIndex,     0, 2,        "cbRollOff_1",    nullptr,      "Roll off",    "",    12, true,  NoValues},
    {"RollOff_2",    CommProtocol::RollOff2,           "RollOff2",           1, ListIndex,     0, 2,        "cbRollOff_2",    nullptr,      "Roll Off",    "",    13, true,  NoValues},
    {"BW_1",         CommProtocol::InputBandwidth1,    "InputBandwidth1",    1, AutoBandwidth, 0, 35,       "cbBW_1",         "ckAutoBW_1", "BW",          "MHz", 14, false, Bw1},
    {"BW_2",         CommProtocol::InputBandwidth2,    "InputBandwidth2",    1, AutoBandwidth, 0, 35,       "cbBW_2",         "ckAutoBW_2", "BW",          "MHz", 15, false, Bw2},
    {"Freq1_Output", CommProtocol::OutputFreq1,        "OutputFreq1",        2, Number,        950, 2150,   "leOutputFreq_1", nullptr,      "Output freq", "MHz", 16, false, NoValues},
    {"Freq2_Output", CommProtocol::OutputFreq2,        "OutputFreq2",        2, Number,        950, 2150,   "leOutputFreq_2", nullptr,      "Output freq", "MHz", 17, false, NoValues},
    {"Atten_1",      CommProtocol::OutputAttenuation1, "OutputAttenuation1", 1, ListIndex,     0, 20,       "cbAten_1",       nullptr,      "Atenuacion",  "dB",  18, false, NoValues},
    {"Atten_2",      CommProtocol::OutputAttenuation2, "OutputAttenuation2", 1, ListIndex,     0, 20,       "cbAten_2",       nullptr,      "Attenuation", "dB",  19, false, NoValues},
    };
    // clang-format on

public:
    static constexpr int Count = int(std::size(Table));
    static constexpr const Parameter (&all())[Count] { return Table; }
    static const std::array<const Parameter *, Count> &inBulkOrder();
    static const std::array<const Parameter *, Count> &inCommandOrder();
    // nullptr when the command is not a parameter's.
    static const Parameter *byCommand(int command);
    static int indexOf(const Parameter &parameter) { return int(&parameter - Table); }
    // AutoBandwidth rows: the list position of a bandwidth in MHz, or -1.
    static int positionOf(const Parameter &parameter, int mhz);

    // The link's marker for automatic bandwidth, and the hash's.
    static constexpr int AutoBandwidthFlag = 0x80;
    static constexpr int AutoBandwidthKey = 255;
};
