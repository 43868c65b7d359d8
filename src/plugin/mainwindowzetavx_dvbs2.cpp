#include "mainwindowzetavx_dvbs2.h"

#include "commprotocol.h"
#include "configdata.h"
#include "falertmessage.h"
#include "fcfgprodzetavx_dvbs2.h"
#include "ffuncespeciales.h"
#include "fmainmenuzetavx_dvbs2.h"
#include "fselecficheros.h"
#include "fselecmodulos.h"
#include "imsp.h"
#include "iservicioscomunes.h"
#include "ui_mainwindowzetavx_dvbs2.h"

#include <QApplication>
#include <QDebug>
#include <QListWidgetItem>

namespace {
// Form identifiers and menu keys are compared by code and never translated.
const QString MainMenuId = QStringLiteral("ZetaVX_DVBS2_MainMenu");
const QString CfgProdId = QStringLiteral("ZetaVX_DVBS2_CfgProd");
const QString FuncEspecialesId = QStringLiteral("FuncionesEspeciales");
const QString SelecFicherosId = QStringLiteral("SelecFicheros");
const QString SelecModulosId = QStringLiteral("SelecModulos");
const QString ConfigProdKey = QStringLiteral("ZetaVX_DVBS2_ConfigProd");
const QString FuncionesEspecialesKey = QStringLiteral("ZetaVX_DVBS2_FuncionesEspeciales");
const QString Family = QStringLiteral("ZetaVX_DVBS2");

// Browser and module-list function codes.
enum { BrowseWrite = 16, BrowseRead = 32, ModulesSave = 2, ModulesLoad = 4 };
// Media selector of GetDevices: every kind of medium.
constexpr int AllMedia = 7;
constexpr int ResetToFactoryCode = 40817;
} // namespace

MainWindowZetaVX_DVBS2::MainWindowZetaVX_DVBS2(QWidget *parent, IServiciosComunes *services,
                                               Imsp *msp)
    : QWidget(parent, Qt::WindowFlags())
    , ui(new Ui_FormMainWindowZetaVX_DVBS2)
    , host(services)
    , plugin(msp)
{
    ui->setupUi(this);

    using Window = MainWindowZetaVX_DVBS2;
    auto *menu = requireForm<FMainMenuZetaVX_DVBS2>(
        MainMenuId, QT_TR_NOOP("MainMenu form not defined on ZetaVX_DVBS2"));
    connect(menu, &FMainMenuZetaVX_DVBS2::Seleccionado, this, &Window::MainMenu);
    connect(menu, &FMainMenuZetaVX_DVBS2::Salir, this, &Window::Salir);

    auto *cfg = requireForm<FCfgProdZetaVX_DVBS2>(
        CfgProdId, QT_TR_NOOP("CfgProd form not defined on ZetaVX_DVBS2"));
    connect(cfg, &FCfgProdZetaVX_DVBS2::Salir, this, &Window::Salir);
    connect(cfg, &FCfgProdZetaVX_DVBS2::PresentaFichEsc, this, &Window::PresentaFichEsc);
    connect(cfg, &FCfgProdZetaVX_DVBS2::PresentaFichLect, this, &Window::PresentaFichLect);
    cfg->setCommServices(plugin, host);

    auto *special = requireForm<FFuncEspeciales>(
        FuncEspecialesId, QT_TR_NOOP("Special functions form not defined on ZetaVX_DVBS2"));
    connect(special, &FFuncEspeciales::Aceptar, this, &Window::Aceptar);
    connect(special, &FFuncEspeciales::Cancelar, this, &Window::Cancelar);

    auto *browser = requireForm<FSelecFicheros>(
        SelecFicherosId, QT_TR_NOOP("File Management form not defined on ZetaVX_DVBS2"));
    connect(browser, &FSelecFicheros::Salir, this, &Window::Salir);
    connect(browser, &FSelecFicheros::Aceptar, this, &Window::Aceptar);

    auto *modules = requireForm<FSelecModulos>(
        SelecModulosId, QT_TR_NOOP("Modules Management form not defined on ZetaVX_DVBS2"));
    connect(modules, &FSelecModulos::Seleccionado, this, &Window::SelecModulos);
    connect(modules, &FSelecModulos::Salir, this, &Window::Salir);

    showForm(MainMenuId);
}

MainWindowZetaVX_DVBS2::~MainWindowZetaVX_DVBS2() { delete ui; }

// A form of another class under the identifier counts as missing.
template<class Form>
Form *MainWindowZetaVX_DVBS2::requireForm(const QString &formId, const char *missingMessage)
{
    auto *form = qobject_cast<Form *>(ui->StackedForm->form(formId));
    if (!form)
        qFatal("%s", tr(missingMessage).toLatin1().constData());
    return form;
}

void MainWindowZetaVX_DVBS2::showForm(const QString &formId)
{
    ui->StackedForm->setCurrentForm(formId);
    focusCurrentForm();
}

