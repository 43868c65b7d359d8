#include "moduleemulator.h"

#include "commprotocol.h"
#include "linkframetext.h"

#include <QFileInfo>
#include <QMetaMethod>
#include <QSettings>

#include <cmath>

namespace {
constexpr int FirstSet = CommProtocol::LNB1;
constexpr int LastSet = CommProtocol::OutputAttenuation2;
// Records of the bandwidths carry bit 7 for automatic bandwidth.
constexpr int AutoBandwidth = 0x80;

const std::array<int, 36> bandwidths1 {{6,  8,  10, 12, 14, 16, 18, 20, 22, 24,  26,  28,
                                        30, 32, 34, 36, 38, 40, 42, 44, 46, 48,  50,  54,
                                        56, 58, 60, 62, 64, 72, 84, 86, 90, 100, 106, 124}};
const std::array<int, 36> bandwidths2 {{6,  8,  10, 12, 14, 16, 18, 20, 22, 24,  26,  28,
                                        30, 32, 34, 36, 38, 40, 42, 44, 46, 48,  50,  54,
                                        56, 58, 60, 62, 64, 68, 84, 86, 90, 100, 106, 124}};

int indexOf(const std::array<int, 36> &list, int mhz)
{
    for (int i = 0; i < int(list.size()); ++i)
        if (list[i] == mhz)
            return i;
    return -1;
}

int bandwidthChannel(int command)
{
    return command == CommProtocol::InputBandwidth1 ? 1
        : command == CommProtocol::InputBandwidth2  ? 2
                                                    : 0;
}

int be16(const char *p)
{
    return (static_cast<unsigned char>(p[0]) << 8) | static_cast<unsigned char>(p[1]);
}

const char *stateKey(int command) { return LinkFrameText::commandName(command); }
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
    State s;
    s.value[CommProtocol::NumInputs] = 1;
    s.value[CommProtocol::C1Activate] = 1;
    s.value[CommProtocol::C2Activate] = 1;
    s.value[CommProtocol::LNB1] = 1;
    s.value[CommProtocol::LNB2] = 1;
    s.value[CommProtocol::Band1] = 1;
    s.value[CommProtocol::Band2] = 0;
    s.value[CommProtocol::Pol1] = 1;
    s.value[CommProtocol::Pol2] = 0;
    s.value[CommProtocol::InputFreq1] = 1550;
    s.value[CommProtocol::InputFreq2] = 1210;
    s.value[CommProtocol::InputSRate1] = 27500;
    s.value[CommProtocol::InputSRate2] = 22000;
    s.value[CommProtocol::RollOff1] = 0;
    s.value[CommProtocol::RollOff2] = 1;
    s.value[CommProtocol::InputBandwidth1] = 36;
    s.value[CommProtocol::InputBandwidth2] = 36;
    s.value[CommProtocol::OutputFreq1] = 1100;
    s.value[CommProtocol::OutputFreq2] = 1300;
    s.value[CommProtocol::OutputAttenuation1] = 0;
    s.value[CommProtocol::OutputAttenuation2] = 3;
    s.autoBw = {{true, true}};
    return s;
}

const std::array<int, 36> &ModuleEmulator::bandwidthList(int channel)
{
    return channel == 2 ? bandwidths2 : bandwidths1;
}

int ModuleEmulator::payloadSize(int command)
{
    switch (command) {
    case CommProtocol::InputFreq1:
    case CommProtocol::InputFreq2:
    case CommProtocol::InputSRate1:
    case CommProtocol::InputSRate2:
    case CommProtocol::OutputFreq1:
    case CommProtocol::OutputFreq2:
        return 2;
    default:
        return command >= FirstSet && command <= LastSet ? 1 : 0;
    }
}

bool ModuleEmulator::isValidValue(int command, int value)
{
    switch (command) {
    case CommProtocol::InputFreq1:
    case CommProtocol::InputFreq2:
    case CommProtocol::OutputFreq1:
    case CommProtocol::OutputFreq2:
        return value >= 950 && value <= 2150;
    case CommProtocol::InputSRate1:
    case CommProtocol::InputSRate2:
        return value >= 1000 && value <= 45000;
    case CommProtocol::RollOff1:
    case CommProtocol::RollOff2:
        return value >= 0 && value <= 2;
    case CommProtocol::OutputAttenuation1:
    case CommProtocol::OutputAttenuation2:
        return value >= 0 && value <= 20;
    case CommProtocol::InputBandwidth1:
    case CommProtocol::InputBandwidth2:
        return value == AutoBandwidth
            || indexOf(bandwidthList(bandwidthChannel(command)), value) >= 0;
    default:
        return command >= FirstSet && command <= LastSet && (value == 0 || value == 1);
    }
}

QByteArray ModuleEmulator::header(int command)
{
    const char bytes[4] = {char(CommProtocol::RecordTag >> 8), char(CommProtocol::RecordTag),
                           char(command >> 8), char(command)};
    return QByteArray(bytes, 4);
}

