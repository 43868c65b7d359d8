#pragma once

#include <QByteArray>

// One message of the module link, as handed between plug-in and host.
// The host is compiled separately, so the members, their order and their
// defaults are part of the binary contract; the class is header-only so that
// either side can use it without linking the other.
class CommMsg
{
public:
    QByteArray msgData; // big-endian frame bytes
    int linkParam; // for the host's link layer
    int expectedAnswer; // command of the awaited answer, 0 = none
    bool linkSwitch; // for the host's link layer
    int answerTimeoutMs; // wait for the answer or confirmation
    bool linkFlags[8]; // [1], [2]: failure on delivery; [6], [7]: confirmation request

    CommMsg() { initData(); }
    explicit CommMsg(QByteArray &data)
    {
        initData();
        msgData = data;
    }
    CommMsg(const CommMsg &) = default;
    CommMsg &operator=(const CommMsg &) = default;
    // Not virtual: the host deletes messages only through their own type.
    ~CommMsg()
    {
        msgData.clear();
        answerTimeoutMs = 0;
    }

    void initData()
    {
        msgData.clear();
        linkParam = 3;
        expectedAnswer = 0;
        linkSwitch = false;
        answerTimeoutMs = 10000;
        for (int i = 0; i < 8; ++i)
            linkFlags[i] = (i == 3 || i == 4);
    }
    virtual void clearMsgData() { initData(); }

    QByteArray &getMsgData() { return msgData; }
    void setMsgData(QByteArray &data) { msgData = data; }

    void pushByte(unsigned char v) { msgData.append(char(v)); }
    void pushShort(unsigned short v)
    {
        pushByte(static_cast<unsigned char>(v >> 8));
        pushByte(static_cast<unsigned char>(v & 0xFF));
    }
    void pushInt(unsigned int v)
    {
        pushByte(static_cast<unsigned char>(v >> 24));
        pushByte(static_cast<unsigned char>(v >> 16));
        pushByte(static_cast<unsigned char>(v >> 8));
        pushByte(static_cast<unsigned char>(v));
    }
    void pushByteInFront(unsigned char v) { msgData.prepend(char(v)); }
    void pushShortInFront(unsigned short v)
    {
        pushByteInFront(static_cast<unsigned char>(v & 0xFF));
        pushByteInFront(static_cast<unsigned char>(v >> 8));
    }
    void pushIntInFront(unsigned int v)
    {
        pushByteInFront(static_cast<unsigned char>(v));
        pushByteInFront(static_cast<unsigned char>(v >> 8));
        pushByteInFront(static_cast<unsigned char>(v >> 16));
        pushByteInFront(static_cast<unsigned char>(v >> 24));
    }

    unsigned char popByte(bool remove)
    {
        if (msgData.size() < 1)
            return 0;
        const unsigned char v = byteAt(0);
        if (remove)
            dropFront(1);
        return v;
    }
    unsigned short popShort(bool remove)
    {
        if (msgData.size() < 2)
            return 0;
        const unsigned short v = static_cast<unsigned short>((byteAt(0) << 8) + byteAt(1));
        if (remove)
            dropFront(2);
        return v;
    }
    // Reads at offset but always drops the first four bytes: callers rely on it.
    unsigned int popInt(bool remove, int offset = 0)
    {
        if (offset < 0 || msgData.size() < offset + 4)
            return 0;
        const unsigned int v = (static_cast<unsigned int>(byteAt(offset)) << 24)
            + (static_cast<unsigned int>(byteAt(offset + 1)) << 16)
            + (static_cast<unsigned int>(byteAt(offset + 2)) << 8)
            + static_cast<unsigned int>(byteAt(offset + 3));
        if (remove)
            dropFront(4);
        return v;
    }

private:
    unsigned char byteAt(int i) const { return static_cast<unsigned char>(msgData.at(i)); }
    // In place: a message is read front to back, value after value, and a
    // copy of the rest at every value cost more than the rest of the work.
    void dropFront(int n) { msgData.remove(0, n); }
};
