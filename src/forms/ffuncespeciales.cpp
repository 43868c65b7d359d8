#include "ffuncespeciales.h"

#include "ui_ffuncespeciales.h"

#include <QIntValidator>
#include <QKeyEvent>

#include <climits>

FFuncEspeciales::FFuncEspeciales(QWidget *parent)
    : IForm(QStringLiteral("FuncionesEspeciales"), parent)
    , ui(this, &FFuncEspeciales::finishUi)
{ }

FFuncEspeciales::~FFuncEspeciales() = default;

void FFuncEspeciales::buildWidgets() { ui.get(); }

void FFuncEspeciales::finishUi()
{
    ui->leSpFunction->setValidator(new QIntValidator(0, 99999, this));
    // The validator goes by value, so "0000040817" would pass it as 40817.
    ui->leSpFunction->setMaxLength(5);
    ui->leSpData->setValidator(new QIntValidator(INT_MIN, INT_MAX, this));
}

void FFuncEspeciales::getSpecialFunctionData(QString &code, QString &data)
{
    code = ui->leSpFunction->text();
    data = ui->leSpData->text();
}

void FFuncEspeciales::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        emit Cancelar(this);
        break;
    case Qt::Key_F7:
        if (ui->leSpFunction->text().isEmpty())
            emit Cancelar(this);
        else
            emit Aceptar(this);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit Aceptar(this);
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void FFuncEspeciales::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && ui.isBuilt())
        ui->retranslateUi(this);
    QWidget::changeEvent(event);
}
