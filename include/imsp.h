#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtPlugin>

class QWidget;
class QByteArray;
class CommMsg;
class TransportDesc;
class IServiciosComunes;

// The host's view of a module plug-in. The host calls it through the table of
// virtual functions, so the declaration order below is binding.
class Imsp
{
public:
    virtual ~Imsp() { }

    virtual QString Id() = 0;
    virtual QString Nombre() = 0;
    virtual QString Descripcion() = 0;
    virtual QString Version() = 0;
    virtual void Run(QWidget *parent) = 0;
    virtual bool DataRcvd(CommMsg &msg) = 0;
    virtual void SetDataConfig(QHash<QString, QVariant> config) = 0;
    virtual bool hayDatosTablaNIT() = 0;
    virtual bool hayDatosListaServicios() = 0;
    virtual void SetDataNIT(QHash<QString, QVariant> config, QStringList names, QList<int> ids,
                            QList<int> actives, QString &text)
        = 0;
    virtual void SetDataNIT_2xout(QHash<QString, QVariant> config, QStringList names1,
                                  QStringList names2, QList<int> ids1, QList<int> ids2,
                                  QList<int> actives1, QList<int> actives2, QString &text)
        = 0;
    virtual void GetDescriptorsNIT(TransportDesc &desc) = 0;
    virtual void GetDescriptorsNIT_out2(TransportDesc &desc) = 0;
    virtual bool GetServicesActivesList(QStringList &names, QList<int> &ids) = 0;
    virtual bool GetServicesActivesList_out2(QStringList &names, QList<int> &ids) = 0;
    virtual void SetIServiciosComunes(IServiciosComunes *services) = 0;
    virtual bool sendNitTable(QByteArray &table, unsigned short networkId, unsigned short section)
        = 0;
    virtual bool sendNitPass(unsigned char pass) = 0;
};

#define Imsp_iid "com.veltrix.imsp/1.0"
Q_DECLARE_INTERFACE(Imsp, Imsp_iid)
