#pragma once

#include "linktransport.h"

class ModuleEmulator;

// The link to an emulator inside the host process. Bytes still travel through
// the stream framing and are delivered from the event loop, never within the
// write call, as on a real line.
class InProcessTransport : public LinkTransport
{
    Q_OBJECT

public:
    explicit InProcessTransport(ModuleEmulator *module, QObject *parent = nullptr);

    bool open(QString &error) override;
    bool isOpen() const override { return opened; }
    void write(const QByteArray &bytes) override;
    QString description() const override;

    ModuleEmulator *module() const { return emulator; }

private:
    ModuleEmulator *emulator;
    bool opened = false;
};
