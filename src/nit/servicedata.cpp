#include "servicedata.h"

#include "nithistory_p.h"

#include <QDebug>

#include <cstring>
#include <utility>

ServiceData::ServiceData()
    : m_reserved(31)
{
    Init0VarEstructDatos();
}

void ServiceData::RellenaVarEstructDatos()
{
    const unsigned short word = static_cast<unsigned short>((m_visibleServiceFlag & 0x01) << 15
                                                            | (m_reserved & 0x1F) << 10
                                                            | (m_logicalChannelNumber & 0x03FF));
    m_wire[0] = static_cast<unsigned char>(m_serviceID >> 8);
    m_wire[1] = static_cast<unsigned char>(m_serviceID);
    m_wire[2] = static_cast<unsigned char>(word >> 8);
    m_wire[3] = static_cast<unsigned char>(word);
}

void ServiceData::Init0VarEstructDatos() { std::memset(m_wire, 0, sizeof m_wire); }

QByteArray ServiceData::toBin()
{
    RellenaVarEstructDatos();
    QByteArray bytes(reinterpret_cast<const char *>(m_wire), WireSize);

    const QString fields = QStringLiteral("ServiceID: %1. VisibleServiceFlag: %2. Reserved: %3"
                                          ". LogicalChannelNumber: %4")
                               .arg(m_serviceID)
                               .arg(m_visibleServiceFlag)
                               .arg(m_reserved)
                               .arg(m_logicalChannelNumber);
    const QString hex = NitHistory::hexText(bytes);
    qDebug().noquote() << "Service Data." << fields;
    qDebug().noquote() << "Datos del QByteArray:" << hex;

    NitHistory::append(
        m_pathHist,
        {QStringLiteral("Service Data. Datos: "), fields, QStringLiteral("En binario. ") + hex});
    return bytes;
}

void ServiceData::setServiceID(unsigned short id) { m_serviceID = id; }
unsigned short ServiceData::getServiceID() { return m_serviceID; }
void ServiceData::setVisibleServiceFlag(unsigned short flag) { m_visibleServiceFlag = flag & 0x01; }
unsigned short ServiceData::getVisibleServiceFlag() { return m_visibleServiceFlag; }
unsigned short ServiceData::getLogicalChannelNumber() { return m_logicalChannelNumber; }
unsigned short ServiceData::getReserved() { return m_reserved; }
void ServiceData::setPathHist(QString path) { m_pathHist = std::move(path); }
QString ServiceData::getPathHist() { return m_pathHist; }
void ServiceData::setLogicalChannelNumber(unsigned short number)
{
    m_logicalChannelNumber = number & 0x03FF;
}
