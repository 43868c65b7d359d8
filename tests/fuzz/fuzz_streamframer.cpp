// The host's stream framing on a damaged byte stream: whatever arrives, in
// whatever pieces, the decoder accounts for it and re-encodes what it accepted.

#include "streamframer.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const int chunk = 1 + data[0] % 17;
    const QByteArray stream(reinterpret_cast<const char *>(data) + 1, int(size) - 1);
    StreamFramer framer;
    for (int i = 0; i < stream.size(); i += chunk) {
        for (const StreamFramer::Event &e : framer.feed(stream.mid(i, chunk))) {
            if (e.kind != StreamFramer::Event::Frame)
                continue;
            if (e.bytes.isEmpty() || e.bytes.size() > StreamFramer::MaxFrameLength)
                __builtin_trap();
            // An accepted frame survives a round trip unchanged.
            StreamFramer again;
            const auto back = again.feed(StreamFramer::encode(e.bytes, e.flags));
            if (back.size() != 1 || back.first().bytes != e.bytes)
                __builtin_trap();
        }
    }
    while (framer.hasPartial())
        framer.flushPartial();
    return 0;
}
