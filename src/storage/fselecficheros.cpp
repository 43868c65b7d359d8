#include "fselecficheros.h"

FSelecFicheros::FSelecFicheros(QWidget *parent)
    : IForm(QStringLiteral("SelecFicheros"), parent)
{
}

bool FSelecFicheros::setFunctionAndOrigin(int f, const QStringList &, const QStringList &paths)
{
    function = f;
    pathFicheros = paths.size() == 1 ? paths.first() : QString();
    return true;
}

int FSelecFicheros::getTipoFichero()
{
    return fichSelec.size() >= 5 && fichSelec.endsWith(QLatin1String(".cfi")) ? 0 : -1;
}
