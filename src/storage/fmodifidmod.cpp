#include "fmodifidmod.h"

#include "editbox.h"
#include "ui_fmodifidmod.h"

#include <QKeyEvent>

FModifIDMod::FModifIDMod(QWidget *parent)
    : IForm(QStringLiteral("ModifIDMod"), parent)
    , ui(this)
{ }

FModifIDMod::~FModifIDMod() = default;

void FModifIDMod::buildWidgets() { ui.get(); }

void FModifIDMod::ModifID()
{
    idMod = ui->m_IDMod->text();
    emit IDModificado(this);
}

void FModifIDMod::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        emit Salir(this);
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        ModifID();
    IForm::keyPressEvent(event);
}

void FModifIDMod::showEvent(QShowEvent *event)
{
    ui->m_IDMod->setText(idMod);
    if (hasFocus())
        ui->m_IDMod->setFocus();
    IForm::showEvent(event);
}

void FModifIDMod::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && ui.isBuilt())
        ui->retranslateUi(this);
    IForm::changeEvent(event);
}
