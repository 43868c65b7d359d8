#pragma once

#include "imsp.h"

#include <QObject>
#include <QPointer>

class MainWindowZetaVX_DVBS2;

// The plug-in's root object, the only object the host talks to.
class MSP_Zeta_VX_DVBS2 : public QObject, public Imsp
{
    Q_OBJECT
    Q_INTERFACES(Imsp)

public:
    MSP_Zeta_VX_DVBS2();

    QString Id() override;
    QString Nombre() override;
    QString Descripcion() override;
    QString Version() override;
    void Run(QWidget *parent) override;
    bool DataRcvd(CommMsg &msg) override;
    void SetDataConfig(QHash<QString, QVariant> config) override;
    bool hayDatosTablaNIT() override;
    bool hayDatosListaServicios() override;
    void SetDataNIT(QHash<QString, QVariant> config, QStringList names, QList<int> ids,
                    QList<int> actives, QString &text) override;
    void SetDataNIT_2xout(QHash<QString, QVariant> config, QStringList names1, QStringList names2,
                          QList<int> ids1, QList<int> ids2, QList<int> actives1,
                          QList<int> actives2, QString &text) override;
    void GetDescriptorsNIT(TransportDesc &desc) override;
    void GetDescriptorsNIT_out2(TransportDesc &desc) override;
    bool GetServicesActivesList(QStringList &names, QList<int> &ids) override;
    bool GetServicesActivesList_out2(QStringList &names, QList<int> &ids) override;
    void SetIServiciosComunes(IServiciosComunes *services) override;
    bool sendNitTable(QByteArray &table, unsigned short networkId, unsigned short section) override;
    bool sendNitPass(unsigned char pass) override;

public slots:
    void Exit();

private:
    IServiciosComunes *host = nullptr;
    // Guarded: the window is also a Qt child of the host's widget, which may
    // delete it first.
    QPointer<MainWindowZetaVX_DVBS2> window;
};
