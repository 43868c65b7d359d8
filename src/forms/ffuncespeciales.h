#pragma once

#include "iform.h"

class QLineEdit;

// Placeholder until the service form lands: identifier, signals and fields.
class FFuncEspeciales : public IForm
{
    Q_OBJECT

public:
    explicit FFuncEspeciales(QWidget *parent = nullptr);

    void getSpecialFunctionData(QString &code, QString &data);

signals:
    void Aceptar(IForm *form);
    void Cancelar(IForm *form);

private:
    QLineEdit *leSpFunction;
    QLineEdit *leSpData;
};
