#include "streamframer.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {
constexpr std::array<unsigned short, 256> crcTable()
{
    std::array<unsigned short, 256> table {};
    for (int i = 0; i < 256; ++i) {
        unsigned short crc = static_cast<unsigned short>(i << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? static_cast<unsigned short>((crc << 1) ^ 0x1021)
                                 : static_cast<unsigned short>(crc << 1);
        table[std::size_t(i)] = crc;
    }
    return table;
}
constexpr std::array<unsigned short, 256> table = crcTable();

unsigned short step(unsigned short crc, char byte)
{
    return static_cast<unsigned short>(
        (crc << 8) ^ table[((crc >> 8) ^ static_cast<unsigned char>(byte)) & 0xFF]);
}

// A set-request with a 16-bit value, the longest frame of a bulk write. Frames
// up to this length, nearly all the link carries, are checked byte by byte.
constexpr int ShortFrame = 6;

// The CRC register is linear in its start value: running k more bytes from
// a start that differs by v changes the result by v * x^(8k) mod the polynomial.
constexpr int MaxSpan = StreamFramer::MaxFrameLength + 3;
const std::array<unsigned short, MaxSpan + 1> &shifts()
{
    static const std::array<unsigned short, MaxSpan + 1> powers = [] {
        std::array<unsigned short, MaxSpan + 1> p {};
        p[0] = 1;
        for (int k = 1; k <= MaxSpan; ++k)
            p[std::size_t(k)] = step(p[std::size_t(k - 1)], 0);
        return p;
    }();
    return powers;
}

unsigned short mulmod(unsigned short a, unsigned short b)
{
    unsigned int product = 0;
    for (int bit = 0; bit < 16; ++bit)
        product ^= (unsigned(a) << bit) & (0u - ((unsigned(b) >> bit) & 1u));
    // The upper half times x^16 is the CRC of its two bytes.
    const unsigned short high = step(step(0, char(product >> 24)), char(product >> 16));
    return static_cast<unsigned short>(high ^ (product & 0xFFFF));
}

int be16(const char *p)
{
    return (static_cast<unsigned char>(p[0]) << 8) | static_cast<unsigned char>(p[1]);
}
} // namespace

QByteArray StreamFramer::encode(const QByteArray &frame, unsigned char flags)
{
    QByteArray out;
    encode(frame, flags, out);
    return out;
}

void StreamFramer::encode(const QByteArray &frame, unsigned char flags, QByteArray &out)
{
    const int length = frame.size();
    out.resize(length + Overhead);
    char *p = out.data();
    p[0] = char(Stx);
    p[1] = char(flags);
    p[2] = char((length >> 8) & 0xFF);
    p[3] = char(length & 0xFF);
    std::memcpy(p + HeaderSize, frame.constData(), std::size_t(length));
    const unsigned short crc = crc16(p + 1, length + 3);
    p[HeaderSize + length] = char(crc >> 8);
    p[HeaderSize + length + 1] = char(crc & 0xFF);
}

unsigned short StreamFramer::crc16(const char *data, int size)
{
    unsigned short crc = 0xFFFF;
    for (int i = 0; i < size; ++i)
        crc = step(crc, data[i]);
    return crc;
}

void StreamFramer::feed(const char *data, int size)
{
    if (size > 0)
        buffer.append(data, size);
}

unsigned short StreamFramer::crcOf(int from, int to)
{
    // The running CRC of the whole buffer gives every candidate's CRC in a
    // few steps, so a stream of nothing but STX bytes, each the start of a
    // candidate frame, costs no more than a clean one.
    const char *d = buffer.constData();
    for (int i = int(running.size()) - 1; i < to; ++i)
        running.push_back(step(running.back(), d[i]));
    return running[std::size_t(to)]
        ^ mulmod(running[std::size_t(from)] ^ 0xFFFF, shifts()[std::size_t(to - from)]);
}

void StreamFramer::reject()
{
    ++pos;
    ++discard.bytes;
    ++discard.damaged;
}

bool StreamFramer::next(Frame &frame)
{
    for (;;) {
        const char *d = buffer.constData();
        const int n = buffer.size();
        if (pos < n && d[pos] != char(Stx)) {
            const void *stx = std::memchr(d + pos, Stx, std::size_t(n - pos));
            const int at = stx ? int(static_cast<const char *>(stx) - d) : n;
            discard.bytes += at - pos;
            pos = at;
        }
        const int left = n - pos;
        if (left == 0)
            break;
        if (left < HeaderSize) {
            if (!flushing)
                break;
            reject();
            continue;
        }
        const int length = be16(d + pos + 2);
        if (length == 0 || length > MaxFrameLength) {
            reject();
            continue;
        }
        if (left < length + Overhead) {
            if (!flushing)
                break;
            reject();
            continue;
        }
        // Short frames are cheaper to check on their own than through the
        // running CRC, even in a flood of candidates.
        const unsigned short crc = length <= ShortFrame ? crc16(d + pos + 1, length + 3)
                                                        : crcOf(pos + 1, pos + HeaderSize + length);
        if (crc != be16(d + pos + HeaderSize + length)) {
            reject();
            continue;
        }
        frame.bytes = QByteArray(d + pos + HeaderSize, length);
        frame.flags = static_cast<unsigned char>(d[pos + 1]);
        pos += length + Overhead;
        return true;
    }
    // What is left is at most one frame that has not fully arrived.
    flushing = false;
    buffer.remove(0, pos);
    running.erase(running.begin(),
                  running.begin() + std::min<std::size_t>(running.size() - 1, std::size_t(pos)));
    pos = 0;
    return false;
}

StreamFramer::Discard StreamFramer::takeDiscard()
{
    const Discard d = discard;
    discard = {};
    return d;
}
