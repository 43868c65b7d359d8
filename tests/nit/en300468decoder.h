#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

// A reader of EN 300 468 descriptors written from the standard's syntax
// tables (field widths, most significant bit first), independent of the
// classes under test: the tests encode with those and decode with this.
class BitReader
{
public:
    explicit BitReader(const QByteArray &bytes)
        : m_bytes(bytes)
    { }

    quint64 bits(int count)
    {
        quint64 value = 0;
        for (int i = 0; i < count; ++i) {
            if (m_pos >= m_bytes.size() * 8) {
                m_overrun = true;
                return 0;
            }
            const int bit = (quint8(m_bytes.at(m_pos / 8)) >> (7 - m_pos % 8)) & 1;
            value = value << 1 | quint64(bit);
            ++m_pos;
        }
        return value;
    }
    // Binary-coded decimal: `digits` nibbles, each 0 to 9.
    quint64 bcd(int digits)
    {
        quint64 value = 0;
        for (int i = 0; i < digits; ++i) {
            const quint64 nibble = bits(4);
            if (nibble > 9)
                m_badBcd = true;
            value = value * 10 + nibble;
        }
        return value;
    }
    int bytePos() const { return m_pos / 8; }
    bool atEnd() const { return m_pos >= m_bytes.size() * 8; }
    bool ok() const { return !m_overrun && !m_badBcd; }

private:
    QByteArray m_bytes;
    int m_pos = 0;
    bool m_overrun = false;
    bool m_badBcd = false;
};

namespace En300468 {

inline QVariantMap decodeLcnLoop(BitReader &r, int length)
{
    QVariantList services;
    const int end = r.bytePos() + length;
    while (r.bytePos() < end) {
        QVariantMap s;
        s["service_id"] = r.bits(16);
        s["visible_service_flag"] = r.bits(1);
        s["reserved"] = r.bits(5);
        s["logical_channel_number"] = r.bits(10);
        services << s;
    }
    return {{"services", services}};
}

inline QVariantMap decodeT2(BitReader &r, int length)
{
    QVariantMap d;
    const int end = r.bytePos() + length;
    d["descriptor_tag_extension"] = r.bits(8);
    d["plp_id"] = r.bits(8);
    d["T2_system_id"] = r.bits(16);
    if (length > 4) {
        d["SISO_MISO"] = r.bits(2);
        d["bandwidth"] = r.bits(4);
        d["reserved_future_use"] = r.bits(2);
        d["guard_interval"] = r.bits(3);
        d["transmission_mode"] = r.bits(3);
        d["other_frequency_flag"] = r.bits(1);
        const quint64 tfs = r.bits(1);
        d["tfs_flag"] = tfs;
        QVariantList cells;
        while (r.bytePos() < end && r.ok()) {
            QVariantMap cell;
            cell["cell_id"] = r.bits(16);
            QVariantList freqs;
            if (tfs) {
                const int loop = int(r.bits(8));
                for (int i = 0; i < loop / 4; ++i)
                    freqs << r.bits(32);
            } else {
                freqs << r.bits(32);
            }
            cell["centre_frequency"] = freqs;
            QVariantList subs;
            const int subLoop = int(r.bits(8));
            for (int i = 0; i < subLoop / 5; ++i) {
                QVariantMap sub;
                sub["cell_id_extension"] = r.bits(8);
                sub["transposer_frequency"] = r.bits(32);
                subs << sub;
            }
            cell["subcells"] = subs;
            cells << cell;
        }
        d["cells"] = cells;
    }
    return d;
}

// Decodes one descriptor; "error" is set when the bytes break the syntax
// (length byte not matching the body, bad BCD digits, bytes left over).
inline QVariantMap decodeDescriptor(const QByteArray &bytes)
{
    BitReader r(bytes);
    QVariantMap d;
    const int tag = int(r.bits(8));
    const int length = int(r.bits(8));
    if (!r.ok() || bytes.size() != length + 2)
        return {
            {"error", QStringLiteral("length byte %1 for %2 bytes").arg(length).arg(bytes.size())}};
    switch (tag) {
    case 0x5A:
        d["centre_frequency"] = r.bits(32);
        d["bandwidth"] = r.bits(3);
        d["priority"] = r.bits(1);
        d["Time_Slicing_indicator"] = r.bits(1);
        d["MPE-FEC_indicator"] = r.bits(1);
        d["reserved_future_use1"] = r.bits(2);
        d["constellation"] = r.bits(2);
        d["hierarchy_information"] = r.bits(3);
        d["code_rate-HP_stream"] = r.bits(3);
        d["code_rate-LP_stream"] = r.bits(3);
        d["guard_interval"] = r.bits(2);
        d["transmission_mode"] = r.bits(2);
        d["other_frequency_flag"] = r.bits(1);
        d["reserved_future_use2"] = r.bits(32);
        break;
    case 0x44:
        d["frequency"] = r.bcd(8);
        d["reserved_future_use"] = r.bits(12);
        d["FEC_outer"] = r.bits(4);
        d["modulation"] = r.bits(8);
        d["symbol_rate"] = r.bcd(7);
        d["FEC_inner"] = r.bits(4);
        break;
    case 0x83:
    case 0x88:
        d = decodeLcnLoop(r, length);
        break;
    case 0x7F:
        d = decodeT2(r, length);
        break;
    default:
        return {{"error", QStringLiteral("unknown tag %1").arg(tag)}};
    }
    if (!r.ok() || !r.atEnd())
        return {{"error", QStringLiteral("descriptor body does not match its length")}};
    d["descriptor_tag"] = tag;
    d["descriptor_length"] = length;
    return d;
}

// A transport stream loop entry: header, then descriptors that must fill
// transport_descriptors_length exactly.
inline QVariantMap decodeTransportEntry(const QByteArray &bytes)
{
    BitReader r(bytes);
    QVariantMap e;
    e["transport_stream_id"] = r.bits(16);
    e["original_network_id"] = r.bits(16);
    e["reserved_future_use"] = r.bits(4);
    const int length = int(r.bits(12));
    e["transport_descriptors_length"] = length;
    if (!r.ok() || bytes.size() != 6 + length)
        return {{"error",
                 QStringLiteral("descriptors length %1 for %2 bytes")
                     .arg(length)
                     .arg(bytes.size() - 6)}};
    QVariantList descriptors;
    int pos = 6;
    while (pos < bytes.size()) {
        if (pos + 2 > bytes.size())
            return {{"error", QStringLiteral("truncated descriptor")}};
        const int size = quint8(bytes.at(pos + 1)) + 2;
        const QVariantMap d = decodeDescriptor(bytes.mid(pos, size));
        if (d.contains("error"))
            return d;
        descriptors << d;
        pos += size;
    }
    e["descriptors"] = descriptors;
    return e;
}

} // namespace En300468
