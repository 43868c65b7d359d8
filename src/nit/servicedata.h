#pragma once

#include <QByteArray>
#include <QString>

#include <utility>

// One service of a logical channel descriptor: service id, visibility and
// logical channel number, 4 bytes on the wire.
class ServiceData
{
public:
    ServiceData();

    void setServiceID(unsigned short id) { m_serviceID = id; }
    unsigned short getServiceID() const { return m_serviceID; }
    void setVisibleServiceFlag(unsigned short flag) { m_visibleServiceFlag = flag & 0x01; }
    unsigned short getVisibleServiceFlag() const { return m_visibleServiceFlag; }
    void setLogicalChannelNumber(unsigned short number)
    {
        m_logicalChannelNumber = number & 0x03FF;
    }
    unsigned short getLogicalChannelNumber() const { return m_logicalChannelNumber; }
    unsigned short getReserved() const { return m_reserved; }

    void setPathHist(QString path) { m_pathHist = std::move(path); }
    QString getPathHist() const { return m_pathHist; }

    void RellenaVarEstructDatos();
    void Init0VarEstructDatos();
    QByteArray toBin();

    static constexpr int WireSize = 4;

private:
    unsigned short m_serviceID = 0;
    unsigned short m_visibleServiceFlag = 0;
    unsigned short m_reserved;
    unsigned short m_logicalChannelNumber = 0;
    QString m_pathHist;
    unsigned char m_wire[WireSize];
};
