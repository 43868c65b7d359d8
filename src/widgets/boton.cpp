#include "boton.h"

#include <QKeyEvent>

Boton::Boton(QWidget *parent)
    : QPushButton(parent)
{ }

void Boton::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return)
        click();
    else
        QPushButton::keyPressEvent(event);
}
