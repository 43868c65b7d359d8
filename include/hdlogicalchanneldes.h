#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// HD simulcast logical channel descriptor (tag 0x88): the logical channel
// numbers under which HD-capable receivers list the services, in the same
// 4-byte entry layout as the logical channel descriptor.
// The class is the host's; a plug-in reaches only the members that
// CableDelSysDes names, out of line.
class HDLogicalChannelDes
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

    HDLogicalChannelDes();
    ~HDLogicalChannelDes();
    HDLogicalChannelDes(const HDLogicalChannelDes &other);
    HDLogicalChannelDes &operator=(const HDLogicalChannelDes &other);

    unsigned char getDescriptorTag() const { return Tag; }
    unsigned char getDescriptorLenght() const
    {
        return static_cast<unsigned char>(4 * m_services.size());
    }
    unsigned char getDescriptorSize();

    // Keeps the low 10 bits of the channel number; false, and nothing
    // changes, once the descriptor holds 63 services.
    bool insertService(unsigned short serviceId, bool visible, unsigned short logicalChannelNumber);
    int getServiceCount() const { return m_services.size(); }
    // A default service for an index outside the list.
    Service getService(int index) const { return m_services.value(index); }
    void deleteServices() { m_services.clear(); }

    void setPathHist(QString path);
    QString getPathHist() const { return m_pathHist; }

    QByteArray toBin() const;

private:
    QList<Service> m_services;
    QString m_pathHist;
};
