#pragma once

#include <QByteArray>
#include <QList>

// Carries module link frames over a byte stream (TCP, serial line, in-process
// pipe):
//
//   STX 0x02 | flags (1 byte) | length (16 bits, big-endian) | frame | CRC-16 (big-endian)
//
// The CRC is CRC-16/CCITT-FALSE (polynomial 0x1021, initial value 0xFFFF, no
// reflection, no final XOR) over flags, length and frame. A frame holds 1 to
// MaxFrameLength bytes. Flags carry the confirmation handshake, which belongs
// to the link and never reaches the plug-in. The decoder resynchronises after
// damage by dropping the STX it started from and looking for the next one.
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

    struct Event {
        enum Kind { Frame, BadChecksum, BadLength, Junk, Truncated };
        Kind kind;
        QByteArray bytes; // the frame for Frame; the discarded bytes otherwise
        unsigned char flags;
    };

    static QByteArray encode(const QByteArray &frame, unsigned char flags = 0);
    static unsigned short crc16(const char *data, int size);
    static const char *kindName(Event::Kind kind);

    // Appends received bytes and returns what they completed, in stream order.
    QList<Event> feed(const QByteArray &bytes);
    // Gives up a frame that stopped arriving (the sender went quiet in the
    // middle of it): reports it as Truncated and rescans what followed its STX.
    QList<Event> flushPartial();
    bool hasPartial() const { return !buffer.isEmpty(); }

private:
    QByteArray buffer;
};
