#pragma once

#include "deferredui.h"
#include "iform.h"

class Ui_FormFuncEspeciales;

// Service form: collects a function code and a data value; the main window
// runs the function.
class FFuncEspeciales : public IForm
{
    Q_OBJECT

public:
    explicit FFuncEspeciales(QWidget *parent = nullptr);
    ~FFuncEspeciales() override;

    void getSpecialFunctionData(QString &code, QString &data);

signals:
    void Aceptar(IForm *form);
    void Cancelar(IForm *form);

protected:
    void buildWidgets() override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void finishUi();

    DeferredUi<Ui_FormFuncEspeciales> ui;
};