bool ModuleEmulator::applySet(State &target, int command, const QByteArray &payload)
{
    const int size = payloadSize(command);
    if (payload.size() < size)
        return false;
    const int v = size == 2 ? be16(payload.constData()) : static_cast<unsigned char>(payload.at(0));
    if (!isValidValue(command, v))
        return false;
    if (const int ch = bandwidthChannel(command)) {
        target.autoBw[ch - 1] = v == AutoBandwidth;
        if (v != AutoBandwidth)
            target.value[command] = v;
    } else {
        target.value[command] = v;
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
    const QByteArray payload = frame.mid(4);
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

    if (command >= FirstSet && command <= LastSet) {
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
        answer.buildGetStatusResponse(
            (committed.value[CommProtocol::C1Activate] && levelCode(1) == 0)
            || (committed.value[CommProtocol::C2Activate] && levelCode(2) == 0));
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
    for (int command = FirstSet; command <= LastSet; ++command) {
        p.pushShort(CommProtocol::RecordTag);
        p.pushShort(static_cast<unsigned short>(command));
        int v = committed.value[command];
        if (const int ch = bandwidthChannel(command)) {
            // Automatic bandwidth is reported with the list position of the
            // last manual bandwidth in bits 0..6.
            if (committed.autoBw[ch - 1])
                v = AutoBandwidth | qMax(0, indexOf(bandwidthList(ch), v));
        }
        if (payloadSize(command) == 2)
            p.pushShort(static_cast<unsigned short>(v));
        else
            p.pushByte(static_cast<unsigned char>(v));
    }
    p.buildGetAllCfgResponse();
    return p.msgData;
}

QHash<QString, QVariant> ModuleEmulator::configHash() const
{
    const auto &v = committed.value;
    auto bw = [this](int ch) {
        if (committed.autoBw[ch - 1])
            return 255;
        return indexOf(bandwidthList(ch), committed.value[CommProtocol::InputBandwidth1 + ch - 1]);
    };
    return {
        {QStringLiteral("Entradas"), v[CommProtocol::NumInputs]},
        {QStringLiteral("C1_Act"), v[CommProtocol::C1Activate]},
        {QStringLiteral("C2_Act"), v[CommProtocol::C2Activate]},
        {QStringLiteral("LNB_1"), v[CommProtocol::LNB1]},
        {QStringLiteral("LNB_2"), v[CommProtocol::LNB2]},
        {QStringLiteral("Banda_1"), v[CommProtocol::Band1]},
        {QStringLiteral("Banda_2"), v[CommProtocol::Band2]},
        {QStringLiteral("Pol_1"), v[CommProtocol::Pol1]},
        {QStringLiteral("Pol_2"), v[CommProtocol::Pol2]},
        {QStringLiteral("Freq1_Input"), QString::number(v[CommProtocol::InputFreq1])},
        {QStringLiteral("Freq2_Input"), QString::number(v[CommProtocol::InputFreq2])},
        {QStringLiteral("SRate_1"), QString::number(v[CommProtocol::InputSRate1])},
        {QStringLiteral("SRate_2"), QString::number(v[CommProtocol::InputSRate2])},
        {QStringLiteral("RollOff_1"), v[CommProtocol::RollOff1]},
        {QStringLiteral("RollOff_2"), v[CommProtocol::RollOff2]},
        {QStringLiteral("BW_1"), bw(1)},
        {QStringLiteral("BW_2"), bw(2)},
        {QStringLiteral("Freq1_Output"), QString::number(v[CommProtocol::OutputFreq1])},
        {QStringLiteral("Freq2_Output"), QString::number(v[CommProtocol::OutputFreq2])},
        {QStringLiteral("Atten_1"), v[CommProtocol::OutputAttenuation1]},
        {QStringLiteral("Atten_2"), v[CommProtocol::OutputAttenuation2]},
    };
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
    const auto &v = committed.value;
    if (input == 2 && v[CommProtocol::NumInputs] == 0)
        return 0;
    const int lnb = input == 1 ? CommProtocol::LNB1 : CommProtocol::LNB2;
    if (!v[lnb])
        return 0;
    // The high band and the horizontal polarisation carry a little less
    // power on the simulated dish.
    double level = rf[input - 1];
    if (v[input == 1 ? CommProtocol::Band1 : CommProtocol::Band2])
        level -= 2.0;
    if (v[input == 1 ? CommProtocol::Pol1 : CommProtocol::Pol2])
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
    for (int command = FirstSet; command <= LastSet; ++command) {
        const QString key = QLatin1String(stateKey(command));
        if (!s.contains(key))
            continue;
        const QString text = s.value(key).toString();
        bool ok = false;
        int v = text.toInt(&ok);
        if (const int ch = bandwidthChannel(command)) {
            if (text == QLatin1String("auto")) {
                loaded.autoBw[ch - 1] = true;
                continue;
            }
            loaded.autoBw[ch - 1] = false;
        }
        if (!ok || !isValidValue(command, v) || v == AutoBandwidth) {
            bad << key;
            continue;
        }
        loaded.value[command] = v;
    }
    for (int ch = 1; ch <= 2; ++ch) {
        const QString key = QStringLiteral("LastBandwidth%1").arg(ch);
        const int v = s.value(key, loaded.value[CommProtocol::InputBandwidth1 + ch - 1]).toInt();
        if (indexOf(bandwidthList(ch), v) >= 0 && loaded.autoBw[ch - 1])
            loaded.value[CommProtocol::InputBandwidth1 + ch - 1] = v;
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
    for (int command = FirstSet; command <= LastSet; ++command) {
        const int ch = bandwidthChannel(command);
        if (ch && committed.autoBw[ch - 1]) {
            s.setValue(QLatin1String(stateKey(command)), QStringLiteral("auto"));
            s.setValue(QStringLiteral("LastBandwidth%1").arg(ch), committed.value[command]);
        } else {
            s.setValue(QLatin1String(stateKey(command)), committed.value[command]);
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
