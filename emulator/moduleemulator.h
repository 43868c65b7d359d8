#pragma once

#include "emulatorfault.h"
#include "streamframer.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariant>

#include <array>

// The module's side of the link: the 21 parameters of the Zeta-VX, its
// identity and two simulated RF inputs. Takes the host's byte stream in
// (receive), answers on transmit, and injects the faults it was given.
class ModuleEmulator : public QObject
{
    Q_OBJECT

public:
    struct Identity {
        unsigned int productCode = 570112; // 24 bits on the wire
        unsigned char hwMajor = 2;
        unsigned char hwMinor = 5;
        QByteArray firmware = "01.32"; // at most 5 ASCII characters
        unsigned char serialPrefix = 7;
        unsigned int serialNumber = 4242; // 24 bits on the wire
    };

    // Parameter values indexed by their set-request command code (1..21).
    // Bandwidths (13, 14) hold the last bandwidth in MHz; autoBw says whether
    // the channel uses automatic bandwidth instead.
    struct State {
        std::array<int, 22> value {};
        std::array<bool, 2> autoBw {{true, true}};
        bool operator==(const State &o) const { return value == o.value && autoBw == o.autoBw; }
    };

    struct Reply {
        QByteArray frame;
        unsigned char flags = 0;
    };

    explicit ModuleEmulator(QObject *parent = nullptr);

    static State factoryState();
    static const std::array<int, 36> &bandwidthList(int channel); // channel 1 or 2
    // Range check of a set-request value as the module firmware makes it.
    static bool isValidValue(int command, int value);
    static int payloadSize(int command); // 1 or 2 for set-requests, 0 otherwise

    // Applies one request and returns the module's answer or confirmation, if
    // any. No faults are injected here.
    QList<Reply> handleFrame(const QByteArray &frame, unsigned char flags);

    const State &state() const { return committed; }
    void setState(const State &s) { committed = s; }
    int value(int command) const { return committed.value.at(command); }
    bool bulkOpen() const { return bulk; }
    // The configuration as the plug-in stores it (its 21 hash keys).
    QHash<QString, QVariant> configHash() const;
    void resetToFactory();

    const Identity &identity() const { return ident; }
    void setIdentity(const Identity &id) { ident = id; }
    // Simulated RF power at the module's input connectors, in dBuV.
    void setRfInput(int input, double dBuV);
    double rfInput(int input) const { return rf[input - 1]; }
    // Level code (0..9) the module reports for an input, from the RF power and
    // the LNB settings: no LNB supply or an unused input gives no signal.
    unsigned char levelCode(int input) const;

    void addFault(const EmulatorFault &fault) { faultList.append(fault); }
    void clearFaults() { faultList.clear(); }
    const QList<EmulatorFault> &faults() const { return faultList; }

    // With a state file the committed state is read now and written after
    // every change.
    bool setStateFile(const QString &path, QString &error);
    bool saveState(QString &error) const;

    int appliedCount() const { return applied; }

public slots:
    // Bytes from the host.
    void receive(const QByteArray &bytes);

signals:
    // Bytes for the host.
    void transmit(const QByteArray &bytes);
    // One line per event, for a link monitor; nothing is formatted while
    // no one listens.
    void traced(const QString &line);

protected:
    void connectNotify(const QMetaMethod &signal) override;
    void disconnectNotify(const QMetaMethod &signal) override;

private:
    void drain();
    void reportDiscard();
    void handleFrameEvent(const StreamFramer::Frame &frame);
    void send(const Reply &reply, const EmulatorFault *fault);
    bool applySet(State &target, int command, const QByteArray &payload);
    void committedChanged();
    QByteArray allConfigAnswer() const;
    QByteArray moduleInfoAnswer() const;
    static QByteArray header(int command);

    State committed;
    State staged;
    bool bulk = false;
    Identity ident;
    double rf[2] = {72.0, 61.0};
    QList<EmulatorFault> faultList;
    QString stateFile;
    StreamFramer framer;
    StreamFramer::Discard discarded;
    bool tracing = false;
    QTimer idle;
    int applied = 0;
};
