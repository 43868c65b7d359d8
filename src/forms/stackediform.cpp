#include "stackediform.h"

#include "iform.h"

StackedIForm::StackedIForm(QWidget *parent)
    : QStackedWidget(parent)
{ }

int StackedIForm::indexOf(const QString &formId) const
{
    // The first match wins: a later form with the same identifier is unreachable.
    for (int i = 0; i < count(); ++i) {
        const IForm *f = qobject_cast<const IForm *>(widget(i));
        if (f && f->formId == formId)
            return i;
    }
    return -1;
}

IForm *StackedIForm::form(const QString &formId) const
{
    const int i = indexOf(formId);
    return i < 0 ? nullptr : qobject_cast<IForm *>(widget(i));
}

QString StackedIForm::currentForm() const
{
    const IForm *f = qobject_cast<const IForm *>(currentWidget());
    return f ? f->formId : QString();
}

void StackedIForm::setCurrentForm(QString formId)
{
    // An unknown identifier gives -1, which QStackedWidget ignores.
    setCurrentIndex(indexOf(formId));
}
