#pragma once

#include "logicalchanneldes.h"
#include "terrestrialdelsysdes.h"

#include "cabledelsysdes.h"
#include "hdlogicalchanneldes.h"
#include "t2delsysdes.h"

#include <QByteArray>
#include <QList>
#include <QString>

// One entry of the transport stream loop of a network information table: the
// 6-byte loop header, plus the descriptors that follow it. The host creates
// the object and hands it to the plug-in by reference, so the member order
// below is shared with the host and must not change.
class TransportDesc
{
public:
    explicit TransportDesc(QString path);
    // Out of line, so that a host that creates the object needs no inline
    // code of the plug-in's to destroy it.
    ~TransportDesc();

    void setTDSDescFlag(bool on);
    void setT2DSDescFlag(bool on);
    void setCDSDescFlag(bool on);
    bool getTDSDescFlag();
    bool getT2DSDescFlag();
    bool getCDSDescFlag();

    void setTransportStreamID(unsigned short id);
    unsigned short getTransportStreamID();
    void setOriginalNetworkId(unsigned short id);
    unsigned short getOriginalNetworkId();
    // The network of the table; not part of the entry's bytes.
    void setNetworkId(unsigned short id);
    unsigned short getNetworkId();

    unsigned short getTransportDescriptorLenght();
    int getTransportDescriptorSize();

    // A delivery system descriptor comes first and replaces the length; the
    // logical channel descriptors are added to it afterwards.
    void setTerrestrialDelSysDesc(TerrestrialDelSysDes desc);
    void setT2DelSysDesc(T2DelSysDes desc);
    void setCableDelSysDesc(CableDelSysDes desc);
    void setLogicalChannelDesc(LogicalChannelDes desc);
    void setHDLogicalChannelDesc(HDLogicalChannelDes desc);

    TerrestrialDelSysDes getTerrestrialDelSysDesc();
    T2DelSysDes getT2DelSysDesc();
    CableDelSysDes getCableDelSysDesc();
    LogicalChannelDes getLogicalChannelDesc();
    HDLogicalChannelDes getHDLogicalChannelDesc();

    QString getPathHist();

    void RellenaVarEstructDatos();
    void Init0VarEstructDatos();
    QByteArray toBin();

    static constexpr int HeaderSize = 6;

private:
    void addLength(int size);

    bool m_tdsFlag = false;
    bool m_t2dsFlag = false;
    bool m_cdsFlag = false;
    unsigned short m_transportStreamID = 0;
    unsigned short m_originalNetworkId = 0;
    unsigned char m_reserved1;
    unsigned short m_transportDescriptorLenght = 0;
    TerrestrialDelSysDes m_terrestrial;
    T2DelSysDes m_t2;
    CableDelSysDes m_cable;
    LogicalChannelDes m_logicalChannel;
    HDLogicalChannelDes m_hdLogicalChannel;
    unsigned short m_networkId = 0;
    int m_headerSize;
    unsigned char m_wire[HeaderSize];
    QString m_pathHist;
    // Kept for the host; no operation of this class uses them.
    QList<int> m_serviceIds;
    QList<int> m_logicalChannelNumbers;
};
