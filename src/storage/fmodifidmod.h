#pragma once

#include "iform.h"

// Placeholder until the module identifier form lands.
class FModifIDMod : public IForm
{
    Q_OBJECT

public:
    explicit FModifIDMod(QWidget *parent = nullptr);

signals:
    void Salir(IForm *item);
    void IDModificado(IForm *item);
};