// The device's host gives the plug-in no focus and routes keys only to the
// focus widget, so the form shown takes the focus itself: on the field that
// last had it, else on its first field.
void MainWindowZetaVX_DVBS2::focusCurrentForm()
{
    QWidget *form = ui->StackedForm->currentWidget();
    if (!form || !isVisible())
        return;
    const auto takesKeys = [form](QWidget *w) {
        return w && w != form && form->isAncestorOf(w) && w->isVisibleTo(form) && w->isEnabled()
            && (w->focusPolicy() & Qt::TabFocus);
    };
    if (takesKeys(QApplication::focusWidget()))
        return;
    QWidget *field = form->focusWidget();
    for (QWidget *w = form->nextInFocusChain(); !takesKeys(field) && w != form;
         w = w->nextInFocusChain())
        field = w;
    if (takesKeys(field))
        field->setFocus(Qt::OtherFocusReason);
}

void MainWindowZetaVX_DVBS2::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    focusCurrentForm();
}

int MainWindowZetaVX_DVBS2::alert(const QString &title, const QString &message, int buttons,
                                  int icon)
{
    return FAlertMessage::getInstance()->showDialog(this, title, message, buttons, icon, true);
}

bool MainWindowZetaVX_DVBS2::dataRcvd(CommProtocol &msg)
{
    auto *cfg = qobject_cast<FCfgProdZetaVX_DVBS2 *>(ui->StackedForm->currentWidget());
    return cfg ? cfg->dataRcvd(msg) : false;
}

void MainWindowZetaVX_DVBS2::SetDataConfig(QHash<QString, QVariant> config)
{
    static_cast<FCfgProdZetaVX_DVBS2 *>(ui->StackedForm->form(CfgProdId))->SetDataConfig(config);
}

// This product takes no part in NIT generation: fixed answers, nothing changed.
bool MainWindowZetaVX_DVBS2::hayDatosTablaNIT() { return false; }
bool MainWindowZetaVX_DVBS2::hayDatosListaServicios() { return false; }
void MainWindowZetaVX_DVBS2::SetDataNIT(QHash<QString, QVariant>, QStringList, QList<int>,
                                        QList<int>, QString &)
{ }
void MainWindowZetaVX_DVBS2::SetDataNIT_2xout(QHash<QString, QVariant>, QStringList, QStringList,
                                              QList<int>, QList<int>, QList<int>, QList<int>,
                                              QString &)
{ }
void MainWindowZetaVX_DVBS2::GetDescriptorsNIT(TransportDesc &) { }
void MainWindowZetaVX_DVBS2::GetDescriptorsNIT_out2(TransportDesc &) { }
bool MainWindowZetaVX_DVBS2::GetServicesActivesList(QStringList &, QList<int> &) { return true; }
bool MainWindowZetaVX_DVBS2::GetServicesActivesList_out2(QStringList &, QList<int> &)
{
    return true;
}

void MainWindowZetaVX_DVBS2::MainMenu(QListWidgetItem *item)
{
    if (!item)
        return;
    const QString key = item->data(Qt::WhatsThisRole).toString();
    qDebug() << "Main menu item" << item->text() << key;
    if (key == ConfigProdKey)
        showForm(CfgProdId);
    else if (key == FuncionesEspecialesKey)
        showForm(FuncEspecialesId);
}

void MainWindowZetaVX_DVBS2::Salir(IForm *form)
{
    if (!form)
        return;
    const QString &id = form->formId;
    if (id == MainMenuId) {
        emit Exit();
    } else if (id == CfgProdId) {
        storeConfigWithHost();
    } else if (id == SelecFicherosId) {
        showForm(CfgProdId);
    } else if (id == SelecModulosId) {
        showForm(SelecFicherosId);
    }
}

void MainWindowZetaVX_DVBS2::storeConfigWithHost()
{
    auto *cfg = static_cast<FCfgProdZetaVX_DVBS2 *>(ui->StackedForm->form(CfgProdId));
    if (host)
        host->StoreDataConfig(Family, Family, cfg->UpdateDataMSP());
    showForm(MainMenuId);
}

void MainWindowZetaVX_DVBS2::PresentaFichLect(IForm *) { startBrowse(BrowseRead); }

void MainWindowZetaVX_DVBS2::PresentaFichEsc(IForm *) { startBrowse(BrowseWrite); }

void MainWindowZetaVX_DVBS2::startBrowse(int function)
{
    QStringList names;
    QStringList paths;
    if (host)
        host->GetDevices(AllMedia, names, paths);
    auto *browser = static_cast<FSelecFicheros *>(ui->StackedForm->form(SelecFicherosId));
    if (browser->setFunctionAndOrigin(function, names, paths))
        showForm(SelecFicherosId);
}

void MainWindowZetaVX_DVBS2::Aceptar(IForm *form)
{
    if (!form)
        return;
    if (form->formId == SelecFicherosId) {
        auto *browser = static_cast<FSelecFicheros *>(form);
        const int function = browser->getFunction();
        if ((function == BrowseWrite || function == BrowseRead) && browser->getTipoFichero() == 0)
            Gestionar(browser);
    } else if (form->formId == FuncEspecialesId) {
        runSpecialFunction();
    }
}

