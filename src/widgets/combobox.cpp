#include "combobox.h"

#include "editbox.h"

#include <QKeyEvent>

ComboBox::ComboBox(QWidget *parent)
    : QComboBox(parent)
    , editBox(nullptr)
{ }

void ComboBox::setEditable(bool on)
{
    QComboBox::setEditable(on);
    if (on) {
        // setLineEdit takes ownership and deletes any line edit it held before.
        editBox = new EditBox(parentWidget());
        setLineEdit(editBox);
    } else {
        delete editBox;
        editBox = nullptr;
    }
}

void ComboBox::setEditMode(bool on)
{
    if (!editBox)
        return;
    editBox->setEditMode(on);
    if (!on) {
        const int index = findData(editBox->text(), Qt::DisplayRole, Qt::MatchExactly);
        if (index >= 0)
            setCurrentIndex(index);
    }
}

bool ComboBox::validateInput(QString &input)
{
    if (!editBox)
        return true;
    QString candidate = editBox->text();
    if (editBox->hasSelectedText())
        candidate.remove(editBox->selectionStart(), editBox->selectedText().length());
    candidate.append(input);
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).startsWith(candidate, Qt::CaseSensitive))
            return true;
    }
    return false;
}

void ComboBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
        showPopup();
        break;
    case Qt::Key_Left:
        if (count() > 0)
            setCurrentIndex(currentIndex() > 0 ? currentIndex() - 1 : count() - 1);
        break;
    case Qt::Key_Right:
        if (count() > 0)
            setCurrentIndex(currentIndex() < count() - 1 ? currentIndex() + 1 : 0);
        break;
    case Qt::Key_Up:
        focusNextPrevChild(false);
        break;
    case Qt::Key_Down:
        focusNextPrevChild(true);
        break;
    default:
        QComboBox::keyPressEvent(event);
    }
}
