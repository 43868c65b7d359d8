#pragma once

#include "deferredui.h"
#include "iform.h"
#include "moduleparameters.h"

#include <QHash>
#include <QVariant>
#include <QVector>

class CheckBox;
class CommProtocol;
class Imsp;
class IServiciosComunes;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class Ui_FormCfgProdZetaVX_DVBS2;

// The product configuration form: the module's parameters in keypad fields,
// read from the module (F6), sent to it (F7 one, F8 all), and handed to and
// from the host and the configuration files as a hash.
class FCfgProdZetaVX_DVBS2 : public IForm
{
    Q_OBJECT

public:
    explicit FCfgProdZetaVX_DVBS2(QWidget *parent = nullptr);
    ~FCfgProdZetaVX_DVBS2() override;

    void setCommServices(Imsp *msp, IServiciosComunes *services);

    void CrearAcciones();
    void createContextMenu();
    void initInputParams();
    void initOutputParams();

    QHash<QString, QVariant> UpdateDataMSP();
    void SetDataConfig(QHash<QString, QVariant> hash);
    bool sendCfgData(bool all, bool &inputsChanged, bool &outputsChanged);
    void readModuleInfo(CommProtocol &msg);
    bool dataRcvd(CommProtocol &msg);
    void setInputLevel_1(unsigned char level);
    void setInputLevel_2(unsigned char level);

signals:
    void Salir(IForm *form);
    void PresentaFichLect(IForm *form);
    void PresentaFichEsc(IForm *form);

protected:
    void buildWidgets() override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private slots:
    void FuncLeerConfDeFich();
    void FuncEscribirConfDeFich();
    void NumEntChanged(int index);
    void ActivateLNB1Changed(int index);
    void ActivateLNB2Changed(int index);
    void ActivateC1Changed(int index);
    void ActivateC2Changed(int index);
    void autoBWChanged_1(int state);
    void autoBWChanged_2(int state);

private:
    // The widgets that hold one of the module's parameters: a choice list or an
    // edit box, and an "Auto" box for a bandwidth.
    struct Field {
        const ModuleParameters::Parameter *parameter;
        QWidget *field; // the list or the edit box
        QComboBox *list;
        QLineEdit *edit;
        QCheckBox *autoBox;
    };

    const QVector<Field> &fields() const;
    int wireValue(const Field &f) const;
    void readFromModule();
    void applyRecord(unsigned short code, CommProtocol &msg);
    void applyBandwidth(unsigned char value, QCheckBox *autoBox, QComboBox *list);
    void setInputLevel(QProgressBar *bar, QLabel *label, unsigned char level);
    void enableProcessor(bool on, CheckBox *autoBox, const QList<QWidget *> &settings,
                         QWidget *bandwidth);
    void finishUi();
    void fitFieldsToFont();
    void alert(const QString &title, const QString &message);

    DeferredUi<Ui_FormCfgProdZetaVX_DVBS2> ui;
    QAction *readFileAction = nullptr;
    QAction *writeFileAction = nullptr;
    IServiciosComunes *services = nullptr;
    Imsp *msp = nullptr;
    QVector<Field> fieldList; // in the order of ModuleParameters::all()
    QHash<QString, QVariant> pendingConfig; // set before the widgets were built
};
