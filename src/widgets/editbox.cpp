#include "editbox.h"

#include "inputalert.h"

#include <QDoubleValidator>
#include <QIntValidator>
#include <QKeyEvent>
#include <QValidator>

EditBox::EditBox(QWidget *parent)
    : QLineEdit(parent)
    , noErrorDialog(false)
    , editMode(false)
    , acceptReturn(false)
    , lockUpDown(false)
    , upDownToParent(false)
{ }

void EditBox::setText(const QString &text)
{
    QLineEdit::setText(text);
    if (hasAcceptableInput())
        lastValidText = text;
}

void EditBox::setEditMode(bool on)
{
    if (editMode == on)
        return;
    editMode = on;
    if (!on)
        deselect();
}

bool EditBox::validateInput(QString &input)
{
    const QValidator *v = validator();
    if (!v)
        return true;
    QString candidate = text();
    if (hasSelectedText())
        candidate.replace(selectionStart(), selectedText().length(), input);
    else
        candidate.append(input);
    int pos = cursorPosition();
    return v->validate(candidate, pos) != QValidator::Invalid;
}

void EditBox::showError(QString &badText)
{
    QString range;
    if (const auto *iv = qobject_cast<const QIntValidator *>(validator())) {
        range = QLatin1Char('\n') + tr("valid range is ") + QString::number(iv->bottom())
            + QLatin1String(" - ") + QString::number(iv->top());
    } else if (const auto *dv = qobject_cast<const QDoubleValidator *>(validator())) {
        range = QLatin1Char('\n') + tr("valid range is ") + QString::number(dv->bottom(), 'g', 6)
            + QLatin1String(" - ") + QString::number(dv->top(), 'g', 6);
    }
    const QString message = tr("Value ") + badText + tr(" is out of range") + range;
    InputAlert::show(this, tr("Input Error"), message);
}

void EditBox::checkBeforeLeaving()
{
    if (hasAcceptableInput()) {
        lastValidText = text();
        return;
    }
    QString bad = text();
    setText(lastValidText);
    if (!noErrorDialog)
        showError(bad);
}

void EditBox::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return) {
        // Left unaccepted, Return travels on to the form, which confirms with it.
        event->setAccepted(acceptReturn);
        return;
    }
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        if (lockUpDown)
            return;
        checkBeforeLeaving();
        if (upDownToParent)
            event->ignore();
        else
            focusNextPrevChild(key == Qt::Key_Down);
        return;
    }
    if (event->text().isEmpty() && key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        // A keypad may send a character key without its text; the line edit
        // types only text, so it gets the key's own character.
        QKeyEvent typed(event->type(), key, event->modifiers(), QString(QChar(key)),
                        event->isAutoRepeat(), event->count());
        QLineEdit::keyPressEvent(&typed);
        event->setAccepted(typed.isAccepted());
    } else {
        QLineEdit::keyPressEvent(event);
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9 && editMode && !text().isEmpty()
        && cursorPosition() > 0)
        setSelection(cursorPosition() - 1, 1);
}
