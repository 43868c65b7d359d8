#pragma once

#include <array>

// The module's configuration parameters, one row each: what a parameter is
// called in the configuration hash, on the link and on the configuration
// form, how its value travels and where it goes in a bulk write. The form,
// the emulated module and the link monitors all loop over these rows, so a
// new parameter is one row here plus its field on the form.
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

    struct Parameter {
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

    static constexpr int Count = 21;
    // Rows in the order of the configuration hash, which is also the order in
    // which a hash is applied to the form.
    static const std::array<Parameter, Count> &all();
    static const std::array<const Parameter *, Count> &inBulkOrder();
    static const std::array<const Parameter *, Count> &inCommandOrder();
    // nullptr when the command is not a parameter's.
    static const Parameter *byCommand(int command);
    static int indexOf(const Parameter &parameter);
    // AutoBandwidth rows: the list position of a bandwidth in MHz, or -1.
    static int positionOf(const Parameter &parameter, int mhz);

    // The link's marker for automatic bandwidth, and the hash's.
    static constexpr int AutoBandwidthFlag = 0x80;
    static constexpr int AutoBandwidthKey = 255;
};
