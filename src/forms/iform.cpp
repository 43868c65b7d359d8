#include "iform.h"

IForm::IForm(const QString &id, QWidget *parent)
    : QWidget(parent, Qt::WindowFlags())
    , formId(id)
{ }
