// Module frames as a receiver takes them apart: tag, command, then every kind
// of pop the answers use, until the bytes run out.

#include "commprotocol.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    CommMsg delivered(bytes);
    delivered.linkFlags[1] = size > 0 && (data[0] & 1);
    CommProtocol msg(delivered);
    msg.popShort(true);
    const unsigned short command = msg.getCurrentRxCmd();
    bool flag = false;
    int guard = 0;
    while (!msg.getMsgData().isEmpty() && ++guard < 4096) {
        switch ((command + guard) % 6) {
        case 0:
            msg.popByte(true);
            break;
        case 1:
            msg.popShort(true);
            break;
        case 2:
            msg.popInt(true, guard % 5);
            break;
        case 3:
            msg.popString(static_cast<unsigned char>(guard));
            break;
        case 4:
            msg.getVXStatusInfo(flag);
            break;
        default:
            msg.popString(0);
            break;
        }
    }
    // Building on a wrapped message must stay consistent too.
    msg.pushString(QString::fromLatin1(bytes.left(300)));
    msg.buildGetAllCfgResponse();
    return 0;
}
