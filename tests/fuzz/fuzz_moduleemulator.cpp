// The emulator's request decoder: any frame with any link flags gets a
// defined set of replies, and the module's state stays within its ranges.

#include "moduleemulator.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    static ModuleEmulator module;
    const QByteArray frame(reinterpret_cast<const char *>(data) + 1, int(size) - 1);
    module.handleFrame(frame, data[0]);
    // Pieces of a stream, too: the receive path frames and unframes.
    module.receive(frame);
    return 0;
}
