#include "moduleemulator.h"

#include "commprotocol.h"
#include "linkframetext.h"

#include <QFileInfo>
#include <QMetaMethod>
#include <QSettings>

#include <cmath>

namespace {
using Parameter = ModuleParameters::Parameter;

// The emulated module's factory configuration; automatic bandwidth on both
// channels, with 36 MHz as the last manual choice.
const std::pair<int, int> FactoryValues[] = {
    {CommProtocol::NumInputs, 1},
    {CommProtocol::C1Activate, 1},
    {CommProtocol::C2Activate, 1},
    {CommProtocol::LNB1, 1},
    {CommProtocol::LNB2, 1},
    {CommProtocol::Band1, 1},
    {CommProtocol::Pol1, 1},
    {CommProtocol::InputFreq1, 1550},
    {CommProtocol::InputFreq2, 1210},
    {CommProtocol::InputSRate1, 27500},
    {CommProtocol::InputSRate2, 22000},
    {CommProtocol::RollOff2, 1},
    {CommProtocol::InputBandwidth1, 36},
    {CommProtocol::InputBandwidth2, 36},
    {CommProtocol::OutputFreq1, 1100},
    {CommProtocol::OutputFreq2, 1300},
    {CommProtocol::OutputAttenuation2, 3},
};

int rowOf(const Parameter &p) { return ModuleParameters::indexOf(p); }

// The n-th bandwidth channel (1-based) of the parameter table, for the state
// file's "LastBandwidth<n>" keys.
int bandwidthChannel(const Parameter &p)
{
    int channel = 0;
    for (const Parameter &q : ModuleParameters::all()) {
        if (q.kind == ModuleParameters::AutoBandwidth)
            ++channel;
        if (&q == &p)
            return channel;
    }
    return 0;
}

int be16(const char *p)
{
    return (static_cast<unsigned char>(p[0]) << 8) | static_cast<unsigned char>(p[1]);
}
} // namespace

ModuleEmulator::ModuleEmulator(QObject *parent)
    : QObject(parent)
    , committed(factoryState())
    , staged(committed)
{
    // A frame whose rest never comes is given up so that the next one is seen.
    idle.setSingleShot(true);
    idle.setInterval(200);
    connect(&idle, &QTimer::timeout, this, [this] {
        framer.giveUpPartial();
        drain();
        if (tracing)
            reportDiscard();
    });
}

ModuleEmulator::State ModuleEmulator::factoryState()
{
    // Anything the list does not name starts at the bottom of its range.
    State s;
    for (const Parameter &p : ModuleParameters::all()) {
        const bool automatic = p.kind == ModuleParameters::AutoBandwidth;
        s.value[rowOf(p)] = automatic ? p.values.mhz[p.minimum] : p.minimum;
        s.automatic[rowOf(p)] = automatic;
    }
    for (const auto &v : FactoryValues)
        s.value[rowOf(*ModuleParameters::byCommand(v.first))] = v.second;
    return s;
}

int ModuleEmulator::value(int command) const
{
    const Parameter *p = ModuleParameters::byCommand(command);
    return p ? committed.value[rowOf(*p)] : 0;
}

int ModuleEmulator::payloadSize(int command)
{
    const Parameter *p = ModuleParameters::byCommand(command);
    return p ? p->width : 0;
}

bool ModuleEmulator::isValidValue(int command, int value)
{
    const Parameter *p = ModuleParameters::byCommand(command);
    if (!p)
        return false;
    if (p->kind == ModuleParameters::AutoBandwidth)
        return value == ModuleParameters::AutoBandwidthFlag
            || ModuleParameters::positionOf(*p, value) >= 0;
    return value >= p->minimum && value <= p->maximum;
}

QByteArray ModuleEmulator::header(int command)
{
    const char bytes[4] = {char(CommProtocol::RecordTag >> 8), char(CommProtocol::RecordTag),
                           char(command >> 8), char(command)};
    return QByteArray(bytes, 4);
}

bool ModuleEmulator::applySet(State &target, int command, const QByteArray &payload)
{
    const Parameter *p = ModuleParameters::byCommand(command);
    if (!p || payload.size() < p->width)
        return false;
    const int v
        = p->width == 2 ? be16(payload.constData()) : static_cast<unsigned char>(payload.at(0));
    if (!isValidValue(command, v))
        return false;
    const int row = rowOf(*p);
    if (p->kind == ModuleParameters::AutoBandwidth) {
        target.automatic[row] = v == ModuleParameters::AutoBandwidthFlag;
        if (!target.automatic[row])
            target.value[row] = v;
    } else {
        target.value[row] = v;
    }
    ++applied;
    return true;
}

