#pragma once

#include "iform.h"

class QListWidgetItem;

// Placeholder until the main menu lands: carries its identifier and signals.
class FMainMenuZetaVX_DVBS2 : public IForm
{
    Q_OBJECT

public:
    explicit FMainMenuZetaVX_DVBS2(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;

signals:
    void Salir(IForm *form);
    void Seleccionado(QListWidgetItem *item);
};
