#include "inprocesstransport.h"

#include "moduleemulator.h"

#include <QPointer>
#include <QTimer>

InProcessTransport::InProcessTransport(ModuleEmulator *module, QObject *parent)
    : LinkTransport(parent)
    , emulator(module)
{
    connect(emulator, &ModuleEmulator::transmit, this, &LinkTransport::received,
            Qt::QueuedConnection);
}

bool InProcessTransport::open(QString &)
{
    opened = true;
    emit stateChanged(true, description());
    return true;
}

void InProcessTransport::write(const QByteArray &bytes)
{
    QPointer<ModuleEmulator> target(emulator);
    QTimer::singleShot(0, emulator, [target, bytes] {
        if (target)
            target->receive(bytes);
    });
}

QString InProcessTransport::description() const { return QStringLiteral("emulator"); }
