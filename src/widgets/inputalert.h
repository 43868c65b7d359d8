#pragma once

#include <QString>

class QWidget;

// How an input widget tells the user that a typed value was refused. The
// widgets sit below the forms and may not use the forms' alert dialog, so the
// forms hand it in here as the presenter. Until a presenter is set, a plain
// modal warning box shows the message, so a widget used on its own still
// tells the user.
class InputAlert
{
public:
    using Presenter = void (*)(QWidget *parent, const QString &title, const QString &message);

    static void setPresenter(Presenter presenter);
    // Modal: returns when the user has closed the alert.
    static void show(QWidget *parent, const QString &title, const QString &message);

private:
    static Presenter presenter;
};
