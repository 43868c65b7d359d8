#include "fmodifidmod.h"

FModifIDMod::FModifIDMod(QWidget *parent)
    : IForm(QStringLiteral("ModifIDMod"), parent)
{
}
