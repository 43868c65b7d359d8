#include "msp_zeta_vx_dvbs2.h"

#include "commprotocol.h"
#include "iservicioscomunes.h"
#include "mainwindowzetavx_dvbs2.h"

namespace {
const char ModuleId[] = "ZetaVX_DVBS2";
// StartModule's mode argument expected by the host.
constexpr int StartMode = 2;
} // namespace

MSP_Zeta_VX_DVBS2::MSP_Zeta_VX_DVBS2() = default;

QString MSP_Zeta_VX_DVBS2::Id() { return QString::fromLatin1(ModuleId); }

QString MSP_Zeta_VX_DVBS2::Nombre() { return tr("Zeta-VX IF Processor DVBS/S2"); }

QString MSP_Zeta_VX_DVBS2::Descripcion() { return tr("Zeta-VX IF Processor DVBS/S2"); }

QString MSP_Zeta_VX_DVBS2::Version() { return QStringLiteral(MSP_VERSION); }

void MSP_Zeta_VX_DVBS2::Run(QWidget *parent)
{
    window = new MainWindowZetaVX_DVBS2(parent, host, this);
    connect(window, &MainWindowZetaVX_DVBS2::Exit, this, &MSP_Zeta_VX_DVBS2::Exit);
    if (host)
        host->StartModule(this, StartMode);
    window->show();
}

void MSP_Zeta_VX_DVBS2::Exit()
{
    // Exit is reached from the window's own signal: delete it only once control
    // is back in the event loop.
    if (window)
        window->deleteLater();
    window = nullptr;
    if (host)
        host->EndModule(ModuleId);
}

bool MSP_Zeta_VX_DVBS2::DataRcvd(CommMsg &msg)
{
    if (!window)
        return false;
    CommProtocol protocol(msg);
    return window->dataRcvd(protocol);
}

void MSP_Zeta_VX_DVBS2::SetDataConfig(QHash<QString, QVariant> config)
{
    if (window)
        window->SetDataConfig(config);
}

bool MSP_Zeta_VX_DVBS2::hayDatosTablaNIT() { return false; }

bool MSP_Zeta_VX_DVBS2::hayDatosListaServicios() { return false; }

void MSP_Zeta_VX_DVBS2::SetDataNIT(QHash<QString, QVariant> config, QStringList names,
                                   QList<int> ids, QList<int> actives, QString &text)
{
    if (window)
        window->SetDataNIT(config, names, ids, actives, text);
}

void MSP_Zeta_VX_DVBS2::SetDataNIT_2xout(QHash<QString, QVariant> config, QStringList names1,
                                         QStringList names2, QList<int> ids1, QList<int> ids2,
                                         QList<int> actives1, QList<int> actives2, QString &text)
{
    if (window)
        window->SetDataNIT_2xout(config, names1, names2, ids1, ids2, actives1, actives2, text);
}

void MSP_Zeta_VX_DVBS2::GetDescriptorsNIT(TransportDesc &desc)
{
    if (window)
        window->GetDescriptorsNIT(desc);
}

void MSP_Zeta_VX_DVBS2::GetDescriptorsNIT_out2(TransportDesc &desc)
{
    if (window)
        window->GetDescriptorsNIT_out2(desc);
}

bool MSP_Zeta_VX_DVBS2::GetServicesActivesList(QStringList &, QList<int> &) { return true; }

bool MSP_Zeta_VX_DVBS2::GetServicesActivesList_out2(QStringList &, QList<int> &) { return true; }

void MSP_Zeta_VX_DVBS2::SetIServiciosComunes(IServiciosComunes *services) { host = services; }

bool MSP_Zeta_VX_DVBS2::sendNitTable(QByteArray &, unsigned short, unsigned short) { return true; }

bool MSP_Zeta_VX_DVBS2::sendNitPass(unsigned char) { return true; }
