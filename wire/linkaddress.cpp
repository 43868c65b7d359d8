#include "linkaddress.h"

#include "serialtransport.h"
#include "tcptransport.h"

bool LinkAddress::parse(const QString &text, LinkAddress &address, QString &error)
{
    address = LinkAddress();
    if (text == QLatin1String("emulator"))
        return true;
    if (text.startsWith(QLatin1String("tcp:"))) {
        const int colon = text.lastIndexOf(QLatin1Char(':'));
        bool ok = false;
        const int port = text.mid(colon + 1).toInt(&ok);
        QString host = text.mid(4, colon - 4);
        // An IPv6 address comes in brackets: tcp:[::1]:5033.
        if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
            host = host.mid(1, host.size() - 2);
        if (colon <= 4 || !ok || port <= 0 || port > 65535 || host.isEmpty()) {
            error = QStringLiteral("bad link \"%1\": expected tcp:HOST:PORT or tcp:[IPv6]:PORT")
                        .arg(text);
            return false;
        }
        address.kind = Tcp;
        address.host = host;
        address.port = static_cast<quint16>(port);
        return true;
    }
    if (text.startsWith(QLatin1String("serial:"))) {
        address.kind = Serial;
        address.device = text.mid(7);
        const int at = address.device.lastIndexOf(QLatin1Char('@'));
        if (at >= 0) {
            bool ok = false;
            address.baud = address.device.mid(at + 1).toInt(&ok);
            address.device.truncate(at);
            if (!ok || address.baud <= 0) {
                error = QStringLiteral("bad baud rate in \"%1\"").arg(text);
                return false;
            }
        }
        if (address.device.isEmpty()) {
            error = QStringLiteral("bad link \"%1\": expected serial:DEVICE[@BAUD]").arg(text);
            return false;
        }
        return true;
    }
    error
        = QStringLiteral("unknown link \"%1\": use emulator, tcp:HOST:PORT or serial:DEVICE[@BAUD]")
              .arg(text);
    return false;
}

LinkTransport *LinkAddress::createTransport() const
{
    switch (kind) {
    case Tcp:
        return new TcpTransport(host, port);
    case Serial:
        return new SerialTransport(device, baud);
    case Emulator:
        break;
    }
    return nullptr;
}