QList<ModuleEmulator::Reply> ModuleEmulator::handleFrame(const QByteArray &frame,
                                                         unsigned char flags)
{
    if (frame.size() < 4 || be16(frame.constData()) != CommProtocol::RecordTag) {
        if (tracing)
            emit traced(QStringLiteral("emu: ignored frame %1 (no record tag)")
                            .arg(QString::fromLatin1(frame.toHex(' '))));
        return {};
    }
    const int command = be16(frame.constData() + 2);
    // A view into the frame, which outlives it: no copy per request.
    const QByteArray payload = QByteArray::fromRawData(frame.constData() + 4, frame.size() - 4);
    const bool confirm = flags & StreamFramer::ConfirmRequest;
    // Built only when asked for: a bulk write sends most frames unconfirmed.
    auto confirmation = [confirm, command](unsigned char extra) {
        return confirm
            ? QList<Reply> {{header(command),
                             static_cast<unsigned char>(StreamFramer::Confirmation | extra)}}
            : QList<Reply> {};
    };
    const auto refused = [&confirmation] { return confirmation(StreamFramer::Refused); };
    const auto done = [&confirmation] { return confirmation(0); };

    if (ModuleParameters::byCommand(command)) {
        if (!applySet(bulk ? staged : committed, command, payload)) {
            if (tracing)
                emit traced(QStringLiteral("emu: refused %1").arg(LinkFrameText::describe(frame)));
            return refused();
        }
        if (!bulk)
            committedChanged();
        return done();
    }
    CommProtocol answer;
    switch (command) {
    case CommProtocol::SetAllCfg: {
        if (payload.isEmpty() || static_cast<unsigned char>(payload.at(0)) > 1)
            return refused();
        if (payload.at(0) == 0) {
            // A bulk write is staged and takes effect only when it is closed.
            bulk = true;
            staged = committed;
        } else if (bulk) {
            bulk = false;
            committed = staged;
            committedChanged();
        }
        return done();
    }
    case CommProtocol::ResetToFactory:
        resetToFactory();
        return done();
    case CommProtocol::GetLevel:
        answer.buildGetLevelResponse(levelCode(1), levelCode(2));
        return {{answer.msgData, 0}};
    case CommProtocol::GetModuleInfo:
        return {{moduleInfoAnswer(), 0}};
    case CommProtocol::GetAllCfg:
        return {{allConfigAnswer(), 0}};
    case CommProtocol::GetVXStatus:
        // The status flag reports an active processor without input signal.
        answer.buildGetStatusResponse((value(CommProtocol::C1Activate) && levelCode(1) == 0)
                                      || (value(CommProtocol::C2Activate) && levelCode(2) == 0));
        return {{answer.msgData, 0}};
    default:
        if (tracing)
            emit traced(QStringLiteral("emu: unknown command %1").arg(command));
        return refused();
    }
}

QByteArray ModuleEmulator::moduleInfoAnswer() const
{
    CommProtocol p;
    p.pushByte(static_cast<unsigned char>(ident.productCode >> 16));
    p.pushShort(static_cast<unsigned short>(ident.productCode & 0xFFFF));
    p.pushByte(ident.hwMajor);
    p.pushByte(ident.hwMinor);
    const QByteArray fw = ident.firmware.left(5).leftJustified(5, '\0');
    for (char c : fw)
        p.pushByte(static_cast<unsigned char>(c));
    p.pushByte(ident.serialPrefix);
    p.pushByte(static_cast<unsigned char>(ident.serialNumber >> 16));
    p.pushShort(static_cast<unsigned short>(ident.serialNumber & 0xFFFF));
    p.buildModuleInfoResponse();
    return p.msgData;
}

QByteArray ModuleEmulator::allConfigAnswer() const
{
    CommProtocol p;
    for (const Parameter *q : ModuleParameters::inCommandOrder()) {
        p.pushShort(CommProtocol::RecordTag);
        p.pushShort(q->command);
        const int row = rowOf(*q);
        int v = committed.value[row];
        // Automatic bandwidth is reported with the list position of the last
        // manual bandwidth in bits 0..6.
        if (q->kind == ModuleParameters::AutoBandwidth && committed.automatic[row])
            v = ModuleParameters::AutoBandwidthFlag | qMax(0, ModuleParameters::positionOf(*q, v));
        if (q->width == 2)
            p.pushShort(static_cast<unsigned short>(v));
        else
            p.pushByte(static_cast<unsigned char>(v));
    }
    p.buildGetAllCfgResponse();
    return p.msgData;
}

