#pragma once

#include <QDialog>
#include <QString>

class Ui_FormCaptureMessage;

// The one text-capture dialog of the process: the alert's frame and keys plus
// an edit box for a short text.
class FCaptureMessage : public QDialog
{
    Q_OBJECT

public:
    static FCaptureMessage *getInstance();

    void setButtonTexts(const QString &first, const QString &second);
    // Always modal; the edit box starts with text. Returns 1 accepted, 0 cancelled.
    int showDialog(QWidget *parent, QString title, QString message, int buttons, QString &text);
    QString getNameIntroduced();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    FCaptureMessage();

    static FCaptureMessage *m_pCaptureMessage;

    Ui_FormCaptureMessage *ui;
    QString iconName;
    QString firstButtonText;
    QString secondButtonText;
    QString nameIntroduced;
    int flags;
};
