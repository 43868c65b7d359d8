#include "moduleparameters.h"

#include "commprotocol.h"

#include <iterator>

namespace {
using P = ModuleParameters::Parameter;
using K = ModuleParameters::Kind;
constexpr K List = ModuleParameters::ListIndex;
constexpr K Number = ModuleParameters::Number;
constexpr K Auto = ModuleParameters::AutoBandwidth;

// The two channels' bandwidth lists differ in one position: 72 and 68 MHz.
constexpr short Bandwidths1[]
    = {6,  8,  10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 32, 34, 36,  38,  40,
       42, 44, 46, 48, 50, 54, 56, 58, 60, 62, 64, 72, 84, 86, 90, 100, 106, 124};
constexpr short Bandwidths2[]
    = {6,  8,  10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 32, 34, 36,  38,  40,
       42, 44, 46, 48, 50, 54, 56, 58, 60, 62, 64, 68, 84, 86, 90, 100, 106, 124};
constexpr ModuleParameters::Values Bw1 {Bandwidths1, int(std::size(Bandwidths1))};
constexpr ModuleParameters::Values Bw2 {Bandwidths2, int(std::size(Bandwidths2))};
constexpr ModuleParameters::Values NoValues {nullptr, 0};

// clang-format off
constexpr std::array<P, ModuleParameters::Count> Table {{
//   key             command                           name                  width kind  range       field             autoField     caption        unit   bulk inputs values
    {"Entradas",     CommProtocol::NumInputs,          "NumInputs",          1, List,   0, 1,        "cbInputNum",     nullptr,      "Inputs",      "",    1,  true,  NoValues},
    {"C1_Act",       CommProtocol::C1Activate,         "C1Activate",         1, List,   0, 1,        "cbActive_p1",    nullptr,      "Processor 1", "",    20, true,  NoValues},
    {"C2_Act",       CommProtocol::C2Activate,         "C2Activate",         1, List,   0, 1,        "cbActive_p2",    nullptr,      "Processor 2", "",    21, true,  NoValues},
    {"LNB_1",        CommProtocol::LNB1,               "LNB1",               1, List,   0, 1,        "cbLnb_1",        nullptr,      "Power LNB",   "",    2,  true,  NoValues},
    {"LNB_2",        CommProtocol::LNB2,               "LNB2",               1, List,   0, 1,        "cbLnb_2",        nullptr,      "Power LNB",   "",    3,  true,  NoValues},
    {"Banda_1",      CommProtocol::Band1,              "Band1",              1, List,   0, 1,        "cbBand_1",       nullptr,      "Sat band",    "",    4,  true,  NoValues},
    {"Banda_2",      CommProtocol::Band2,              "Band2",              1, List,   0, 1,        "cbBand_2",       nullptr,      "Sat band",    "",    5,  true,  NoValues},
    {"Pol_1",        CommProtocol::Pol1,               "Pol1",               1, List,   0, 1,        "cbPol_1",        nullptr,      "Sat polarity","",    6,  true,  NoValues},
    {"Pol_2",        CommProtocol::Pol2,               "Pol2",               1, List,   0, 1,        "cbPol_2",        nullptr,      "Sat pol",     "",    7,  true,  NoValues},
    {"Freq1_Input",  CommProtocol::InputFreq1,         "InputFreq1",         2, Number, 950, 2150,   "leInputFreq_1",  nullptr,      "Input freq",  "MHz", 8,  true,  NoValues},
    {"Freq2_Input",  CommProtocol::InputFreq2,         "InputFreq2",         2, Number, 950, 2150,   "leInputFreq_2",  nullptr,      "Input freq",  "MHz", 9,  true,  NoValues},
    {"SRate_1",      CommProtocol::InputSRate1,        "InputSRate1",        2, Number, 1000, 45000, "leSRate_1",      nullptr,      "Symbol rate", "KBd", 10, true,  NoValues},
    {"SRate_2",      CommProtocol::InputSRate2,        "InputSRate2",        2, Number, 1000, 45000, "leSRate_2",      nullptr,      "Symbol rate", "KBd", 11, true,  NoValues},
    {"RollOff_1",    CommProtocol::RollOff1,           "RollOff1",           1, List,   0, 2,        "cbRollOff_1",    nullptr,      "Roll off",    "",    12, true,  NoValues},
    {"RollOff_2",    CommProtocol::RollOff2,           "RollOff2",           1, List,   0, 2,        "cbRollOff_2",    nullptr,      "Roll Off",    "",    13, true,  NoValues},
    {"BW_1",         CommProtocol::InputBandwidth1,    "InputBandwidth1",    1, Auto,   0, 35,       "cbBW_1",         "ckAutoBW_1", "BW",          "MHz", 14, false, Bw1},
    {"BW_2",         CommProtocol::InputBandwidth2,    "InputBandwidth2",    1, Auto,   0, 35,       "cbBW_2",         "ckAutoBW_2", "BW",          "MHz", 15, false, Bw2},
    {"Freq1_Output", CommProtocol::OutputFreq1,        "OutputFreq1",        2, Number, 950, 2150,   "leOutputFreq_1", nullptr,      "Output freq", "MHz", 16, false, NoValues},
    {"Freq2_Output", CommProtocol::OutputFreq2,        "OutputFreq2",        2, Number, 950, 2150,   "leOutputFreq_2", nullptr,      "Output freq", "MHz", 17, false, NoValues},
    {"Atten_1",      CommProtocol::OutputAttenuation1, "OutputAttenuation1", 1, List,   0, 20,       "cbAten_1",       nullptr,      "Atenuacion",  "dB",  18, false, NoValues},
    {"Atten_2",      CommProtocol::OutputAttenuation2, "OutputAttenuation2", 1, List,   0, 20,       "cbAten_2",       nullptr,      "Attenuation", "dB",  19, false, NoValues},
}};
// clang-format on

constexpr bool filled(const char *text) { return text && *text; }

constexpr bool same(const char *a, const char *b)
{
    if (!a || !b)
        return a == b;
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// A row left short gets zeros and null names from the compiler; these checks
// refuse it.
constexpr bool complete(const P &p)
{
    const bool automatic = p.kind == Auto;
    return filled(p.key) && filled(p.name) && filled(p.field) && filled(p.caption) && p.unit
        && p.command > 0 && (p.width == 1 || p.width == 2) && p.minimum <= p.maximum
        && p.minimum >= 0 && p.maximum < (1 << (8 * p.width)) && p.bulkPosition >= 1
        && p.bulkPosition <= ModuleParameters::Count && automatic == (p.autoField != nullptr)
        && automatic == (p.values.mhz != nullptr)
        && (!automatic
            || (p.width == 1 && p.minimum == 0 && p.values.count == p.maximum + 1
                && p.maximum < ModuleParameters::AutoBandwidthFlag));
}

constexpr bool allComplete()
{
    for (const P &p : Table)
        if (!complete(p))
            return false;
    return true;
}

// Commands, keys, fields and bulk places each name one row.
constexpr bool allDistinct()
{
    for (int i = 0; i < ModuleParameters::Count; ++i)
        for (int j = i + 1; j < ModuleParameters::Count; ++j) {
            const P &a = Table[i];
            const P &b = Table[j];
            if (a.command == b.command || a.bulkPosition == b.bulkPosition || same(a.key, b.key)
                || same(a.field, b.field))
                return false;
        }
    return true;
}

// The requests that are not a parameter's keep their own codes.
constexpr bool noCommandTaken()
{
    for (const P &p : Table)
        for (int code :
             {CommProtocol::GetLevel, CommProtocol::GetModuleInfo, CommProtocol::GetAllCfg,
              CommProtocol::SetAllCfg, CommProtocol::GetVXStatus, CommProtocol::ResetToFactory})
            if (p.command == code)
                return false;
    return true;
}

static_assert(allComplete(), "a parameter row lacks a name, a field, a width or a valid range");
static_assert(allDistinct(), "two parameter rows share a command, key, field or bulk place");
static_assert(noCommandTaken(), "a parameter row uses the code of another request");

constexpr std::array<const P *, ModuleParameters::Count> bulkOrder()
{
    std::array<const P *, ModuleParameters::Count> order {};
    for (const P &p : Table)
        if (p.bulkPosition >= 1 && p.bulkPosition <= ModuleParameters::Count)
            order[p.bulkPosition - 1] = &p;
    return order;
}

constexpr std::array<const P *, ModuleParameters::Count> commandOrder()
{
    std::array<const P *, ModuleParameters::Count> order {};
    for (int i = 0; i < ModuleParameters::Count; ++i) {
        int at = 0;
        for (const P &p : Table)
            if (p.command < Table[i].command)
                ++at;
        order[at] = &Table[i];
    }
    return order;
}

constexpr std::array<const P *, ModuleParameters::Count> BulkOrder = bulkOrder();
constexpr std::array<const P *, ModuleParameters::Count> CommandOrder = commandOrder();
} // namespace

const std::array<ModuleParameters::Parameter, ModuleParameters::Count> &ModuleParameters::all()
{
    return Table;
}

const std::array<const ModuleParameters::Parameter *, ModuleParameters::Count> &
ModuleParameters::inBulkOrder()
{
    return BulkOrder;
}

const std::array<const ModuleParameters::Parameter *, ModuleParameters::Count> &
ModuleParameters::inCommandOrder()
{
    return CommandOrder;
}

const ModuleParameters::Parameter *ModuleParameters::byCommand(int command)
{
    for (const Parameter &p : Table)
        if (p.command == command)
            return &p;
    return nullptr;
}

int ModuleParameters::indexOf(const Parameter &parameter) { return int(&parameter - Table.data()); }

int ModuleParameters::positionOf(const Parameter &parameter, int mhz)
{
    for (int i = 0; i < parameter.values.count; ++i)
        if (parameter.values.mhz[i] == mhz)
            return i;
    return -1;
}
