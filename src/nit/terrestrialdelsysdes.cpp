#include "terrestrialdelsysdes.h"

#include "nithistory_p.h"

#include <QDebug>

#include <cstring>
#include <utility>

TerrestrialDelSysDes::TerrestrialDelSysDes()
    : m_descriptorTag(0x5A)
    , m_descriptorLenght(11)
    , m_priority(1)
    , m_timeSlicingIndicator(1)
    , m_mpeFecIndicator(1)
    , m_reserved1(3)
    , m_hierarchyInformation(0)
    , m_otherFreqFlags(1)
    , m_reserved2(0xFFFFFFFFu)
{
    Init0VarEstructDatos();
}

void TerrestrialDelSysDes::setCentreFrequency(double mhz)
{
    m_centreFrequency = static_cast<unsigned int>(mhz * 100000.0);
}

void TerrestrialDelSysDes::setBandwidth(unsigned char bandwidth)
{
    if (bandwidth > 3) {
        qWarning() << "Bandwidth invalido" << int(bandwidth);
        return;
    }
    // The argument counts up from 5 MHz, the DVB code down from 8 MHz.
    m_bandwidth = 3 - bandwidth;
}

void TerrestrialDelSysDes::setConstellation(unsigned char value) { m_constellation = value & 0x03; }
void TerrestrialDelSysDes::setCodeRateHPStream(unsigned char value)
{
    m_codeRateHPStream = value & 0x07;
}
void TerrestrialDelSysDes::setCodeRateLPStream(unsigned char value)
{
    m_codeRateLPStream = value & 0x07;
}
void TerrestrialDelSysDes::setGuardInterval(unsigned char value) { m_guardInterval = value & 0x03; }
void TerrestrialDelSysDes::setTransmissionMode(unsigned char value)
{
    m_transmissionMode = value & 0x03;
}
void TerrestrialDelSysDes::setOtherFreqFlags(unsigned char value)
{
    m_otherFreqFlags = value & 0x01;
}

void TerrestrialDelSysDes::RellenaVarEstructDatos()
{
    m_wire[0] = m_descriptorTag;
    m_wire[1] = m_descriptorLenght;
    m_wire[2] = static_cast<unsigned char>(m_centreFrequency >> 24);
    m_wire[3] = static_cast<unsigned char>(m_centreFrequency >> 16);
    m_wire[4] = static_cast<unsigned char>(m_centreFrequency >> 8);
    m_wire[5] = static_cast<unsigned char>(m_centreFrequency);
    m_wire[6] = static_cast<unsigned char>((m_bandwidth & 0x07) << 5 | (m_priority & 1) << 4
                                           | (m_timeSlicingIndicator & 1) << 3
                                           | (m_mpeFecIndicator & 1) << 2 | (m_reserved1 & 0x03));
    m_wire[7] = static_cast<unsigned char>((m_constellation & 0x03) << 6
                                           | (m_hierarchyInformation & 0x07) << 3
                                           | (m_codeRateHPStream & 0x07));
    m_wire[8] = static_cast<unsigned char>(
        (m_codeRateLPStream & 0x07) << 5 | (m_guardInterval & 0x03) << 3
        | (m_transmissionMode & 0x03) << 1 | (m_otherFreqFlags & 1));
    m_wire[9] = static_cast<unsigned char>(m_reserved2 >> 24);
    m_wire[10] = static_cast<unsigned char>(m_reserved2 >> 16);
    m_wire[11] = static_cast<unsigned char>(m_reserved2 >> 8);
    m_wire[12] = static_cast<unsigned char>(m_reserved2);
}

void TerrestrialDelSysDes::Init0VarEstructDatos() { std::memset(m_wire, 0, sizeof m_wire); }

QString TerrestrialDelSysDes::fieldsText() const
{
    return QStringLiteral(
               "DescriptorTag: %1. DescriptorLenght: %2. CentreFrequency: %3. Bandwith: %4"
               ". Priority: %5. TimeSlicingIndicator: %6. MPE_FECIndicator: %7"
               ". Reserved1: %8. Constellation %9. HierarchyInfo: %10. CodeRateHP: %11"
               ". CodeRateLP: %12. GuardInverval: %13. TransmissionMode: %14"
               ". OtherFreqFlag: %15. Reserved2: %16")
        .arg(m_descriptorTag)
        .arg(m_descriptorLenght)
        .arg(m_centreFrequency)
        .arg(m_bandwidth)
        .arg(m_priority)
        .arg(m_timeSlicingIndicator)
        .arg(m_mpeFecIndicator)
        .arg(m_reserved1)
        .arg(m_constellation)
        .arg(m_hierarchyInformation)
        .arg(m_codeRateHPStream)
        .arg(m_codeRateLPStream)
        .arg(m_guardInterval)
        .arg(m_transmissionMode)
        .arg(m_otherFreqFlags)
        .arg(m_reserved2);
}

QByteArray TerrestrialDelSysDes::toBin()
{
    QByteArray bytes;
    RellenaVarEstructDatos();
    bytes.append(reinterpret_cast<const char *>(m_wire), WireSize);

    const QString fields = fieldsText();
    const QString hex = NitHistory::hexText(bytes);
    qDebug().noquote() << "Terrestrial Delivery System Descriptor." << fields;
    qDebug().noquote() << "Datos del QByteArray:" << hex;

    NitHistory::append(m_pathHist,
                       {QStringLiteral("Terrestrial Delivery System Descriptor. Datos"), fields,
                        QStringLiteral("En binario. ") + hex});
    return bytes;
}

unsigned char TerrestrialDelSysDes::getDescriptorTag() { return m_descriptorTag; }
unsigned char TerrestrialDelSysDes::getDescriptorLenght() { return m_descriptorLenght; }
unsigned int TerrestrialDelSysDes::getCentreFrequency() { return m_centreFrequency; }
unsigned char TerrestrialDelSysDes::getBandwidth() { return m_bandwidth; }
unsigned char TerrestrialDelSysDes::getPriority() { return m_priority; }
unsigned char TerrestrialDelSysDes::getTimeSlicingIndicator() { return m_timeSlicingIndicator; }
unsigned char TerrestrialDelSysDes::get_MPE_FECIndicator() { return m_mpeFecIndicator; }
unsigned char TerrestrialDelSysDes::getConstellation() { return m_constellation; }
unsigned char TerrestrialDelSysDes::getHierarchyInformation() { return m_hierarchyInformation; }
unsigned char TerrestrialDelSysDes::getCodeRateHPStream() { return m_codeRateHPStream; }
unsigned char TerrestrialDelSysDes::getCodeRateLPStream() { return m_codeRateLPStream; }
unsigned char TerrestrialDelSysDes::getGuardInterval() { return m_guardInterval; }
unsigned char TerrestrialDelSysDes::getTransmissionMode() { return m_transmissionMode; }
unsigned char TerrestrialDelSysDes::getOtherFreqFlags() { return m_otherFreqFlags; }
unsigned char TerrestrialDelSysDes::getDescriptorSize() { return m_descriptorLenght + 2; }
void TerrestrialDelSysDes::setPathHist(QString path) { m_pathHist = std::move(path); }
