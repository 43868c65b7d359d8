#include "transportdesc.h"

#include "nithistory_p.h"

#include <QDebug>

#include <cstring>
#include <utility>

namespace {
constexpr unsigned short MaxLenght = 0x0FFF;
}

TransportDesc::TransportDesc(QString path)
    : m_reserved1(15)
    , m_headerSize(HeaderSize)
    , m_pathHist(std::move(path))
{
    Init0VarEstructDatos();
}

TransportDesc::~TransportDesc() = default;

void TransportDesc::addLength(int size)
{
    const int total = m_transportDescriptorLenght + size;
    if (total > MaxLenght) {
        qWarning() << "Transport Descriptor: descriptors too long for the loop entry" << total;
        m_transportDescriptorLenght = MaxLenght;
        return;
    }
    m_transportDescriptorLenght = static_cast<unsigned short>(total);
}

void TransportDesc::setTerrestrialDelSysDesc(TerrestrialDelSysDes desc)
{
    m_terrestrial = std::move(desc);
    m_terrestrial.setPathHist(m_pathHist);
    m_transportDescriptorLenght = m_terrestrial.getDescriptorSize();
}

void TransportDesc::setT2DelSysDesc(T2DelSysDes desc)
{
    m_t2 = desc;
    m_t2.setPathHist(m_pathHist);
    m_transportDescriptorLenght = m_t2.getDescriptorSize();
}

void TransportDesc::setCableDelSysDesc(CableDelSysDes desc)
{
    m_cable = desc;
    m_cable.setPathHist(m_pathHist);
    m_transportDescriptorLenght = m_cable.getDescriptorSize();
}

void TransportDesc::setLogicalChannelDesc(LogicalChannelDes desc)
{
    m_logicalChannel = std::move(desc);
    m_logicalChannel.setPathHist(m_pathHist);
    addLength(m_logicalChannel.getDescriptorSize());
}

void TransportDesc::setHDLogicalChannelDesc(HDLogicalChannelDes desc)
{
    m_hdLogicalChannel = desc;
    m_hdLogicalChannel.setPathHist(m_pathHist);
    addLength(m_hdLogicalChannel.getDescriptorSize());
}

void TransportDesc::RellenaVarEstructDatos()
{
    m_wire[0] = static_cast<unsigned char>(m_transportStreamID >> 8);
    m_wire[1] = static_cast<unsigned char>(m_transportStreamID);
    m_wire[2] = static_cast<unsigned char>(m_originalNetworkId >> 8);
    m_wire[3] = static_cast<unsigned char>(m_originalNetworkId);
    m_wire[4] = static_cast<unsigned char>((m_reserved1 & 0x0F) << 4
                                           | (m_transportDescriptorLenght >> 8 & 0x0F));
    m_wire[5] = static_cast<unsigned char>(m_transportDescriptorLenght);
}

void TransportDesc::Init0VarEstructDatos() { std::memset(m_wire, 0, sizeof m_wire); }

QByteArray TransportDesc::toBin()
{
    RellenaVarEstructDatos();
    QByteArray bytes(reinterpret_cast<const char *>(m_wire), HeaderSize);

    const QString fields
        = QStringLiteral("TransportStreamID: %1. OriginalNetworkId: %2. Reserved1: %3"
                         ". TransportDescriptorLenght: %4")
              .arg(m_transportStreamID)
              .arg(m_originalNetworkId)
              .arg(m_reserved1)
              .arg(m_transportDescriptorLenght);
    const QString hex = NitHistory::hexText(bytes);
    qDebug().noquote() << "Transport Descriptor." << fields;
    qDebug().noquote() << "Datos del QByteArray:" << hex;

    NitHistory::append(m_pathHist,
                       {QStringLiteral("Transport Descriptor. Datos: "), fields,
                        QStringLiteral("En binario. ") + hex});
    return bytes;
}

void TransportDesc::setTDSDescFlag(bool on) { m_tdsFlag = on; }
void TransportDesc::setT2DSDescFlag(bool on) { m_t2dsFlag = on; }
void TransportDesc::setCDSDescFlag(bool on) { m_cdsFlag = on; }
bool TransportDesc::getTDSDescFlag() { return m_tdsFlag; }
bool TransportDesc::getT2DSDescFlag() { return m_t2dsFlag; }
bool TransportDesc::getCDSDescFlag() { return m_cdsFlag; }
void TransportDesc::setTransportStreamID(unsigned short id) { m_transportStreamID = id; }
unsigned short TransportDesc::getTransportStreamID() { return m_transportStreamID; }
void TransportDesc::setOriginalNetworkId(unsigned short id) { m_originalNetworkId = id; }
unsigned short TransportDesc::getOriginalNetworkId() { return m_originalNetworkId; }
void TransportDesc::setNetworkId(unsigned short id) { m_networkId = id; }
unsigned short TransportDesc::getNetworkId() { return m_networkId; }
unsigned short TransportDesc::getTransportDescriptorLenght() { return m_transportDescriptorLenght; }
int TransportDesc::getTransportDescriptorSize()
{
    return m_headerSize + m_transportDescriptorLenght;
}
TerrestrialDelSysDes TransportDesc::getTerrestrialDelSysDesc() { return m_terrestrial; }
T2DelSysDes TransportDesc::getT2DelSysDesc() { return m_t2; }
CableDelSysDes TransportDesc::getCableDelSysDesc() { return m_cable; }
LogicalChannelDes TransportDesc::getLogicalChannelDesc() { return m_logicalChannel; }
HDLogicalChannelDes TransportDesc::getHDLogicalChannelDesc() { return m_hdLogicalChannel; }
QString TransportDesc::getPathHist() { return m_pathHist; }
