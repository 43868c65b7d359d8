#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// DVB-T2 delivery system descriptor, an EN 300 468 extension descriptor
// (tag 0x7F, descriptor_tag_extension 0x04). Without extended information it
// carries only plp_id and T2_system_id; with it, the transmission parameters
// and the cells with their centre and transposer frequencies follow.
// The class is the host's; a plug-in reaches only the members that
// CableDelSysDes names, out of line.
class T2DelSysDes
{
public:
    struct SubCell {
        unsigned char cellIdExtension = 0;
        quint32 transposerFrequency = 0; // units of 10 Hz
    };
    struct Cell {
        unsigned short cellId = 0;
        // With the TFS flag every frequency is sent; without it only the
        // first (0 when the list is empty).
        QList<quint32> centreFrequencies; // units of 10 Hz
        QList<SubCell> subCells;
    };

    enum Bandwidth : unsigned char {
        Bw8MHz = 0,
        Bw7MHz = 1,
        Bw6MHz = 2,
        Bw5MHz = 3,
        Bw10MHz = 4,
        Bw1_712MHz = 5
    };
    enum GuardInterval : unsigned char {
        GI1_32 = 0,
        GI1_16 = 1,
        GI1_8 = 2,
        GI1_4 = 3,
        GI1_128 = 4,
        GI19_128 = 5,
        GI19_256 = 6
    };
    enum TransmissionMode : unsigned char {
        Mode2k = 0,
        Mode8k = 1,
        Mode4k = 2,
        Mode1k = 3,
        Mode16k = 4,
        Mode32k = 5
    };

    static constexpr unsigned char Tag = 0x7F;
    static constexpr unsigned char TagExtension = 0x04;

    // plp_id 0, T2_system_id 0, no extended information; when it is switched
    // on: SISO, 8 MHz, guard interval 1/32, 32k, both flags clear, no cells.
    T2DelSysDes();
    ~T2DelSysDes();
    T2DelSysDes(const T2DelSysDes &other);
    T2DelSysDes &operator=(const T2DelSysDes &other);

    unsigned char getDescriptorTag() const { return Tag; }
    unsigned char getDescriptorTagExtension() const { return TagExtension; }
    unsigned char getDescriptorLenght() const;
    unsigned char getDescriptorSize();

    void setPlpId(unsigned char id) { m_plpId = id; }
    unsigned char getPlpId() const { return m_plpId; }
    void setT2SystemId(unsigned short id) { m_t2SystemId = id; }
    unsigned short getT2SystemId() const { return m_t2SystemId; }

    void setExtendedInfo(bool on) { m_extendedInfo = on; }
    bool hasExtendedInfo() const { return m_extendedInfo; }
    // The setters keep the low bits that fit the field.
    void setSisoMiso(unsigned char value) { m_sisoMiso = value & 0x03; }
    unsigned char getSisoMiso() const { return m_sisoMiso; }
    void setBandwidth(unsigned char code) { m_bandwidth = code & 0x0F; }
    unsigned char getBandwidth() const { return m_bandwidth; }
    void setGuardInterval(unsigned char code) { m_guardInterval = code & 0x07; }
    unsigned char getGuardInterval() const { return m_guardInterval; }
    void setTransmissionMode(unsigned char code) { m_transmissionMode = code & 0x07; }
    unsigned char getTransmissionMode() const { return m_transmissionMode; }
    void setOtherFrequencyFlag(bool on) { m_otherFrequencyFlag = on; }
    bool getOtherFrequencyFlag() const { return m_otherFrequencyFlag; }
    // False, and nothing changes, when the cells would no longer fit the
    // 8-bit length.
    bool setTfsFlag(bool on);
    bool getTfsFlag() const { return m_tfsFlag; }

    // False, and nothing changes, when the cell does not fit the 8-bit length.
    bool addCell(const Cell &cell);
    QList<Cell> getCells() const { return m_cells; }
    void clearCells() { m_cells.clear(); }

    // MHz to the descriptor's units of 10 Hz, truncated.
    static quint32 frequencyUnits(double mhz);

    void setPathHist(QString path);
    QString getPathHist() const { return m_pathHist; }

    QByteArray toBin() const;

private:
    static int cellsLength(const QList<Cell> &cells, bool tfs);
    int lengthWith(const QList<Cell> &cells, bool tfs) const;

    unsigned char m_plpId;
    unsigned short m_t2SystemId;
    bool m_extendedInfo;
    unsigned char m_sisoMiso;
    unsigned char m_bandwidth;
    unsigned char m_guardInterval;
    unsigned char m_transmissionMode;
    bool m_otherFrequencyFlag;
    bool m_tfsFlag;
    QList<Cell> m_cells;
    QString m_pathHist;
};
