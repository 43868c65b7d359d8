#include "moduleparameters.h"

#include <algorithm>

namespace {
using P = ModuleParameters::Parameter;
constexpr const auto &Table = ModuleParameters::all();

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
    const bool automatic = p.kind == ModuleParameters::AutoBandwidth;
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

constexpr int highestCommand()
{
    int highest = 0;
    for (const P &p : Table)
        highest = std::max(highest, int(p.command));
    return highest;
}

constexpr int HighestCommand = highestCommand();

// Every frame built or answer taken looks its command up: one step, not a scan.
constexpr std::array<const P *, HighestCommand + 1> rowsByCommand()
{
    std::array<const P *, HighestCommand + 1> rows {};
    for (const P &p : Table)
        rows[p.command] = &p;
    return rows;
}

constexpr std::array<const P *, ModuleParameters::Count> BulkOrder = bulkOrder();
constexpr std::array<const P *, ModuleParameters::Count> CommandOrder = commandOrder();
constexpr std::array<const P *, HighestCommand + 1> ByCommand = rowsByCommand();
} // namespace

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
    return command >= 0 && command <= HighestCommand ? ByCommand[std::size_t(command)] : nullptr;
}

int ModuleParameters::positionOf(const Parameter &parameter, int mhz)
{
    for (int i = 0; i < parameter.values.count; ++i)
        if (parameter.values.mhz[i] == mhz)
            return i;
    return -1;
}
