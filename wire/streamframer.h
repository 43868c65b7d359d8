#pragma once

#include <QByteArray>

#include <vector>

// Carries module link frames over a byte stream (TCP, serial line, in-process
// pipe):
//
//   STX 0x02 | flags (1 byte) | length (16 bits, big-endian) | frame | CRC-16 (big-endian)
//
// The CRC is CRC-16/CCITT-FALSE (polynomial 0x1021, initial value 0xFFFF, no
// reflection, no final XOR) over flags, length and frame. A frame holds 1 to
// MaxFrameLength bytes. Flags carry the confirmation handshake, which belongs
// to the link and never reaches the plug-in.
//
// The decoder holds only the bytes of the frame it is assembling: after
// damage it drops the STX it started from and scans on from the next byte, in
// place, so any byte stream costs time in proportion to its length and memory
// of at most one frame beyond the piece just fed. What it throws away is only
// counted.
class StreamFramer
{
public:
    static constexpr unsigned char Stx = 0x02;
    static constexpr int MaxFrameLength = 1024;
    static constexpr int HeaderSize = 4;
    static constexpr int Overhead = 6;

    enum Flag : unsigned char {
        ConfirmRequest = 0x01, // host to module: confirm this request
        Confirmation = 0x02, // module to host: the frame repeats the confirmed request's header
        Refused = 0x04 // with Confirmation: the request was refused, nothing applied
    };

    struct Frame {
        QByteArray bytes;
        unsigned char flags = 0;
    };

    // What was thrown away: bytes outside any frame, and the candidate frames
    // (an STX with a bad length, a bad checksum or a rest that never came).
    struct Discard {
        qint64 bytes = 0;
        int damaged = 0;
        bool isEmpty() const { return bytes == 0; }
    };

    static QByteArray encode(const QByteArray &frame, unsigned char flags = 0);
    // The same into out, whose allocation a sender can keep from frame to frame.
    static void encode(const QByteArray &frame, unsigned char flags, QByteArray &out);
    static unsigned short crc16(const char *data, int size);

    // Appends received bytes; next() then takes the frames they completed.
    void feed(const char *data, int size);
    void feed(const QByteArray &bytes) { feed(bytes.constData(), bytes.size()); }
    // The next complete frame, in stream order; false when there is none yet.
    // Take the discard before each frame to keep the stream's order.
    bool next(Frame &frame);
    // Gives up a frame that stopped arriving (the sender went quiet in the
    // middle of it): the following next() calls count it as damaged and
    // rescan what came after its STX, to the end of what was fed.
    void giveUpPartial() { flushing = true; }
    bool hasPartial() const { return pos < buffer.size(); }
    int buffered() const { return buffer.size() - pos; }
    Discard takeDiscard();

private:
    void reject();
    unsigned short crcOf(int from, int to);

    QByteArray buffer;
    // running[i]: the CRC register after buffer[0, i), from 0xFFFF.
    std::vector<unsigned short> running {0xFFFF};
    int pos = 0;
    bool flushing = false;
    Discard discard;
};
