#include "logicalchanneldes.h"

#include "nithistory_p.h"

#include <QDebug>

#include <utility>

LogicalChannelDes::LogicalChannelDes()
    : m_descriptorTag(0x83)
    , m_descriptorLenght(0)
    , m_serviceSize(ServiceData::WireSize)
    , m_headerSize(2)
{
    Init0VarEstructDatos();
}

void LogicalChannelDes::insertServiceData(ServiceData &service)
{
    if (m_services.size() >= MaxServices) {
        qWarning() << "Logical Channel Descriptor: no room for service" << service.getServiceID();
        return;
    }
    m_services.append(service);
    m_descriptorLenght = static_cast<unsigned char>(m_descriptorLenght + m_serviceSize);
}

void LogicalChannelDes::reinsertServiceData(ServiceData &service, int index)
{
    if (index < 0 || index >= m_services.size()) {
        qWarning() << "Logical Channel Descriptor: no service at index" << index;
        return;
    }
    m_services[index] = service;
}

ServiceData &LogicalChannelDes::getServiceData(int index)
{
    if (index < 0 || index >= m_services.size()) {
        qWarning() << "Logical Channel Descriptor: no service at index" << index;
        // A fresh scratch entry, so a bad index never touches the stored ones.
        static ServiceData outOfRange;
        outOfRange = ServiceData();
        return outOfRange;
    }
    return m_services[index];
}

void LogicalChannelDes::deleteServices()
{
    if (m_services.isEmpty())
        return;
    m_descriptorLenght = 0;
    m_services.clear();
}

void LogicalChannelDes::RellenaVarEstructDatos()
{
    m_wire[0] = m_descriptorTag;
    m_wire[1] = m_descriptorLenght;
}

void LogicalChannelDes::Init0VarEstructDatos()
{
    m_wire[0] = 0;
    m_wire[1] = 0;
}

QByteArray LogicalChannelDes::toBin()
{
    RellenaVarEstructDatos();
    const QByteArray header(reinterpret_cast<const char *>(m_wire), 2);
    QByteArray bytes = header;
    // Each entry is logged to this descriptor's history, not its own, and
    // before the descriptor's record; the stored entries stay untouched.
    for (const ServiceData &stored : qAsConst(m_services)) {
        ServiceData entry = stored;
        entry.setPathHist(m_pathHist);
        bytes += entry.toBin();
    }

    const QString fields = QStringLiteral("DescriptorTag: %1. DescriptorLenght: %2")
                               .arg(m_descriptorTag)
                               .arg(m_descriptorLenght);
    const QString hex = NitHistory::hexText(header);
    qDebug().noquote() << "Logical Channel Descriptor." << fields;
    qDebug().noquote() << "Datos del QByteArray:" << hex;

    NitHistory::append(m_pathHist,
                       {QStringLiteral("Logical Channel Descriptor. Datos"), fields,
                        QStringLiteral("En binario. ") + hex});
    return bytes;
}

unsigned char LogicalChannelDes::getDescriptorTag() { return m_descriptorTag; }
unsigned char LogicalChannelDes::getDescriptorLenght() { return m_descriptorLenght; }
void LogicalChannelDes::setDescriptorLenght(unsigned char length) { m_descriptorLenght = length; }
int LogicalChannelDes::getServiceCount() { return m_services.size(); }
void LogicalChannelDes::setPathHist(QString path) { m_pathHist = std::move(path); }
QString LogicalChannelDes::getPathHist() { return m_pathHist; }
unsigned char LogicalChannelDes::getDescriptorSize()
{
    return static_cast<unsigned char>(m_descriptorLenght + m_headerSize);
}
