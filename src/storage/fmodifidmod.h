#pragma once

#include "deferredui.h"
#include "iform.h"

class Ui_FormModifIDMod;

// Edits one module identifier; Return confirms it.
class FModifIDMod : public IForm
{
    Q_OBJECT

public:
    explicit FModifIDMod(QWidget *parent = nullptr);
    ~FModifIDMod() override;

    void setIDMod(QString id) { idMod = id; }
    QString getIDMod() const { return idMod; }

signals:
    void Salir(IForm *item);
    void IDModificado(IForm *item);

protected:
    void buildWidgets() override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private slots:
    void ModifID();

private:
    DeferredUi<Ui_FormModifIDMod> ui;
    QString idMod;
};
