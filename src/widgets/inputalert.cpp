#include "inputalert.h"

#include <QMessageBox>

InputAlert::Presenter InputAlert::presenter = nullptr;

void InputAlert::setPresenter(Presenter presenter) { InputAlert::presenter = presenter; }

void InputAlert::show(QWidget *parent, const QString &title, const QString &message)
{
    if (presenter)
        presenter(parent, title, message);
    else
        QMessageBox::warning(parent, title, message);
}
