#include "ffuncespeciales.h"

#include <QLineEdit>

FFuncEspeciales::FFuncEspeciales(QWidget *parent)
    : IForm(QStringLiteral("FuncionesEspeciales"), parent)
    , leSpFunction(new QLineEdit(this))
    , leSpData(new QLineEdit(this))
{
    leSpFunction->setObjectName(QStringLiteral("leSpFunction"));
    leSpData->setObjectName(QStringLiteral("leSpData"));
}

void FFuncEspeciales::getSpecialFunctionData(QString &code, QString &data)
{
    code = leSpFunction->text();
    data = leSpData->text();
}