void MainWindowZetaVX_DVBS2::Cancelar(IForm *form)
{
    if (form && form->formId == FuncEspecialesId)
        showForm(MainMenuId);
}

QString MainWindowZetaVX_DVBS2::chosenFilePath() const
{
    const auto *browser = static_cast<FSelecFicheros *>(ui->StackedForm->form(SelecFicherosId));
    return browser->getPathFicheros() + QLatin1Char('/') + browser->getFichSelec();
}

void MainWindowZetaVX_DVBS2::Gestionar(IForm *form)
{
    if (!form || form->formId != SelecFicherosId)
        return;
    auto *browser = static_cast<FSelecFicheros *>(form);
    auto *modules = static_cast<FSelecModulos *>(ui->StackedForm->form(SelecModulosId));
    QString path = chosenFilePath();
    QString family = Family;
    // Saving lists every module of the file, whatever its family, so that any
    // of them can be overwritten; loading lists only this product's modules.
    if (browser->getFunction() == BrowseWrite) {
        family.clear();
        modules->setFunction(ModulesSave, path, family);
    } else if (browser->getFunction() == BrowseRead) {
        modules->setFunction(ModulesLoad, path, family);
    }
    modules->setQuienMeLLama(SelecFicherosId);
    showForm(SelecModulosId);
}

void MainWindowZetaVX_DVBS2::SelecModulos(IForm *form)
{
    if (!form || form->formId != SelecModulosId)
        return;
    const int function = static_cast<FSelecModulos *>(form)->getFunction();
    if (function == ModulesSave)
        saveConfigToFile();
    else if (function == ModulesLoad)
        loadConfigFromFile();
    showForm(CfgProdId);
}

void MainWindowZetaVX_DVBS2::saveConfigToFile()
{
    auto *modules = static_cast<FSelecModulos *>(ui->StackedForm->form(SelecModulosId));
    auto *cfg = static_cast<FCfgProdZetaVX_DVBS2 *>(ui->StackedForm->form(CfgProdId));
    const QString module = modules->getModSeleccionado();
    const QString path = chosenFilePath();
    QHash<QString, QVariant> hash = cfg->UpdateDataMSP();
    QStringList names;
    QList<int> ids;
    QList<int> actives;

    if (alert(tr("Data writing"), tr("Writing config data") + QStringLiteral("\r\n\t"),
              FAlertMessage::ButtonOkEsc, FAlertMessage::IconInfo)
        != 1)
        return;
    ConfigData data;
    if (data.writeDataPlusServices(path, module, Family, hash, names, ids, actives))
        alert(tr("Data writed"), tr("Config data saved") + QStringLiteral(" \r\n\t"),
              FAlertMessage::ButtonOk, FAlertMessage::IconDone);
    else
        alert(tr("Data writed"), tr("Config data save error") + QStringLiteral(" \r\n\t"),
              FAlertMessage::ButtonOk, FAlertMessage::IconError);
}

void MainWindowZetaVX_DVBS2::loadConfigFromFile()
{
    auto *modules = static_cast<FSelecModulos *>(ui->StackedForm->form(SelecModulosId));
    auto *cfg = static_cast<FCfgProdZetaVX_DVBS2 *>(ui->StackedForm->form(CfgProdId));
    QHash<QString, QVariant> hash;
    ConfigData data;
    if (!data.readData(chosenFilePath(), modules->getModSeleccionado(), hash)) {
        alert(tr("Data reading"), tr("Data read error"), FAlertMessage::ButtonOk,
              FAlertMessage::IconError);
        return;
    }
    cfg->SetDataConfig(hash);
    alert(tr("Data reading"), tr("Data Correctly read"), FAlertMessage::ButtonOk,
          FAlertMessage::IconDone);
}

void MainWindowZetaVX_DVBS2::runSpecialFunction()
{
    auto *special = static_cast<FFuncEspeciales *>(ui->StackedForm->form(FuncEspecialesId));
    QString code;
    QString data;
    special->getSpecialFunctionData(code, data);
    // Not a number reads as 0; leading zeros compare by value.
    if (code.toInt(nullptr, 10) != ResetToFactoryCode) {
        alert(tr("Input error"), tr("Unknown function code") + QStringLiteral("\n\t"),
              FAlertMessage::ButtonOk, FAlertMessage::IconError);
        return;
    }
    CommProtocol request;
    request.buildResetToFactoryConfiguration();
    if (!host || !host->SendMsg(plugin, request))
        alert(tr("Comm error"), tr("Transmission error") + QStringLiteral("\n\t"),
              FAlertMessage::ButtonOk, FAlertMessage::IconError);
}

void MainWindowZetaVX_DVBS2::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(QCoreApplication::translate("FormMainWindowZetaVX_DVBS2", "Form"));
        ui->FuncEspeciales->setWhatsThis(QCoreApplication::translate(
            "FormMainWindowZetaVX_DVBS2", "ZetaVX_DVBS2_FuncionesEspeciales"));
    }
    QWidget::changeEvent(event);
}
