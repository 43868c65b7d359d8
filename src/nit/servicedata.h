#pragma once

#include <QByteArray>
#include <QString>

// One service of a logical channel descriptor: service id, visibility and
// logical channel number, 4 bytes on the wire.
class ServiceData
{
public:
    ServiceData();

    void setServiceID(unsigned short id);
    unsigned short getServiceID();
    void setVisibleServiceFlag(unsigned short flag);
    unsigned short getVisibleServiceFlag();
    void setLogicalChannelNumber(unsigned short number);
    unsigned short getLogicalChannelNumber();
    unsigned short getReserved();

    void setPathHist(QString path);
    QString getPathHist();

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
