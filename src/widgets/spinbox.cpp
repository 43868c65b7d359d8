#include "spinbox.h"

#include "editbox.h"

#include <QKeyEvent>

SpinBox::SpinBox(QWidget *parent, const char *)
    : QSpinBox(parent)
    , editBox(new EditBox(parent))
{
    setLineEdit(editBox);
}

void SpinBox::setEditMode(bool on) { editBox->setEditMode(on); }

QValidator::State SpinBox::validate(QString &text, int &pos)
{
    return QSpinBox::validate(text, pos);
}

bool SpinBox::validateInput(QString &input) { return editBox->validateInput(input); }

void SpinBox::deselect() { editBox->deselect(); }

void SpinBox::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    switch (key) {
    case Qt::Key_Left:
        setValue(value() - singleStep());
        break;
    case Qt::Key_Right:
        setValue(value() + singleStep());
        break;
    case Qt::Key_Up:
        focusNextPrevChild(false);
        break;
    case Qt::Key_Down:
        focusNextPrevChild(true);
        break;
    default:
        QSpinBox::keyPressEvent(event);
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        QString text = lineEdit()->text();
        int pos = 0;
        if (validate(text, pos) == QValidator::Acceptable)
            setValue(valueFromText(text));
    }
}
