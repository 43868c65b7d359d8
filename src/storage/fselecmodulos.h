#pragma once

#include "iform.h"

// Placeholder until the module list lands: identifier, signals and accessors.
class FSelecModulos : public IForm
{
    Q_OBJECT

public:
    explicit FSelecModulos(QWidget *parent = nullptr);

    void setFunction(int function, QString &fileName, QString &familyFilter);
    void setQuienMeLLama(QString who) { quienMeLLama = who; }
    QString getQuienMeLLama() const { return quienMeLLama; }
    int getFunction() const { return function; }
    QString getModSeleccionado() const { return modSeleccionado; }

signals:
    void Seleccionado(IForm *f);
    void Salir(IForm *item);
    void ModificarID(IForm *item);
    void deleteModuleId(IForm *item);

private:
    QString modSeleccionado;
    QString fileName;
    QString familyFilter;
    QString quienMeLLama;
    int function = 0;
};
