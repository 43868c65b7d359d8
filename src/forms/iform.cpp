#include "iform.h"

IForm::IForm(const QString &id, QWidget *parent)
    : QWidget(parent, Qt::WindowFlags())
    , formId(id)
{ }

void IForm::setVisible(bool visible)
{
    if (visible)
        buildWidgets();
    QWidget::setVisible(visible);
}
