#pragma once

#include "iform.h"

#include <QHash>
#include <QVariant>

class Imsp;
class IServiciosComunes;
class CommProtocol;

// Placeholder until the configuration form lands: identifier, signals and the
// operations the main window calls.
class FCfgProdZetaVX_DVBS2 : public IForm
{
    Q_OBJECT

public:
    explicit FCfgProdZetaVX_DVBS2(QWidget *parent = nullptr);

    void setCommServices(Imsp *msp, IServiciosComunes *services);
    bool dataRcvd(CommProtocol &msg);
    QHash<QString, QVariant> UpdateDataMSP();
    void SetDataConfig(QHash<QString, QVariant> hash);

signals:
    void Salir(IForm *form);
    void PresentaFichLect(IForm *form);
    void PresentaFichEsc(IForm *form);

private:
    QHash<QString, QVariant> config;
    IServiciosComunes *services = nullptr;
    Imsp *msp = nullptr;
};
