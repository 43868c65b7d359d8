#pragma once

#include <QByteArray>

#include <cstring>

// Reads a module's answer front to back in place. A value that is not all
// there reads as 0 and takes nothing, as CommMsg's pops do, but nothing is
// copied: popping copies the rest of the message at every value.
class AnswerReader
{
public:
    // The bytes must outlive the reader, unchanged.
    explicit AnswerReader(const QByteArray &bytes)
        : data(bytes.constData())
        , size(bytes.size())
    { }

    int left() const { return size - at; }

    unsigned char byte() { return left() >= 1 ? static_cast<unsigned char>(data[at++]) : 0; }

    unsigned short word()
    {
        if (left() < 2)
            return 0;
        const auto v = static_cast<unsigned short>((static_cast<unsigned char>(data[at]) << 8)
                                                   | static_cast<unsigned char>(data[at + 1]));
        at += 2;
        return v;
    }

    // length bytes; those past the end read as 0.
    QByteArray bytes(int length)
    {
        QByteArray out(length, '\0');
        const int n = qMin(length, left());
        std::memcpy(out.data(), data + at, std::size_t(n));
        at += n;
        return out;
    }

private:
    const char *data;
    int size;
    int at = 0;
};
