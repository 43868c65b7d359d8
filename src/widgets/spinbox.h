#pragma once

#include <QSpinBox>
#include <QValidator>

class EditBox;

// Keypad spin box: Left and Right step the value, Up and Down move between
// fields, and a typed value takes effect as soon as its text is complete.
class SpinBox : public QSpinBox
{
    Q_OBJECT

public:
    explicit SpinBox(QWidget *parent = nullptr, const char *name = nullptr);

    virtual void setEditMode(bool on);
    virtual QValidator::State validate(QString &text, int &pos);
    using QSpinBox::validate;

    bool validateInput(QString &input);
    void deselect();

    EditBox *editBox;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