QHash<QString, QVariant> ModuleEmulator::configHash() const
{
    QHash<QString, QVariant> hash;
    for (const Parameter &p : ModuleParameters::all()) {
        const QString key = QLatin1String(p.key);
        const int v = committed.value[rowOf(p)];
        switch (p.kind) {
        case ModuleParameters::ListIndex:
            hash.insert(key, v);
            break;
        case ModuleParameters::Number:
            hash.insert(key, QString::number(v));
            break;
        case ModuleParameters::AutoBandwidth:
            hash.insert(key,
                        committed.automatic[rowOf(p)] ? ModuleParameters::AutoBandwidthKey
                                                      : ModuleParameters::positionOf(p, v));
            break;
        }
    }
    return hash;
}

void ModuleEmulator::resetToFactory()
{
    committed = factoryState();
    staged = committed;
    bulk = false;
    committedChanged();
}

void ModuleEmulator::setRfInput(int input, double dBuV)
{
    if (input == 1 || input == 2)
        rf[input - 1] = dBuV;
}

unsigned char ModuleEmulator::levelCode(int input) const
{
    if (input == 2 && value(CommProtocol::NumInputs) == 0)
        return 0;
    if (!value(input == 1 ? CommProtocol::LNB1 : CommProtocol::LNB2))
        return 0;
    // The high band and the horizontal polarisation carry a little less
    // power on the simulated dish.
    double level = rf[input - 1];
    if (value(input == 1 ? CommProtocol::Band1 : CommProtocol::Band2))
        level -= 2.0;
    if (value(input == 1 ? CommProtocol::Pol1 : CommProtocol::Pol2))
        level -= 1.5;
    if (level < 45.0)
        return 0;
    if (level >= 85.0)
        return 9;
    return static_cast<unsigned char>(1 + int(std::floor((level - 45.0) / 5.0)));
}

void ModuleEmulator::receive(const QByteArray &bytes)
{
    framer.feed(bytes);
    drain();
}

void ModuleEmulator::drain()
{
    StreamFramer::Frame frame;
    for (;;) {
        const bool got = framer.next(frame);
        const StreamFramer::Discard d = framer.takeDiscard();
        discarded.bytes += d.bytes;
        discarded.damaged += d.damaged;
        if (!got)
            break;
        handleFrameEvent(frame);
    }
    if (framer.hasPartial() || (tracing && !discarded.isEmpty()))
        idle.start();
    else if (idle.isActive())
        idle.stop();
}

void ModuleEmulator::reportDiscard()
{
    if (discarded.isEmpty())
        return;
    emit traced(QStringLiteral("emu <- discarded %1 bytes (%2 damaged frames)")
                    .arg(discarded.bytes)
                    .arg(discarded.damaged));
    discarded = {};
}

void ModuleEmulator::handleFrameEvent(const StreamFramer::Frame &e)
{
    const int command = e.bytes.size() >= 4 ? (static_cast<unsigned char>(e.bytes.at(2)) << 8)
            | static_cast<unsigned char>(e.bytes.at(3))
                                            : 0;
    if (tracing) {
        reportDiscard();
        emit traced(LinkFrameText::wireLine(QStringLiteral("emu <-"), e.bytes, e.flags));
    }
    const int firstByte = e.bytes.size() > 4 ? static_cast<unsigned char>(e.bytes.at(4)) : -1;
    EmulatorFault *fault = nullptr;
    for (EmulatorFault &f : faultList) {
        if (f.appliesTo(command, firstByte)) {
            fault = &f;
            if (f.remaining > 0)
                --f.remaining;
            break;
        }
    }
    if (fault && fault->kind == EmulatorFault::Drop) {
        if (tracing)
            emit traced(QStringLiteral("emu: fault %1: request dropped").arg(fault->toString()));
        return;
    }
    if (fault && fault->kind == EmulatorFault::Refuse) {
        if (tracing)
            emit traced(QStringLiteral("emu: fault %1: request refused").arg(fault->toString()));
        const bool getRequest = command == CommProtocol::GetLevel
            || command == CommProtocol::GetModuleInfo || command == CommProtocol::GetAllCfg
            || command == CommProtocol::GetVXStatus;
        if (getRequest || (e.flags & StreamFramer::ConfirmRequest))
            send({header(command), StreamFramer::Confirmation | StreamFramer::Refused}, nullptr);
        return;
    }
    for (const Reply &r : handleFrame(e.bytes, e.flags))
        send(r, fault);
}

