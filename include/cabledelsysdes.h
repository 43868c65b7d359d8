#pragma once

#include <QByteArray>
#include <QString>

// DVB-C cable delivery system descriptor (tag 0x44, EN 300 468): frequency
// and symbol rate in binary-coded decimal, outer and inner FEC, modulation.
// The class is the host's: the host program defines and exports it, and a
// plug-in that embeds one reaches its construction, destruction, copying,
// setPathHist and getDescriptorSize out of line, from the host.
class CableDelSysDes
{
public:
    enum FecOuter : unsigned char { FecOuterUndefined = 0, NoOuterFec = 1, RS_204_188 = 2 };
    enum Modulation : unsigned char {
        ModulationUndefined = 0,
        QAM16 = 1,
        QAM32 = 2,
        QAM64 = 3,
        QAM128 = 4,
        QAM256 = 5
    };
    enum FecInner : unsigned char {
        FecInnerUndefined = 0,
        Fec1_2 = 1,
        Fec2_3 = 2,
        Fec3_4 = 3,
        Fec5_6 = 4,
        Fec7_8 = 5,
        Fec8_9 = 6,
        Fec3_5 = 7,
        Fec4_5 = 8,
        Fec9_10 = 9,
        NoConvCoding = 15
    };

    // 0 MHz, RS(204,188), 64-QAM, 0 symbols/s, no convolutional coding.
    CableDelSysDes();
    ~CableDelSysDes();
    CableDelSysDes(const CableDelSysDes &other);
    CableDelSysDes &operator=(const CableDelSysDes &other);

    unsigned char getDescriptorTag() const { return 0x44; }
    unsigned char getDescriptorLenght() const { return 11; }
    unsigned char getDescriptorSize();

    // 0 to 9999.9999 MHz, kept to the nearest 100 Hz; false leaves it unchanged.
    bool setFrequency(double mhz);
    // In units of 100 Hz.
    quint32 getFrequency() const { return m_frequency; }
    // 0 to 999.9999 Msymbol/s, kept to the nearest 100 symbol/s; false leaves it unchanged.
    bool setSymbolRate(double msymbolsPerSecond);
    // In units of 100 symbol/s.
    quint32 getSymbolRate() const { return m_symbolRate; }

    void setFecOuter(unsigned char code) { m_fecOuter = code & 0x0F; }
    unsigned char getFecOuter() const { return m_fecOuter; }
    void setModulation(unsigned char code) { m_modulation = code; }
    unsigned char getModulation() const { return m_modulation; }
    void setFecInner(unsigned char code) { m_fecInner = code & 0x0F; }
    unsigned char getFecInner() const { return m_fecInner; }

    void setPathHist(QString path);
    QString getPathHist() const { return m_pathHist; }

    QByteArray toBin() const;

private:
    quint32 m_frequency;
    unsigned char m_fecOuter;
    unsigned char m_modulation;
    quint32 m_symbolRate;
    unsigned char m_fecInner;
    QString m_pathHist;
};
