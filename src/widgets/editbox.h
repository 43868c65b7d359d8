#pragma once

#include <QLineEdit>
#include <QString>

// Keypad line edit: Up and Down leave the field (restoring the last accepted
// text, with an alert, when the validator refuses the current one), Return is
// handed to the form unless acceptReturn is set.
class EditBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit EditBox(QWidget *parent = nullptr);

    void setEditMode(bool on);
    // Would typing input now leave an acceptable or intermediate text?
    bool validateInput(QString &input);
    void showError(QString &badText);

    bool noErrorDialog;
    bool editMode;
    bool acceptReturn;
    bool lockUpDown;
    bool upDownToParent;
    QString lastValidText;

public slots:
    void setText(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void checkBeforeLeaving();
};
