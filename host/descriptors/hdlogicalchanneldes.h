#pragma once

#include "hostdescriptors_global.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// HD simulcast logical channel descriptor (tag 0x88): the logical channel
// numbers under which HD-capable receivers list the services, in the same
// 4-byte entry layout as the logical channel descriptor.
class MSP_HOST_DESCRIPTORS_EXPORT HDLogicalChannelDes
{
public:
    struct Service {
        unsigned short serviceId = 0;
        bool visible = true;
        unsigned short logicalChannelNumber = 0; // 10 bits
    };

    static constexpr unsigned char Tag = 0x88;
    // The length byte counts 4 bytes per service.
    static constexpr int MaxServices = 63;

    HDLogicalChannelDes() = default;

    unsigned char getDescriptorTag() const { return Tag; }
    unsigned char getDescriptorLenght() const
    {
        return static_cast<unsigned char>(4 * m_services.size());
    }
    unsigned char getDescriptorSize() const
    {
        return static_cast<unsigned char>(getDescriptorLenght() + 2);
    }

    // Keeps the low 10 bits of the channel number; false, and nothing
    // changes, once the descriptor holds 63 services.
    bool insertService(unsigned short serviceId, bool visible, unsigned short logicalChannelNumber);
    int getServiceCount() const { return m_services.size(); }
    // A default service for an index outside the list.
    Service getService(int index) const { return m_services.value(index); }
    void deleteServices() { m_services.clear(); }

    void setPathHist(QString path) { m_pathHist = std::move(path); }
    QString getPathHist() const { return m_pathHist; }

    QByteArray toBin() const;

private:
    QList<Service> m_services;
    QString m_pathHist;
};
