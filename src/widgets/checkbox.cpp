#include "checkbox.h"

#include <QKeyEvent>

CheckBox::CheckBox(QWidget *parent)
    : QCheckBox(parent)
{ }

void CheckBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return)
        click();
    else
        QCheckBox::keyPressEvent(event);
}
