#include "fselecmodulos.h"

FSelecModulos::FSelecModulos(QWidget *parent)
    : IForm(QStringLiteral("SelecModulos"), parent)
{
}

void FSelecModulos::setFunction(int f, QString &file, QString &family)
{
    function = f;
    fileName = file;
    familyFilter = family;
}
