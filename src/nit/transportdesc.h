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

    void setTDSDescFlag(bool on) { m_tdsFlag = on; }
    void setT2DSDescFlag(bool on) { m_t2dsFlag = on; }
    void setCDSDescFlag(bool on) { m_cdsFlag = on; }
    bool getTDSDescFlag() const { return m_tdsFlag; }
    bool getT2DSDescFlag() const { return m_t2dsFlag; }
    bool getCDSDescFlag() const { return m_cdsFlag; }

    void setTransportStreamID(unsigned short id) { m_transportStreamID = id; }
    unsigned short getTransportStreamID() const { return m_transportStreamID; }
    void setOriginalNetworkId(unsigned short id) { m_originalNetworkId = id; }
    unsigned short getOriginalNetworkId() const { return m_originalNetworkId; }
    // The network of the table; not part of the entry's bytes.
    void setNetworkId(unsigned short id) { m_networkId = id; }
    unsigned short getNetworkId() const { return m_networkId; }

    unsigned short getTransportDescriptorLenght() const { return m_transportDescriptorLenght; }
    int getTransportDescriptorSize() const { return m_headerSize + m_transportDescriptorLenght; }

    // A delivery system descriptor comes first and replaces the length; the
    // logical channel descriptors are added to it afterwards.
    void setTerrestrialDelSysDesc(TerrestrialDelSysDes desc);
    void setT2DelSysDesc(T2DelSysDes desc);
    void setCableDelSysDesc(CableDelSysDes desc);
    void setLogicalChannelDesc(LogicalChannelDes desc);
    void setHDLogicalChannelDesc(HDLogicalChannelDes desc);

    TerrestrialDelSysDes getTerrestrialDelSysDesc() const { return m_terrestrial; }
    T2DelSysDes getT2DelSysDesc() const { return m_t2; }
    CableDelSysDes getCableDelSysDesc() const { return m_cable; }
    LogicalChannelDes getLogicalChannelDesc() const { return m_logicalChannel; }
    HDLogicalChannelDes getHDLogicalChannelDesc() const { return m_hdLogicalChannel; }

    QString getPathHist() const { return m_pathHist; }

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