void ModuleEmulator::send(const Reply &reply, const EmulatorFault *fault)
{
    QByteArray bytes = StreamFramer::encode(reply.frame, reply.flags);
    QString text;
    if (tracing)
        text = LinkFrameText::wireLine(QStringLiteral("emu ->"), reply.frame, reply.flags);
    if (fault && fault->kind == EmulatorFault::Corrupt) {
        // One damaged byte inside the frame: the checksum no longer matches.
        bytes[StreamFramer::HeaderSize] = char(bytes.at(StreamFramer::HeaderSize) ^ 0x5A);
        if (tracing)
            emit traced(text + QStringLiteral(" (corrupted by fault %1)").arg(fault->toString()));
    }
    if (fault && (fault->kind == EmulatorFault::Delay || fault->kind == EmulatorFault::Late)) {
        if (tracing)
            emit traced(text
                        + QStringLiteral(" (in %1 ms, fault %2)")
                              .arg(fault->delayMs)
                              .arg(fault->toString()));
        QTimer::singleShot(fault->delayMs, this, [this, bytes] { emit transmit(bytes); });
        return;
    }
    if (tracing && (!fault || fault->kind != EmulatorFault::Corrupt))
        emit traced(text);
    emit transmit(bytes);
}

void ModuleEmulator::connectNotify(const QMetaMethod &signal)
{
    if (signal == QMetaMethod::fromSignal(&ModuleEmulator::traced))
        tracing = true;
}

void ModuleEmulator::disconnectNotify(const QMetaMethod &signal)
{
    if (signal == QMetaMethod::fromSignal(&ModuleEmulator::traced))
        tracing = isSignalConnected(signal);
}

void ModuleEmulator::committedChanged()
{
    if (stateFile.isEmpty())
        return;
    QString error;
    if (!saveState(error))
        emit traced(QStringLiteral("emu: %1").arg(error));
}

bool ModuleEmulator::setStateFile(const QString &path, QString &error)
{
    stateFile = path;
    if (!QFileInfo::exists(path))
        return saveState(error);
    QSettings s(path, QSettings::IniFormat);
    if (s.status() != QSettings::NoError) {
        error = QStringLiteral("state file %1 is unreadable; factory configuration used").arg(path);
        return false;
    }
    State loaded = factoryState();
    QStringList bad;
    s.beginGroup(QStringLiteral("state"));
    for (const Parameter &p : ModuleParameters::all()) {
        const int row = rowOf(p);
        const QString key = QLatin1String(p.name);
        const bool bandwidth = p.kind == ModuleParameters::AutoBandwidth;
        if (bandwidth) {
            const QString lastKey = QStringLiteral("LastBandwidth%1").arg(bandwidthChannel(p));
            const int last = s.value(lastKey, loaded.value[row]).toInt();
            if (ModuleParameters::positionOf(p, last) >= 0)
                loaded.value[row] = last;
        }
        if (!s.contains(key))
            continue;
        const QString text = s.value(key).toString();
        if (bandwidth && text == QLatin1String("auto")) {
            loaded.automatic[row] = true;
            continue;
        }
        bool ok = false;
        const int v = text.toInt(&ok);
        if (!ok || !isValidValue(p.command, v)
            || (bandwidth && v == ModuleParameters::AutoBandwidthFlag)) {
            bad << key;
            continue;
        }
        loaded.value[row] = v;
        loaded.automatic[row] = false;
    }
    s.endGroup();
    committed = loaded;
    staged = committed;
    if (!bad.isEmpty()) {
        error = QStringLiteral("state file %1: bad values for %2 kept at factory settings")
                    .arg(path, bad.join(QStringLiteral(", ")));
        return false;
    }
    return true;
}

bool ModuleEmulator::saveState(QString &error) const
{
    QSettings s(stateFile, QSettings::IniFormat);
    s.beginGroup(QStringLiteral("state"));
    for (const Parameter &p : ModuleParameters::all()) {
        const int row = rowOf(p);
        const QString key = QLatin1String(p.name);
        if (p.kind == ModuleParameters::AutoBandwidth && committed.automatic[row]) {
            s.setValue(key, QStringLiteral("auto"));
            s.setValue(QStringLiteral("LastBandwidth%1").arg(bandwidthChannel(p)),
                       committed.value[row]);
        } else {
            s.setValue(key, committed.value[row]);
        }
    }
    s.endGroup();
    s.sync();
    if (s.status() != QSettings::NoError) {
        error = QStringLiteral("cannot write state file %1").arg(stateFile);
        return false;
    }
    return true;
}
