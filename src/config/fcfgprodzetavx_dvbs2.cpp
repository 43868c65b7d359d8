#include "fcfgprodzetavx_dvbs2.h"

FCfgProdZetaVX_DVBS2::FCfgProdZetaVX_DVBS2(QWidget *parent)
    : IForm(QStringLiteral("ZetaVX_DVBS2_CfgProd"), parent)
{
}

void FCfgProdZetaVX_DVBS2::setCommServices(Imsp *m, IServiciosComunes *s)
{
    msp = m;
    services = s;
}

bool FCfgProdZetaVX_DVBS2::dataRcvd(CommProtocol &)
{
    return true;
}

QHash<QString, QVariant> FCfgProdZetaVX_DVBS2::UpdateDataMSP()
{
    return config;
}

void FCfgProdZetaVX_DVBS2::SetDataConfig(QHash<QString, QVariant> hash)
{
    for (auto it = hash.cbegin(); it != hash.cend(); ++it)
        config.insert(it.key(), it.value());
}
