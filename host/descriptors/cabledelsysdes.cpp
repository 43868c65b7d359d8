#include "cabledelsysdes.h"

#include "deschistory_p.h"

#include <QDebug>

#include <cmath>
#include <utility>

CableDelSysDes::CableDelSysDes()
    : m_frequency(0)
    , m_fecOuter(RS_204_188)
    , m_modulation(QAM64)
    , m_symbolRate(0)
    , m_fecInner(NoConvCoding)
{ }

CableDelSysDes::~CableDelSysDes() = default;
CableDelSysDes::CableDelSysDes(const CableDelSysDes &other) = default;
CableDelSysDes &CableDelSysDes::operator=(const CableDelSysDes &other) = default;

unsigned char CableDelSysDes::getDescriptorSize() { return getDescriptorLenght() + 2; }

void CableDelSysDes::setPathHist(QString path) { m_pathHist = std::move(path); }

bool CableDelSysDes::setFrequency(double mhz)
{
    // Eight BCD digits, four of them after the MHz point.
    const double units = std::round(mhz * 10000.0);
    if (!(units >= 0.0 && units <= 99999999.0)) {
        qWarning() << "Cable Delivery System Descriptor: frequency out of range" << mhz;
        return false;
    }
    m_frequency = static_cast<quint32>(units);
    return true;
}

bool CableDelSysDes::setSymbolRate(double msymbolsPerSecond)
{
    // Seven BCD digits, four of them after the Msymbol/s point.
    const double units = std::round(msymbolsPerSecond * 10000.0);
    if (!(units >= 0.0 && units <= 9999999.0)) {
        qWarning() << "Cable Delivery System Descriptor: symbol rate out of range"
                   << msymbolsPerSecond;
        return false;
    }
    m_symbolRate = static_cast<quint32>(units);
    return true;
}

QByteArray CableDelSysDes::toBin() const
{
    const quint32 freq = DescHistory::toBcd(m_frequency, 8);
    // reserved_future_use (12 bits, all set) then FEC_outer.
    const quint16 outer = static_cast<quint16>(0xFFF0 | (m_fecOuter & 0x0F));
    const quint32 rate = DescHistory::toBcd(m_symbolRate, 7) << 4 | (m_fecInner & 0x0F);

    QByteArray bytes;
    bytes.append(char(getDescriptorTag()));
    bytes.append(char(getDescriptorLenght()));
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(char(freq >> shift));
    bytes.append(char(outer >> 8));
    bytes.append(char(outer));
    bytes.append(char(m_modulation));
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(char(rate >> shift));

    const QString fields = QStringLiteral("DescriptorTag: %1. DescriptorLenght: %2. Frequency: %3"
                                          ". FEC_outer: %4. Modulation: %5. SymbolRate: %6"
                                          ". FEC_inner: %7")
                               .arg(getDescriptorTag())
                               .arg(getDescriptorLenght())
                               .arg(m_frequency)
                               .arg(m_fecOuter)
                               .arg(m_modulation)
                               .arg(m_symbolRate)
                               .arg(m_fecInner);
    const QString hex = DescHistory::hexText(bytes);
    qDebug().noquote() << "Cable Delivery System Descriptor." << fields;
    qDebug().noquote() << "Datos del QByteArray:" << hex;
    DescHistory::append(m_pathHist,
                        {QStringLiteral("Cable Delivery System Descriptor. Datos"), fields,
                         QStringLiteral("En binario. ") + hex});
    return bytes;
}
