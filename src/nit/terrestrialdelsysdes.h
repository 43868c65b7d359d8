#pragma once

#include <QByteArray>
#include <QString>

// DVB-T terrestrial delivery system descriptor (tag 0x5A, EN 300 468) of an
// output channel. The fields are kept apart for the setters and getters and
// packed into the 13-byte wire image only when the descriptor is serialised.
class TerrestrialDelSysDes
{
public:
    TerrestrialDelSysDes();

    unsigned char getDescriptorTag();
    unsigned char getDescriptorLenght();

    // In MHz; stored in units of 10 Hz, truncated.
    void setCentreFrequency(double mhz);
    unsigned int getCentreFrequency();

    // 0 = 5 MHz, 1 = 6 MHz, 2 = 7 MHz, 3 = 8 MHz; stored as the DVB code.
    void setBandwidth(unsigned char bandwidth);
    void setConstellation(unsigned char value);
    void setCodeRateHPStream(unsigned char value);
    void setCodeRateLPStream(unsigned char value);
    void setGuardInterval(unsigned char value);
    void setTransmissionMode(unsigned char value);
    void setOtherFreqFlags(unsigned char value);

    unsigned char getBandwidth();
    unsigned char getPriority();
    unsigned char getTimeSlicingIndicator();
    unsigned char get_MPE_FECIndicator();
    unsigned char getConstellation();
    unsigned char getHierarchyInformation();
    unsigned char getCodeRateHPStream();
    unsigned char getCodeRateLPStream();
    unsigned char getGuardInterval();
    unsigned char getTransmissionMode();
    unsigned char getOtherFreqFlags();

    unsigned char getDescriptorSize();

    void setPathHist(QString path);

    void RellenaVarEstructDatos();
    void Init0VarEstructDatos();
    QByteArray toBin();

    static constexpr int WireSize = 13;

private:
    QString fieldsText() const;

    unsigned char m_descriptorTag;
    unsigned char m_descriptorLenght;
    unsigned int m_centreFrequency = 0;
    unsigned char m_bandwidth = 0;
    unsigned char m_priority;
    unsigned char m_timeSlicingIndicator;
    unsigned char m_mpeFecIndicator;
    unsigned char m_reserved1;
    unsigned char m_constellation = 0;
    unsigned char m_hierarchyInformation;
    unsigned char m_codeRateHPStream = 0;
    unsigned char m_codeRateLPStream = 0;
    unsigned char m_guardInterval = 0;
    unsigned char m_transmissionMode = 0;
    unsigned char m_otherFreqFlags;
    unsigned int m_reserved2;
    QString m_pathHist;
    unsigned char m_wire[WireSize];
};
