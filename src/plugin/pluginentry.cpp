// The two C entry points through which a host loads the plug-in.

#include "msp_zeta_vx_dvbs2.h"

#include <QPointer>

namespace {
// Cleared by Qt when the host deletes the object, so the next call builds a new one.
QPointer<QObject> &instanceGuard()
{
    static QPointer<QObject> instance;
    return instance;
}
} // namespace

extern "C" Q_DECL_EXPORT const char *qt_plugin_query_verification_data()
{
    return "pattern=QT_PLUGIN_VERIFICATION_DATA\n"
           "version=4.5.0\n"
           "debug=false\n"
           "buildkey=arm linux norvane full-config";
}

extern "C" Q_DECL_EXPORT QObject *qt_plugin_instance()
{
    QPointer<QObject> &instance = instanceGuard();
    if (!instance)
        instance = new MSP_Zeta_VX_DVBS2;
    return instance.data();
}
