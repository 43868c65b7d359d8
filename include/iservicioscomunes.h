#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

class Imsp;
class CommMsg;

// The host's services for a plug-in. The plug-in reaches them only through the
// table of virtual functions, so the order of the ten operations is binding.
// There is no virtual destructor: a plug-in never deletes its host, and a
// destructor slot would shift the table.
class IServiciosComunes
{
public:
    // Version text of the host application, for an about line.
    virtual QString HostVersion() = 0;
    // Shows a short text in the host's status line above the plug-in's area.
    virtual void ShowStatus(const QString &text) = 0;

    // Sends one frame to the module; false when it could not be sent.
    // Answers come back later through Imsp::DataRcvd.
    virtual bool SendMsg(Imsp *plugin, CommMsg &msg) = 0;

    // True while the link to the module is up.
    virtual bool IsLinkUp() = 0;
    // Human-readable description of the link ("emulator", "tcp 10.0.0.5:5020", ...).
    virtual QString LinkDescription() = 0;

    // The plug-in's window has been scheduled for deletion.
    virtual bool EndModule(const char *moduleId) = 0;
    // Display names and root paths of the media on which files may be read or
    // written, index for index. The selector is always 7 (all media kinds).
    virtual void GetDevices(int selector, QStringList &names, QStringList &paths) = 0;
    // The plug-in's window exists and is about to be shown; mode is always 2.
    virtual bool StartModule(Imsp *plugin, int mode) = 0;

    // Appends a line to the host's event log.
    virtual void LogEvent(const QString &text) = 0;

    // Keeps a module's configuration until the next start (SetDataConfig).
    virtual void StoreDataConfig(const QString &family, const QString &moduleKey,
                                 QHash<QString, QVariant> config)
        = 0;

protected:
    ~IServiciosComunes() = default;
};
