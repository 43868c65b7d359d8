#include "hdlogicalchanneldes.h"

#include "deschistory_p.h"

#include <QDebug>

#include <utility>

HDLogicalChannelDes::HDLogicalChannelDes() = default;
HDLogicalChannelDes::~HDLogicalChannelDes() = default;
HDLogicalChannelDes::HDLogicalChannelDes(const HDLogicalChannelDes &other) = default;
HDLogicalChannelDes &HDLogicalChannelDes::operator=(const HDLogicalChannelDes &other) = default;

unsigned char HDLogicalChannelDes::getDescriptorSize()
{
    return static_cast<unsigned char>(getDescriptorLenght() + 2);
}

void HDLogicalChannelDes::setPathHist(QString path) { m_pathHist = std::move(path); }

bool HDLogicalChannelDes::insertService(unsigned short serviceId, bool visible,
                                        unsigned short logicalChannelNumber)
{
    if (m_services.size() >= MaxServices) {
        qWarning() << "HD Simulcast Logical Channel Descriptor: no room for service" << serviceId;
        return false;
    }
    Service service;
    service.serviceId = serviceId;
    service.visible = visible;
    service.logicalChannelNumber = logicalChannelNumber & 0x03FF;
    m_services.append(service);
    return true;
}

QByteArray HDLogicalChannelDes::toBin() const
{
    QByteArray bytes;
    bytes.append(char(Tag));
    bytes.append(char(getDescriptorLenght()));
    for (const Service &s : m_services) {
        // visible_service_flag, 5 reserved bits set, logical_channel_number.
        const quint16 word = static_cast<quint16>((s.visible ? 0x8000 : 0) | 0x7C00
                                                  | (s.logicalChannelNumber & 0x03FF));
        bytes.append(char(s.serviceId >> 8));
        bytes.append(char(s.serviceId));
        bytes.append(char(word >> 8));
        bytes.append(char(word));
    }

    const QString fields = QStringLiteral("DescriptorTag: %1. DescriptorLenght: %2. Services: %3")
                               .arg(Tag)
                               .arg(getDescriptorLenght())
                               .arg(m_services.size());
    const QString hex = DescHistory::hexText(bytes);
    qDebug().noquote() << "HD Simulcast Logical Channel Descriptor." << fields;
    qDebug().noquote() << "Datos del QByteArray:" << hex;
    DescHistory::append(m_pathHist,
                        {QStringLiteral("HD Simulcast Logical Channel Descriptor. Datos"), fields,
                         QStringLiteral("En binario. ") + hex});
    return bytes;
}
