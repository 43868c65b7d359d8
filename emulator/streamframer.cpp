#include "streamframer.h"

QByteArray StreamFramer::encode(const QByteArray &frame, unsigned char flags)
{
    QByteArray out;
    out.reserve(frame.size() + Overhead);
    out.append(char(Stx));
    out.append(char(flags));
    out.append(char((frame.size() >> 8) & 0xFF));
    out.append(char(frame.size() & 0xFF));
    out.append(frame);
    const unsigned short crc = crc16(out.constData() + 1, frame.size() + 3);
    out.append(char(crc >> 8));
    out.append(char(crc & 0xFF));
    return out;
}

unsigned short StreamFramer::crc16(const char *data, int size)
{
    unsigned short crc = 0xFFFF;
    for (int i = 0; i < size; ++i) {
        crc ^= static_cast<unsigned short>(static_cast<unsigned char>(data[i]) << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? static_cast<unsigned short>((crc << 1) ^ 0x1021)
                                 : static_cast<unsigned short>(crc << 1);
    }
    return crc;
}

const char *StreamFramer::kindName(Event::Kind kind)
{
    switch (kind) {
    case Event::Frame:
        return "frame";
    case Event::BadChecksum:
        return "bad checksum";
    case Event::BadLength:
        return "bad length";
    case Event::Junk:
        return "junk";
    case Event::Truncated:
        return "truncated";
    }
    return "?";
}

QList<StreamFramer::Event> StreamFramer::feed(const QByteArray &bytes)
{
    buffer.append(bytes);
    QList<Event> events;
    for (;;) {
        const int stx = buffer.indexOf(char(Stx));
        if (stx != 0) {
            const int junk = stx < 0 ? buffer.size() : stx;
            if (junk > 0) {
                events.append({Event::Junk, buffer.left(junk), 0});
                buffer.remove(0, junk);
            }
            if (stx < 0)
                break;
        }
        if (buffer.size() < HeaderSize)
            break;
        const int length = (static_cast<unsigned char>(buffer.at(2)) << 8)
            | static_cast<unsigned char>(buffer.at(3));
        if (length == 0 || length > MaxFrameLength) {
            events.append({Event::BadLength, buffer.left(HeaderSize), 0});
            buffer.remove(0, 1);
            continue;
        }
        if (buffer.size() < length + Overhead)
            break;
        const unsigned short expected = crc16(buffer.constData() + 1, length + 3);
        const unsigned short got = static_cast<unsigned short>(
            (static_cast<unsigned char>(buffer.at(length + HeaderSize)) << 8)
            | static_cast<unsigned char>(buffer.at(length + HeaderSize + 1)));
        if (expected != got) {
            events.append({Event::BadChecksum, buffer.left(length + Overhead), 0});
            buffer.remove(0, 1);
            continue;
        }
        events.append({Event::Frame, buffer.mid(HeaderSize, length),
                       static_cast<unsigned char>(buffer.at(1))});
        buffer.remove(0, length + Overhead);
    }
    return events;
}

QList<StreamFramer::Event> StreamFramer::flushPartial()
{
    if (buffer.isEmpty())
        return {};
    QList<Event> events {{Event::Truncated, buffer, 0}};
    const QByteArray rest = buffer.mid(1);
    buffer.clear();
    events.append(feed(rest));
    return events;
}
