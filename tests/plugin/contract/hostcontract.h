#pragma once

// The plug-in contract as a separately built host declares it: written apart
// from the plug-in's own headers, so a change of layout on either side shows.

#include <QtPlugin>
#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QVariant>

class QWidget;
class TransportDesc;
class IServiciosComunes;

class CommMsg
{
public:
    QByteArray msgData;
    qint32 linkParam = 3;
    qint32 expectedAnswer = 0;
    bool linkSwitch = false;
    qint32 answerTimeoutMs = 10000;
    bool linkFlags[8] = {false, false, false, true, true, false, false, false};

    virtual void clearMsgData() { *this = CommMsg(); }
};

class Imsp
{
public:
    virtual ~Imsp() { }
    virtual QString Id() = 0;
    virtual QString Nombre() = 0;
    virtual QString Descripcion() = 0;
    virtual QString Version() = 0;
    virtual void Run(QWidget *) = 0;
    virtual bool DataRcvd(CommMsg &) = 0;
    virtual void SetDataConfig(QHash<QString, QVariant>) = 0;
    virtual bool hayDatosTablaNIT() = 0;
    virtual bool hayDatosListaServicios() = 0;
    virtual void SetDataNIT(QHash<QString, QVariant>, QStringList, QList<int>, QList<int>,
                            QString &)
        = 0;
    virtual void SetDataNIT_2xout(QHash<QString, QVariant>, QStringList, QStringList, QList<int>,
                                  QList<int>, QList<int>, QList<int>, QString &)
        = 0;
    virtual void GetDescriptorsNIT(TransportDesc &) = 0;
    virtual void GetDescriptorsNIT_out2(TransportDesc &) = 0;
    virtual bool GetServicesActivesList(QStringList &, QList<int> &) = 0;
    virtual bool GetServicesActivesList_out2(QStringList &, QList<int> &) = 0;
    virtual void SetIServiciosComunes(IServiciosComunes *) = 0;
    virtual bool sendNitTable(QByteArray &, unsigned short, unsigned short) = 0;
    virtual bool sendNitPass(unsigned char) = 0;
};
Q_DECLARE_INTERFACE(Imsp, "com.veltrix.imsp/1.0")

class IServiciosComunes
{
public:
    virtual QString HostVersion() = 0;
    virtual void ShowStatus(const QString &) = 0;
    virtual bool SendMsg(Imsp *, CommMsg &) = 0;
    virtual bool IsLinkUp() = 0;
    virtual QString LinkDescription() = 0;
    virtual bool EndModule(const char *) = 0;
    virtual void GetDevices(int, QStringList &, QStringList &) = 0;
    virtual bool StartModule(Imsp *, int) = 0;
    virtual void LogEvent(const QString &) = 0;
    virtual void StoreDataConfig(const QString &, const QString &, QHash<QString, QVariant>) = 0;

protected:
    ~IServiciosComunes() = default;
};
