// Module answers as the configuration form takes them: level, identity,
// configuration records, status and garbage, delivered without a failure flag
// (a flagged message only raises the modal alert).

#include "commprotocol.h"
#include "fcfgprodzetavx_dvbs2.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_cfgprod";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    // Kept, like the application, until the process ends: a form destroyed by
    // the exit handlers would outlive the Qt globals its widgets created.
    static auto *form = new FCfgProdZetaVX_DVBS2;
    Q_UNUSED(app);

    QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    CommMsg delivered(bytes);
    CommProtocol msg(delivered);
    form->dataRcvd(msg);
    if (form->UpdateDataMSP().size() != 21)
        __builtin_trap();
    return 0;
}
