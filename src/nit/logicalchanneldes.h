#pragma once

#include "servicedata.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Logical channel number descriptor (tag 0x83): the services of a transport
// stream with the channel numbers receivers list them under.
class LogicalChannelDes
{
public:
    LogicalChannelDes();

    unsigned char getDescriptorTag();
    unsigned char getDescriptorLenght();
    void setDescriptorLenght(unsigned char length);

    // The length byte counts 4 bytes per service, so 63 services is the most
    // a descriptor can describe; a further entry is refused.
    void insertServiceData(ServiceData &service);
    void reinsertServiceData(ServiceData &service, int index);
    ServiceData &getServiceData(int index);
    int getServiceCount();
    void deleteServices();

    unsigned char getDescriptorSize();

    void setPathHist(QString path);
    QString getPathHist();

    void RellenaVarEstructDatos();
    void Init0VarEstructDatos();
    QByteArray toBin();

    static constexpr int MaxServices = 63;

private:
    unsigned char m_descriptorTag;
    unsigned char m_descriptorLenght;
    QList<ServiceData> m_services;
    unsigned short m_serviceSize;
    unsigned short m_headerSize;
    QString m_pathHist;
    unsigned char m_wire[2];
};
