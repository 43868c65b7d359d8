#include "t2delsysdes.h"

#include "deschistory_p.h"

#include <QDebug>

#include <utility>

namespace {

void appendU16(QByteArray &bytes, quint16 v)
{
    bytes.append(char(v >> 8));
    bytes.append(char(v));
}

void appendU32(QByteArray &bytes, quint32 v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(char(v >> shift));
}

} // namespace

T2DelSysDes::T2DelSysDes()
    : m_plpId(0)
    , m_t2SystemId(0)
    , m_extendedInfo(false)
    , m_sisoMiso(0)
    , m_bandwidth(Bw8MHz)
    , m_guardInterval(GI1_32)
    , m_transmissionMode(Mode32k)
    , m_otherFrequencyFlag(false)
    , m_tfsFlag(false)
{ }

T2DelSysDes::~T2DelSysDes() = default;
T2DelSysDes::T2DelSysDes(const T2DelSysDes &other) = default;
T2DelSysDes &T2DelSysDes::operator=(const T2DelSysDes &other) = default;

unsigned char T2DelSysDes::getDescriptorSize()
{
    return static_cast<unsigned char>(getDescriptorLenght() + 2);
}

void T2DelSysDes::setPathHist(QString path) { m_pathHist = std::move(path); }

quint32 T2DelSysDes::frequencyUnits(double mhz)
{
    return mhz <= 0.0 ? 0u : static_cast<quint32>(mhz * 100000.0);
}

int T2DelSysDes::cellsLength(const QList<Cell> &cells, bool tfs)
{
    int length = 0;
    for (const Cell &cell : cells) {
        length += 2; // cell_id
        length
            += tfs ? 1 + 4 * cell.centreFrequencies.size() : 4; // frequency loop or one frequency
        length += 1 + 5 * cell.subCells.size(); // subcell_info loop
    }
    return length;
}

int T2DelSysDes::lengthWith(const QList<Cell> &cells, bool tfs) const
{
    // descriptor_tag_extension, plp_id, T2_system_id; then two bytes of
    // transmission parameters and the cells.
    return 4 + 2 + cellsLength(cells, tfs);
}

unsigned char T2DelSysDes::getDescriptorLenght() const
{
    return static_cast<unsigned char>(m_extendedInfo ? lengthWith(m_cells, m_tfsFlag) : 4);
}

bool T2DelSysDes::setTfsFlag(bool on)
{
    if (lengthWith(m_cells, on) > 255) {
        qWarning() << "T2 Delivery System Descriptor: cells do not fit with TFS flag" << on;
        return false;
    }
    m_tfsFlag = on;
    return true;
}

bool T2DelSysDes::addCell(const Cell &cell)
{
    QList<Cell> cells = m_cells;
    cells.append(cell);
    // The frequency loop's own length byte is 8 bits wide too.
    if (lengthWith(cells, m_tfsFlag) > 255 || 4 * cell.centreFrequencies.size() > 255
        || 5 * cell.subCells.size() > 255) {
        qWarning() << "T2 Delivery System Descriptor: no room for cell" << cell.cellId;
        return false;
    }
    m_cells = cells;
    return true;
}

QByteArray T2DelSysDes::toBin() const
{
    QByteArray bytes;
    bytes.append(char(Tag));
    bytes.append(char(getDescriptorLenght()));
    bytes.append(char(TagExtension));
    bytes.append(char(m_plpId));
    appendU16(bytes, m_t2SystemId);
    if (m_extendedInfo) {
        // SISO/MISO, bandwidth, 2 reserved bits set; guard interval,
        // transmission mode, other_frequency_flag, tfs_flag.
        bytes.append(char((m_sisoMiso & 0x03) << 6 | (m_bandwidth & 0x0F) << 2 | 0x03));
        bytes.append(char((m_guardInterval & 0x07) << 5 | (m_transmissionMode & 0x07) << 2
                          | (m_otherFrequencyFlag ? 0x02 : 0) | (m_tfsFlag ? 0x01 : 0)));
        for (const Cell &cell : m_cells) {
            appendU16(bytes, cell.cellId);
            if (m_tfsFlag) {
                bytes.append(char(4 * cell.centreFrequencies.size()));
                for (quint32 f : cell.centreFrequencies)
                    appendU32(bytes, f);
            } else {
                appendU32(bytes, cell.centreFrequencies.value(0, 0));
            }
            bytes.append(char(5 * cell.subCells.size()));
            for (const SubCell &sub : cell.subCells) {
                bytes.append(char(sub.cellIdExtension));
                appendU32(bytes, sub.transposerFrequency);
            }
        }
    }

    QString fields
        = QStringLiteral("DescriptorTag: %1. DescriptorLenght: %2. DescriptorTagExtension: %3"
                         ". PlpId: %4. T2SystemId: %5")
              .arg(Tag)
              .arg(getDescriptorLenght())
              .arg(TagExtension)
              .arg(m_plpId)
              .arg(m_t2SystemId);
    if (m_extendedInfo)
        fields += QStringLiteral(". SISO_MISO: %1. Bandwidth: %2. GuardInterval: %3"
                                 ". TransmissionMode: %4. OtherFrequencyFlag: %5. TFSFlag: %6"
                                 ". Cells: %7")
                      .arg(m_sisoMiso)
                      .arg(m_bandwidth)
                      .arg(m_guardInterval)
                      .arg(m_transmissionMode)
                      .arg(int(m_otherFrequencyFlag))
                      .arg(int(m_tfsFlag))
                      .arg(m_cells.size());
    const QString hex = DescHistory::hexText(bytes);
    qDebug().noquote() << "T2 Delivery System Descriptor." << fields;
    qDebug().noquote() << "Datos del QByteArray:" << hex;
    DescHistory::append(m_pathHist,
                        {QStringLiteral("T2 Delivery System Descriptor. Datos"), fields,
                         QStringLiteral("En binario. ") + hex});
    return bytes;
}
