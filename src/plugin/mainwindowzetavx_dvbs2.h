#pragma once

#include <QHash>
#include <QList>
#include <QStringList>
#include <QVariant>
#include <QWidget>

class QListWidgetItem;
class CommProtocol;
class IForm;
class Imsp;
class IServiciosComunes;
class TransportDesc;
class Ui_FormMainWindowZetaVX_DVBS2;

// The plug-in's top-level widget: owns the stack of forms and decides, from
// the identifier of the form that sent a signal, which form comes next.
//
// Re-entrancy. All of it runs on the GUI thread, but a modal alert
// (FAlertMessage) and a pop-up menu (TitleMenu) run a nested event loop, and so
// does the non-modal alert for its first 100 ms. Inside such a loop:
// - The link's delivery runs: the host calls Imsp::DataRcvd from its event
//   loop, then dataRcvd here passes the message to the configuration form if
//   that is the visible form and drops it otherwise, alert or not. The form's
//   dataRcvd writes only its own fields and labels, so code that opens an
//   alert takes what it needs from the form before the alert.
// - An alert asked for while a modal alert waits (a link failure delivered
//   during a "Comm error" alert) is not shown: the waiting alert keeps its
//   text and its caller's answer, and the new call returns 0 at once.
// - Media signals and timers run. Keys do not reach the forms while a modal
//   alert or a menu is up, so no key handler (F5..F8, Escape) and hence no
//   navigation slot here runs inside another; only the non-modal alert's
//   100 ms (the file browser's "Pasting file") lets keys through.
class MainWindowZetaVX_DVBS2 : public QWidget
{
    Q_OBJECT

public:
    MainWindowZetaVX_DVBS2(QWidget *parent, IServiciosComunes *host, Imsp *plugin);
    ~MainWindowZetaVX_DVBS2() override;

    bool dataRcvd(CommProtocol &msg);
    void SetDataConfig(QHash<QString, QVariant> config);

    bool hayDatosTablaNIT();
    bool hayDatosListaServicios();
    void SetDataNIT(QHash<QString, QVariant> config, QStringList names, QList<int> ids,
                    QList<int> actives, QString &text);
    void SetDataNIT_2xout(QHash<QString, QVariant> config, QStringList names1, QStringList names2,
                          QList<int> ids1, QList<int> ids2, QList<int> actives1,
                          QList<int> actives2, QString &text);
    void GetDescriptorsNIT(TransportDesc &desc);
    void GetDescriptorsNIT_out2(TransportDesc &desc);
    bool GetServicesActivesList(QStringList &names, QList<int> &ids);
    bool GetServicesActivesList_out2(QStringList &names, QList<int> &ids);

signals:
    void Exit();

public slots:
    void MainMenu(QListWidgetItem *item);
    void Salir(IForm *form);
    void Aceptar(IForm *form);
    void Cancelar(IForm *form);
    void PresentaFichLect(IForm *form);
    void PresentaFichEsc(IForm *form);
    void Gestionar(IForm *form);
    void SelecModulos(IForm *form);

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    template<class Form> Form *requireForm(const QString &formId, const char *missingMessage);
    void showForm(const QString &formId);
    void focusCurrentForm();
    void storeConfigWithHost();
    void startBrowse(int function);
    QString chosenFilePath() const;
    void saveConfigToFile();
    void loadConfigFromFile();
    void runSpecialFunction();
    int alert(const QString &title, const QString &message, int buttons, int icon);

    Ui_FormMainWindowZetaVX_DVBS2 *ui;
    IServiciosComunes *host;
    Imsp *plugin;
};
