#pragma once

#include <QDialog>

class QLabel;

// Placeholder until the message dialogs land: one shared modal alert closed by
// Return (accept) or Escape (cancel).
class FAlertMessage : public QDialog
{
    Q_OBJECT

public:
    // Button bits: 2 OK (Return accepts), 4 Esc (Escape cancels); icon bits, highest wins.
    enum Buttons { ButtonNone = 0, ButtonOk = 2, ButtonEsc = 4, ButtonOkEsc = 6 };
    enum Icons { IconInfo = 1, IconWarning = 2, IconError = 4, IconDone = 8 };

    static FAlertMessage *getInstance();
    int showDialog(QWidget *parent, QString title, QString message, int buttons, int icon, bool modal);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    FAlertMessage();
    static FAlertMessage *m_pAlertMessage;
    QLabel *lbTitulo;
    QLabel *m_LabelMessage;
    int flags = 0;
};
