#pragma once

#include <QDialog>
#include <QString>

class Ui_FormAlertMessage;

// The one message dialog of the process: a frameless box over the host window
// below its top 20 pixels, with a title, a message, an icon and up to two
// button captions. The captions only tell which keys work: Return or Enter
// accepts and Escape cancels, each only when the caller asked for it.
class FAlertMessage : public QDialog
{
    Q_OBJECT

public:
    // Button bits, combined by addition. EscKey and ReturnKey are added by the
    // dialog for Esc and OK; a caller may pass them alone to get the key
    // without the caption.
    enum Buttons {
        ButtonNone = 0,
        ButtonOk = 2,
        ButtonEsc = 4,
        ButtonOkEsc = 6,
        EscKey = 8,
        ReturnKey = 16
    };
    // Icon bits; when several are set the highest wins.
    enum Icons { IconInfo = 1, IconWarning = 2, IconError = 4, IconDone = 8 };

    static FAlertMessage *getInstance();

    // Modal: waits for the user and returns 1 (accepted) or 0 (cancelled or
    // closed by the program). Not modal: returns 1 after 100 ms with the
    // dialog still on screen. While a modal call waits, further calls show
    // nothing and return 0.
    int showDialog(QWidget *parent, QString title, QString message, int buttons, int icon,
                   bool modal);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    FAlertMessage();

    static FAlertMessage *m_pAlertMessage;

    Ui_FormAlertMessage *ui;
    QString iconName;
    QString firstButtonText;
    QString secondButtonText;
    int flags;
};
